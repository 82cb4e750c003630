#include "grid/grid_layout.h"

#include <algorithm>

int TGridLayout::ColLeft(int ACol) const {
    if (ACol <= 0) return 0;
    return Lefts[static_cast<std::size_t>(std::min(ACol, ColCount()))];
}

TRect TGridLayout::CellRect(int ACol, int ARow) const {
    if (ACol == -1 || ARow == -1) return TRect{};
    const int x = ColLeft(ACol);
    const int y = grid_limits::Extent(static_cast<long long>(ARow) * RowHeight);
    const int w = ACol >= 0 && ACol < ColCount() ? ColLeft(ACol + 1) - x : 0;
    return TRect{x - 1, y - 1, x + w, y + RowHeight};
}

TRect TGridLayout::ToClient(const TRect& R) const {
    const int dx = GutterW - ScrollX;
    const int dy = HeaderH - ScrollY;
    return TRect{R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy};
}

// The index after the column holding content x: the first column whose left
// edge is at or right of cx, stopping at the last column.
int TGridLayout::ColumnsBefore(int cx) const {
    const int n = ColCount();
    if (n == 0) return 0;
    int c = 0;
    while (cx > ColLeft(c)) {
        ++c;
        if (c > n - 1) break;
    }
    return c;
}

TPoint TGridLayout::CellFromPoint(int X, int Y) const {
    const int cx = ScrollX + X - GutterW;
    const int cy = Y + ScrollY - HeaderH;
    const int c = std::max(0, ColumnsBefore(cx) - 1);
    const int r = std::clamp(cy / RowH(), 0, std::max(0, Rows - 1));
    return TPoint{c, r};
}

int TGridLayout::ColFromX(int X) const {
    if (X < GutterW) return -1;
    const int c = ColumnsBefore(ScrollX + X - GutterW) - 1;
    return c >= 0 && c <= ColCount() - 1 ? c : -1;
}

int TGridLayout::RowFromY(int Y) const {
    if (Y < HeaderH) return -1;
    const int r = (ScrollY + Y - HeaderH) / RowH();
    return r > Rows - 1 ? -1 : r;
}

int TGridLayout::ClampScrollX(int X) const {
    return std::clamp(X, 0, MaxScrollX);
}

int TGridLayout::ClampScrollY(int Y) const {
    const int v = std::clamp(Y, 0, MaxScrollY);
    return v - v % RowH();
}
