#include "app/fake_user_port.h"
#include "app/sheet_commands.h"
#include "model/project_fakes.h"

namespace {

// Every setting the dialog can change, set away from the defaults; the nine
// colours are 0x010101 to 0x090909 in the order ColoursOf lists them.
void ChangeEverySetting(TLaptimeSheet& s) {
    TColor* colours[] = {&s.FontColor,       &s.BackColor,       &s.HeaderColor,
                         &s.HeaderDarkColor, &s.HeaderFontColor, &s.BoxColor,
                         &s.CellColor,       &s.AlternateColor,  &s.GridColor};
    for (TColor i = 0; i < 9; ++i)
        *colours[i] = 0x010101 * (i + 1);
    s.FontName.assign("Courier");
    s.FontStyle = fsBold | fsItalic;
    s.FontSize = 15;
    s.ShowGrid = 0;
    s.GridStyle = 4;
    s.ColVisible = {0, 1, 0, 1, 1};
    s.ColWidth = {11, 22, 33, 44, 55};
    s.ColHorzAlign = {0, 2, 0, 2, 0};
    s.ColVertAlign = {2, 0, 2, 0, 2};
    s.DefRowHeight = 31;
    s.RowCount = 99;
    s.TimeFormat = 5;
}

std::vector<TColor> ColoursOf(const TLapGrid& g) {
    return {g.Font().Color,       g.Color(),    g.HeaderColor(),      g.HeaderDarkColor(),
            g.HeaderFont().Color, g.BoxColor(), g.Columns[0].Color(), g.AlternateColor(),
            g.GridColor()};
}

TEST(SheetCommands, CustomizePushesEverySettingButRowsAndTextsIntoTheGrid) {
    ProjectRig r({"a", "b", "c"});
    r.P().SelectSheet(2, true);
    for (int i = 0; i < 20; ++i)
        r.Grid.AddRow(false);
    r.Grid.Columns[1].SetWidth(123);
    r.Grid.SetCol(2);
    r.Grid.SetRow(22);
    r.Grid.SetScrollY(r.Grid.DefRowHeight() * 5);
    ASSERT_GT(r.Grid.ScrollY(), 0);
    FakeUserPort port;
    port.EditSheet = ChangeEverySetting;

    ASSERT_TRUE(CustomizeSheet(r.P(), port));
    // The dialog saw the grid's rows and widths, the name, and no texts.
    EXPECT_FALSE(port.GivenForDefaults);
    EXPECT_EQ(port.Given.RowCount, 23);
    EXPECT_EQ(port.Given.ColWidth[1], 123);
    EXPECT_EQ(port.Given.Name.str(), "c");
    EXPECT_EQ(port.Given.Texts[0], "");

    // The sheet takes every setting (row count and format too) and keeps
    // its texts.
    const TLaptimeSheet& s = r.P().Sheets[2];
    TLaptimeSheet settings, expected = port.Given;
    CopySheetSettings(&settings, &s, false);
    ChangeEverySetting(expected);
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(s.Texts[0], "s2\r\n");

    const TLapGrid& g = r.Grid;
    EXPECT_EQ(ColoursOf(g), (std::vector<TColor>{0x010101, 0x020202, 0x030303, 0x040404, 0x050505,
                                                 0x060606, 0x070707, 0x080808, 0x090909}));
    EXPECT_EQ(g.Font().Name, "Courier");
    EXPECT_EQ(g.Font().Style, fsBold | fsItalic);
    EXPECT_EQ(g.Font().Size, 15);
    EXPECT_FALSE(g.ShowGrid());
    EXPECT_EQ(g.GridStyle(), psDashDotDot);
    EXPECT_EQ(g.DefRowHeight(), 31);
    for (int i = 0; i < 5; ++i) {
        const auto u = std::size_t(i);
        const TLapColumn& c = g.Columns[i];
        EXPECT_EQ(c.Color(), 0x070707u) << i;
        EXPECT_EQ(c.Visible(), s.ColVisible[u] != 0) << i;
        EXPECT_EQ(c.Width(), s.ColWidth[u]) << i;
        EXPECT_EQ(c.HorzAlign(), s.ColHorzAlign[u]) << i;
        EXPECT_EQ(c.VertAlign(), s.ColVertAlign[u]) << i;
    }
    // Rows and texts are the sheet's as they were; column 0 is hidden.
    EXPECT_EQ(g.RowCount(), 23);
    EXPECT_EQ(g.Cells(0, 0), "s2");
    EXPECT_EQ(g.Col(), 1);
    EXPECT_EQ(g.Row(), 0);
    EXPECT_EQ(g.ScrollY(), 0);
    ExpectAligned(r);

    // Column 0 shown: the cursor goes there.
    port.EditSheet = [](TLaptimeSheet& t) { t.ColVisible[0] = 1; };
    ASSERT_TRUE(CustomizeSheet(r.P(), port));
    EXPECT_EQ(r.Grid.Col(), 0);

    // Cancel: neither the sheet's settings nor the grid change, though the
    // sheet took the grid's widths before the dialog opened.
    r.Grid.Columns[3].SetWidth(77);
    r.Grid.SetCol(2);
    port.Answer = false;
    port.EditSheet = [](TLaptimeSheet& t) { t.BackColor = 0x123456; };
    EXPECT_FALSE(CustomizeSheet(r.P(), port));
    EXPECT_EQ(s.BackColor, 0x020202u);
    EXPECT_EQ(s.ColWidth[3], 77);
    EXPECT_EQ(r.Grid.Color(), 0x020202u);
    EXPECT_EQ(r.Grid.Col(), 2);
}

// The defaults' dialog, Make Default and the application settings: nothing
// changes on Cancel, and sheet settings are taken without texts.
TEST(SheetCommands, SettingsDialogsChangeOnlyOnOk) {
    TLaptimeSheet defaults = DefaultSheetSettings();
    FakeUserPort port;
    port.EditSheet = [](TLaptimeSheet& s) {
        s.PlusColor = 0xABCDEF;
        s.Texts[1] = "not taken\r\n";
    };
    port.Answer = false;
    EXPECT_FALSE(EditDefaultSettings(defaults, port));
    EXPECT_EQ(defaults, DefaultSheetSettings());

    port.Answer = true;
    ASSERT_TRUE(EditDefaultSettings(defaults, port));
    EXPECT_TRUE(port.GivenForDefaults);
    EXPECT_EQ(port.GivenStored, DefaultSheetSettings()); // what Save would write
    EXPECT_EQ(defaults.PlusColor, 0xABCDEFu);
    EXPECT_EQ(defaults.Texts[1], "");

    // Make Default takes the sheet as last stored: widths dragged since are
    // not taken.
    ProjectRig r({"a", "b"});
    r.P().Sheets[0].BoxColor = 0x445566;
    r.Grid.Columns[2].SetWidth(140);
    defaults = DefaultSheetSettings();
    port.Answer = false;
    EXPECT_FALSE(MakeDefault(r.P(), defaults, port));
    EXPECT_EQ(defaults, DefaultSheetSettings());
    EXPECT_EQ(port.Asked,
              std::vector<std::string>{"Cnfm: Make this sheet's settings the new default?"});

    port.Answer = true;
    ASSERT_TRUE(MakeDefault(r.P(), defaults, port));
    EXPECT_EQ(defaults.BoxColor, 0x445566u);
    EXPECT_EQ(defaults.ColWidth[2], r.P().Sheets[0].ColWidth[2]);
    EXPECT_NE(defaults.ColWidth[2], 140);
    EXPECT_EQ(defaults.Texts[0], "");

    // The application settings, and the grid with them.
    TLapEnv env;
    port.EditEnv = [](TLapEnv& e) {
        for (std::size_t i = 0; i < e.HeaderTexts.size(); ++i)
            e.HeaderTexts[i].assign("T" + std::to_string(i));
        e.ColumnsResizable = 0;
        e.ScrollThreshold = 7;
        e.MaxUndoIndex = 5;
    };
    port.Answer = false;
    EXPECT_FALSE(EditApplicationSettings(env, r.Grid, port));
    EXPECT_EQ(env, TLapEnv{});
    EXPECT_TRUE(r.Grid.Columns[1].CanResize);

    port.Answer = true;
    ASSERT_TRUE(EditApplicationSettings(env, r.Grid, port));
    EXPECT_EQ(env.MaxUndoIndex, 5);
    EXPECT_EQ(r.Grid.VertScrollThreshold(), 7);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(r.Grid.Columns[i].Title(), "T" + std::to_string(i));
        EXPECT_FALSE(r.Grid.Columns[i].CanResize);
    }
}

TEST(SheetCommands, SortRefillsTheSelectorAndShowsTheSheetByName) {
    ProjectRig r({"a", "b", "c", "d", "e"});
    r.P().SelectSheet(1, true);
    r.Grid.SetCells(0, 0, "typed"); // reaches the sheet before the sort
    FakeUserPort port;
    port.Sort = [](TLaptimeProject& p) { p.MoveSheet(0, 3); };
    port.Moved = true;
    r.P().Positions[0].Row = 10; // each sheet's cursor moves with it

    EXPECT_TRUE(SortSheets(r.P(), port));
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{"b", "c", "d", "a", "e"}));
    EXPECT_EQ(r.P().CurrentIndex, 0);
    EXPECT_EQ(r.P().Positions[3].Row, 10);
    EXPECT_EQ(r.Grid.Cells(0, 0), "typed");
    ExpectAligned(r);

    // Nothing moved: false, and of two sheets with the shown name the first
    // one is shown.
    r.P().Sheets[2].Name.assign("a");
    r.P().SelectSheet(3, true);
    port.Sort = nullptr;
    port.Moved = false;
    EXPECT_FALSE(SortSheets(r.P(), port));
    EXPECT_EQ(r.P().CurrentIndex, 2);
    EXPECT_EQ(r.Grid.Cells(0, 0), "s3");
    ExpectAligned(r);
}

} // namespace
