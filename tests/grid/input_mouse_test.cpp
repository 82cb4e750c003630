#include "input_fixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(InputMouse, HitTestAreasAndCursors) {
    struct Case {
        const char* name;
        int x, y;
        int area;
        TGridCursor cursor;
        int resizeCol; // -2: not checked
    };
    // Columns end at client x 100, 180, 260, 340, 420; rows at y 18 + 18k.
    const Case cases[] = {
        {"corner", 5, 5, TLapGrid::htCorner, crCornerLeftTop, -2},
        {"gutter", 5, 30, TLapGrid::htGutter, crGutterRight, -2},
        {"gutter below the rows", 5, 199, TLapGrid::htNothing, crDefault, -2},
        {"header", 60, 5, TLapGrid::htHeader, crHeaderDown, -2},
        {"header right of the columns", 450, 5, TLapGrid::htNothing, crDefault, -2},
        {"cells", 60, 30, TLapGrid::htCells, crCellPlus, -2},
        {"right of the columns", 450, 30, TLapGrid::htNothing, crDefault, -2},
        {"on the header's bottom line", 60, 18, TLapGrid::htNothing, crDefault, -2},
        {"on the gutter's right line", 20, 30, TLapGrid::htNothing, crDefault, -2},
        {"border after column 0", 100, 5, TLapGrid::htBorder, crHSplit, 0},
        {"border, one pixel left", 99, 5, TLapGrid::htBorder, crHSplit, 0},
        {"border, two pixels left", 98, 5, TLapGrid::htHeader, crHeaderDown, -2},
        {"border on the header's bottom line", 181, 18, TLapGrid::htBorder, crHSplit, 1},
        {"border after the last column", 421, 5, TLapGrid::htBorder, crHSplit, 4},
        {"border line below the header", 100, 19, TLapGrid::htCells, crCellPlus, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InputGrid s;
        EXPECT_EQ(s.G.HitTest(c.x, c.y), c.area);
        s.G.MouseMove(0, c.x, c.y);
        EXPECT_EQ(s.Host.Cursor, c.cursor);
        EXPECT_EQ(s.G.Cursor(), c.cursor);
        if (c.resizeCol != -2) {
            EXPECT_EQ(s.G.ResizeCol, c.resizeCol);
        }
    }
}

TEST(InputMouse, BorderSearchRules) {
    InputGrid s;
    // A column that may not be resized shows the header cursor at its border.
    s.G.Columns[1].CanResize = false;
    EXPECT_EQ(s.G.HitTest(180, 5), TLapGrid::htHeader);
    EXPECT_EQ(s.G.ResizeCol, 1);
    // ResizeCol keeps its value once the pointer leaves the border.
    EXPECT_EQ(s.G.HitTest(60, 5), TLapGrid::htHeader);
    EXPECT_EQ(s.G.ResizeCol, 1);
    // A hidden column's border coincides with the one before: the first wins.
    s.G.Columns[1].CanResize = true;
    s.G.Columns[2].SetVisible(false);
    EXPECT_EQ(s.G.HitTest(180, 5), TLapGrid::htBorder);
    EXPECT_EQ(s.G.ResizeCol, 1);
    // With AutoColWidth there are no borders at all.
    s.G.SetAutoColWidth(true);
    s.G.ResizeCol = -1;
    for (int x = 21; x < 20 + s.G.ColsWidth; ++x)
        ASSERT_EQ(s.G.HitTest(x, 5), TLapGrid::htHeader) << x;
    EXPECT_EQ(s.G.ResizeCol, -1);
}

TEST(InputMouse, CellClicksAndBlockDrags) {
    InputGrid s;
    s.Go(0, 0);
    s.Press(InputGrid::X(1), InputGrid::Y(1));
    EXPECT_TRUE(s.Host.Captured);
    EXPECT_TRUE(s.Host.Focused);
    s.Drag(InputGrid::X(3), InputGrid::Y(3));
    s.Release(InputGrid::X(3), InputGrid::Y(3));
    EXPECT_FALSE(s.Host.Captured);
    EXPECT_EQ(s.Sel(), (TRect{1, 1, 3, 3}));
    EXPECT_EQ(s.G.Col(), 1);
    EXPECT_EQ(s.G.Row(), 1);
    EXPECT_EQ(s.G.FarCol, 3);
    EXPECT_EQ(s.G.FarRow, 3);
    EXPECT_EQ(s.Log, Strings{"moved 1,1"});

    // A move without the button, or without capture, only sets the cursor.
    s.G.MouseMove(0, InputGrid::X(0), InputGrid::Y(0));
    EXPECT_EQ(s.Sel(), (TRect{1, 1, 3, 3}));

    // A right click inside the block keeps it (context menu), uncaptured.
    s.Press(InputGrid::X(2), InputGrid::Y(2), mbRight);
    EXPECT_EQ(s.Sel(), (TRect{1, 1, 3, 3}));
    EXPECT_FALSE(s.Host.Captured);
    EXPECT_EQ(s.G.Col(), 1);

    // A left click selects just the clicked cell.
    s.Log.clear();
    s.Click(2, 2);
    EXPECT_EQ(s.Sel(), (TRect{2, 2, 2, 2}));
    EXPECT_EQ(s.Log, Strings{"moved 2,2"});
    // A right click on a single cell moves there.
    s.Click(0, 4, mbRight);
    EXPECT_EQ(s.Sel(), (TRect{0, 4, 0, 4}));

    // Dragging up and left of the start orders the corners.
    s.Press(InputGrid::X(3), InputGrid::Y(5));
    s.Drag(InputGrid::X(1), InputGrid::Y(2));
    EXPECT_EQ(s.Sel(), (TRect{1, 2, 3, 5}));
    EXPECT_EQ(s.G.Col(), 3);
    EXPECT_EQ(s.G.Row(), 5);
}

TEST(InputMouse, BlockDragBelowTheViewScrollsWithEachMove) {
    InputGrid s(30);
    s.Press(InputGrid::X(1), InputGrid::Y(0));
    // 10 whole rows (0 .. 9) fit in the 182 pixels below the header.
    s.Drag(InputGrid::X(1), 195);
    EXPECT_EQ(s.G.FarRow, 9);
    EXPECT_EQ(s.G.ScrollY, 0);
    s.Drag(InputGrid::X(1), 199); // row 10, partly visible
    EXPECT_EQ(s.G.FarRow, 10);
    EXPECT_EQ(s.G.ScrollY, 18); // row 10 is now the last whole row
    s.Drag(InputGrid::X(1), 199);
    EXPECT_EQ(s.G.FarRow, 11);
    EXPECT_EQ(s.G.ScrollY, 36);
    EXPECT_EQ(s.Sel(), (TRect{1, 0, 1, 11}));
}

TEST(InputMouse, GutterHeaderAndCornerSelections) {
    InputGrid s;
    int gutterRow = -1, headerCol = -1;
    s.G.OnGutterClick = [&](int r, TMouseButton b, TShiftState) {
        gutterRow = r;
        EXPECT_EQ(b, mbLeft);
    };
    s.G.OnHeaderClick = [&](int c, TMouseButton, TShiftState) { headerCol = c; };

    s.Press(5, InputGrid::Y(4));
    EXPECT_EQ(gutterRow, 4);
    EXPECT_EQ(s.Log, Strings{"moved 0,4"});
    s.Drag(5, InputGrid::Y(1));
    EXPECT_EQ(s.Sel(), (TRect{0, 1, 4, 4}));
    EXPECT_EQ(s.G.Row(), 4);
    EXPECT_EQ(s.G.FarRow, 1);
    // Dragging out of the rows keeps the last row reached.
    s.Drag(5, 5);
    EXPECT_EQ(s.Sel(), (TRect{0, 1, 4, 4}));
    s.Release(5, 5);

    s.Press(InputGrid::X(2), 5);
    EXPECT_EQ(headerCol, 2);
    s.Drag(InputGrid::X(0), 5);
    EXPECT_EQ(s.Sel(), (TRect{0, 0, 2, 9}));
    EXPECT_EQ(s.G.Col(), 2);
    EXPECT_EQ(s.G.Row(), 0);
    s.Release(InputGrid::X(0), 5);

    // Only the left button selects rows and columns.
    s.Log.clear();
    headerCol = -1;
    s.Press(InputGrid::X(4), 5, mbRight);
    EXPECT_EQ(headerCol, -1);
    EXPECT_EQ(s.Sel(), (TRect{0, 0, 2, 9}));

    s.Go(3, 3);
    s.Press(5, 5);
    EXPECT_EQ(s.Sel(), (TRect{0, 0, 4, 9}));
    EXPECT_EQ(s.G.Col(), 0);
    EXPECT_EQ(s.G.Row(), 0);
    EXPECT_EQ(s.Log, Strings{"moved 0,0"});
}

TEST(InputMouse, BorderDragWithoutFitToWidth) {
    InputGrid s;
    s.Press(100, 5); // right border of column 0
    EXPECT_EQ(s.G.ResizeLeft, 0);
    s.Drag(150, 5);
    EXPECT_EQ(s.G.Columns[0].Width(), 130);
    EXPECT_EQ(s.G.ColsWidth, 450);
    EXPECT_EQ(s.G.ColLeft(1), 130);
    // The cursor stays the split cursor for the whole drag.
    EXPECT_EQ(s.G.Cursor(), crHSplit);
    s.Drag(10, 80);
    EXPECT_EQ(s.G.Columns[0].Width(), 5);
    EXPECT_EQ(s.G.Columns[1].Width(), 80);
    s.Release(10, 80);

    // A scrolled view measures from the column's content position.
    InputGrid t(10, 300);
    t.G.SetScrollX(50);
    ASSERT_EQ(t.G.ScrollX, 50);
    t.Press(20 + 160 - 50, 5); // right border of column 1
    ASSERT_EQ(t.G.Cursor(), crHSplit);
    t.Drag(20 + 200 - 50, 5);
    EXPECT_EQ(t.G.Columns[1].Width(), 120);
}

TEST(InputMouse, BorderDragWithFitToWidthTradesWithTheNeighbour) {
    InputGrid s;
    s.G.SetFitToWidth(true);
    // 480 pixels shared by five columns.
    for (int c = 0; c < 5; ++c)
        ASSERT_EQ(s.G.Columns[c].Width(), 96);
    const int border = 20 + 2 * 96; // right border of column 1
    s.Press(border, 5);
    ASSERT_EQ(s.G.ResizeCol, 1);
    s.Drag(border + 30, 5);
    EXPECT_EQ(s.G.Columns[1].Width(), 126);
    EXPECT_EQ(s.G.Columns[2].Width(), 66);
    s.Drag(border + 300, 5);
    EXPECT_EQ(s.G.Columns[1].Width(), 187);
    EXPECT_EQ(s.G.Columns[2].Width(), 5);
    s.Drag(border - 150, 5);
    EXPECT_EQ(s.G.Columns[1].Width(), 5);
    EXPECT_EQ(s.G.Columns[2].Width(), 187);
    EXPECT_EQ(s.G.ColsWidth, 480);
    s.Release(0, 0);

    // The border after the last column does not move.
    s.Press(499, 5);
    ASSERT_EQ(s.G.ResizeCol, 4);
    s.Drag(300, 5);
    EXPECT_EQ(s.G.Columns[4].Width(), 96);
    EXPECT_EQ(s.G.ColsWidth, 480);
}

TEST(InputMouse, DisabledGridIgnoresThePointer) {
    InputGrid s;
    s.G.MouseMove(0, InputGrid::X(2), InputGrid::Y(2));
    s.G.Enabled = false;
    s.G.MouseMove(0, InputGrid::X(2), InputGrid::Y(2));
    EXPECT_EQ(s.Host.Cursor, crDefault);
    s.G.MouseDown(mbLeft, ssLeft, InputGrid::X(2), InputGrid::Y(2));
    EXPECT_EQ(s.G.Col(), 0);
    EXPECT_FALSE(s.Host.Captured);
    s.G.DblClick(InputGrid::X(0), InputGrid::Y(0));
    EXPECT_FALSE(s.Host.EditorShown);
}

TEST(InputMouse, LeavingRevertsTheSpecialCursors) {
    struct Case {
        int x, y;
        TGridCursor after;
    };
    for (Case c : {Case{5, 5, crCellPlus}, Case{100, 5, crCellPlus}, Case{60, 5, crCellPlus},
                   Case{5, 30, crCellPlus}, Case{450, 30, crDefault}}) {
        InputGrid s;
        s.G.MouseMove(0, c.x, c.y);
        s.G.MouseLeave();
        EXPECT_EQ(s.G.Cursor(), c.after);
    }
}

TEST(InputMouse, ClickSettlesTypingInTheCellLeft) {
    InputGrid s;
    s.G.SetCells(1, 1, "a");
    s.Go(1, 1);
    s.Type("7");
    s.Click(2, 3);
    EXPECT_EQ(s.Log, (Strings{"changed 1,1 btEdit", "assigned 1,1", "moved 2,3"}));
    ASSERT_EQ(s.Undo().Count(), 1);
    EXPECT_EQ(s.Undo().Items(0).NewTexts[1], Strings{"7"});
    EXPECT_FALSE(s.G.CellTyped);
    EXPECT_TRUE(s.G.TypedText.empty());

    // A click on the typed cell itself settles without an assignment, and
    // the next character starts a new text.
    s.Type("8");
    s.Log.clear();
    s.Click(2, 3);
    EXPECT_EQ(s.Log, (Strings{"changed 2,3 btEdit", "moved 2,3"}));
    s.Type("9");
    EXPECT_EQ(s.Cell(2, 3), "9");
}

TEST(InputMouse, DoubleClickOpensTheEditorOnlyOverTheCurrentCell) {
    struct Case {
        const char* name;
        TRect sel; // selected block, current cell at its top-left
        int c, r;  // double-clicked cell
        bool opens;
    };
    for (const Case& k : {Case{"single cell", {1, 2, 1, 2}, 1, 2, true},
                          Case{"another cell", {1, 2, 1, 2}, 2, 2, false},
                          Case{"part of a row", {1, 2, 2, 2}, 1, 2, true},
                          Case{"part of a column", {1, 2, 1, 5}, 1, 2, true},
                          Case{"a block", {1, 2, 2, 3}, 1, 2, false}}) {
        SCOPED_TRACE(k.name);
        InputGrid s;
        s.Go(k.sel.Left, k.sel.Top);
        s.G.SetSelection(k.sel);
        s.G.DblClick(InputGrid::X(k.c), InputGrid::Y(k.r));
        EXPECT_EQ(s.Host.EditorShown, k.opens);
        EXPECT_EQ(s.G.EditorOpen, k.opens);
        EXPECT_EQ(s.Host.EditorFocused, k.opens);
    }
}

} // namespace
