#include "edit_fixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Cells = std::vector<std::pair<int, int>>;

TEST(EditClipboard, CopyTextOfVisibleColumns) {
    struct Case {
        const char* name;
        TRect sel;
        int hidden;           // -1: none
        const char* expected; // nullptr: clipboard left as it was
    };
    const Case cases[] = {
        {"2x2 block with an empty cell", {1, 0, 2, 1}, -1, "P\tQ\r\nR\t\r\n"},
        {"hidden middle column", {0, 0, 2, 0}, 1, "T\tQ\r\n"},
        {"hidden first column", {0, 0, 1, 1}, 0, "\tP\r\n\tR\r\n"},
        {"one empty cell", {3, 0, 3, 0}, -1, nullptr},
        {"two empty cells", {3, 0, 4, 0}, -1, "\t\r\n"},
        {"only hidden columns", {1, 0, 1, 0}, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetGrid s(3);
        s.SetColumn(0, {"T"});
        s.SetColumn(1, {"P", "R"});
        s.SetColumn(2, {"Q"});
        if (c.hidden >= 0) s.G.Columns[c.hidden].SetVisible(false);
        s.Clip.SetText("before");
        s.Select(c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        s.G.CopyToClipboard();
        EXPECT_EQ(s.Clip.Text, c.expected ? c.expected : "before");
        EXPECT_EQ(s.Undo().Count(), 0);
    }
}

TEST(EditClipboard, PasteRepeatsBlockOverSelection) {
    struct Case {
        const char* name;
        const char* clip;
        TRect sel;
        int hidden;
        std::vector<Strings> columns; // columns 0 .. 4 afterwards
        TRect area;
    };
    const Case cases[] = {
        {"lines and short line repeat",
         "P\tQ\r\nR",
         {1, 0, 2, 2},
         -1,
         {{"", "", ""}, {"P", "R", "P"}, {"Q", "", "Q"}, {"", "", ""}, {"", "", ""}},
         {1, 0, 2, 2}},
        {"one field over four rows",
         "7\r\n",
         {2, 0, 2, 3},
         -1,
         {{"", "", "", ""},
          {"", "", "", ""},
          {"7", "7", "7", "7"},
          {"", "", "", ""},
          {"", "", "", ""}},
         {2, 0, 2, 3}},
        {"block into one cell",
         "A\tB\r\nC\tD\r\n",
         {1, 1, 1, 1},
         -1,
         {{"", "", ""}, {"", "A", ""}, {"", "", ""}, {"", "", ""}, {"", "", ""}},
         {1, 1, 1, 1}},
        {"columns 2 to 4, derived ones read-only",
         "A\tB\tC",
         {2, 0, 4, 1},
         -1,
         {{"", ""}, {"", ""}, {"A", "A"}, {"", ""}, {"", ""}},
         {2, 0, 2, 1}},
        {"hidden column takes no field",
         "A\tB",
         {0, 0, 2, 0},
         1,
         {{"A"}, {""}, {"B"}, {""}, {""}},
         {0, 0, 2, 0}},
        {"fields wrap to the right",
         "A\tB",
         {0, 0, 2, 0},
         -1,
         {{"A"}, {"B"}, {"A"}, {""}, {""}},
         {0, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetGrid s(static_cast<int>(c.columns[0].size()));
        if (c.hidden >= 0) s.G.Columns[c.hidden].SetVisible(false);
        s.Clip.SetText(c.clip);
        s.Select(c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        s.G.PasteFromClipboard();
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(s.Column(col), c.columns[col]) << col;
        ASSERT_EQ(s.Undo().Count(), 1);
        EXPECT_EQ(s.Undo().Items(0).Area, c.area);
        EXPECT_EQ(s.Changes, std::vector<TBufferType>{btPaste});
        EXPECT_FALSE(s.G.Updating);

        s.Undo().Undo();
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(s.Column(col), Strings(c.columns[0].size())) << col;
        s.Undo().Redo();
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(s.Column(col), c.columns[col]) << col;
    }
}

TEST(EditClipboard, PasteThatDoesNothing) {
    struct Case {
        const char* name;
        bool has;
        std::string clip;
        int col;
        bool changeFires;
    };
    const Case cases[] = {
        {"no text", false, "", 1, false},
        {"empty text", true, "", 1, false},
        {"lone CR LF", true, "\r\n", 1, false},
        {"text cut short by a zero byte", true, std::string("\0x", 2), 1, false},
        {"read-only cell", true, "5", 3, true},
        {"hidden cell", true, "5", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetGrid s(2);
        s.G.Columns[0].SetVisible(false);
        s.Clip.Has = c.has;
        s.Clip.Text = c.clip;
        s.Select(c.col, 0, c.col, 0);
        s.G.PasteFromClipboard();
        EXPECT_EQ(s.Undo().Count(), 0);
        EXPECT_EQ(s.Changes.size(), c.changeFires ? 1u : 0u);
        EXPECT_TRUE(s.Assigned.empty());
        EXPECT_EQ(s.G.Cells(c.col, 0), "");
    }
}

TEST(EditClipboard, CutKeepsReadOnlyAndHiddenTextsThroughRedo) {
    SheetGrid s(3);
    s.SetColumn(0, {"a0", "a1"});
    s.SetColumn(1, {"h0", "h1"});
    s.SetColumn(2, {"b0", "b1"});
    s.SetColumn(3, {"s0", "s1"});
    s.G.Columns[1].SetVisible(false);
    s.Select(0, 0, 3, 1);
    s.G.ClipboardPort = nullptr; // nowhere to put the texts: nothing is cut
    s.G.CutToClipboard();
    EXPECT_EQ(s.G.Cells(0, 0), "a0");
    EXPECT_EQ(s.Undo().Count(), 0);
    s.G.ClipboardPort = &s.Clip;
    s.G.OnCellChange = [&](int, int, TBufferType t) {
        s.Changes.push_back(t);
        EXPECT_EQ(s.G.Cells(0, 0), "a0"); // fired before any cell changes
    };
    s.G.CutToClipboard();
    EXPECT_EQ(s.Clip.Text, "a0\tb0\ts0\r\na1\tb1\ts1\r\n");
    EXPECT_EQ(s.Column(0), (Strings{"", "", ""}));
    EXPECT_EQ(s.Column(1), (Strings{"h0", "h1", ""}));
    EXPECT_EQ(s.Column(2), (Strings{"", "", ""}));
    EXPECT_EQ(s.Column(3), (Strings{"s0", "s1", ""}));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {2, 0}, {0, 1}, {2, 1}}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btCut});

    s.ClearLog();
    s.G.OnCellChange = nullptr;
    s.Undo().Undo();
    EXPECT_EQ(s.Column(0), (Strings{"a0", "a1", ""}));
    EXPECT_EQ(s.Column(2), (Strings{"b0", "b1", ""}));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {2, 0}, {0, 1}, {2, 1}}));
    s.ClearLog();
    s.Undo().Redo();
    EXPECT_EQ(s.Column(0), (Strings{"", "", ""}));
    EXPECT_EQ(s.Column(1), (Strings{"h0", "h1", ""}));
    EXPECT_EQ(s.Column(3), (Strings{"s0", "s1", ""}));
    EXPECT_EQ(s.Assigned.size(), 8u); // every cell of the area, derived columns too
}

TEST(EditClipboard, CutCarriesDerivedTextsAsTheyWereBeforeReevaluation) {
    // An evaluation, as the main window's, rewrites the split and interval
    // of a row whenever one of its time cells is assigned.
    SheetGrid s(2);
    s.SetColumn(1, {"1:00", "2:00"});
    s.SetColumn(2, {"0:59", "2:01"});
    s.SetColumn(3, {"-0:01", "+0:01"});
    s.SetColumn(4, {"- - -", "01:02"});
    s.G.OnCellAssignment = [&](int c, int r) {
        s.Assigned.emplace_back(c, r);
        EXPECT_EQ(s.Clip.Text, "\t1:00\t0:59\t-0:01\t- - -\r\n\t2:00\t2:01\t+0:01\t01:02\r\n");
        s.G.SetCells(3, r, "");
        s.G.SetCells(4, r, "");
    };
    s.Select(0, 0, 4, 1);
    s.G.CutToClipboard();
    EXPECT_EQ(s.Clip.Text, "\t1:00\t0:59\t-0:01\t- - -\r\n\t2:00\t2:01\t+0:01\t01:02\r\n");
    EXPECT_EQ(s.Undo().Items(0).OldTexts[3], (Strings{"-0:01", "+0:01"}));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}));
    EXPECT_FALSE(s.G.Updating);
}

TEST(EditClipboard, DeleteKeyClearsEverySelectedCell) {
    SheetGrid s(3);
    s.SetColumn(0, {"a0", "a1"});
    s.SetColumn(1, {"h0", "h1"});
    s.G.Columns[1].SetVisible(false);
    s.Select(0, 0, 1, 1);

    s.G.ReadOnly = true;
    s.G.DeleteSelection();
    s.G.ReadOnly = false;
    s.G.TypedText = "1";
    s.G.DeleteSelection();
    s.G.TypedText.clear();
    EXPECT_EQ(s.Undo().Count(), 0);
    EXPECT_TRUE(s.Changes.empty());

    s.G.DeleteSelection();
    EXPECT_EQ(s.Column(0), (Strings{"", "", ""}));
    EXPECT_EQ(s.Column(1), (Strings{"", "", ""}));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btDelete});
    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"h0", "h1", ""}));
    s.Undo().Redo();
    EXPECT_EQ(s.Column(0), (Strings{"", "", ""}));
    EXPECT_EQ(s.Column(1), (Strings{"", "", ""}));
}

} // namespace
