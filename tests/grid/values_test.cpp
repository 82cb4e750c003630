// The grid's pure values: where a key moves the cursor, and which cell a
// point of the view falls in.
#include "grid/cell_cursor.h"
#include "grid/grid_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const TKeyMove& m, std::ostream* os) {
    *os << "{" << m.Kind << ", " << m.Col << ", " << m.Row << "}";
}

namespace {

TEST(CellCursor, KeyMoves) {
    constexpr auto Move = TKeyMove::kmMove;
    constexpr auto Extend = TKeyMove::kmExtend;
    struct Case {
        const char* name;
        std::vector<bool> visible;
        int col, row, farCol, farRow;
        int key;
        TShiftState shift;
        TKeyMove want;
    };
    const std::vector<bool> all(5, true);
    const std::vector<bool> no12{true, false, false, true, true};
    const std::vector<bool> no0{false, true, true, true, true};
    const std::vector<bool> no4{true, true, true, true, false};
    // Every column hidden, a left move at the first column, Ctrl+End and Tab:
    // InputKeys.KeyTables walks those through the grid.
    // clang-format off
    const Case cases[] = {
        {"right skips hidden columns", no12, 0, 3, 0, 3, VK_RIGHT, 0, {Move, 3, 3}},
        {"right at the last column stays", all, 4, 3, 4, 3, VK_RIGHT, 0, {Move, 4, 3}},
        {"left at the first visible column stays", no0, 1, 0, 1, 0, VK_LEFT, 0, {Move, 1, 0}},
        {"left skips hidden columns", no12, 3, 0, 3, 0, VK_LEFT, 0, {Move, 0, 0}},
        {"up at row 0 stays", all, 2, 0, 2, 0, VK_UP, 0, {Move, 2, 0}},
        {"up", all, 2, 5, 2, 5, VK_UP, 0, {Move, 2, 4}},
        {"down at the last row stays", all, 2, 9, 2, 9, VK_DOWN, 0, {Move, 2, 9}},
        {"down", all, 2, 4, 2, 4, VK_DOWN, 0, {Move, 2, 5}},
        {"home goes to the first visible column", no0, 3, 4, 3, 4, VK_HOME, 0, {Move, 1, 4}},
        {"end goes to the last visible column", no4, 1, 4, 1, 4, VK_END, 0, {Move, 3, 4}},
        {"page up goes to row 0", all, 1, 6, 1, 6, VK_PRIOR, 0, {Move, 1, 0}},
        {"page down goes to the last row", all, 1, 6, 1, 6, VK_NEXT, 0, {Move, 1, 9}},
        {"ctrl home", no0, 3, 7, 3, 7, VK_HOME, ssCtrl, {Move, 1, 0}},
        {"ctrl shift home is ctrl home", all, 3, 7, 3, 7, VK_HOME, ssCtrl | ssShift, {Move, 0, 0}},
        {"shift down moves the far corner", all, 1, 2, 1, 4, VK_DOWN, ssShift, {Extend, 1, 5}},
        {"shift down stops at the last row", all, 0, 8, 0, 9, VK_DOWN, ssShift, {Extend, 0, 9}},
        {"shift up stops at row 0", all, 0, 0, 2, 0, VK_UP, ssShift, {Extend, 2, 0}},
        {"shift left over a hidden column", no12, 3, 1, 3, 1, VK_LEFT, ssShift, {Extend, 0, 1}},
        {"shift right from the far corner", all, 1, 1, 2, 1, VK_RIGHT, ssShift, {Extend, 3, 1}},
        {"shift right stops at the last visible", no4, 1, 1, 3, 1, VK_RIGHT, ssShift, {Extend, 3, 1}},
        {"shift home is no move", all, 3, 3, 3, 3, VK_HOME, ssShift, {}},
        {"ctrl down is no move", all, 1, 1, 1, 1, VK_DOWN, ssCtrl, {}},
        {"enter is no move", all, 1, 1, 1, 1, VK_RETURN, 0, {}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TCellCursor cur{c.col, c.row, c.farCol, c.farRow, TRect{}};
        EXPECT_EQ(CursorKeyMove(cur, c.visible, 10, c.key, c.shift), c.want);
    }
}

// Five columns 80 wide with column 1 hidden, ten rows 18 high, a 20-pixel
// gutter and one header line.
TEST(GridLayout, HitTesting) {
    struct Case {
        const char* name;
        int scrollX, scrollY, x, y;
        int colFromX, rowFromY;
        TPoint cell;
    };
    // clang-format off
    const Case cases[] = {
        {"gutter", 0, 0, 10, 30, -1, 0, {0, 0}},
        {"left border of column 0", 0, 0, 20, 30, -1, 0, {0, 0}},
        {"the border after column 0 belongs to it", 0, 0, 100, 30, 0, 0, {0, 0}},
        {"the hidden column is skipped", 0, 0, 101, 30, 2, 0, {2, 0}},
        {"right of the last column: the last column", 0, 0, 500, 30, 4, 0, {4, 0}},
        {"header", 0, 0, 30, 17, 0, -1, {0, 0}},
        {"last pixel of the last row", 0, 0, 30, 18 + 18 * 9 + 17, 0, 9, {0, 9}},
        {"below the rows", 0, 0, 30, 18 + 18 * 10, 0, -1, {0, 9}},
        {"far below: the last row", 0, 0, 30, 5000, 0, -1, {0, 9}},
        {"scrolled down two rows", 0, 36, 30, 18, 0, 2, {0, 2}},
        {"scrolled right", 70, 0, 31, 30, 2, 0, {2, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TGridLayout L;
        L.RowHeight = 18, L.Rows = 10, L.GutterW = 20, L.HeaderH = 18;
        L.Lefts = {0, 80, 80, 160, 240, 320};
        L.MaxScrollX = L.MaxScrollY = 1000;
        L.ScrollXTo(c.scrollX);
        L.ScrollYTo(c.scrollY);
        EXPECT_EQ(L.ColFromX(c.x), c.colFromX);
        EXPECT_EQ(L.RowFromY(c.y), c.rowFromY);
        EXPECT_EQ(L.CellFromPoint(c.x, c.y), c.cell);
    }
}

} // namespace
