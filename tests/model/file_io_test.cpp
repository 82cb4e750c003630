#include "model/file_io.h"

#include "model/project_file.h"
#include "project_fakes.h"

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using file_io_detail::SaveOptions;
using file_io_detail::SaveStep;

TEST(FileIo, SavingReplacesSafely) {
    ScratchDir dir;
    const std::string path = dir / "p.sgp";
    SaveFileAtomically(path, "first");
    ::chmod(path.c_str(), 0640);
    SaveFileAtomically(path, "second");
    EXPECT_EQ(ReadWholeFile(path), "second");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.EntryCount(), 1u); // no temporary file left behind

    // Saving through a link replaces the file it names and keeps the link.
    const std::string link = dir / "link.sgp";
    std::filesystem::create_symlink(path, link);
    SaveFileAtomically(link, "third");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(path), "third");
    // SameFile sees through links; equal content is not the same file.
    std::filesystem::create_hard_link(path, dir / "hard");
    SaveFileAtomically(dir / "other.sgp", "third");
    EXPECT_TRUE(SameFile(link, dir / "hard"));
    EXPECT_FALSE(SameFile(path, dir / "other.sgp"));
    EXPECT_FALSE(SameFile(path, dir / "absent")); // nothing to overwrite

    EXPECT_THROW(SaveFileAtomically(dir / "no/such/folder.sgp", "x"), EFileError);
    EXPECT_THROW(LoadProjectFile(dir / "missing.sgp"), EFileError);
}

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

    const std::pair<std::string, const char*> cases[] = {
        {fifo, "not a regular file"},     {dangling, "link to a missing file"},
        {loop, "loop of symbolic links"}, {folder, "is a folder"},
        {dir / "none/", "is a folder"},   {readOnly, "read-only"},
    };
    for (const auto& [path, why] : cases) {
        const std::string what = ErrorOf([&] { SaveFileAtomically(path, "new"); });
        EXPECT_THAT(what, AllOf(HasSubstr(path), HasSubstr(why)));
    }
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_symlink(dangling));
    EXPECT_FALSE(fs::exists(dir / "nothing"));
    EXPECT_TRUE(fs::is_symlink(loop));
    EXPECT_FALSE(fs::exists(dir / "none"));
    EXPECT_EQ(ReadWholeFile(readOnly), "old");
    EXPECT_EQ(dir.EntryCount(), 5u); // and no temporary beside them
    EXPECT_THAT(ErrorOf([&] { ReadWholeFile(folder); }), HasSubstr("is a folder"));
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
