// The window's commands without the window: a scripted user answers every
// question and file choice, and the flags, caption, menus and files are
// checked as the window would show them.
#include "app/commands.h"
#include "app/fake_user_port.h"
#include "app/session.h"
#include "grid/fake_clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "model/project_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Window {
    TLapGrid Grid;
    FakeSelector Selector;
    FakeClipboard Clip;
    TLapEnvFile Env;
    FakeUserPort User;
    TLapCommands C{Grid, Selector, Clip, Env, User};

    // Started with no arguments (a new project) unless told otherwise.
    explicit Window(bool Started = true) {
        SetupLapGrid(Grid, Env.Env);
        Grid.SetClipboardPort(&Clip);
        if (Started) C.Start({});
    }
    // Types Text into the cell and settles it with Enter, as the keyboard does.
    void Type(int Col, int Row, const std::string& Text) {
        Grid.SetCol(Col);
        Grid.SetRow(Row);
        for (char ch : Text)
            Grid.KeyPress(std::string(1, ch));
        Grid.KeyDown(VK_RETURN, 0);
    }
    bool Enabled(const std::string& Item) { return C.MenuState().Enabled.at(Item); }
    std::string Undo() { return C.MenuState().Undo.Undo; }
};

} // namespace

TEST(Commands, MenuStateFollowsTheFourCasesAndTheClipboard) {
    Window w;
    EXPECT_FALSE(w.Enabled("PastePop")); // rows, but no text on the clipboard
    // The items whose rules differ between the cases, in the order of On below.
    const char* items[] = {"CutPop",        "SheetToFile",   "PastePop",
                           "DeleteSheet",   "CopyThisToDef", "InsertLineMain",
                           "DeleteLinePop", "SheetSort",     "SpeedButton2"};
    const auto none = [](Window&) {};
    const auto hideColumns = [](Window& W) {
        for (int i = 0; i < 5; ++i)
            W.Grid.Columns[i].SetVisible(false);
    };
    const auto deleteSheets = [](Window& W) {
        W.C.DeleteSheetClick();
        W.C.DeleteSheetClick();
    };
    const auto oneSheetNoRows = [](Window& W) {
        W.C.DeleteSheetClick();
        W.Grid.SetRowCount(0);
    };
    // Each case starts from the one before: two sheets, then one row, and so on.
    // clang-format off
    const struct { const char* Name; std::function<void(Window&)> Setup; TMenuCase Expected; const char* On; } cases[] = {
        {"rows",              none,                                     mcRows,                "TTTTTTTFT"},
        {"two sheets",        [](Window& W) { W.C.AddSheetClick(); },   mcRows,                "TTTTTTTTT"},
        {"one row",           [](Window& W) { W.Grid.SetRowCount(1); }, mcRows,                "TTTTTTTTT"},
        {"no visible column", hideColumns,                              mcRowsNoVisibleColumn, "FFFTTFFTT"},
        {"no rows",           [](Window& W) { W.Grid.SetRowCount(0); }, mcNoRows,              "FFFTTTFTF"},
        {"one sheet, no rows", oneSheetNoRows,                          mcNoRows,              "FFFTTTFFF"},
        {"no sheet",          deleteSheets,                             mcNoSheet,             "FFFFFFFFF"},
    };
    // clang-format on
    w.Clip.Has = true;
    w.C.SetClipHasText(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Setup(w);
        EXPECT_EQ(MenuCaseOf(w.C.Project(), w.Grid), c.Expected);
        for (std::size_t i = 0; i < std::size(items); ++i)
            EXPECT_EQ(w.Enabled(items[i]), c.On[i] == 'T') << items[i];
        EXPECT_TRUE(w.Enabled("AddFromClipBoard")); // whatever the case
    }
    w.C.SetClipHasText(false);
    EXPECT_FALSE(w.Enabled("AddFromClipBoard"));
    EXPECT_EQ(w.C.MenuState().Enabled.count("AddSheet"), 0u); // always on
}

// The View menu's commands: each settles the cell being typed first, the
// toggles switch both ways and the choices set what they name.
TEST(Commands, ViewCommandsSettleTheEditAndSwitchTheirOption) {
    using Field = std::uint8_t TLapEnv::*;
    // First, Second: the option after the command once, then twice. Settles:
    // the typed edit is settled (the tool-button switch alone leaves it going).
    // clang-format off
    const struct { const char* Name; std::function<void(TLapCommands&)> Run; Field Option; int First, Second; bool Settles; } cases[] = {
        {"always on top",     [](TLapCommands& C) { C.SetZ(1); },                   &TLapEnv::ZOrderMode,      1, 1, true},
        {"always at bottom",  [](TLapCommands& C) { C.SetZ(2); },                   &TLapEnv::ZOrderMode,      2, 2, true},
        {"move and size off", [](TLapCommands& C) { C.CanNotResizeMoveClick(); },   &TLapEnv::SizeLocked,      1, 0, true},
        {"title bar bottom",  [](TLapCommands& C) { C.TitleBarPosClick(1); },       &TLapEnv::TitleBarPos,     1, 1, true},
        {"tool buttons",      [](TLapCommands& C) { C.ShowToolButtonClick(); },     &TLapEnv::ShowToolButtons, 0, 1, false},
        {"notes",             [](TLapCommands& C) { C.ShowMemoClick(); },           &TLapEnv::ShowNotes,       1, 0, true},
        {"notes on top",      [](TLapCommands& C) { C.MemoPosClick(0); },           &TLapEnv::NotesPos,        0, 0, true},
        {"header hidden",     [](TLapCommands& C) { C.ShowHeaderClick(false); },    &TLapEnv::HeaderVisible,   0, 0, true},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        w.Grid.SetCol(2);
        w.Grid.SetRow(0);
        w.Grid.KeyPress("5");
        c.Run(w.C);
        EXPECT_EQ(w.Env.Env.*c.Option, c.First);
        // Settled, a key starts a new edit; else it goes on with the old one.
        w.Grid.KeyPress("6");
        EXPECT_EQ(w.Grid.Cells(2, 0), c.Settles ? "6" : "56");
        c.Run(w.C);
        EXPECT_EQ(w.Env.Env.*c.Option, c.Second);
    }
}

// The edit commands and the undo captions that name what they recorded.
TEST(Commands, EditCommandsAndUndoCaptions) {
    Window w;
    EXPECT_EQ(w.C.MenuState().Undo, TUndoCaptions{});
    w.Type(2, 0, "1:00");
    w.C.CopyNowToBestClick();
    w.C.UndoClick();
    const TUndoCaptions c = w.C.MenuState().Undo;
    EXPECT_EQ(c.Undo, "Undo   (&U)\t(Cell Edit) ");
    EXPECT_EQ(c.Redo, "Redo   (&R)\t(Copy \"Now\" to \"Best\") ");
    EXPECT_EQ(w.Grid.Cells(2, 0), "0:01:00");
    // Clear Now on an empty Now column records nothing.
    w.C.ClearNowClick();
    w.C.ClearNowClick();
    EXPECT_EQ(w.Undo(), "Undo   (&U)\t(Clear \"Now\" Times)");
    w.C.UndoClick();
    EXPECT_EQ(w.Undo(), "Undo   (&U)\t(Cell Edit) ");

    w.Type(1, 0, "1:00");
    w.Grid.SetCol(1);
    w.Grid.SetRow(0);
    // Each step starts from the one before; Handled: the field took the action itself.
    using A = TEditAction;
    using F = TFocusField;
    // clang-format off
    const struct { const char* Name; A Action; F Field; bool ClipHasText, Handled; const char* Cell; } steps[] = {
        {"clear the selector's field", A::Clear, F::Selector, true,  true,  "0:01:00"},
        {"cut in the notes",           A::Cut,   F::Notes,    true,  true,  "0:01:00"},
        {"cut in the grid",            A::Cut,   F::Grid,     true,  false, ""},
        {"paste, clipboard empty",     A::Paste, F::Grid,     false, false, ""},
        {"paste",                      A::Paste, F::Grid,     true,  false, "0:01:00"},
        {"clear in the grid",          A::Clear, F::Grid,     true,  false, ""},
    };
    // clang-format on
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Name);
        w.C.SetClipHasText(s.ClipHasText);
        EXPECT_EQ(w.C.EditClick(s.Action, s.Field), s.Handled);
        EXPECT_EQ(w.Grid.Cells(1, 0), s.Cell);
    }
    EXPECT_EQ(w.Clip.Text, "0:01:00\r\n");
    EXPECT_EQ(w.Undo(), "Undo   (&U)\t(Del) ");

    // Rows: insert before the selection, delete it, append.
    w.C.SelAllCellClick();
    EXPECT_EQ(w.Grid.Selection(), (TRect{0, 0, 4, 19}));
    w.Grid.SetSelection(TRect{1, 2, 1, 4});
    w.C.InsertLineClick();
    EXPECT_EQ(w.Grid.RowCount(), 23);
    w.Grid.SetSelection(TRect{1, 2, 1, 4});
    w.C.DeleteLineClick();
    w.C.AddLineClick();
    EXPECT_EQ(w.Grid.RowCount(), 21);
    EXPECT_EQ(w.Undo(), "Undo   (&U)\t(Add Row) ");
    EXPECT_TRUE(w.C.DataChange());
}

TEST(Commands, StartProjectChoice) {
    ScratchDir dir;
    const std::string file = dir / "run.sgp";
    const std::string upper = dir / "RUN.SGP";
    const std::string last = dir / "last.sgp";
    // A path one byte longer than LastFile holds opens, but is not kept cut
    // at exit: that would name another file.
    const std::string base = dir / (std::string(200, 'd') + "/" + std::string(200, 'e') + "/");
    const std::string deep = base + std::string(512 - base.size() - 4, 'f') + ".sgp";
    const std::string fits = base + std::string(511 - base.size() - 4, 'f') + ".sgp";
    std::filesystem::create_directories(base);
    {
        Window w;
        for (const std::string& f : {file, upper, last, deep, fits})
            w.C.Project()->SaveToFile(f);
    }
    // Opened: "" for a new project; Kept: LastFile at exit.
    // clang-format off
    const struct { const char* Name; std::vector<std::string> Args; std::uint8_t Reopen; std::string LastFile, Opened, Kept; } cases[] = {
        {"one .sgp argument", {file}, 1, last, file, file},
        {"two arguments", {file, file}, 0, last, "", ""},
        {"capital extension, reopen", {upper}, 1, last, last, last},
        {"missing argument, reopen", {dir / "gone.sgp"}, 1, last, last, last},
        {"reopen, last file deleted", {}, 1, dir / "deleted.sgp", "", ""},
        {"reopen off", {}, 0, last, "", ""},
        {"path too long to keep", {deep}, 0, last, deep, ""},
        {"path that just fits", {fits}, 0, last, fits, fits},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w(false);
        w.Env.Env.ReopenLast = c.Reopen;
        w.Env.Env.LastFile.assign(c.LastFile);
        w.C.Start(c.Args);
        EXPECT_EQ(w.C.HasFileName(), !c.Opened.empty());
        EXPECT_EQ(w.C.OpenFileName(), c.Opened);
        EXPECT_FALSE(w.C.SheetChange() || w.C.DataChange());
        w.C.PrepareExit();
        EXPECT_EQ(w.Env.Env.LastFile.str(), c.Kept);
    }
}

// The Overview's session: type a run, save, undo back to the saved point,
// rename, add a sheet, delete the last sheets; the caption follows.
TEST(Commands, FlagsAndCaptionOverASession) {
    ScratchDir dir;
    Window w;
    w.Type(1, 0, "1:23");
    EXPECT_EQ(w.C.Caption(), "Segmark v1.7.0 Eng - My New Project*");

    // Save on a project without a file asks where, proposing its title.
    w.User.Files = {dir / "run.sgp"};
    w.C.OverWriteClick();
    ASSERT_EQ(w.User.Dialogs.size(), 1u);
    EXPECT_EQ(w.User.Dialogs[0].FileName, "My New Project");
    EXPECT_EQ(w.C.Caption(), "Segmark v1.7.0 Eng - run");
    EXPECT_FALSE(w.C.MenuState().Undo.UndoEnabled);
    const std::string saved = ReadWholeFile(dir / "run.sgp");

    // After Save As, Save writes to the chosen file silently.
    w.Type(2, 0, "1:20");
    w.C.OverWriteClick();
    EXPECT_EQ(w.User.Dialogs.size(), 1u);
    EXPECT_NE(ReadWholeFile(dir / "run.sgp"), saved);
    EXPECT_FALSE(w.C.DataChange());

    // Undo after a save has nothing to undo.
    w.C.UndoClick();
    EXPECT_EQ(w.Grid.Cells(2, 0), "0:01:20");

    // A rename survives an undo's recomputation of DataChange.
    w.Type(2, 1, "2:00");
    w.C.RenameSheet("Course A");
    w.C.UndoClick();
    EXPECT_FALSE(w.C.DataChange());
    EXPECT_TRUE(w.C.SheetChange());
    EXPECT_EQ(w.C.Caption(), "Segmark v1.7.0 Eng - run*");

    w.C.AddSheetClick();
    w.User.OkAnswers = {false};
    w.C.DeleteSheetClick();
    EXPECT_EQ(w.C.Project()->SheetCount(), 2);
    w.C.DeleteSheetClick();
    w.C.DeleteSheetClick();
    EXPECT_EQ(w.User.Asked.back(), "Delete Sheet: Delete the current sheet?");
    EXPECT_EQ(w.C.Project()->SheetCount(), 0);
    w.C.DeleteSheetClick();             // nothing left: no question
    EXPECT_EQ(w.User.Asked.size(), 4u); // the rename and three deletes
    w.C.AddSheetClick();
    EXPECT_TRUE(w.Grid.Enabled() && w.Selector.Enabled);
    EXPECT_EQ(w.Selector.Items, std::vector<std::string>{"New Sheet    1"});
}

TEST(Commands, RenameRules) {
    Window w;
    w.C.AddSheetClick(); // "New Sheet    2" on show
    // Shown: the field afterwards; Current: the sheet's name; Asked: the last question or message.
    const std::string one = "New Sheet    1", two = "New Sheet    2", other = "new sheet    1";
    // clang-format off
    const struct { const char* Name; std::string Typed; bool Confirm, Ok, Locked; std::string Shown, Current, Asked; } cases[] = {
        {"empty restores", "", true, true, false, two, two, ""},
        {"cancelled", "Stage", true, false, false, two, two, "Confirm : Change this sheet's name?"},
        {"duplicate", one, false, true, false, one, two, "Cnfm: A sheet already has that name."},
        {"locked", "Stage", false, true, true, "Stage", two, ""},
        {"other case accepted", other, false, true, false, other, other, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        w.User.Asked.clear();
        w.User.Messages.clear();
        w.Env.Env.ConfirmRename = c.Confirm;
        w.Env.Env.TitlesLocked = c.Locked;
        w.User.OkAnswers = {c.Ok};
        EXPECT_EQ(w.C.RenameSheet(c.Typed), c.Shown);
        EXPECT_EQ(w.Selector.Items[1], c.Current);
        EXPECT_EQ(w.C.Project()->CurrentSheet()->Name.str(), c.Current);
        const std::vector<std::string>& said =
            w.User.Messages.empty() ? w.User.Asked : w.User.Messages;
        EXPECT_EQ(said.empty() ? "" : said.back(), c.Asked);
        // A typed name not confirmed is dropped when the field is left.
        EXPECT_EQ(w.C.SelectorLeft("typed"), c.Current);
    }
}

TEST(Commands, SaveQuestionFailingSavesAndRefusedProjects) {
    ScratchDir dir;
    Window w;
    w.Type(1, 0, "1:00");

    w.User.Answers = {TAnswer::Cancel};
    w.C.NewProjectClick();
    EXPECT_EQ(w.User.Asked.back(), "Cnfm: Data has been edited. Save?");
    EXPECT_EQ(w.Grid.Cells(1, 0), "0:01:00");

    // Yes, then a save that cannot be written: the error names the file, and
    // the flags, the history and the project stay; New does not go ahead.
    w.User.Answers = {TAnswer::Yes};
    w.User.Files = {dir / "missing/run.sgp"};
    w.C.NewProjectClick();
    EXPECT_THAT(w.User.Errors, ::testing::ElementsAre(HasSubstr("missing/run.sgp")));
    EXPECT_TRUE(w.C.DataChange());
    EXPECT_FALSE(w.C.HasFileName());
    EXPECT_TRUE(w.C.MenuState().Undo.UndoEnabled);
    EXPECT_EQ(w.Grid.Cells(1, 0), "0:01:00");

    // Yes with a dismissed save dialog cancels too.
    w.User.Answers = {TAnswer::Yes};
    EXPECT_FALSE(w.C.CloseQuery());

    // A cell still being typed counts when the window closes.
    w.User.Answers = {TAnswer::Yes};
    w.User.Files = {dir / "run.sgp"};
    w.Grid.SetCol(2);
    w.Grid.SetRow(0);
    w.Grid.KeyPress("5");
    EXPECT_TRUE(w.C.CloseQuery());
    EXPECT_EQ(w.Grid.Cells(2, 0), "5");
    EXPECT_FALSE(w.C.DataChange() || w.C.SheetChange());

    w.Type(1, 1, "2:00");
    w.User.Answers = {TAnswer::No};
    w.C.NewProjectClick();
    EXPECT_EQ(w.Grid.Cells(1, 0), "");
    EXPECT_FALSE(w.C.HasFileName());
    EXPECT_EQ(w.C.Caption(), "Segmark v1.7.0 Eng - My New Project");

    // A project that cannot be opened leaves the open one as it was.
    SaveFileAtomically(dir / "bad.sgp", "\x05\x00\x00\x00garbage");
    w.Type(1, 0, "1:00");
    const std::string caption = w.C.Caption();
    const std::size_t asked = w.User.Asked.size();
    std::filesystem::create_directory(dir / "folder.sgp");
    for (const std::string& f : {dir / "bad.sgp", dir / "none.sgp", dir / "folder.sgp"}) {
        w.User.Answers = {TAnswer::No};
        w.User.Files = {f};
        w.C.OpenProjectClick();
        EXPECT_EQ(w.User.Errors.back().find("is a folder") != std::string::npos,
                  f == dir / "folder.sgp");
        EXPECT_EQ(w.C.Caption(), caption);
        EXPECT_EQ(w.Grid.Cells(1, 0), "0:01:00");
        EXPECT_EQ(w.Selector.Items.size(), 1u);
        EXPECT_TRUE(w.C.MenuState().Undo.UndoEnabled);
    }
    EXPECT_NE(w.User.Errors[1].find("bad.sgp"), std::string::npos);

    // Drops: only one ".sgp" file opens.
    EXPECT_FALSE(w.C.DropFiles({dir / "a.sgp", dir / "b.sgp"}));
    EXPECT_FALSE(w.C.DropFiles({dir / "a.txt"}));
    EXPECT_EQ(w.User.Asked.size(), asked + 3); // only the three Open questions so far
}

TEST(Commands, SheetTextExportAndImport) {
    ScratchDir dir;
    Window w;
    w.Type(0, 0, "Stage1");
    w.Type(1, 0, "1:00");
    w.Type(2, 0, "0:59");
    w.Grid.Columns[1].SetVisible(false); // hidden columns are written too
    w.User.Files = {dir / "sheet.txt"};
    w.C.SheetToFileClick();
    const std::string text = ReadWholeFile(dir / "sheet.txt");
    EXPECT_EQ(text.substr(0, 42), "Stage1\t0:01:00\t0:00:59\t-0:01\t- - -\r\n\t\t\t\t\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);

    const bool changed = w.C.SheetChange();
    w.User.Files = {dir / "missing.txt"};
    w.C.FileToSheetClick(); // no such file: nothing added, flags as they were
    EXPECT_EQ(w.C.Project()->SheetCount(), 1);
    EXPECT_EQ(w.C.SheetChange(), changed);
    w.User.Files = {dir / "sheet.txt"};
    w.C.FileToSheetClick();
    EXPECT_EQ(w.Selector.Items.back(), "sheet");
    EXPECT_TRUE(w.C.SheetChange());
    EXPECT_EQ(w.Grid.Cells(2, 0), "0:00:59");
    // Imported sheets are named after the file, converted when the name is UTF-8.
    EXPECT_EQ(SheetNameOfFile("/d/\xE5\x8C\xBA\xE9\x96\x93.txt"), "\x8B\xE6\x8A\xD4");
    EXPECT_EQ(SheetNameOfFile("/d/\xC0\x80.txt"), "\xC0\x80"); // overlong: not UTF-8
}

// Which dialog commands mark the sheets as changed.
TEST(Commands, DialogCommandsSetTheSheetFlag) {
    const auto customize = [](TLapCommands& C) { C.SheetConfigClick(0); };
    const auto makeDefault = [](TLapCommands& C) { C.CopyThisToDefClick(); };
    const auto sort = [](TLapCommands& C) { C.SheetSortClick(); };
    // clang-format off
    const struct { const char* Name; bool Answer, Moved; std::function<void(TLapCommands&)> Run; bool Changed; } cases[] = {
        {"customize OK", true, false, customize, true},
        {"customize cancelled", false, false, customize, false},
        {"defaults OK", true, false, [](TLapCommands& C) { C.SheetConfigClick(1); }, false},
        {"make default OK", true, false, makeDefault, true},
        {"make default cancelled", false, false, makeDefault, false},
        {"sort without a move", true, false, sort, false},
        {"sort with a move", true, true, sort, true},
        {"application settings", true, false, [](TLapCommands& C) { EXPECT_TRUE(C.AppSettingClick()); }, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        w.User.Answer = c.Answer;
        w.User.Moved = c.Moved;
        w.User.EditEnv = [](TLapEnv& E) { E.HeaderTexts[1].assign("Best"); };
        c.Run(w.C);
        EXPECT_EQ(w.C.SheetChange(), c.Changed);
        // The settings edited are the window's own, not a copy.
        if (c.Name == std::string("application settings"))
            EXPECT_EQ(w.Env.Env.HeaderTexts[1].str(), "Best");
    }
}

// DataChange follows the undo buffers of every sheet, not only the one on
// show. Each step starts from the one before.
TEST(Commands, DataChangeFollowsTheUndoBuffersOfEverySheet) {
    ScratchDir dir;
    Window w;
    w.User.Files = {dir / "run.sgp"};
    // clang-format off
    const struct { const char* Name; std::function<void(Window&)> Run; bool DataChange, SheetChange; } steps[] = {
        {"typed",                     [](Window& W) { W.Type(1, 0, "1:00"); },      true, false},
        {"saved",                     [](Window& W) { W.C.OverWriteClick(); },      false, false},
        {"row added",                 [](Window& W) { W.C.AddLineClick(); },        true, false},
        {"undone to the save",        [](Window& W) { W.C.UndoClick(); },           false, false},
        {"redone",                    [](Window& W) { W.C.RedoClick(); },           true, false},
        {"second sheet",              [](Window& W) { W.C.AddSheetClick(); },       true, true},
        {"typed there and undone",    [](Window& W) { W.Type(1, 0, "2:00"); W.C.UndoClick(); }, true, true},
        {"cut there",                 [](Window& W) { W.Grid.SetSelection(TRect{0, 0, 2, 1});
                                                      W.C.EditClick(TEditAction::Cut, TFocusField::Grid); }, true, true},
        {"first sheet undone",        [](Window& W) { W.C.SelectSheetClick(0); W.C.UndoClick(); }, true, true},
        {"second sheet undone",       [](Window& W) { W.C.SelectSheetClick(1); W.C.UndoClick(); }, false, true},
        {"row inserted",              [](Window& W) { W.C.InsertLineClick(); },     true, true},
        {"undone",                    [](Window& W) { W.C.UndoClick(); },           false, true},
        {"row deleted",               [](Window& W) { W.C.DeleteLineClick(); },     true, true},
        {"undone",                    [](Window& W) { W.C.UndoClick(); },           false, true},
        {"Now copied to Best",        [](Window& W) { W.Type(2, 0, "1:00"); W.C.UndoClick();
                                                      W.C.CopyNowToBestClick(); },  true, true},
        // Saving, and a new project, clear both flags and every buffer.
        {"saved again",               [](Window& W) { W.C.OverWriteClick(); },      false, false},
        {"third sheet",               [](Window& W) { W.C.AddSheetClick(); },       false, true},
        {"new project, not saved",    [](Window& W) { W.User.Answers = {TAnswer::No};
                                                      W.C.NewProjectClick(); },     false, false},
    };
    // clang-format on
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Name);
        s.Run(w);
        EXPECT_EQ(w.C.DataChange(), s.DataChange);
        EXPECT_EQ(w.C.SheetChange(), s.SheetChange);
        EXPECT_EQ(w.C.Caption().ends_with("*"), s.DataChange || s.SheetChange);
    }
}

// The View menu's check items and the title lock switch their option
// between 0 and 1 and change nothing of the document.
TEST(Commands, CheckItemsToggleTheirOption) {
    using Option = std::uint8_t TLapEnv::*;
    // clang-format off
    const struct { const char* Name; std::function<void(TLapCommands&)> Click; Option Field; } items[] = {
        {"ShowToolButton",   [](TLapCommands& C) { C.ShowToolButtonClick(); },   &TLapEnv::ShowToolButtons},
        {"CanNotResizeMove", [](TLapCommands& C) { C.CanNotResizeMoveClick(); }, &TLapEnv::SizeLocked},
        {"ShowMemo",         [](TLapCommands& C) { C.ShowMemoClick(); },         &TLapEnv::ShowNotes},
        {"TitleLock",        [](TLapCommands& C) { C.TitleLockClick(); },        &TLapEnv::TitlesLocked},
    };
    // clang-format on
    for (const auto& item : items) {
        for (const std::uint8_t start : {0, 1}) {
            SCOPED_TRACE(std::string(item.Name) + " from " + std::to_string(start));
            Window w;
            w.Env.Env.*item.Field = start;
            int refreshed = 0;
            w.C.OnChange = [&refreshed] { ++refreshed; };
            item.Click(w.C);
            EXPECT_EQ(w.Env.Env.*item.Field, 1 - start);
            EXPECT_EQ(w.C.MenuState().Checked.at(item.Name), start == 0); // the item's mark
            item.Click(w.C);
            EXPECT_EQ(w.Env.Env.*item.Field, start);
            EXPECT_EQ(refreshed, 2);
            // Options are the environment's, not the document's.
            EXPECT_FALSE(w.C.SheetChange() || w.C.DataChange());
        }
    }
}

// Sort needs a second sheet whatever the shown sheet holds.
TEST(Commands, SortNeedsTwoSheetsInEveryCase) {
    const auto hideColumns = [](Window& W) {
        for (int i = 0; i < 5; ++i)
            W.Grid.Columns[i].SetVisible(false);
    };
    // clang-format off
    const struct { const char* Name; std::function<void(Window&)> Setup; TMenuCase Case; } cases[] = {
        {"rows",              [](Window&) {},                           mcRows},
        {"no rows",           [](Window& W) { W.Grid.SetRowCount(0); }, mcNoRows},
        {"no visible column", hideColumns,                              mcRowsNoVisibleColumn},
    };
    // clang-format on
    for (const auto& c : cases) {
        for (const int sheets : {1, 2}) {
            SCOPED_TRACE(std::string(c.Name) + ", sheets: " + std::to_string(sheets));
            Window w;
            if (sheets == 2) w.C.AddSheetClick();
            c.Setup(w);
            ASSERT_EQ(MenuCaseOf(w.C.Project(), w.Grid), c.Case);
            EXPECT_EQ(w.Enabled("SheetSort"), sheets == 2);
        }
    }
}

// The Sheets menu's commands mark the sheets as changed when they changed
// them, and only then.
TEST(Commands, SheetCommandsSetTheSheetFlag) {
    // clang-format off
    const struct { const char* Name; bool Ok; std::function<void(TLapCommands&)> Run; int Sheets; bool Changed; } cases[] = {
        {"add",              true,  [](TLapCommands& C) { C.AddSheetClick(); },    2, true},
        {"copy",             true,  [](TLapCommands& C) { C.CopySheetClick(); },   2, true},
        {"delete",           true,  [](TLapCommands& C) { C.DeleteSheetClick(); }, 0, true},
        {"delete cancelled", false, [](TLapCommands& C) { C.DeleteSheetClick(); }, 1, false},
        {"select",           true,  [](TLapCommands& C) { C.SelectSheetClick(0); }, 1, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Window w;
        w.User.OkAnswers = {c.Ok};
        c.Run(w.C);
        EXPECT_EQ(w.C.Project()->SheetCount(), c.Sheets);
        EXPECT_EQ(w.C.SheetChange(), c.Changed);
        EXPECT_EQ(w.C.Caption().ends_with("*"), c.Changed);
    }
}
