#include "grid/grid_layout.h"

#include <algorithm>

namespace {

int RoundUpTo(int v, int step) {
    int rem = v % step;
    return rem > 0 ? v - rem + step : v - rem;
}

// Widens or narrows the resizable columns a pixel at a time, from the left,
// until the visible ones fill Room exactly or none can change any more.
// Widths stop at 0: a negative width would fold columns over each other.
void FitWidths(std::vector<TColumnShape>& Cols, int KeepWidthCol, int Room) {
    int total = 0;
    for (const TColumnShape& c : Cols)
        if (c.Visible) total += c.Width;
    const int n = static_cast<int>(Cols.size());
    while (Room > total) {
        const int before = total;
        for (int i = 0; i < n && Room > total; ++i) {
            TColumnShape& c = Cols[static_cast<std::size_t>(i)];
            if (c.Visible && c.CanResize) {
                ++c.Width;
                ++total;
            }
        }
        if (total == before) break;
    }
    while (Room < total) {
        const int before = total;
        for (int i = 0; i < n && Room < total; ++i) {
            TColumnShape& c = Cols[static_cast<std::size_t>(i)];
            if (c.Visible && c.CanResize && i != KeepWidthCol && c.Width > 0) {
                --c.Width;
                --total;
            }
        }
        if (total == before) break;
    }
}

} // namespace

void TGridLayout::TakeColumns(const std::vector<TColumnShape>& Cols) {
    const std::size_t n = Cols.size();
    Lefts.assign(n + 1, 0);
    for (std::size_t i = 0; i < n; ++i)
        Lefts[i + 1] = Lefts[i] + (Cols[i].Visible ? Cols[i].Width : 0);
}

TScrollBarsNeeded TGridLayout::Arrange(std::vector<TColumnShape>& Cols, const TLayoutRequest& Req,
                                       int ClientW, int ClientH) {
    RowHeight = Req.RowHeight;
    Rows = Req.Rows;
    const bool any = std::any_of(Cols.begin(), Cols.end(), [](auto& c) { return c.Visible; });
    if (!any) {
        TakeColumns(Cols);
        GutterW = HeaderH = ColsWidth = RowsHeight = 0;
        // Nothing to scroll over: no offsets, so no wheel or bar moves hidden content.
        MaxScrollX = MaxScrollY = FScrollX = FScrollY = 0;
        return {};
    }
    GutterW = Req.GutterW;
    HeaderH = Req.HeaderLines * Req.RowHeight;
    RowsHeight = grid_limits::Extent(static_cast<long long>(Req.Rows) * Req.RowHeight);
    const int availW = ClientW - GutterW;
    const int availH = ClientH - HeaderH - (Req.ShowFooter ? Req.RowHeight : 0);
    if (Req.FitToWidth) FitWidths(Cols, Req.KeepWidthCol, availW);
    TakeColumns(Cols);
    ColsWidth = Lefts.back();
    if (availW > ColsWidth) FScrollX = 0;
    if (RowsHeight < availH) FScrollY = 0;
    TScrollBarsNeeded need;
    need.Horz = availW < ColsWidth;
    need.Vert = RowsHeight > availH;
    return need;
}

void TGridLayout::Fit(const TLayoutRequest& Req, bool VertBar, int ClientW, int ClientH) {
    const int footerH = Req.ShowFooter ? Req.RowHeight : 0;
    MaxScrollX = std::max(0, ColsWidth - ClientW + GutterW);
    MaxScrollY = RoundUpTo(std::max(0, RowsHeight - ClientH + HeaderH + footerH), RowH());
    if (Req.ShowFooter)
        FooterTop = VertBar
                        ? (ClientH / RowH() - 1) * Req.RowHeight - 1
                        : grid_limits::Extent((static_cast<long long>(Req.HeaderLines) + Req.Rows) *
                                              Req.RowHeight) -
                              1;
    FScrollX = std::clamp(FScrollX, 0, MaxScrollX);
    ScrollYWithin(FScrollY);
    GridWidth = std::min(ClientW, ColsWidth + GutterW);
    GridHeight = std::min(ClientH, RowsHeight + HeaderH + footerH);
    CellArea = TRect{GutterW, HeaderH, ClientW, Req.ShowFooter ? FooterTop : ClientH};
}

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
    const int dx = GutterW - FScrollX;
    const int dy = HeaderH - FScrollY;
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
    const int cx = FScrollX + X - GutterW;
    const int cy = Y + FScrollY - HeaderH;
    const int c = std::max(0, ColumnsBefore(cx) - 1);
    const int r = std::clamp(cy / RowH(), 0, std::max(0, Rows - 1));
    return TPoint{c, r};
}

int TGridLayout::ColFromX(int X) const {
    if (X < GutterW) return -1;
    const int c = ColumnsBefore(FScrollX + X - GutterW) - 1;
    return c >= 0 && c <= ColCount() - 1 ? c : -1;
}

int TGridLayout::RowFromY(int Y) const {
    if (Y < HeaderH) return -1;
    const int r = (FScrollY + Y - HeaderH) / RowH();
    return r > Rows - 1 ? -1 : r;
}

void TGridLayout::ScrollYWithin(int Y) {
    FScrollY = std::clamp(Y, 0, MaxScrollY);
}

int TGridLayout::ClampScrollX(int X) const {
    return std::clamp(X, 0, MaxScrollX);
}

int TGridLayout::ClampScrollY(int Y) const {
    const int v = std::clamp(Y, 0, MaxScrollY);
    return v - v % RowH();
}

int TGridLayout::ClampScrollYUp(int Y) const {
    return RoundUpTo(std::clamp(Y, 0, MaxScrollY), RowH());
}
