// Helpers for tests that touch files: golden data, a scratch folder and
// little-endian fields inside file images.
#pragma once

#include "model/file_io.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string GoldenFile(const std::string& name) {
    const char* root = std::getenv("SEGMARK_TEST_DATA");
    if (!root) ADD_FAILURE() << "SEGMARK_TEST_DATA is not set";
    return ReadWholeFile(std::string(root ? root : "tests/data") + "/model/" + name);
}

inline std::uint32_t U32At(std::string_view b, std::size_t off) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[off + static_cast<std::size_t>(i)]);
    return v;
}
inline std::int32_t I32At(std::string_view b, std::size_t off) {
    return static_cast<std::int32_t>(U32At(b, off));
}
inline void SetI32(std::string& b, std::size_t off, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        b[off + i] = static_cast<char>((static_cast<std::uint32_t>(value) >> 8 * i) & 0xFF);
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
    std::size_t EntryCount() const {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(path_))
            ++n;
        return n;
    }

  private:
    std::filesystem::path path_;
};
