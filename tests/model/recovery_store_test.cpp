#include "model/recovery_store.h"

#include "project_fakes.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using file_io_detail::SaveStep;

namespace {

// Sets or clears an environment variable for one scope.
class EnvVar {
  public:
    EnvVar(const char* Name, const char* Value) : FName(Name) {
        if (const char* old = std::getenv(Name)) FOld = old, FHad = true;
        if (Value)
            ::setenv(Name, Value, 1);
        else
            ::unsetenv(Name);
    }
    ~EnvVar() {
        if (FHad)
            ::setenv(FName, FOld.c_str(), 1);
        else
            ::unsetenv(FName);
    }

  private:
    const char* FName;
    std::string FOld;
    bool FHad = false;
};

} // namespace

TEST(RecoveryStore, FolderFollowsTheEnvironment) {
    struct Row {
        const char* Name;
        const char* State;
        const char* Xdg;
        const char* Home;
        std::string Expected;
    } rows[] = {
        {"state dir wins", "/s/rec", "/x", "/h", "/s/rec"},
        {"xdg state home", nullptr, "/x", "/h", "/x/segmark/recovery"},
        {"relative xdg is ignored", nullptr, "x", "/h", "/h/.local/state/segmark/recovery"},
        {"empty state dir is ignored", "", nullptr, "/h", "/h/.local/state/segmark/recovery"},
    };
    for (const Row& r : rows) {
        EnvVar s("SEGMARK_STATE_DIR", r.State), x("XDG_STATE_HOME", r.Xdg), h("HOME", r.Home);
        EXPECT_EQ(RecoveryFolder(), r.Expected) << r.Name;
    }
}

TEST(RecoveryStore, RecordRoundTripsAndRejectsDamage) {
    const TRecoveryRecord rec{"/home/u/run one.sgp", 1765100000, {1234, 1765000000123456789, 42}};
    EXPECT_EQ(ParseRecord(RecordText(rec), "r"), rec);
    const TRecoveryRecord fresh{"", 5, {}};
    EXPECT_EQ(ParseRecord(RecordText(fresh), "r"), fresh);

    const std::string good = RecordText(rec);
    struct Row {
        const char* Name;
        std::string Bytes;
    } rows[] = {
        {"empty", ""},
        {"wrong first line", "segmark-recovery 2\n" + good.substr(good.find('\n') + 1)},
        {"missing number", "segmark-recovery 1\n1 2 3\n/a\n"},
        {"extra number", "segmark-recovery 1\n1 2 3 4 5\n/a\n"},
        {"no source line", "segmark-recovery 1\n1 2 3 4\n"},
        {"trailing bytes", good + "x"},
    };
    for (const Row& r : rows)
        EXPECT_THROW(ParseRecord(r.Bytes, "r"), EFileFormatError) << r.Name;
}

TEST(RecoveryStore, IdentityTellsVersionsApart) {
    ScratchDir dir;
    const std::string path = dir / "p.sgp";
    EXPECT_EQ(IdentityOf(path).Size, -1);
    SaveFileAtomically(path, "abc");
    const TFileIdentity first = IdentityOf(path);
    EXPECT_EQ(first.Size, 3);
    EXPECT_EQ(IdentityOf(path), first);
    // The atomic writer replaces the file, so even same-size bytes differ.
    SaveFileAtomically(path, "abd");
    EXPECT_NE(IdentityOf(path), first);
}

TEST(RecoveryStore, WriteReadRemoveAndDiscardKeepsFive) {
    ScratchDir dir;
    TRecoveryStore store(dir / "state/segmark/recovery");
    EXPECT_FALSE(store.HasSnapshot());
    const TRecoveryRecord rec{"/p.sgp", 77, {3, 4, 5}};
    store.Write("bytes", rec);
    struct stat st {};
    ASSERT_EQ(::stat(store.Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(store.HasSnapshot());
    EXPECT_EQ(ReadWholeFile(store.SnapshotPath()), "bytes");
    EXPECT_EQ(store.ReadRecord(), rec);
    store.Remove();
    EXPECT_FALSE(store.HasSnapshot());

    std::string last;
    for (int i = 0; i < 7; ++i) {
        store.Write("v" + std::to_string(i), rec);
        last = store.Discard();
        EXPECT_FALSE(store.HasSnapshot());
    }
    EXPECT_EQ(ReadWholeFile(last), "v6");
    std::size_t sgp = 0, rec_files = 0;
    for (const auto& e : std::filesystem::directory_iterator(store.DiscardFolder()))
        (e.path().extension() == ".sgp" ? sgp : rec_files)++;
    EXPECT_EQ(sgp, 5u);
    EXPECT_EQ(rec_files, 5u);
    // The oldest went first: "v2" is the oldest still kept.
    bool found_v2 = false, found_v1 = false;
    for (const auto& e : std::filesystem::directory_iterator(store.DiscardFolder())) {
        if (e.path().extension() != ".sgp") continue;
        const std::string b = ReadWholeFile(e.path().string());
        found_v2 |= b == "v2";
        found_v1 |= b == "v1";
    }
    EXPECT_TRUE(found_v2);
    EXPECT_FALSE(found_v1);
}

TEST(RecoveryStore, FailedWriteKeepsTheOldSnapshot) {
    ScratchDir dir;
    TRecoveryStore store(dir / "rec");
    store.Write("old", {"", 1, {}});
    store.Options.Fault = [](SaveStep s) { return s == SaveStep::Sync ? ENOSPC : 0; };
    EXPECT_THROW(store.Write("new", {"", 2, {}}), EFileError);
    EXPECT_EQ(ReadWholeFile(store.SnapshotPath()), "old");
    EXPECT_EQ(store.ReadRecord().Time, 1);
}
