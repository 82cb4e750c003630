// Helpers for tests that touch the file system: golden data and a scratch folder.
#pragma once

#include "model/file_io.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string GoldenFile(const std::string& name) {
    const char* root = std::getenv("SEGMARK_TEST_DATA");
    if (!root) ADD_FAILURE() << "SEGMARK_TEST_DATA is not set";
    return ReadWholeFile(std::string(root ? root : "tests/data") + "/model/" + name);
}

// A fresh folder removed with everything in it at the end of the test.
class ScratchDir {
  public:
    ScratchDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "segmark-model-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) ADD_FAILURE() << "mkdtemp failed";
        path_ = tmpl;
    }
    ~ScratchDir() { std::filesystem::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }
    std::size_t EntryCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_))
            ++n;
        return n;
    }

  private:
    std::filesystem::path path_;
};
