// The recovery snapshot rule on the window's commands: which changes bring
// the snapshot up to date, which ends remove it, the offer at start, the
// guard against overwriting another program's write, and a failing writer.
#include "app/commands.h"
#include "app/fake_user_port.h"
#include "grid/fake_clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "model/project_fakes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <deque>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using file_io_detail::SaveStep;

namespace {

// Timers fire when the test says; posted calls run when the test says.
class ManualPort : public RecoveryPort {
  public:
    std::vector<std::function<void()>> Timers;
    void StartTimer(int, std::function<void()> Fire) override { Timers.push_back(std::move(Fire)); }
    void Post(std::function<void()> F) override {
        std::lock_guard<std::mutex> l(Lock);
        Posted.push_back(std::move(F));
    }
    void RunPosted() {
        std::vector<std::function<void()>> p;
        {
            std::lock_guard<std::mutex> l(Lock);
            p.swap(Posted);
        }
        for (auto& f : p)
            f();
    }
    std::mutex Lock;
    std::vector<std::function<void()>> Posted;
};

struct Window {
    ScratchDir Dir;
    TRecoveryStore Store{Dir / "state"};
    ManualPort Timers;
    TLapGrid Grid;
    FakeSelector Selector;
    FakeClipboard Clip;
    TLapEnvFile Env;
    FakeUserPort User;
    TLapCommands C{Grid, Selector, Clip, Env, User};
    int Writes = 0;

    Window() {
        SetupLapGrid(Grid, Env.Env);
        Grid.SetClipboardPort(&Clip);
        Store.Options.Fault = [this](SaveStep s) {
            if (s == SaveStep::Write) ++Writes;
            return 0;
        };
        C.EnableRecovery(Store, Timers);
    }
    void Type(int Col, int Row, const std::string& Text) {
        Grid.SetCol(Col);
        Grid.SetRow(Row);
        for (char ch : Text)
            Grid.KeyPress(std::string(1, ch));
        Grid.KeyDown(VK_RETURN, 0);
    }
    // Every armed timer fires, then the worker finishes.
    void Settle() {
        auto t = std::move(Timers.Timers);
        Timers.Timers.clear();
        for (auto& f : t)
            f();
        C.Recovery()->Flush();
        Timers.RunPosted();
    }
    std::string Snapshot() { return FileExists(Store.SnapshotPath()) ? ReadWholeFile(Store.SnapshotPath()) : "(none)"; }
    // A saved project of one sheet with a Best time, opened.
    std::string OpenSaved() {
        const std::string f = Dir / "run.sgp";
        if (!C.Project()) C.Start({});
        User.FileName = f;
        Type(2, 0, "1:00");
        EXPECT_TRUE(C.SaveProjectAs());
        EXPECT_TRUE(C.ReplaceProject(f));
        Settle();
        return f;
    }
};

} // namespace

TEST(Recovery, EveryKindOfChangeBringsTheSnapshotUpToDate) {
    struct Case {
        const char* Name;
        std::function<void(Window&)> Change;
    };
    const Case cases[] = {
        {"typed cell", [](Window& w) { w.Type(2, 1, "2:00"); }},
        {"paste", [](Window& w) { w.Clip.SetText("3:00"); w.C.SetClipHasText(true); w.Grid.SetCol(2); w.C.EditClick(TEditAction::Paste, TFocusField::Grid); }},
        {"delete key", [](Window& w) { w.Grid.SetCol(2); w.C.EditClick(TEditAction::Clear, TFocusField::Grid); }},
        {"add row", [](Window& w) { w.C.AddLineClick(); }},
        {"delete row", [](Window& w) { w.C.DeleteLineClick(); }},
        {"copy now to best", [](Window& w) { w.Type(2, 1, "2:00"); w.Settle(); w.C.CopyNowToBestClick(); }},
        {"clear now", [](Window& w) { w.Type(2, 1, "2:00"); w.Settle(); w.C.ClearNowClick(); }},
        {"undo", [](Window& w) { w.Type(2, 1, "2:00"); w.Type(2, 2, "2:30"); w.Settle(); w.C.UndoClick(); }},
        {"add sheet", [](Window& w) { w.C.AddSheetClick(); }},
        {"rename", [](Window& w) { w.C.RenameSheet("Any%"); }},
        {"sheet settings", [](Window& w) { w.C.SheetConfigClick(0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        const std::string file = w.OpenSaved();
        EXPECT_EQ(w.Snapshot(), "(none)");
        c.Change(w);
        w.Settle();
        ASSERT_TRUE(FileExists(w.Store.SnapshotPath()));
        EXPECT_EQ(w.Snapshot(), w.C.Project()->FileImage());
        const TRecoveryRecord r = w.Store.ReadRecord();
        EXPECT_EQ(r.Source, file);
        EXPECT_EQ(r.Identity, IdentityOf(file));
    }
}

TEST(Recovery, NothingIsArmedWithoutChangesAndChangesCoalesce) {
    Window w;
    w.C.Start({});
    w.C.ShowMemoClick(); // a view option is no unsaved change
    EXPECT_TRUE(w.Timers.Timers.empty());
    w.Type(2, 0, "1:00");
    w.Type(2, 1, "2:00");
    w.Type(2, 2, "3:00");
    EXPECT_EQ(w.Timers.Timers.size(), 1u);
    w.Settle();
    EXPECT_EQ(w.Writes, 2); // one record, one snapshot
    EXPECT_EQ(w.Store.ReadRecord().Source, ""); // a new project
    w.Settle();
    EXPECT_EQ(w.Writes, 2);
    // Written at once by an end that is not a close: the timer then has
    // nothing left to write.
    w.Type(2, 3, "4:00");
    EXPECT_TRUE(w.C.SnapshotNow());
    EXPECT_EQ(w.Writes, 4);
    w.Settle();
    EXPECT_EQ(w.Writes, 4);
}

TEST(Recovery, SavedOrGivenUpChangesRemoveTheSnapshotOthersKeepIt) {
    struct Case {
        const char* Name;
        std::function<void(Window&)> End;
        bool Removed;
    };
    const Case cases[] = {
        {"save", [](Window& w) { w.C.OverWriteClick(); }, true},
        {"save as", [](Window& w) { w.User.FileName = w.Dir / "other.sgp"; w.C.SavePrjectClick(); }, true},
        {"new, answered no", [](Window& w) { w.User.Answers = {TAnswer::No}; w.C.NewProjectClick(); }, true},
        {"open, answered no", [](Window& w) { w.User.Answers = {TAnswer::No}; w.User.FileName = w.Dir / "run.sgp"; w.C.OpenProjectClick(); }, true},
        {"drop, answered no", [](Window& w) { w.User.Answers = {TAnswer::No}; w.C.DropFiles({w.Dir / "run.sgp"}); }, true},
        {"closed", [](Window& w) { w.C.Closed(); }, true},
        {"undone back to the saved project", [](Window& w) { w.C.UndoClick(); }, true},
        {"a sheet added, then undo", [](Window& w) { w.C.AddSheetClick(); w.C.UndoClick(); }, false},
        {"new, cancelled", [](Window& w) { w.User.Answers = {TAnswer::Cancel}; w.C.NewProjectClick(); }, false},
        {"open, no, dialog dismissed", [](Window& w) { w.User.Answers = {TAnswer::No}; w.User.FileName.clear(); w.C.OpenProjectClick(); }, false},
        {"save fails", [](Window& w) { ::unlink((w.Dir / "run.sgp").c_str()); ::mkdir((w.Dir / "run.sgp").c_str(), 0700); w.C.OverWriteClick(); }, false},
        {"overwrite refused", [](Window& w) { SaveFileAtomically(w.Dir / "run.sgp", "changed elsewhere"); w.User.Answer = false; w.C.OverWriteClick(); }, false},
        {"ended by a signal", [](Window& w) { w.C.SnapshotNow(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        w.OpenSaved();
        w.Type(2, 1, "2:00");
        w.Settle();
        ASSERT_TRUE(FileExists(w.Store.SnapshotPath()));
        c.End(w);
        w.Settle();
        EXPECT_EQ(!FileExists(w.Store.SnapshotPath()), c.Removed);
    }
}

TEST(Recovery, OverwriteGuardAsksWhenAnotherProgramWroteTheFile) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Window w;
        const std::string f = w.OpenSaved();
        w.Type(2, 1, "2:00");
        SaveFileAtomically(f, "changed elsewhere");
        w.User.Answer = ok;
        EXPECT_EQ(w.C.SaveProject(), ok);
        ASSERT_FALSE(w.User.Asked.empty());
        EXPECT_EQ(w.User.Asked.back(),
                  "Cnfm: \"run.sgp\" was changed by another program since it was opened. "
                  "Overwrite it?");
        EXPECT_EQ(ReadWholeFile(f) == "changed elsewhere", !ok);
        EXPECT_EQ(w.C.DataChange(), !ok);
        // Saved here: the next save asks nothing.
        if (ok) {
            w.Type(2, 2, "3:00");
            const std::size_t asked = w.User.Asked.size();
            EXPECT_TRUE(w.C.SaveProject());
            EXPECT_EQ(w.User.Asked.size(), asked);
        }
    }
}

TEST(Recovery, OfferAtStart) {
    struct Case {
        const char* Name;
        TAnswer Answer;
        bool DamagedRecord, DamagedSnapshot, RecordOnly;
        bool Restored;
        std::size_t Errors;
        std::size_t Discarded;
    };
    const Case cases[] = {
        {"yes", TAnswer::Yes, false, false, false, true, 0, 0},
        {"no", TAnswer::No, false, false, false, false, 0, 1},
        {"damaged record", TAnswer::Yes, true, false, false, false, 1, 1},
        {"damaged snapshot", TAnswer::Yes, false, true, false, false, 1, 1},
        {"record alone", TAnswer::Yes, false, false, true, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Window earlier;
        const std::string f = earlier.OpenSaved();
        earlier.Type(2, 1, "2:00");
        earlier.Settle();
        const std::string bytes = earlier.Snapshot();

        Window w;
        // The same folder as the earlier run.
        TRecoveryStore store(earlier.Store.Folder());
        TLapCommands& cmd = w.C;
        ManualPort port;
        cmd.EnableRecovery(store, port);
        if (c.DamagedRecord) SaveFileAtomically(store.RecordPath(), "garbage");
        if (c.DamagedSnapshot) SaveFileAtomically(store.SnapshotPath(), "garbage");
        if (c.RecordOnly) ::unlink(store.SnapshotPath().c_str());
        w.User.Answers = {c.Answer};
        cmd.Start({});
        EXPECT_EQ(w.User.Errors.size(), c.Errors);
        EXPECT_EQ(cmd.Caption().find('*') != std::string::npos, c.Restored) << cmd.Caption();
        if (c.Restored) {
            EXPECT_EQ(cmd.SaveFileName(), f);
            EXPECT_TRUE(cmd.HasFileName());
            EXPECT_EQ(cmd.Project()->FileImage(), bytes);
            EXPECT_EQ(w.Grid.CurrentUndo()->IsModified(), false);
            EXPECT_TRUE(cmd.CloseQuery() == false); // the save question is asked (Cancel)
        }
        if (!c.RecordOnly && !c.DamagedRecord)
            EXPECT_NE(w.User.Asked.at(0).find("Recover: Segmark was not closed normally. Restore "
                                              "the unsaved changes to \"run.sgp\" from "),
                      std::string::npos);
        std::size_t discarded = 0;
        if (FolderExists(store.DiscardFolder()))
            for (auto& e : std::filesystem::directory_iterator(store.DiscardFolder()))
                discarded += e.path().extension() == ".sgp";
        EXPECT_EQ(discarded, c.Discarded);
        EXPECT_EQ(store.HasSnapshot(), c.Restored);
        EXPECT_FALSE(FileExists(store.RecordPath()) && !c.Restored);
    }
}

TEST(Recovery, QuestionTextNamesTheProjectAndTheTime) {
    TRecoveryRecord r;
    r.Time = 1'700'000'000;
    const std::string today = RecoverQuestion(r, r.Time + 60);
    EXPECT_NE(today.find("to \"a new project\" from "), std::string::npos) << today;
    EXPECT_EQ(today.find("-"), std::string::npos) << today;
    r.Source = "/runs/any.sgp";
    const std::string older = RecoverQuestion(r, r.Time + 3 * 86400);
    EXPECT_NE(older.find("to \"any.sgp\" from 2023-11-1"), std::string::npos) << older;
}

TEST(Recovery, AFailingWriteIsShownOncePerRunAndTriedAgain) {
    Window w;
    w.C.Start({});
    int failing = 2;
    w.Store.Options.Fault = [&](SaveStep s) { return s == SaveStep::Sync && failing-- > 0 ? ENOSPC : 0; };
    w.Type(2, 0, "1:00");
    w.Settle();
    w.Type(2, 1, "2:00");
    w.Settle();
    ASSERT_EQ(w.User.Errors.size(), 1u);
    EXPECT_NE(w.User.Errors[0].find(w.Store.Folder()), std::string::npos);
    EXPECT_NE(w.User.Errors[0].find("No space left"), std::string::npos) << w.User.Errors[0];
    w.Type(2, 2, "3:00");
    w.Settle();
    EXPECT_EQ(w.Snapshot(), w.C.Project()->FileImage());
    EXPECT_EQ(w.User.Errors.size(), 1u);
}

// The session manager's request to save: with interaction it is the close
// question; without, the snapshot is written before it returns.
TEST(Recovery, SessionSaveRequest) {
    struct Case {
        const char* Name;
        bool Interactive;
        std::deque<TAnswer> Answers;
        bool OnlyBeingTyped; // the one change is a time not yet settled
        bool MayEnd;
        std::size_t Asked;
        bool SnapshotKept;
    };
    const Case cases[] = {
        {"asked, cancelled", true, {TAnswer::Cancel}, false, false, 1, true},
        {"asked, not saved", true, {TAnswer::No}, false, true, 1, true},
        {"asked, saved", true, {TAnswer::Yes}, false, true, 1, false},
        {"asked about a time being typed", true, {TAnswer::Cancel}, true, false, 1, true},
        {"no interaction", false, {}, false, true, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        w.OpenSaved();
        if (!c.OnlyBeingTyped) {
            w.Type(2, 1, "2:00");
            w.Settle();
            // Typed and not yet on disk: the timer has not fired.
            w.Type(2, 2, "3:00");
        }
        // Still being typed: the request settles it first.
        w.Grid.SetRow(3);
        for (char ch : std::string("4:00"))
            w.Grid.KeyPress(std::string(1, ch));
        w.User.Asked.clear();
        w.User.Answers = c.Answers;
        EXPECT_EQ(w.C.CommitData(c.Interactive), c.MayEnd);
        EXPECT_EQ(w.User.Asked.size(), c.Asked);
        if (!c.Interactive) {
            EXPECT_EQ(w.Snapshot(), w.C.Project()->FileImage());
            EXPECT_NE(w.Snapshot().find("0:04:00"), std::string::npos);
        }
        w.Settle();
        EXPECT_EQ(FileExists(w.Store.SnapshotPath()), c.SnapshotKept);
    }
}

// The state folder is private, and a snapshot this run did not write (one an
// earlier run left that could not be put aside) outlives a close without changes.
TEST(Recovery, AnotherRunsSnapshotIsNotThisWindowsToRemove) {
    Window earlier;
    earlier.OpenSaved();
    earlier.Type(2, 1, "2:00");
    earlier.Settle();
    struct stat st {};
    ASSERT_EQ(::stat(earlier.Store.Folder().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    const std::string bytes = earlier.Snapshot();

    Window w;
    TRecoveryStore store(earlier.Store.Folder());
    ManualPort port;
    w.C.EnableRecovery(store, port);
    // Putting it aside fails: a file stands where the folder would go.
    SaveFileAtomically(store.DiscardFolder(), "in the way");
    w.User.Answers = {TAnswer::No};
    w.C.Start({});
    ASSERT_EQ(w.User.Errors.size(), 1u);
    w.C.Closed();
    EXPECT_EQ(ReadWholeFile(store.SnapshotPath()), bytes);
}
