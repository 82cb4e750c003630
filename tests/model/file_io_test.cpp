#include "model/file_io.h"

#include "project_fakes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using file_io_detail::SaveOptions;
using file_io_detail::SaveStep;

namespace {

std::string Refusal(const std::string& path) {
    try {
        SaveFileAtomically(path, "new");
    } catch (const EFileError& e) {
        return e.what();
    }
    return "accepted";
}

} // namespace

TEST(FileIo, RefusesWhatIsNotARegularFileAndLeavesItAsItWas) {
    namespace fs = std::filesystem;
    ScratchDir dir;
    const std::string fifo = dir / "fifo", dangling = dir / "dangling", loop = dir / "loop",
                      folder = dir / "folder", readOnly = dir / "ro.sgp";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink(dir / "nothing", dangling);
    fs::create_symlink(loop, loop);
    fs::create_directory(folder);
    SaveFileAtomically(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);

    const struct {
        std::string path;
        const char* why;
    } cases[] = {
        {fifo, "not a regular file"},     {dangling, "link to a missing file"},
        {loop, "loop of symbolic links"}, {folder, "is a folder"},
        {dir / "none/", "is a folder"},   {readOnly, "read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string what = Refusal(c.path);
        EXPECT_NE(what.find(c.path), std::string::npos) << what;
        EXPECT_NE(what.find(c.why), std::string::npos) << what;
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(dir / "nothing"));
    EXPECT_TRUE(fs::is_symlink(loop));
    EXPECT_FALSE(fs::exists(dir / "none"));
    EXPECT_EQ(ReadWholeFile(readOnly), "old");
    EXPECT_EQ(dir.EntryCount(), 5u); // and no temporary beside them

    const std::string read = [&] {
        try {
            ReadWholeFile(folder);
        } catch (const EFileError& e) {
            return std::string(e.what());
        }
        return std::string("read");
    }();
    EXPECT_NE(read.find("is a folder"), std::string::npos) << read;
}

TEST(FileIo, SameFileSeesThroughLinks) {
    ScratchDir dir;
    const std::string a = dir / "a.txt", b = dir / "b.txt";
    SaveFileAtomically(a, "a");
    SaveFileAtomically(b, "a");
    std::filesystem::create_symlink(a, dir / "soft");
    std::filesystem::create_hard_link(a, dir / "hard");
    EXPECT_TRUE(SameFile(a, dir / "soft"));
    EXPECT_TRUE(SameFile(dir / "hard", dir / "soft"));
    EXPECT_FALSE(SameFile(a, b));              // equal content is not the same file
    EXPECT_FALSE(SameFile(a, dir / "absent")); // nothing to overwrite
}

// Every failing step of a save, with either kind of temporary, leaves the
// old file whole and nothing beside it.
TEST(FileIo, FailedStepsKeepTheOldFileAndLeaveNoTemporary) {
    const std::string old(100000, 'o'), replacement(200000, 'n');
    for (bool unnamed : {true, false}) {
        for (SaveStep failing : {SaveStep::Write, SaveStep::Sync, SaveStep::Rename}) {
            SCOPED_TRACE(std::to_string(unnamed) + " " + std::to_string(int(failing)));
            ScratchDir dir;
            const std::string path = dir / "p.sgp";
            SaveFileAtomically(path, old);
            std::vector<SaveStep> seen;
            SaveOptions o;
            o.UnnamedTemporary = unnamed;
            o.Fault = [&](SaveStep s) {
                seen.push_back(s);
                return s == failing ? ENOSPC : 0;
            };
            EXPECT_THROW(file_io_detail::SaveFileAtomically(path, replacement, o), EFileError);
            EXPECT_EQ(seen.back(), failing);
            EXPECT_EQ(ReadWholeFile(path), old);
            EXPECT_EQ(dir.EntryCount(), 1u);
        }
    }
}

// A save killed before it finished leaves no partial file.
TEST(FileIo, KilledSaveLeavesNothingBehind) {
    ScratchDir dir;
    const std::string path = dir / "p.sgp";
    SaveFileAtomically(path, "old");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SaveOptions o;
        o.Fault = [](SaveStep s) {
            if (s == SaveStep::Sync) ::raise(SIGKILL);
            return 0;
        };
        try {
            file_io_detail::SaveFileAtomically(path, std::string(1 << 20, 'n'), o);
        } catch (...) {
        }
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(dir.EntryCount(), 1u);
}
