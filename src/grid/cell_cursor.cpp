#include "grid/cell_cursor.h"

TKeyMove CursorKeyMove(const TCellCursor& C, const std::vector<bool>& Visible, int RowCount,
                       int Key, TShiftState Shift) {
    const int n = static_cast<int>(Visible.size());
    auto vis = [&Visible](int i) {
        return static_cast<bool>(Visible[static_cast<std::size_t>(i)]);
    };
    const int first = visible_cols::First(n, vis);
    const int last = visible_cols::Last(n, vis);
    auto col = [&C](int c) { return c < 0 ? C.Col : c; };
    auto far = [&C](int c) { return c < 0 ? C.FarCol : c; };
    auto move = [](int c, int r) { return TKeyMove{TKeyMove::kmMove, c, r}; };
    auto extend = [](int c, int r) { return TKeyMove{TKeyMove::kmExtend, c, r}; };

    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_HOME:
            return move(col(first), 0);
        case VK_END:
            return move(col(last), RowCount - 1);
        default:
            return {};
        }
    }
    if (Shift & ssShift) {
        switch (Key) {
        case VK_LEFT:
            return extend(far(std::max(visible_cols::Prev(n, vis, C.FarCol), first)), C.FarRow);
        case VK_RIGHT:
            return extend(far(std::min(visible_cols::Next(n, vis, C.FarCol), last)), C.FarRow);
        case VK_UP:
            return extend(C.FarCol, std::max(0, C.FarRow - 1));
        case VK_DOWN:
            return extend(C.FarCol, std::min(RowCount - 1, C.FarRow + 1));
        default:
            return {};
        }
    }
    switch (Key) {
    case VK_LEFT:
        return move(col(std::max(visible_cols::Prev(n, vis, C.Col), first)), C.Row);
    case VK_RIGHT:
        return move(col(std::min(visible_cols::Next(n, vis, C.Col), last)), C.Row);
    case VK_UP:
        return move(C.Col, std::max(0, C.Row - 1));
    case VK_DOWN:
        return move(C.Col, std::min(C.Row + 1, RowCount - 1));
    case VK_HOME:
        return move(col(first), C.Row);
    case VK_END:
        return move(col(last), C.Row);
    case VK_PRIOR:
        return move(C.Col, 0);
    case VK_NEXT:
        return move(C.Col, RowCount - 1);
    default:
        return {};
    }
}
