// Every way the current cell moves: by key, by click and by the Col and Row
// setters. Each ends the typing, leaves the selection it promises, scrolls
// as it promises and tells the window once.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

TEST(CurrentCellMove, KeysMouseAndSetters) {
    // 40 rows in a window 300 wide; both scroll bars show, which leaves a
    // client of 284 x 184: rows 0 to 8 show in full, the threshold keeps
    // row 8 free, and column 3 (260 to 340) ends 56 pixels past the edge.
    struct Case {
        const char* name;
        Pos from;
        TRect startSel;
        int startScrollY;
        std::function<void(Sheet&)> act;
        Pos at;
        TRect sel;
        int scrollX, scrollY;
        Pos far;         // the corner Shift+arrows move on from
        bool wholeArea;  // the whole cell area is repainted
    };
    const int x3 = 270; // inside column 3, left of the window's edge
    const Case cases[] = {
        {"Down onto the row the threshold keeps free", {1, 7}, {0, 6, 1, 7}, 0,
         [](Sheet& s) { s.Key(VK_DOWN); }, {1, 8}, {1, 8, 1, 8}, 0, 18, {1, 8}, false},
        {"Right into a column past the edge", {2, 0}, {1, 0, 2, 1}, 0,
         [](Sheet& s) { s.Key(VK_RIGHT); }, {3, 0}, {3, 0, 3, 0}, 57, 0, {3, 0}, false},
        {"Enter down out of view", {1, 7}, {1, 7, 1, 7}, 0, [](Sheet& s) { s.Key(VK_RETURN); },
         {1, 8}, {1, 8, 1, 8}, 0, 18, {1, 8}, false},
        {"click on a cell: no row kept below", {1, 2}, {1, 2, 2, 4}, 0,
         [=](Sheet& s) { s.Press(x3, Sheet::Y(8)); }, {3, 8}, {3, 8, 3, 8}, 57, 0, {3, 8}, false},
        {"click in the gutter selects the row", {1, 2}, {1, 2, 2, 4}, 0,
         [](Sheet& s) { s.Press(5, Sheet::Y(8)); }, {0, 8}, {0, 8, 4, 8}, 0, 18, {4, 8}, false},
        {"click in the header selects the column", {1, 2}, {1, 2, 2, 4}, 0,
         [=](Sheet& s) { s.Press(x3, 5); }, {3, 0}, {3, 0, 3, 39}, 57, 0, {3, 39}, false},
        {"click in the corner selects all", {1, 2}, {1, 2, 2, 4}, 36,
         [](Sheet& s) { s.Press(5, 5); }, {0, 0}, {0, 0, 4, 39}, 0, 0, {4, 39}, false},
        {"Col setter: no scrolling", {1, 2}, {1, 2, 2, 4}, 0, [](Sheet& s) { s.G.SetCol(3); },
         {3, 2}, {3, 2, 3, 2}, 0, 0, {3, 2}, true},
        {"Row setter: no scrolling", {1, 2}, {1, 2, 2, 4}, 0, [](Sheet& s) { s.G.SetRow(30); },
         {1, 30}, {1, 30, 1, 30}, 0, 0, {1, 30}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(40, 5, 300);
        s.Go(c.from.first, c.from.second);
        s.G.SetSelection(c.startSel);
        s.G.SetScrollY(c.startScrollY);
        ASSERT_EQ(s.G.ScrollY(), c.startScrollY);
        TLapGridTestView::SetTypedText(s.G, "12");
        s.ClearLog();
        s.Host.ClearRequests();
        c.act(s);
        EXPECT_EQ(s.At(), c.at);
        EXPECT_EQ(s.Sel(), c.sel);
        EXPECT_EQ(s.G.TypedText(), "");
        EXPECT_EQ(s.G.ScrollX(), c.scrollX);
        EXPECT_EQ(s.G.ScrollY(), c.scrollY);
        EXPECT_EQ(Pos(s.G.FarCol(), s.G.FarRow()), c.far);
        const TRect cellArea{18, 16, s.G.ClientWidth(), s.G.ClientHeight()};
        EXPECT_EQ(std::count(s.Host.Invalidated.begin(), s.Host.Invalidated.end(), cellArea) > 0,
                  c.wholeArea);
        const std::string moved =
            "moved " + std::to_string(c.at.first) + "," + std::to_string(c.at.second);
        EXPECT_EQ(s.Log, Strings{moved});
    }
}

// The window may have painted over a row or column selection (a menu, a
// dialog): pressing its header or gutter again paints it afresh, while a
// second click on the current cell has nothing new to show.
TEST(CurrentCellMove, SecondPressRepaintsRowAndColumnSelections) {
    struct Case {
        const char* name;
        int x, y;
        bool repaints;
    };
    const Case cases[] = {
        {"gutter", 5, Sheet::Y(3), true},
        {"header", Sheet::X(2), 5, true},
        {"cell", Sheet::X(2), Sheet::Y(3), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.Press(c.x, c.y);
        s.Release(c.x, c.y);
        const TRect sel = s.Sel();
        s.Host.ClearRequests();
        s.Press(c.x, c.y);
        EXPECT_EQ(s.Sel(), sel);
        EXPECT_EQ(!s.Host.Invalidated.empty() || s.Host.InvalidateAllCount > 0, c.repaints);
    }
}

} // namespace
