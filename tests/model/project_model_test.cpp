// The project's sheet list: creation, generated names, copy, delete, select,
// move and the no-sheets state, with the per-sheet lists kept aligned.
#include "project_fakes.h"

#include "model/file_io.h"
#include "model/project_file.h"

#include <fstream>

namespace {

const std::string NS = "New Sheet    "; // four spaces

std::string GridColumn(TLapGrid& G, int Col) {
    std::string s;
    for (const std::string& t : G.Columns[Col].Strings())
        s += t + "|";
    return s;
}

TEST(ProjectCreate, NewProjectHasOneDefaultSheetAndItsTitle) {
    for (const std::string& file : {std::string(), std::string("/nonexistent/run.sgp")}) {
        ProjectRig r;
        r.Project = TLaptimeProject::Create(file, r.Grid, r.Selector, r.Host);
        SCOPED_TRACE(file);
        ASSERT_EQ(r.P().SheetCount(), 1);
        EXPECT_EQ(r.P().Sheets[0].Name.str(), NS + "1");
        EXPECT_EQ(r.P().Title, "My New Project");
        EXPECT_EQ(r.Host.Title, "Segmark v1.7.0 Eng - My New Project");
        EXPECT_EQ(r.Grid.RowCount(), 20);
        EXPECT_EQ(r.Grid.Columns[4].Width(), 74);
        EXPECT_EQ(r.Grid.TimeFormatLists.Items(0).Entries, std::vector<TTimeFormat>(20, tfNone));
        EXPECT_EQ(r.Grid.Col(), 0);
        EXPECT_EQ(r.Grid.Row(), 0);
        ExpectAligned(r);
    }
}

TEST(ProjectNaming, NextNewSheetNumberIsOneAboveTheHighestInUse) {
    struct Case {
        const char* what;
        std::vector<std::string> names;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"another name does not count", {NS + "1", "Intro"}, NS + "2"},
        {"highest, not lowest free", {NS + "1", NS + "3"}, NS + "4"},
        {"one space is not generated", {"New Sheet 5"}, NS + "1"},
        {"letter after digits", {NS + "5x"}, NS + "1"},
        {"leading zeros", {NS + "007"}, NS + "8"},
        {"line break before the end", {NS + "9\n"}, NS + "1"},
        {"Japanese names", {"\x95\x5C", "\x83\x56\x81\x5B\x83\x67 2"}, NS + "1"},
        {"up to the last number", {NS + "2147483646"}, NS + "2147483647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r;
        r.WithSheets(c.names);
        r.P().AddNewSheet();
        EXPECT_EQ(r.P().Sheets.back().Name.str(), c.expected);
        EXPECT_EQ(r.P().CurrentIndex, static_cast<int>(c.names.size()));
        ExpectAligned(r);
    }
}

TEST(ProjectNaming, NumberBeyondThe32BitRangeIsRefusedBeforeAnythingChanges) {
    struct Case {
        const char* what;
        std::vector<std::string> names;
        bool copy;
    };
    const std::vector<Case> cases = {
        {"new sheet after the last number", {NS + "2147483647"}, false},
        {"new sheet after a huge number", {NS + "99999999999"}, false},
        {"copy after the last number", {"Lap", "Lap (2147483647)"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r;
        r.WithSheets(c.names);
        const auto before = r.Selector.Items;
        EXPECT_THROW(c.copy ? r.P().CopyCurrentSheet() : r.P().AddNewSheet(), ESheetNumberError);
        EXPECT_EQ(r.Selector.Items, before);
        EXPECT_EQ(r.P().SheetCount(), static_cast<int>(c.names.size()));
        EXPECT_EQ(r.P().CurrentIndex, 0);
        ExpectAligned(r);
        // Still usable afterwards.
        r.P().SelectSheet(static_cast<int>(c.names.size()) - 1, true);
        ExpectAligned(r);
    }

    ProjectRig r;
    r.WithSheets({NS + "2147483647"});
    r.Host.HasClipboardText = true;
    r.Host.Clipboard = "a\t1:00\t1:00\r\n";
    EXPECT_THROW(r.P().AddSheetFromClipboard(), ESheetNumberError);
    EXPECT_EQ(r.P().SheetCount(), 1);
    ExpectAligned(r);
}

TEST(ProjectNaming, CopyNamesMatchTheSourceNameLiterally) {
    // Shift-JIS characters whose trail byte is \ [ ] ^ |.
    const std::string hyo = "\x95\x5C", ze = "\x83\x5B", zo = "\x83\x5D", ta = "\x83\x5E",
                      po = "\x83\x7C";
    struct Case {
        const char* what;
        std::string source;
        std::vector<std::string> others;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"highest in use", "Lap", {"Lap (1)", "Lap (4)"}, "Lap (5)"},
        {"copy of a copy", "Lap (2)", {}, "Lap (2) (1)"},
        {"dot is literal", "a.b", {"axb (3)"}, "a.b (1)"},
        {"dotted name counts on", "a.b", {"a.b (2)"}, "a.b (3)"},
        {"brackets", "[x]+(y)", {"[x]+(y) (6)"}, "[x]+(y) (7)"},
        {"braces", "x{2}", {"x{2} (1)", "xx (5)"}, "x{2} (2)"},
        {"yen sign", "\\100", {"\\100 (1)"}, "\\100 (2)"},
        {"slash", "a/b", {"a/b (1)"}, "a/b (2)"},
        {"trail byte backslash", hyo, {hyo + " (2)"}, hyo + " (3)"},
        {"trail bytes [ ] ^ |",
         ze + zo + ta + po,
         {ze + zo + ta + po + " (8)", "Q (50)"},
         ze + zo + ta + po + " (9)"},
        {"other Japanese name does not count", hyo, {"\x94\x5C (4)"}, hyo + " (1)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r;
        std::vector<std::string> names = c.others;
        names.push_back(c.source);
        r.WithSheets(names);
        const int src = static_cast<int>(names.size()) - 1;
        if (src > 0) {
            ASSERT_TRUE(r.P().SelectSheet(src, true));
        }
        r.P().CopyCurrentSheet();
        EXPECT_EQ(r.P().Sheets.back().Name.str(), c.expected);
        EXPECT_EQ(r.P().CurrentIndex, src + 1);
        ExpectAligned(r);
    }
}

TEST(ProjectNaming, EscapingKeepsTwoByteCharactersWhole) {
    EXPECT_EQ(EscapePatternText("a.b(c)"), "a\\.b\\(c\\)");
    EXPECT_EQ(EscapePatternText("\x95\x5C"), "\x95\x5C");
    EXPECT_EQ(EscapePatternText("\x83\x5B]"), "\x83\x5B\\]");
    EXPECT_EQ(CopyNamePattern("Lap"), "m/^Lap \\([\\d]+\\)$/sk");
}

TEST(ProjectSheets, CopyTakesTheGridRowsWithFreshResultsAndHistory) {
    ProjectRig r;
    r.WithSheets({"Run"});
    r.Grid.SetCells(0, 0, "Stage");
    r.Grid.SetCells(2, 0, "1:00");
    r.Grid.TimeFormatLists.Items(0).Items(0) = tfPlus;
    r.P().Sheets[0].TimeFormat = 5;
    r.Evaluated.clear();
    r.P().CopyCurrentSheet();
    ExpectAligned(r);
    const TLaptimeSheet& copy = r.P().Sheets[1];
    EXPECT_EQ(copy.Name.str(), "Run (1)");
    EXPECT_EQ(copy.TimeFormat, 5);
    EXPECT_EQ(copy.Texts[0], "Stage\r\n");
    EXPECT_EQ(copy.Texts[2], "1:00\r\n");
    EXPECT_EQ(r.P().Sheets[0].Texts[0], "Stage\r\n"); // the source was stored first
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(1).Entries, std::vector<TTimeFormat>(1, tfNone));
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(0).Items(0), tfPlus);
    EXPECT_EQ(r.Grid.UndoList.Items(1).Count(), 0);
    EXPECT_EQ(r.Grid.CellText(0, 0), "Stage"); // not reloaded
    EXPECT_TRUE(r.Evaluated.empty());

    // Without sheets there is nothing to copy.
    ProjectRig none;
    none.WithSheets({});
    none.P().CopyCurrentSheet();
    EXPECT_EQ(none.P().SheetCount(), 0);
    ExpectAligned(none);
}

TEST(ProjectSheets, DeleteShowsTheFollowingSheetAndKeepsListsAligned) {
    ProjectRig r;
    r.WithSheets({"A", "B", "C"}); // 1, 2 and 3 rows
    ASSERT_TRUE(r.P().SelectSheet(1, true));
    r.Evaluated.clear();
    r.P().DeleteSheet(1);
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(r.P().CurrentIndex, 1);
    EXPECT_EQ(GridColumn(r.Grid, 0), "s2|");
    EXPECT_EQ(r.Grid.RowCount(), 3);
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(0).Count(), 1);
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(1).Count(), 3);
    EXPECT_EQ(r.Evaluated, (std::vector<int>{0, 1, 2}));

    // The last sheet on show: the new last one follows.
    r.P().DeleteSheet(1);
    ExpectAligned(r);
    EXPECT_EQ(r.P().CurrentIndex, 0);
    EXPECT_EQ(GridColumn(r.Grid, 0), "s0|");

    // The only sheet: no sheets, then a new one brings the grid back.
    r.P().DeleteSheet(0);
    ExpectAligned(r);
    EXPECT_EQ(r.P().CurrentIndex, -1);
    EXPECT_EQ(r.Grid.RowCount(), 0);
    EXPECT_EQ(r.Grid.Col(), -1);
    EXPECT_FALSE(r.Grid.Enabled);
    EXPECT_FALSE(r.Selector.Enabled);
    EXPECT_EQ(r.Selector.Text, project_text::NoSheets);
    r.P().DeleteSheet(0); // nothing left to delete
    ExpectAligned(r);

    r.Grid.Enabled = true; // the command enables them
    r.P().AddNewSheet();
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, std::vector<std::string>{NS + "1"});
    EXPECT_EQ(r.Grid.RowCount(), 20);
    EXPECT_EQ(r.Grid.Row(), 0);
}

TEST(ProjectSheets, DeletingAnotherSheetKeepsTheShownOne) {
    ProjectRig r;
    r.WithSheets({"A", "B", "C"});
    ASSERT_TRUE(r.P().SelectSheet(2, true));
    r.P().DeleteSheet(0);
    ExpectAligned(r);
    EXPECT_EQ(r.P().CurrentIndex, 1);
    EXPECT_EQ(r.P().CurrentSheet()->Name.str(), "C");
    r.P().DeleteSheet(7); // out of range: nothing
    ExpectAligned(r);
    EXPECT_EQ(r.P().SheetCount(), 2);
}

TEST(ProjectSheets, SelectStoresTheGridAndRestoresPositions) {
    ProjectRig r;
    r.WithSheets({"A", "B", "C"});
    EXPECT_FALSE(r.P().SelectSheet(0, true)); // already on show
    EXPECT_FALSE(r.P().SelectSheet(3, true));
    EXPECT_FALSE(r.P().SelectSheet(-1, false));
    EXPECT_EQ(r.P().CurrentIndex, 0);

    r.Grid.SetRowCount(4);
    r.Grid.SetCells(1, 3, "x");
    r.Grid.Columns[2].SetWidth(99);
    r.Grid.SetCol(1);
    r.Grid.SetRow(3);
    r.Evaluated.clear();
    ASSERT_TRUE(r.P().SelectSheet(2, true));
    ExpectAligned(r);
    EXPECT_EQ(r.P().Sheets[0].RowCount, 4);
    EXPECT_EQ(r.P().Sheets[0].ColWidth[2], 99);
    EXPECT_EQ(r.P().Sheets[0].Texts[1], "\r\n\r\n\r\nx\r\n");
    EXPECT_EQ(r.Evaluated, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(r.Grid.Col(), 0);
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

TEST(ProjectSheets, StoreKeepsEachColumnListAsItIs) {
    ProjectRig r;
    r.WithSheets({"A"});
    r.Grid.ClearCells();
    r.Grid.SetRowCount(5);
    r.Grid.SetCells(0, 0, "A");
    r.Grid.Columns[0].Strings().resize(3);
    r.P().StoreGridToSheet();
    EXPECT_EQ(r.P().Sheets[0].Texts[0], "A\r\n\r\n\r\n");
    EXPECT_EQ(r.P().Sheets[0].Texts[1], "");
    EXPECT_EQ(r.P().Sheets[0].RowCount, 5);
}

TEST(ProjectSheets, HiddenFirstColumnPutsTheCursorInColumnOne) {
    ProjectRig r;
    r.Host.Defaults.ColVisible[0] = 0;
    r.New();
    EXPECT_EQ(r.Grid.Col(), 1);
    EXPECT_FALSE(r.Grid.Columns[0].Visible());
    r.P().AddNewSheet();
    EXPECT_EQ(r.Grid.Col(), 1);
    r.P().CopyCurrentSheet();
    EXPECT_EQ(r.Grid.Col(), 1);
}

TEST(ProjectSheets, MoveCarriesEveryPerSheetList) {
    ProjectRig r;
    r.WithSheets({"A", "B", "C", "D"}); // 1..4 rows
    r.P().Positions[0].Row = 10;
    r.P().MoveSheet(0, 2);
    EXPECT_EQ(r.P().Sheets[2].Name.str(), "A");
    EXPECT_EQ(r.P().Sheets[0].Name.str(), "B");
    EXPECT_EQ(r.P().Positions[2].Row, 10);
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(2).Count(), 1);
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(0).Count(), 2);
    r.P().MoveSheet(3, 0);
    EXPECT_EQ(r.P().Sheets[0].Name.str(), "D");
    EXPECT_EQ(r.Grid.TimeFormatLists.Items(0).Count(), 4);
    r.P().MoveSheet(1, 1);
    r.P().MoveSheet(0, 4);
    EXPECT_EQ(r.P().Sheets[0].Name.str(), "D");
    EXPECT_EQ(r.Grid.UndoList.Count(), 4);
}

TEST(ProjectSheets, RenameCutsToTheNameSlot) {
    ProjectRig r;
    r.New();
    r.P().RenameCurrentSheet(std::string(300, 'n'));
    EXPECT_EQ(r.P().Sheets[0].Name.str(), std::string(254, 'n'));
    // A two-byte character across the cut is dropped whole.
    r.P().RenameCurrentSheet(std::string(253, 'n') + "\x95\x5C");
    EXPECT_EQ(r.P().Sheets[0].Name.str(), std::string(253, 'n'));
}

TEST(ProjectFiles, SaveAndOpenKeepSheetsNamesSettingsAndTexts) {
    TempDir dir;
    const std::string file = dir.File("run.2024.sgp");
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
        EXPECT_EQ(r.P().Title, "run");
        EXPECT_EQ(r.Host.Title, "Segmark v1.7.0 Eng - run");
    }
    ProjectRig r;
    r.Project = TLaptimeProject::Create(file, r.Grid, r.Selector, r.Host);
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{NS + "1", "\x95\x5C"}));
    EXPECT_EQ(r.P().Sheets[0].Texts[0], "A\r\nB\r\n");
    EXPECT_EQ(r.P().Sheets[1].TimeFormat, 6);
    EXPECT_EQ(r.P().Sheets[1].Texts[2], "\r\n\r\n1:00\r\n");
    EXPECT_EQ(r.P().CurrentIndex, 0);
    EXPECT_EQ(GridColumn(r.Grid, 0), "A|B|");
    EXPECT_EQ(r.Host.Title, "Segmark v1.7.0 Eng - run");
    EXPECT_TRUE(r.Evaluated.empty()); // the window evaluates after opening
}

TEST(ProjectFiles, NoSheetsSavesAsFourZeroBytesAndReopensEmpty) {
    TempDir dir;
    const std::string file = dir.File("empty.sgp");
    ProjectRig r;
    r.New();
    r.P().DeleteSheet(0);
    r.P().SaveToFile(file);
    EXPECT_EQ(ReadWholeFile(file), std::string(4, '\0'));
    EXPECT_EQ(r.P().Title, "My New Project"); // unchanged without sheets

    ProjectRig o;
    o.Project = TLaptimeProject::Create(file, o.Grid, o.Selector, o.Host);
    ExpectAligned(o);
    EXPECT_EQ(o.P().Title, "empty");
    EXPECT_EQ(o.Host.Title, "Segmark v1.7.0 Eng - empty");
    EXPECT_FALSE(o.Grid.Enabled);
}

// The file image with sheet 0's RowCount replaced.
std::string WithRowCount(std::string Bytes, std::int32_t Rows) {
    for (int i = 0; i < 4; ++i)
        Bytes[4 + 593 + static_cast<std::size_t>(i)] =
            static_cast<char>((static_cast<std::uint32_t>(Rows) >> (8 * i)) & 0xFF);
    return Bytes;
}

TEST(ProjectFiles, DamagedFileLeavesTheOpenProjectAsItWas) {
    TempDir dir;
    const std::string good = dir.File("good.sgp");
    ProjectRig r;
    r.WithSheets({"A", "B"});
    r.P().SaveToFile(good);
    std::string bytes = ReadWholeFile(good);

    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"cut inside a record", bytes.substr(0, 300)},
        {"negative count", std::string("\xFF\xFF\xFF\xFF", 4)},
        {"count beyond the file", std::string("\x09\x00\x00\x00", 4)},
        {"three bytes", std::string("\x01\x00\x00", 3)},
        {"absurd row count", WithRowCount(bytes, 0x7FFFFFFF)},
        {"negative row count", WithRowCount(bytes, -5)},
    };
    ASSERT_TRUE(r.P().SelectSheet(1, true));
    r.Grid.SetCells(1, 0, "5:00");
    for (const auto& [what, content] : damaged) {
        SCOPED_TRACE(what);
        const std::string bad = dir.File("bad.sgp");
        std::ofstream(bad, std::ios::binary) << content;
        const auto items = r.Selector.Items;
        const int lists = r.Grid.TimeFormatLists.Count();
        EXPECT_THROW(r.Project = TLaptimeProject::Create(bad, r.Grid, r.Selector, r.Host),
                     EFileError);
        ASSERT_TRUE(r.Project);
        EXPECT_EQ(r.Selector.Items, items);
        EXPECT_EQ(r.Grid.TimeFormatLists.Count(), lists);
        EXPECT_EQ(r.Grid.CellText(1, 0), "5:00");
        ExpectAligned(r);
    }
    // And it goes on working.
    r.P().AddNewSheet();
    ExpectAligned(r);
}

} // namespace
