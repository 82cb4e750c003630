// The project's sheet list: creation, generated names, copy, delete, select,
// move, saving and opening, with the per-sheet lists kept aligned.
#include "project_fakes.h"

#include "model/project_file.h"

#include <functional>

const std::string NS = "New Sheet    "; // four spaces

TEST(ProjectCreate, NewProjectHasOneDefaultSheetAndItsTitle) {
    for (const std::string& file : {std::string(), std::string("/nonexistent/run.sgp")}) {
        SCOPED_TRACE(file);
        ProjectRig r;
        r.Project = TLaptimeProject::Create(file, r.Grid, r.Selector, r.Host);
        ExpectAligned(r);
        EXPECT_EQ(r.Selector.Items, std::vector<std::string>{NS + "1"});
        EXPECT_EQ(r.Host.Title, "Segmark v1.7.0 Eng - My New Project");
        EXPECT_EQ(r.Grid.Col(), 0);
    }
    // A hidden first column puts the cursor in column 1, on every new sheet.
    ProjectRig r;
    r.Host.Defaults.ColVisible[0] = 0;
    r.New();
    EXPECT_EQ(r.Grid.Col(), 1);
    r.P().AddNewSheet();
    EXPECT_EQ(r.Grid.Col(), 1);
    r.P().CopyCurrentSheet();
    EXPECT_EQ(r.Grid.Col(), 1);
}

TEST(ProjectNaming, NewAndCopyNumbersAreOneAboveTheHighestInUse) {
    // Shift-JIS characters whose trail byte is \ [ ] ^ |.
    const std::string hyo = "\x95\x5C", odd = "\x83\x5B\x83\x5D\x83\x5E\x83\x7C";
    enum How { New, Copy, Clip };
    // A copy is made of the last sheet; no expected name: refused.
    // clang-format off
    const struct { const char* what; How how; std::vector<std::string> names; std::string expected; } cases[] = {
        {"another name does not count", New, {NS + "1", "Intro"}, NS + "2"},
        {"highest, not lowest free", New, {NS + "1", NS + "3"}, NS + "4"},
        {"one space is not generated", New, {"New Sheet 5"}, NS + "1"},
        {"leading zeros", New, {NS + "007"}, NS + "8"},
        {"line break before the end", Clip, {NS + "9\n"}, NS + "1"},
        {"up to the last number", New, {NS + "2147483646"}, NS + "2147483647"},
        {"new sheet past 32 bits", New, {NS + "2147483647"}, ""},
        {"huge number", New, {NS + "99999999999"}, ""},
        {"clipboard sheet past 32 bits", Clip, {NS + "2147483647"}, ""},
        {"copy past 32 bits", Copy, {"Lap (2147483647)", "Lap"}, ""},
        {"copy: highest in use", Copy, {"Lap (1)", "Lap (4)", "Lap"}, "Lap (5)"},
        {"copy of a copy", Copy, {"Lap (2)"}, "Lap (2) (1)"},
        {"dot is literal", Copy, {"axb (3)", "a.b"}, "a.b (1)"},
        {"brackets", Copy, {"[x]+(y) (6)", "[x]+(y)"}, "[x]+(y) (7)"},
        {"backslash", Copy, {"\\100 (1)", "\\100"}, "\\100 (2)"},
        {"trail byte backslash", Copy, {hyo + " (2)", hyo}, hyo + " (3)"},
        {"trail bytes [ ] ^ |", Copy, {odd + " (8)", "Q (50)", odd}, odd + " (9)"},
        {"other Japanese name does not count", Copy, {"\x94\x5C (4)", hyo}, hyo + " (1)"},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r(c.names);
        r.Host.HasClipboardText = true;
        r.Host.Clipboard = "a\t1:00\t1:00\r\n";
        const int last = static_cast<int>(c.names.size()) - 1;
        if (c.how == Copy && last > 0) ASSERT_TRUE(r.P().SelectSheet(last, true));
        const auto before = r.Selector.Items;
        auto add = [&] {
            c.how == New    ? r.P().AddNewSheet()
            : c.how == Copy ? r.P().CopyCurrentSheet()
                            : (void)r.P().AddSheetFromClipboard();
        };
        if (c.expected.empty()) { // refused before anything changes
            EXPECT_THROW(add(), ESheetNumberError);
            EXPECT_EQ(r.Selector.Items, before);
            EXPECT_EQ(r.P().CurrentIndex, c.how == Copy ? last : 0);
        } else {
            add();
            EXPECT_EQ(r.P().Sheets.back().Name.str(), c.expected);
            EXPECT_EQ(r.P().CurrentIndex, last + 1);
        }
        ExpectAligned(r);
    }
}

TEST(ProjectSheets, CopyTakesTheGridRowsWithFreshResultsAndHistory) {
    ProjectRig r({"Run"});
    r.Grid.SetCells(0, 0, "Stage");
    r.Grid.SetCells(2, 0, "1:00");
    r.Grid.CurrentFormats()->Items(0) = tfPlus;
    r.Evaluated.clear();
    r.P().CopyCurrentSheet();
    ExpectAligned(r);
    EXPECT_EQ(r.P().Sheets[1].Texts[2], "1:00\r\n");
    EXPECT_EQ(r.P().Sheets[0].Texts[0], "Stage\r\n"); // the source was stored first
    EXPECT_EQ(r.Grid.TimeFormatLists().Items(1).Entries, std::vector<TTimeFormat>(1, tfNone));
    EXPECT_EQ(r.Grid.UndoList().Items(1).Count(), 0);
    EXPECT_TRUE(r.Evaluated.empty()); // not reloaded

    r.WithSheets({}); // without sheets there is nothing to copy
    r.P().CopyCurrentSheet();
    EXPECT_EQ(r.P().SheetCount(), 0);
    ExpectAligned(r);
}

TEST(ProjectSheets, DeleteShowsTheFollowingSheetDownToNoSheets) {
    ProjectRig r({"A", "B", "C", "D", "E", "F"}); // 1 to 6 rows
    r.Grid.SetCells(1, 0, "typed");
    r.P().DeleteSheet(5); // a later sheet: the grid is left as it is
    EXPECT_EQ(r.Grid.CellText(1, 0), "typed");
    ASSERT_TRUE(r.P().SelectSheet(4, true));
    r.P().DeleteSheet(0); // another sheet: the shown one stays
    ExpectAligned(r);
    EXPECT_EQ(r.P().CurrentSheet()->Name.str(), "E");
    r.P().DeleteSheet(7); // out of range: nothing
    r.P().DeleteSheet(3); // the last sheet on show: the new last one follows
    ExpectAligned(r);
    EXPECT_EQ(r.Grid.CellText(0, 0), "s3");
    ASSERT_TRUE(r.P().SelectSheet(1, true));
    r.Evaluated.clear();
    r.P().DeleteSheet(1); // the middle sheet on show: the next follows
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{"B", "D"}));
    EXPECT_EQ(r.Grid.CellText(0, 0), "s3");
    EXPECT_EQ(r.Evaluated, (std::vector<int>{0, 1, 2, 3}));
    r.P().DeleteSheet(0);
    r.P().DeleteSheet(0); // the only sheet: the no-sheets state
    ExpectAligned(r);
    EXPECT_EQ(r.Grid.RowCount(), 0);
    EXPECT_EQ(r.Grid.Col(), -1);
    EXPECT_FALSE(r.Grid.Enabled());
    EXPECT_FALSE(r.Selector.Enabled);
    EXPECT_EQ(r.Selector.Text, project_text::NoSheets);
    r.P().DeleteSheet(0); // nothing left to delete
    ExpectAligned(r);

    r.Grid.SetEnabled(true); // the command enables them
    r.P().AddNewSheet();
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, std::vector<std::string>{NS + "1"});
}

TEST(ProjectSheets, SelectStoresTheGridAndRestoresPositions) {
    ProjectRig r({"A", "B", "C"});
    EXPECT_FALSE(r.P().SelectSheet(0, true)); // already on show
    EXPECT_FALSE(r.P().SelectSheet(3, true));

    r.Grid.SetRowCount(5);
    r.Grid.SetCells(1, 3, "x");
    r.Grid.Columns[0].Strings() = {"A", "", ""}; // column lists are stored as they are
    r.Grid.Columns[2].SetWidth(99);
    r.Grid.SetCol(1);
    r.Grid.SetRow(3);
    r.Evaluated.clear();
    ASSERT_TRUE(r.P().SelectSheet(2, true));
    ExpectAligned(r);
    EXPECT_EQ(r.P().Sheets[0].RowCount, 5);
    EXPECT_EQ(r.P().Sheets[0].ColWidth[2], 99);
    EXPECT_EQ(r.P().Sheets[0].Texts[0], "A\r\n\r\n\r\n");
    EXPECT_EQ(r.P().Sheets[0].Texts[1], "\r\n\r\n\r\nx\r\n");
    EXPECT_EQ(r.Evaluated, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(r.Grid.Row(), 0);

    ASSERT_TRUE(r.P().SelectSheet(0, true));
    EXPECT_EQ(r.Grid.Col(), 1);
    EXPECT_EQ(r.Grid.Row(), 3);
    EXPECT_EQ(r.Grid.CellText(1, 3), "x");

    // A stored cell below the rows of its sheet is brought inside the grid.
    r.P().Positions[1] = TSheetPosition{4, 50, 0, 0};
    ASSERT_TRUE(r.P().SelectSheet(1, true));
    EXPECT_EQ(r.Grid.Col(), 4);
    EXPECT_EQ(r.Grid.Row(), 1);
}

TEST(ProjectSheets, EachSheetKeepsItsHistoryThroughSheetOperations) {
    struct Case {
        const char* name;
        std::function<void(TLaptimeProject&)> op;
        bool moves; // the selector is the sort command's to rebuild
    };
    const Case cases[] = {
        {"move the first sheet last", [](TLaptimeProject& p) { p.MoveSheet(0, 2); }, true},
        {"move the last sheet first", [](TLaptimeProject& p) { p.MoveSheet(2, 0); }, true},
        {"move the middle sheet first", [](TLaptimeProject& p) { p.MoveSheet(1, 0); }, true},
        {"delete the shown sheet", [](TLaptimeProject& p) { p.DeleteSheet(p.CurrentIndex); }, false},
        {"delete a sheet before the shown one", [](TLaptimeProject& p) { p.DeleteSheet(0); }, false},
        {"delete the middle sheet", [](TLaptimeProject& p) { p.DeleteSheet(1); }, false},
        {"add a new sheet", [](TLaptimeProject& p) { p.AddNewSheet(); }, false},
        {"copy the shown sheet", [](TLaptimeProject& p) { p.CopyCurrentSheet(); }, false},
        {"import a sheet", [](TLaptimeProject& p) { p.AddSheetFromClipboard(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProjectRig r({"a", "b", "c"});
        r.Host.HasClipboardText = true;
        r.Host.Clipboard = "x\t1:00\r\n";
        // Sheet i gets one edit, "e" and its name in the last of its i + 1 rows.
        for (int i = 0; i < 3; ++i) {
            r.P().SelectSheet(i, true);
            r.Grid.SetCol(1);
            r.Grid.SetRow(i);
            r.Grid.OpenEditRecord(btEdit);
            r.Grid.WriteCell(1, i, true, "e" + r.P().Sheets[static_cast<std::size_t>(i)].Name.str());
            r.Grid.CommitEdit();
        }
        c.op(r.P());
        if (!c.moves) ExpectAligned(r);
        int other = -1; // an edited sheet not on show
        for (int j = 0; j < r.P().SheetCount(); ++j) {
            const std::string name = r.P().Sheets[static_cast<std::size_t>(j)].Name.str();
            const TUndoBufferList& undo = r.Grid.UndoList().Items(j);
            if (name.size() != 1) {
                EXPECT_EQ(undo.Count(), 0) << name; // a new sheet starts without history
                continue;
            }
            ASSERT_EQ(undo.Count(), 1) << name;
            EXPECT_EQ(undo.Items(0).NewTexts[1], std::vector<std::string>{"e" + name});
            if (other < 0 && j != r.P().CurrentIndex) other = j;
        }
        // Undo on another sheet takes back that sheet's own edit.
        ASSERT_GE(other, 0);
        r.P().SelectSheet(other, true);
        ASSERT_NE(r.Grid.CurrentUndo(), nullptr);
        r.Grid.CurrentUndo()->Undo();
        for (int row = 0; row < r.Grid.RowCount(); ++row)
            EXPECT_EQ(r.Grid.Cells(1, row), "") << row;
    }
}

TEST(ProjectFiles, SaveAndOpenKeepSheetsNamesSettingsAndTexts) {
    ScratchDir dir;
    const std::string file = dir / "run.2024.sgp";
    {
        ProjectRig r;
        r.New();
        r.Grid.SetCells(0, 0, "A");
        r.Grid.SetCells(0, 1, "B");
        r.P().AddNewSheet();
        r.P().RenameCurrentSheet("\x95\x5C");
        r.P().Sheets[1].TimeFormat = 6;
        r.Grid.SetCells(2, 2, "1:00");
        r.P().SaveToFile(file);
    }
    ProjectRig r;
    r.Project = TLaptimeProject::Create(file, r.Grid, r.Selector, r.Host);
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{NS + "1", "\x95\x5C"}));
    EXPECT_EQ(r.P().Sheets[1].TimeFormat, 6);
    EXPECT_EQ(r.P().Sheets[1].Texts[2], "\r\n\r\n1:00\r\n");
    EXPECT_EQ(r.Grid.CellText(0, 1), "B");
    EXPECT_EQ(r.Host.Title, "Segmark v1.7.0 Eng - run");
    EXPECT_TRUE(r.Evaluated.empty()); // the window evaluates after opening

    // No sheets: four zero bytes, and the file opens as no sheets.
    r.P().DeleteSheet(0);
    r.P().DeleteSheet(0);
    r.P().SaveToFile(dir / "empty.sgp");
    EXPECT_EQ(ReadWholeFile(dir / "empty.sgp"), std::string(4, '\0'));
    ProjectRig o;
    o.Project = TLaptimeProject::Create(dir / "empty.sgp", o.Grid, o.Selector, o.Host);
    ExpectAligned(o);
    EXPECT_EQ(o.Host.Title, "Segmark v1.7.0 Eng - empty");
    EXPECT_FALSE(o.Grid.Enabled());
}

// A small file whose sheets all claim the most rows opens, and only the
// sheet on show takes memory per row.
TEST(ProjectFiles, SheetsNotOnShowHoldNoRows) {
    ScratchDir dir;
    TLaptimeSheet s = DefaultSheetSettings();
    s.RowCount = MaxSheetRows;
    SaveProjectFile(dir / "tall.sgp", std::vector<TLaptimeSheet>(1000, s));
    ProjectRig r;
    r.Project = TLaptimeProject::Create(dir / "tall.sgp", r.Grid, r.Selector, r.Host);
    EXPECT_EQ(r.Grid.RowCount(), MaxSheetRows);
    ExpectAligned(r);
    ASSERT_TRUE(r.P().SelectSheet(999, true));
    EXPECT_EQ(r.Evaluated.size(), std::size_t(MaxSheetRows));
    ExpectAligned(r);
}
