#include "input_fixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// Opens the editor on a cell as the user does: click, then double click.
void OpenOn(InputGrid& s, int c, int r) {
    s.Click(c, r);
    s.G.DblClick(InputGrid::X(c), InputGrid::Y(r));
    s.Log.clear();
}

TEST(InputEditor, BoundsFollowTheCellAndItsAlignment) {
    struct Case {
        const char* name;
        THorzAlign h;
        TVertAlign v;
        int scrollY;
        TRect want;
    };
    // Cell (1, 2): content x 80, width 80, row top 36, row height 18; client
    // offset (20, 18). Left-aligned and centred: x 81 .. 158, 14 high, 2
    // below the row's top.
    const Case cases[] = {
        {"left, centre", haLeft, vaCenter, 0, {101, 56, 178, 70}},
        {"right is one pixel wider", haRight, vaCenter, 0, {101, 56, 179, 70}},
        {"centre", haCenter, vaCenter, 0, {101, 56, 178, 70}},
        {"top", haLeft, vaTop, 0, {101, 55, 178, 69}},
        {"bottom", haLeft, vaBottom, 0, {101, 57, 178, 71}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid s;
        s.G.Columns[1].SetHorzAlign(c.h);
        s.G.Columns[1].SetVertAlign(c.v);
        TFont f;
        f.Name = "Col font";
        f.Color = RGB(200, 0, 0);
        s.G.Columns[1].SetFont(f);
        s.G.SetCells(1, 2, "1:23.45");
        OpenOn(s, 1, 2);
        ASSERT_TRUE(s.Host.EditorShown);
        EXPECT_EQ(s.Host.EditorBounds, c.want);
        EXPECT_EQ(s.Host.EditorAlign, c.h);
        EXPECT_EQ(s.G.Inplace.Alignment, c.h);
        EXPECT_EQ(s.Host.EditorTextValue, "1:23.45");
        EXPECT_EQ(s.Host.EditorFont.Name, "Col font");
        EXPECT_EQ(s.Host.EditorFont.Color, RGB(0, 0, 0));
        EXPECT_EQ(s.Host.EditorBackground, 0xDDDDFFu);
        EXPECT_EQ(s.G.Inplace.EditCol, 1);
        EXPECT_EQ(s.G.Inplace.EditRow, 2);
    }
}

TEST(InputEditor, OpensScrolledIntoViewAndHidesTheCaret) {
    InputGrid s(30);
    s.Go(1, 0);
    s.Type("5");
    ASSERT_TRUE(s.G.CaretVisible);
    // Cell (1, 20) is below the view; a double click needs it current.
    s.G.KeyDown(VK_NEXT, 0);
    s.Type("6");
    s.G.DblClick(InputGrid::X(1), InputGrid::Y(29) - s.G.ScrollY);
    ASSERT_TRUE(s.Host.EditorShown);
    EXPECT_FALSE(s.G.CaretVisible);
    EXPECT_FALSE(s.Host.CaretShown);
    const TRect cell = s.G.ToClient(s.G.CellRect(1, 29));
    EXPECT_EQ(s.Host.EditorBounds.Left, cell.Left + 2);
    EXPECT_GE(s.Host.EditorBounds.Top, s.G.HeaderH);
    // The record opened by typing continues: still one for this cell.
    EXPECT_EQ(s.Undo().Items(0).OldTexts[1], Strings{""});
    EXPECT_EQ(s.Undo().Items(0).Area, (TRect{1, 29, 1, 29}));
}

TEST(InputEditor, EnterAndEscapeBothKeepTheEditedText) {
    for (int key : {VK_RETURN, VK_ESCAPE}) {
        SCOPED_TRACE(key);
        InputGrid s;
        s.G.SetCells(2, 3, "1:23.45");
        OpenOn(s, 2, 3);
        s.G.EditorChanged("1:23.4");
        EXPECT_EQ(s.Cell(2, 3), "1:23.4"); // written through at once
        s.G.EditorChanged("1:23.40");
        EXPECT_EQ(s.Cell(2, 3), "1:23.40");
        EXPECT_TRUE(s.Log.empty());

        EXPECT_TRUE(s.G.EditorKeyDown(key, 0));
        EXPECT_FALSE(s.Host.EditorShown);
        EXPECT_FALSE(s.G.EditorOpen);
        EXPECT_TRUE(s.Host.Focused);
        EXPECT_EQ(s.Log, (Strings{"changed 2,3 btEdit", "assigned 2,3"}));
        ASSERT_EQ(s.Undo().Count(), 1);
        EXPECT_EQ(s.Undo().Items(0).BufferType, btEdit);
        EXPECT_EQ(s.Undo().Items(0).OldTexts[2], Strings{"1:23.45"});
        EXPECT_EQ(s.Undo().Items(0).NewTexts[2], Strings{"1:23.40"});
        EXPECT_EQ(s.G.Col(), 2);
        EXPECT_EQ(s.G.Row(), 3);
    }
}

TEST(InputEditor, UnchangedCloseLeavesNoRecordButAssigns) {
    InputGrid s;
    s.G.SetCells(2, 3, "x");
    OpenOn(s, 2, 3);
    ASSERT_EQ(s.Undo().Count(), 1);
    s.G.EditorChanged("xy");
    s.G.EditorChanged("x");
    s.G.EditorKeyDown(VK_RETURN, 0);
    EXPECT_EQ(s.Undo().Count(), 0);
    EXPECT_EQ(s.Log, Strings{"assigned 2,3"});
}

TEST(InputEditor, OtherKeysBelongToTheEditBox) {
    InputGrid s;
    OpenOn(s, 1, 1);
    for (int key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DOWN, VK_TAB})
        EXPECT_FALSE(s.G.EditorKeyDown(key, 0));
    EXPECT_TRUE(s.Host.EditorShown);
    EXPECT_EQ(s.G.Row(), 1);

    int filtered = 0;
    s.G.OnFilterChar = [&](bool FromEditor, int c, int r, const std::string& Ch, bool& Allowed) {
        ++filtered;
        EXPECT_TRUE(FromEditor);
        EXPECT_EQ(c, 1);
        EXPECT_EQ(r, 1);
        Allowed = Ch >= "0" && Ch <= "9";
    };
    EXPECT_TRUE(s.G.EditorKeyPress("4"));
    EXPECT_FALSE(s.G.EditorKeyPress("a"));
    s.G.OnFilterChar = [](bool, int, int, const std::string&, bool& Allowed) { Allowed = false; };
    EXPECT_TRUE(s.G.EditorKeyPress("\b")); // Backspace is never dropped
    EXPECT_EQ(filtered, 2);
}

TEST(InputEditor, ReadOnlyCellsOnlyScroll) {
    {
        InputGrid s;
        OpenOn(s, 3, 1); // a read-only column
        EXPECT_FALSE(s.Host.EditorShown);
        EXPECT_FALSE(s.G.EditorOpen);
        EXPECT_EQ(s.Undo().Count(), 0);
    }
    {
        InputGrid s(30);
        s.G.ReadOnly = true;
        s.G.KeyDown(VK_NEXT, 0);
        s.G.SetScrollY(0);
        ASSERT_EQ(s.G.ScrollY, 0);
        s.G.OpenEditor();
        EXPECT_FALSE(s.Host.EditorShown);
        EXPECT_GT(s.G.ScrollY, 0);
        EXPECT_EQ(s.Undo().Count(), 0);
    }
    {
        // Text refused cell-side stays in the box; the record is discarded.
        InputGrid s;
        s.G.SetCells(1, 1, "a");
        s.G.OnCellChanging = [](int, int, bool& CanChange) { CanChange = false; };
        OpenOn(s, 1, 1);
        s.G.EditorChanged("b");
        EXPECT_EQ(s.Cell(1, 1), "a");
        s.G.EditorKeyDown(VK_ESCAPE, 0);
        EXPECT_EQ(s.Undo().Count(), 0);
        EXPECT_EQ(s.Log, Strings{"assigned 1,1"});
    }
}

TEST(InputEditor, ClickElsewhereClosesAndAssignsTheEditedCell) {
    InputGrid s;
    s.G.SetCells(1, 1, "a");
    OpenOn(s, 1, 1);
    s.G.EditorChanged("ab");
    s.Click(2, 4);
    EXPECT_EQ(s.Log, (Strings{"changed 1,1 btEdit", "assigned 1,1", "moved 2,4"}));
    EXPECT_FALSE(s.Host.EditorShown);
    EXPECT_FALSE(s.G.EditorOpen);
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    EXPECT_TRUE(s.Host.Focused);
}

TEST(InputEditor, ClickOnTheEditedCellSettlesButStaysOpen) {
    InputGrid s;
    OpenOn(s, 1, 1);
    s.G.EditorChanged("q");
    s.Click(1, 1);
    EXPECT_EQ(s.Log, (Strings{"changed 1,1 btEdit", "moved 1,1"}));
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    EXPECT_TRUE(s.G.EditorOpen);
    EXPECT_TRUE(s.Host.EditorShown);
    EXPECT_TRUE(s.Host.EditorFocused);
    EXPECT_FALSE(s.Host.Captured);
    // Further changes are written and recorded as the next step; Enter
    // settles and assigns.
    s.G.EditorChanged("qq");
    EXPECT_EQ(s.Cell(1, 1), "qq");
    s.G.EditorKeyDown(VK_RETURN, 0);
    EXPECT_EQ(s.Log.back(), "assigned 1,1");
    ASSERT_EQ(s.Undo().Count(), 2);
    EXPECT_EQ(s.Undo().Items(0).OldTexts[1], Strings{"q"});
    EXPECT_EQ(s.Undo().Items(0).NewTexts[1], Strings{"qq"});
    s.Undo().Undo();
    EXPECT_EQ(s.Cell(1, 1), "q");
    s.Undo().Redo();
    EXPECT_EQ(s.Cell(1, 1), "qq");
}

TEST(InputEditor, CommitHidesTheBoxButLeavesItOpenForTheNextClick) {
    InputGrid s;
    OpenOn(s, 2, 2);
    s.G.EditorChanged("7");
    s.G.CommitEdit();
    EXPECT_FALSE(s.Host.EditorShown);
    EXPECT_TRUE(s.G.EditorOpen);
    EXPECT_EQ(s.Log, (Strings{"changed 2,2 btEdit", "assigned 2,2"}));
    s.Log.clear();
    s.Click(0, 0);
    EXPECT_EQ(s.Log, (Strings{"assigned 2,2", "moved 0,0"}));
    EXPECT_FALSE(s.G.EditorOpen);
}

TEST(InputEditor, FocusMovingToTheEditorSettlesNothing) {
    InputGrid s;
    OpenOn(s, 1, 1);
    s.G.EditorChanged("5");
    s.Host.ClearRequests();
    s.G.FocusOut(true);
    EXPECT_NE(s.G.PendingEdit, nullptr);
    EXPECT_TRUE(s.Host.EditorShown);
    EXPECT_TRUE(s.Host.Invalidated.empty());
    EXPECT_TRUE(s.Log.empty());
}

TEST(InputEditor, MovesAndScrollsHideTheBox) {
    InputGrid s(30);
    OpenOn(s, 1, 1);
    s.G.VertScroll(scLineDown, 0);
    EXPECT_FALSE(s.Host.EditorShown);
    // The edit is still pending and settles when the user moves on.
    EXPECT_NE(s.G.PendingEdit, nullptr);
}

TEST(InputEditor, AnArrowKeyAfterAScrollSettlesTheHiddenEdit) {
    for (int key : {VK_DOWN, VK_RIGHT, VK_RETURN}) {
        SCOPED_TRACE(key);
        InputGrid s(30);
        s.G.SetCells(1, 1, "a");
        OpenOn(s, 1, 1);
        s.G.EditorChanged("ab");
        s.G.VertScroll(scLineDown, 0);
        s.G.FocusIn();
        s.Key(key);
        ASSERT_GE(s.Log.size(), 2u);
        EXPECT_EQ(s.Log[0], "assigned 1,1");
        EXPECT_EQ(s.Log[1], "changed 1,1 btEdit");
        EXPECT_EQ(s.G.PendingEdit, nullptr);
        EXPECT_FALSE(s.G.EditorOpen);
        // Typing in the next cell is an edit of that cell.
        const int c = s.G.Col(), r = s.G.Row();
        s.G.SetCells(c, r, "old");
        s.Type("9");
        s.Key(VK_UP);
        ASSERT_EQ(s.Undo().Count(), 2);
        EXPECT_EQ(s.Undo().Items(1).Area, (TRect{1, 1, 1, 1}));
        EXPECT_EQ(s.Undo().Items(1).NewTexts[1], Strings{"ab"});
        EXPECT_EQ(s.Undo().Items(0).Area, (TRect{c, r, c, r}));
        EXPECT_EQ(s.Undo().Items(0).OldTexts[static_cast<std::size_t>(c)], Strings{"old"});
    }
}

} // namespace
