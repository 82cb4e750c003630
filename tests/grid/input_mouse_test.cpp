// The pointer over the grid, and the in-place editor it opens.
#include "grid_fixture.h"

#include <gtest/gtest.h>

namespace {

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
        {"header", 60, 5, TLapGrid::htHeader, crHeaderDown, -2},
        {"cells", 60, 30, TLapGrid::htCells, crCellPlus, -2},
        {"right of the columns", 450, 30, TLapGrid::htNothing, crDefault, -2},
        {"on the header's bottom line", 60, 18, TLapGrid::htNothing, crDefault, -2},
        {"border after column 0", 100, 5, TLapGrid::htBorder, crHSplit, 0},
        {"border, two pixels left", 98, 5, TLapGrid::htHeader, crHeaderDown, -2},
        {"border, two pixels right", 102, 5, TLapGrid::htHeader, crHeaderDown, -2},
        {"border on the header's bottom line", 181, 18, TLapGrid::htBorder, crHSplit, 1},
        {"border after the last column", 421, 5, TLapGrid::htBorder, crHSplit, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        EXPECT_EQ(s.G.HitTest(c.x, c.y), c.area);
        s.G.MouseMove(0, c.x, c.y);
        EXPECT_EQ(s.Host.Cursor, c.cursor);
        if (c.resizeCol != -2) EXPECT_EQ(s.G.ResizeCol(), c.resizeCol);
    }

    Sheet s;
    // A column that may not be resized shows the header cursor at its border.
    s.G.Columns[1].CanResize = false;
    EXPECT_EQ(s.G.HitTest(180, 5), TLapGrid::htHeader);
    EXPECT_EQ(s.G.ResizeCol(), 1);
    // A hidden column's border coincides with the one before: the first wins.
    s.G.Columns[1].CanResize = true;
    s.G.Columns[2].SetVisible(false);
    EXPECT_EQ(s.G.HitTest(180, 5), TLapGrid::htBorder);
    EXPECT_EQ(s.G.ResizeCol(), 1);
    // With AutoColWidth there are no borders at all.
    s.G.SetAutoColWidth(true);
    for (int x = 21; x < 20 + s.G.Layout().ColsWidth; ++x)
        ASSERT_EQ(s.G.HitTest(x, 5), TLapGrid::htHeader) << x;

    // A disabled grid ignores the pointer.
    s.G.SetEnabled(false);
    s.G.MouseMove(0, Sheet::X(2), Sheet::Y(2));
    EXPECT_EQ(s.Host.Cursor, crDefault);
    s.G.MouseDown(mbLeft, ssLeft, Sheet::X(2), Sheet::Y(2));
    EXPECT_EQ(s.G.Col(), 0);
    s.G.DblClick(Sheet::X(0), Sheet::Y(0));
    EXPECT_FALSE(s.Host.EditorShown);
}

TEST(InputMouse, CellClicksAndBlockDrags) {
    Sheet s(30);
    s.Press(Sheet::X(1), Sheet::Y(1));
    EXPECT_TRUE(s.Host.Captured);
    s.Drag(Sheet::X(3), Sheet::Y(3));
    s.Release(Sheet::X(3), Sheet::Y(3));
    EXPECT_FALSE(s.Host.Captured);
    EXPECT_EQ(s.Sel(), (TRect{1, 1, 3, 3}));
    EXPECT_EQ(s.Log, Strings{"moved 1,1"});
    // A right click inside the block keeps it (context menu), uncaptured.
    s.Press(Sheet::X(2), Sheet::Y(2), mbRight);
    EXPECT_EQ(s.Sel(), (TRect{1, 1, 3, 3}));
    EXPECT_FALSE(s.Host.Captured);
    // A left click selects just the clicked cell; a right click on a single
    // cell moves there.
    s.Click(2, 2);
    EXPECT_EQ(s.Sel(), (TRect{2, 2, 2, 2}));
    s.Click(0, 4, mbRight);
    EXPECT_EQ(s.Sel(), (TRect{0, 4, 0, 4}));
    // Dragging up and left of the start orders the corners.
    s.Press(Sheet::X(3), Sheet::Y(5));
    s.Drag(Sheet::X(1), Sheet::Y(2));
    EXPECT_EQ(s.Sel(), (TRect{1, 2, 3, 5}));
    EXPECT_EQ(s.At(), Pos(3, 5));

    // Below the view the drag scrolls with each move: 10 whole rows (0 .. 9)
    // fit in the 182 pixels below the header.
    s.Press(Sheet::X(1), Sheet::Y(0));
    s.Drag(Sheet::X(1), 195);
    EXPECT_EQ(s.G.ScrollY(), 0);
    s.Drag(Sheet::X(1), 199); // row 10, partly visible
    EXPECT_EQ(s.G.ScrollY(), 18);
    s.Drag(Sheet::X(1), 199);
    EXPECT_EQ(s.G.FarRow(), 11);
    EXPECT_EQ(s.G.ScrollY(), 36);
}

TEST(InputMouse, GutterHeaderAndCornerSelections) {
    Sheet s;
    int gutterRow = -1, headerCol = -1;
    s.G.OnGutterClick = [&](int r, TMouseButton, TShiftState) { gutterRow = r; };
    s.G.OnHeaderClick = [&](int c, TMouseButton, TShiftState) { headerCol = c; };
    s.Press(5, Sheet::Y(4));
    EXPECT_EQ(gutterRow, 4);
    EXPECT_EQ(s.Log, Strings{"moved 0,4"});
    s.Drag(5, Sheet::Y(1));
    EXPECT_EQ(std::make_pair(s.G.Row(), s.G.FarRow()), std::make_pair(4, 1));
    EXPECT_EQ(s.Sel(), (TRect{0, 1, 4, 4}));
    s.Drag(5, 5); // out of the rows: the last row reached stays
    EXPECT_EQ(s.Sel(), (TRect{0, 1, 4, 4}));
    s.Release(5, 5);

    s.Press(Sheet::X(2), 5);
    EXPECT_EQ(headerCol, 2);
    s.Drag(Sheet::X(0), 5);
    EXPECT_EQ(s.Sel(), (TRect{0, 0, 2, 9}));
    s.Release(Sheet::X(0), 5);
    // Only the left button selects rows and columns.
    headerCol = -1;
    s.Press(Sheet::X(4), 5, mbRight);
    EXPECT_EQ(headerCol, -1);
    EXPECT_EQ(s.Sel(), (TRect{0, 0, 2, 9}));

    // The corner selects everything. With column 0 hidden the corner and
    // the gutter make the first visible column current, so that typing
    // lands in a cell that can be seen.
    for (int first : {0, 1}) {
        SCOPED_TRACE(first);
        s.G.Columns[0].SetVisible(first == 0);
        s.Go(3, 3);
        s.Press(5, 5);
        s.Release(5, 5);
        EXPECT_EQ(s.Sel(), (TRect{0, 0, 4, 9}));
        EXPECT_EQ(s.Log, Strings{"moved " + std::to_string(first) + ",0"});
        s.Go(3, 3);
        s.Press(5, Sheet::Y(4));
        EXPECT_EQ(s.Log, Strings{"moved " + std::to_string(first) + ",4"});
        s.Release(5, Sheet::Y(4));
    }
    s.Type("x");
    EXPECT_EQ(s.Cell(1, 4), "x");
}

TEST(InputMouse, BorderDrags) {
    Sheet s;
    s.Press(100, 5); // right border of column 0
    s.Drag(150, 5);
    EXPECT_EQ(s.G.ColLeft(1), 130);
    s.Drag(10, 80);
    EXPECT_EQ(s.G.Columns[0].Width(), 5);

    // A scrolled view measures from the column's content position.
    Sheet t(10, 5, 300);
    t.G.SetScrollX(50);
    t.Press(20 + 160 - 50, 5); // right border of column 1
    t.Drag(20 + 200 - 50, 5);
    EXPECT_EQ(t.G.Columns[1].Width(), 120);

    // Fitted to the width, a border trades pixels with the next column.
    Sheet f;
    f.G.SetFitToWidth(true);
    ASSERT_EQ(f.G.Columns[1].Width(), 96); // 480 pixels shared by five columns
    const int border = 20 + 2 * 96;        // right border of column 1
    f.Press(border, 5);
    f.Drag(border + 300, 5);
    EXPECT_EQ(f.G.Columns[1].Width(), 187);
    EXPECT_EQ(f.G.Columns[2].Width(), 5);
    f.Drag(border - 150, 5);
    EXPECT_EQ(f.G.Columns[1].Width(), 5);
    EXPECT_EQ(f.G.Columns[2].Width(), 187);
    f.Release(0, 0);
    // The border after the last column does not move.
    f.Press(499, 5);
    ASSERT_EQ(f.G.ResizeCol(), 4);
    f.Drag(300, 5);
    EXPECT_EQ(f.G.Columns[4].Width(), 96);

    // A pair with no more than 10 pixels between them (the fixed columns
    // take the rest) is left as it is: too little room to share.
    Sheet n(5, 5, 270);
    for (int c : {2, 3, 4})
        n.G.Columns[c].CanResize = false;
    n.G.Columns[0].SetWidth(20);
    n.G.SetFitToWidth(true);
    ASSERT_EQ(std::make_pair(n.G.Columns[0].Width(), n.G.Columns[1].Width()),
              std::make_pair(0, 10));
    n.Press(20, 5);
    n.Drag(40, 5);
    EXPECT_EQ(std::make_pair(n.G.Columns[0].Width(), n.G.Columns[1].Width()),
              std::make_pair(0, 10));
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
                          Case{"part of a column", {1, 2, 1, 5}, 1, 2, true},
                          Case{"a block", {1, 2, 2, 3}, 1, 2, false},
                          Case{"a read-only column", {3, 1, 3, 1}, 3, 1, false}}) {
        SCOPED_TRACE(k.name);
        Sheet s;
        s.Select(k.sel.Left, k.sel.Top, k.sel.Right, k.sel.Bottom);
        s.G.DblClick(Sheet::X(k.c), Sheet::Y(k.r));
        EXPECT_EQ(s.Host.EditorShown || s.G.EditorOpen(), k.opens);
        EXPECT_EQ(s.Undo().Count(), k.opens ? 1 : 0); // the session's record
    }
    // On a cell below the view, in the middle of typing: the editor opens
    // over the cell scrolled into view, and the typing's record continues as
    // the session's. A read-only grid only scrolls.
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly);
        Sheet s(30);
        s.G.SetReadOnly(readOnly);
        s.G.KeyDown(VK_NEXT, 0);
        s.Go(1, 29);
        s.Type("6");
        s.G.SetScrollY(0);
        TLapGridTestView::OpenEditor(s.G);
        EXPECT_EQ(s.Host.EditorShown, !readOnly);
        EXPECT_FALSE(s.Host.CaretShown);
        EXPECT_GT(s.G.ScrollY(), 0);
        ASSERT_EQ(s.Undo().Count(), readOnly ? 0 : 1);
        if (readOnly) continue;
        EXPECT_GE(s.Host.EditorBounds.Top, s.G.Layout().HeaderH);
        EXPECT_EQ(s.Undo().Items(0).Area, (TRect{1, 29, 1, 29}));
    }
}

// Opens the editor on a cell as the user does: click, then double click.
void OpenOn(Sheet& s, int c, int r) {
    s.Click(c, r);
    s.G.DblClick(Sheet::X(c), Sheet::Y(r));
    s.ClearLog();
}

TEST(InputEditor, BoundsFollowTheCellAndItsAlignment) {
    struct Case {
        const char* name;
        THorzAlign h;
        TVertAlign v;
        TRect want;
    };
    // Cell (1, 2): content x 80, width 80, row top 36, row height 18; client
    // offset (20, 18). Left-aligned and centred: x 81 .. 158, 14 high, 2
    // below the row's top.
    const Case cases[] = {
        {"left, centre", haLeft, vaCenter, {101, 56, 178, 70}},
        {"right is one pixel wider", haRight, vaCenter, {101, 56, 179, 70}},
        {"top", haLeft, vaTop, {101, 55, 178, 69}},
        {"bottom", haLeft, vaBottom, {101, 57, 178, 71}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.G.Columns[1].SetHorzAlign(c.h);
        s.G.Columns[1].SetVertAlign(c.v);
        s.G.Columns[1].SetFont(TFont{"Col font", 9, RGB(200, 0, 0)});
        s.G.SetCells(1, 2, "1:23.45");
        OpenOn(s, 1, 2);
        ASSERT_TRUE(s.Host.EditorShown);
        EXPECT_EQ(s.Host.EditorBounds, c.want);
        EXPECT_EQ(s.Host.EditorTextValue, "1:23.45");
        EXPECT_EQ(s.Host.EditorFont.Name, "Col font");
        EXPECT_EQ(s.Host.EditorFont.Color, RGB(0, 0, 0)); // but not its colour
    }
}

// A scroll hides the box but keeps the edit pending (focus going to the
// editor settles nothing either); the next key settles the hidden edit
// before it moves, or its record would later take another cell's text.
template <int Key> void ScrollThenKey(Sheet& s) {
    s.G.FocusOut(true);
    EXPECT_TRUE(s.Host.EditorShown && s.Log.empty());
    s.G.VertScroll(scLineDown, 0);
    EXPECT_FALSE(s.Host.EditorShown);
    EXPECT_NE(s.G.PendingEdit(), nullptr);
    s.G.FocusIn();
    s.Key(Key);
}

// One editing session per row: the box opens on (1, 1), takes the texts in
// turn and is closed by a key, a click or a scroll and a key; the log, the
// cell and the record follow. Typing afterwards is an edit of the cell it
// lands on.
TEST(InputEditor, SessionsSettleAsOneRecord) {
    using Close = void (*)(Sheet&);
    const Close enter = [](Sheet& s) { EXPECT_TRUE(s.G.EditorKeyDown(VK_RETURN, 0)); };
    const Close escape = [](Sheet& s) { EXPECT_TRUE(s.G.EditorKeyDown(VK_ESCAPE, 0)); };
    const Close clickAway = [](Sheet& s) { s.Click(2, 4); };
    struct Case {
        const char* name;
        Strings edits;
        bool veto; // the cell refuses every change
        Close close;
        Strings wantLog;
        Strings wantOld, wantNew; // the one record; empty: none
    };
    // clang-format off
    const Case cases[] = {
        {"enter keeps the last text", {"1:23.4", "1:23.40"}, false, enter,
         {"changed 1,1 btEdit", "assigned 1,1"}, {"1:23.45"}, {"1:23.40"}},
        {"escape keeps it too", {"1:23.4", "1:23.40"}, false, escape,
         {"changed 1,1 btEdit", "assigned 1,1"}, {"1:23.45"}, {"1:23.40"}},
        {"back to the old text: no record, still evaluated", {"1:23.4", "1:23.45"}, false, enter,
         {"assigned 1,1"}, {}, {}},
        {"refused cell-side: the record is discarded", {"b"}, true, escape, {"assigned 1,1"}, {}, {}},
        {"a click elsewhere settles and moves", {"ab"}, false, clickAway,
         {"changed 1,1 btEdit", "assigned 1,1", "moved 2,4"}, {"1:23.45"}, {"ab"}},
        {"scrolled, then Down", {"ab"}, false, ScrollThenKey<VK_DOWN>,
         {"assigned 1,1", "changed 1,1 btEdit", "moved 1,2"}, {"1:23.45"}, {"ab"}},
        {"scrolled, then Right", {"ab"}, false, ScrollThenKey<VK_RIGHT>,
         {"assigned 1,1", "changed 1,1 btEdit", "moved 2,1"}, {"1:23.45"}, {"ab"}},
        {"scrolled, then Enter", {"ab"}, false, ScrollThenKey<VK_RETURN>,
         {"assigned 1,1", "changed 1,1 btEdit", "moved 1,2"}, {"1:23.45"}, {"ab"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(30);
        s.G.SetCells(1, 1, "1:23.45");
        if (c.veto) s.G.OnCellChanging = [](int, int, bool& CanChange) { CanChange = false; };
        OpenOn(s, 1, 1);
        for (const std::string& t : c.edits) {
            s.G.EditorChanged(t);
            if (!c.veto) EXPECT_EQ(s.Cell(1, 1), t); // written through at once
        }
        EXPECT_TRUE(s.Log.empty());
        c.close(s);
        EXPECT_FALSE(s.Host.EditorShown || s.G.EditorOpen());
        EXPECT_EQ(s.Cell(1, 1), c.veto ? "1:23.45" : c.edits.back());
        EXPECT_EQ(s.Log, c.wantLog);
        const int records = c.wantOld.empty() ? 0 : 1;
        ASSERT_EQ(s.Undo().Count(), records);
        if (records) EXPECT_EQ(s.Undo().Items(0).OldTexts[1], c.wantOld);
        if (records) EXPECT_EQ(s.Undo().Items(0).NewTexts[1], c.wantNew);
        if (c.veto) continue;
        const auto [col, row] = s.At();
        s.G.SetCells(col, row, "old");
        s.Type("9");
        s.Key(VK_UP);
        ASSERT_EQ(s.Undo().Count(), records + 1);
        EXPECT_EQ(s.Undo().Items(0).Area, (TRect{col, row, col, row}));
        EXPECT_EQ(s.Undo().Items(0).OldTexts[static_cast<std::size_t>(col)], Strings{"old"});
    }
}

TEST(InputEditor, OtherKeysBelongToTheEditBox) {
    Sheet s;
    OpenOn(s, 1, 1);
    for (int key : {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DOWN, VK_TAB})
        EXPECT_FALSE(s.G.EditorKeyDown(key, 0));
    EXPECT_EQ(s.G.Row(), 1);

    int filtered = 0;
    s.G.OnFilterChar = [&](bool FromEditor, int c, int r, const std::string& Ch, bool& Allowed) {
        ++filtered;
        EXPECT_TRUE(FromEditor);
        EXPECT_EQ(std::make_pair(c, r), std::make_pair(1, 1));
        Allowed = Ch >= "0" && Ch <= "9";
    };
    EXPECT_TRUE(s.G.EditorKeyPress("4"));
    EXPECT_FALSE(s.G.EditorKeyPress("a"));
    s.G.OnFilterChar = [](bool, int, int, const std::string&, bool& Allowed) { Allowed = false; };
    EXPECT_TRUE(s.G.EditorKeyPress("\b")); // Backspace is never dropped
    EXPECT_EQ(filtered, 2);
}

// A click settles what was typed or edited in the cell left, or in the
// clicked cell itself: its text would otherwise never be evaluated.
TEST(InputMouse, ClicksSettleTypingAndEditing) {
    enum How { kTyped, kNothing, kEditor, kEditorCommitted };
    struct Case {
        const char* name;
        How how;
        Pos click;
        Strings log;
    };
    // clang-format off
    const Case cases[] = {
        {"typed, click elsewhere", kTyped, {2, 3}, {"changed 1,1 btEdit", "assigned 1,1", "moved 2,3"}},
        {"typed, click on the cell", kTyped, {1, 1}, {"changed 1,1 btEdit", "assigned 1,1", "moved 1,1"}},
        {"nothing typed: nothing to evaluate", kNothing, {1, 1}, {"moved 1,1"}},
        // The box stays open over its own cell; a committed edit was hidden
        // but is assigned by the next click.
        {"editor, click on its cell", kEditor, {1, 1}, {"changed 1,1 btEdit", "moved 1,1"}},
        {"committed editor, click elsewhere", kEditorCommitted, {0, 0}, {"assigned 1,1", "moved 0,0"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.G.SetCells(1, 1, "a");
        if (c.how == kTyped || c.how == kNothing) {
            s.Go(1, 1);
            if (c.how == kTyped) s.Type("7");
        } else {
            OpenOn(s, 1, 1);
            s.G.EditorChanged("q");
            if (c.how == kEditorCommitted) s.G.CommitEdit(), s.ClearLog();
        }
        s.Click(c.click.first, c.click.second);
        EXPECT_EQ(s.Log, c.log);
        EXPECT_EQ(s.G.EditorOpen(), c.how == kEditor);
        if (c.how == kEditor) continue;
        s.Type("9"); // the next character starts a new text
        EXPECT_EQ(s.Cell(c.click.first, c.click.second), "9");
    }
}

} // namespace
