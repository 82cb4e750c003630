// Where everything of the grid lies on screen: column and row positions, the
// header layout, the scroll offsets and bars, and keeping a cell in view.
#include "grid/lap_grid.h"
#include "text/lines.h"
#include "text/sjis.h"

#include <algorithm>

namespace {

// Replaces every "|" that is a character of its own (not the trail byte of a
// two-byte character) by a line break.
std::string BarsToBreaks(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = text::CharLength(s, i);
        if (n == 1 && s[i] == '|')
            out += "\r\n";
        else
            out.append(s, i, n);
        i += n;
    }
    return out;
}

int RoundUpTo(int v, int step) {
    int rem = v % step;
    return rem > 0 ? v - rem + step : v - rem;
}

} // namespace

// ---- setters ----

void TLapGrid::SetHost(GridHost* H) {
    Host = H;
    if (!Host) return;
    ShowScrollBars(false, false);
    RecalcLayout();
}

void TLapGrid::SetHeaderLine(int v) {
    v = std::clamp(v, 0, grid_limits::MaxHeaderLines);
    if (v == FHeaderLine) return;
    FHeaderLine = v;
    BuildHeaderInfo();
    InvalidateAll();
}

void TLapGrid::SetGutterKind(TGutterKind v) {
    if (v == FGutterKind) return;
    TGutterKind old = FGutterKind;
    FGutterKind = v;
    RecalcLayout();
    if (old != gkNone && v != gkNone) {
        if (Host) Host->Invalidate(TRect{0, HeaderH, GutterW, ClientHeight()});
    } else {
        InvalidateAll();
    }
}

void TLapGrid::SetGutterWidth(int v) {
    v = std::clamp(v, 0, grid_limits::MaxGutterWidth);
    if (v == FGutterWidth) return;
    FGutterWidth = v;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetShowFooter(bool v) {
    if (v == FShowFooter) return;
    FShowFooter = v;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetFitToWidth(bool v) {
    if (v == FFitToWidth) return;
    FFitToWidth = v;
    ScrollX = 0;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetAutoColWidth(bool v) {
    if (v == FAutoColWidth) return;
    FAutoColWidth = v;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetDefRowHeight(int v) {
    if (v < 1) return;
    v = std::min(v, grid_limits::MaxRowHeight);
    if (v == DefRowHeight) return;
    DefRowHeight = v;
    LineStepX = v;
    PageStepX = 5 * v;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetDefColWidth(int v) {
    v = std::clamp(v, 0, grid_limits::MaxColWidth);
    if (v == DefColWidth) return;
    DefColWidth = v;
    if (FAutoColWidth) return;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetColWidthQuiet(int ACol, int W) {
    if (ACol < 0 || ACol >= ColCount()) return;
    FQuietColumns = true;
    Columns[ACol].SetWidth(W);
    FQuietColumns = false;
}

// ---- queries ----

int TLapGrid::ClientWidth() const {
    return Host ? Host->ClientWidth() : headless_metric::ClientWidth;
}

int TLapGrid::ClientHeight() const {
    return Host ? Host->ClientHeight() : headless_metric::ClientHeight;
}

int TLapGrid::ColLeft(int ACol) const {
    int x = 0;
    int n = std::min(ACol, ColCount());
    for (int i = 0; i < n; ++i)
        if (Columns[i].Visible()) x += Columns[i].Width();
    return x;
}

TRect TLapGrid::CellRect(int ACol, int ARow) const {
    if (ACol == -1 || ARow == -1) return TRect{};
    int x = ColLeft(ACol);
    int y = grid_limits::Extent(static_cast<long long>(ARow) * DefRowHeight);
    int w = ACol >= 0 && ACol < ColCount() && Columns[ACol].Visible() ? Columns[ACol].Width() : 0;
    return TRect{x - 1, y - 1, x + w, y + DefRowHeight};
}

TRect TLapGrid::ToClient(const TRect& R) const {
    int dx = GutterW - ScrollX;
    int dy = HeaderH - ScrollY;
    return TRect{R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy};
}

// The index after the column holding content x (see CellFromPoint).
static int WalkColumns(const TLapGrid& G, int cx) {
    int c = 0;
    if (G.ColCount() == 0) return 0;
    int left = 0; // ColLeft(c), kept running
    while (cx > left) {
        if (G.Columns[c].Visible()) left += G.Columns[c].Width();
        ++c;
        if (c > G.ColCount() - 1) break;
    }
    return c;
}

TPoint TLapGrid::CellFromPoint(int X, int Y) const {
    int cx = ScrollX + X - GutterW;
    int cy = Y + ScrollY - HeaderH;
    int c = std::max(0, WalkColumns(*this, cx) - 1);
    int r = std::max(0, std::min(cy / RowH(), RowCount() - 1));
    return TPoint{c, r};
}

int TLapGrid::ColFromX(int X) const {
    if (X < GutterW) return -1;
    int c = WalkColumns(*this, ScrollX + X - GutterW) - 1;
    return c >= 0 && c <= ColCount() - 1 ? c : -1;
}

int TLapGrid::RowFromY(int Y) const {
    if (Y < HeaderH) return -1;
    int r = (ScrollY + Y - HeaderH) / RowH();
    return r > RowCount() - 1 ? -1 : r;
}

// ---- layout ----

void TLapGrid::BuildHeaderInfo() {
    if (FQuietColumns) return;
    HeaderInfos.clear();
    for (int c = 0; c < ColCount(); ++c) {
        const TLapColumn& col = Columns[c];
        if (!col.Visible()) continue;
        std::vector<std::string> lines = text::SplitLines(BarsToBreaks(col.Title()));
        if (lines.empty()) lines.emplace_back();
        while (static_cast<int>(lines.size()) < FHeaderLine)
            lines.push_back(lines.back());
        std::size_t last = 0; // the cell made last for this column
        for (int line = 0; line < FHeaderLine; ++line) {
            const std::string& s = lines[static_cast<std::size_t>(line)];
            if (line > 0 && s == HeaderInfos[last].Str) {
                HeaderInfos[last].Rc.Bottom = line;
            } else {
                HeaderInfos.push_back(THeaderInfo{s, TRect{c, line, c, line}});
                last = HeaderInfos.size() - 1;
            }
        }
    }
    RecalcLayout();
}

int TLapGrid::VisibleColCount() const {
    int n = 0;
    for (int i = 0; i < ColCount(); ++i)
        if (Columns[i].Visible()) ++n;
    return n;
}

void TLapGrid::RecalcLayout() {
    if (FQuietColumns) return;
    const int n = ColCount();
    if (VisibleColCount() == 0) {
        HeaderH = 0;
        GutterW = 0;
        ColsWidth = 0;
        RowsHeight = 0;
        // Nothing to scroll over: no offsets, so no wheel or bar moves hidden content.
        MaxScrollX = MaxScrollY = ScrollX = ScrollY = 0;
        ShowScrollBars(false, false);
        return;
    }

    std::vector<int> widths(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        widths[static_cast<std::size_t>(i)] = Columns[i].Width();

    if (FAutoColWidth) {
        for (int i = 0; i < n; ++i) {
            int w = 20;
            for (const std::string& s : Columns[i].Strings())
                w = std::max(w, HostTextWidth(Font(), s) + 7);
            widths[static_cast<std::size_t>(i)] =
                std::min(grid_limits::MaxColWidth, std::max(DefColWidth, w));
        }
    }

    GutterW = FGutterKind != gkNone ? FGutterWidth : 0;
    HeaderH = FHeaderLine * DefRowHeight;
    RowsHeight = grid_limits::Extent(static_cast<long long>(RowCount()) * DefRowHeight);
    const int footerH = FShowFooter ? DefRowHeight : 0;
    const int availW = ClientWidth() - GutterW;
    const int availH = ClientHeight() - HeaderH - footerH;

    ColsWidth = 0;
    for (int i = 0; i < n; ++i)
        if (Columns[i].Visible()) ColsWidth += widths[static_cast<std::size_t>(i)];

    if (FFitToWidth) {
        // One pixel per resizable column and pass, so the difference is
        // spread from the left; a pass that changes nothing ends the loop.
        while (availW > ColsWidth) {
            int before = ColsWidth;
            for (int i = 0; i < n && availW > ColsWidth; ++i) {
                if (Columns[i].Visible() && Columns[i].CanResize) {
                    ++widths[static_cast<std::size_t>(i)];
                    ++ColsWidth;
                }
            }
            if (ColsWidth == before) break;
        }
        // Widths stop at 0: a negative width would fold columns over each other.
        while (availW < ColsWidth) {
            int before = ColsWidth;
            for (int i = 0; i < n && availW < ColsWidth; ++i) {
                int& w = widths[static_cast<std::size_t>(i)];
                if (Columns[i].Visible() && Columns[i].CanResize && i != KeepWidthCol && w > 0) {
                    --w;
                    --ColsWidth;
                }
            }
            if (ColsWidth == before) break;
        }
        KeepWidthCol = -1;
    }

    // The widths are the layout's own result, not a change to report.
    FQuietColumns = true;
    for (int i = 0; i < n; ++i)
        Columns[i].SetWidth(widths[static_cast<std::size_t>(i)]);
    FQuietColumns = false;

    if (availW > ColsWidth) ScrollX = 0;
    if (RowsHeight < availH) ScrollY = 0;

    const bool needH = availW < ColsWidth;
    const bool needV = RowsHeight > availH;
    ShowScrollBars(needH, needV);
    // Showing or hiding a bar changed the client size.
    const int cw = ClientWidth();
    const int ch = ClientHeight();

    MaxScrollX = std::max(0, ColsWidth - cw + GutterW);
    MaxScrollY = RoundUpTo(std::max(0, RowsHeight - ch + HeaderH + footerH), RowH());
    if (FShowFooter)
        FooterTop = needV ? (ch / RowH() - 1) * DefRowHeight - 1
                          : grid_limits::Extent((static_cast<long long>(FHeaderLine) + RowCount()) *
                                                DefRowHeight) -
                                1;

    ScrollX = std::max(0, std::min(ScrollX, MaxScrollX));
    ScrollY = std::max(0, std::min(ScrollY, MaxScrollY));

    SetBarInfo(sbHorizontal, MaxScrollX, sifRange | sifPos, ScrollX);
    if (needV) {
        VertBarInfo =
            TScrollInfo{sifRange | sifPage | sifPos, 0, RowsHeight, ch - HeaderH, ScrollY};
        if (Host) Host->SetScrollInfo(sbVertical, VertBarInfo);
    }

    GridWidth = std::min(cw, ColsWidth + GutterW);
    GridHeight = std::min(ch, RowsHeight + HeaderH + footerH);
    CellArea = TRect{GutterW, HeaderH, cw, FShowFooter ? FooterTop : ch};
}

// ---- scroll bars and offsets ----

void TLapGrid::ShowScrollBars(bool Horz, bool Vert) {
    if (!Host) return;
    Host->ShowScrollBar(sbHorizontal, Horz);
    Host->ShowScrollBar(sbVertical, Vert);
}

void TLapGrid::SetBarInfo(TScrollBarKind Bar, int Max, unsigned Mask, int Pos) {
    TScrollInfo info{Mask & (sifRange | sifPos), 0, Max, 0, Pos};
    if (Bar == sbVertical) {
        if (Mask & sifRange) {
            VertBarInfo.Min = 0;
            VertBarInfo.Max = Max;
        }
        if (Mask & sifPos) VertBarInfo.Pos = Pos;
    }
    if (Host) Host->SetScrollInfo(Bar, info);
}

void TLapGrid::SetScrollX(int X) {
    if (X == ScrollX) return;
    ScrollX = std::max(0, std::min(X, MaxScrollX));
    SetBarInfo(sbHorizontal, 0, sifPos, ScrollX);
    InvalidateRightOf(GutterW);
}

void TLapGrid::SetScrollY(int Y) {
    if (Y == ScrollY) return;
    int v = std::max(0, std::min(Y, MaxScrollY));
    ScrollY = v - v % RowH();
    SetBarInfo(sbVertical, 0, sifPos, ScrollY);
    InvalidateBelow(HeaderH);
}

void TLapGrid::EnsureVisible(int ACol, int ARow, int Threshold) {
    if (ACol == -1 || ARow == -1) return;
    if (ACol < 0 || ACol >= ColCount()) return;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (cw > GridWidth && ch > GridHeight) return;
    if (Threshold < 0) Threshold = FVertScrollThreshold;

    int newY = ScrollY;
    const int topRow = ScrollY / RowH();
    // A view too short for the kept rows below makes the row the top row;
    // a negative count would scroll the row itself out above the top.
    const int visRows =
        std::max(0, (ch - HeaderH) / RowH() - (Threshold + 1) - (FShowFooter ? 1 : 0));
    const int lastRow = topRow + visRows;
    const bool needV = ARow < topRow || ARow > lastRow;
    if (ARow < topRow) newY = grid_limits::Extent(static_cast<long long>(ARow) * DefRowHeight);
    if (ARow > lastRow)
        newY = grid_limits::Extent(static_cast<long long>(ARow - visRows) * DefRowHeight);

    int newX = ScrollX;
    const int left = ColLeft(ACol) - ScrollX + GutterW;
    const int right = left + Columns[ACol].Width();
    const bool needH = left < GutterW || right > cw;
    if (left < GutterW) newX = std::max(0, left - GutterW + newX);
    if (right > cw) newX = std::min(MaxScrollX, newX + (right - cw) + 1);

    if (needV && !needH) {
        SetScrollY(newY);
    } else if (needH && !needV) {
        SetScrollX(newX);
    } else if (needH && needV) {
        ScrollX = std::max(0, std::min(newX, MaxScrollX));
        int v = std::max(0, std::min(newY, MaxScrollY));
        ScrollY = v - v % RowH();
        SetBarInfo(sbHorizontal, 0, sifPos, ScrollX);
        SetBarInfo(sbVertical, 0, sifPos, ScrollY);
        InvalidateAll();
    }
}

void TLapGrid::ScrollToTop() {
    SetScrollY(0);
    SetBarInfo(sbVertical, 0, sifPos, ScrollY);
}

// ---- window events ----

void TLapGrid::Resize() {
    RecalcLayout();
    if (ColCount() > 0) EnsureVisible(FCol, FRow);
}

// Thumb positions are taken whole: the desktop's bars report full integers,
// so a sheet taller than 32767 pixels is reachable by dragging too.
void TLapGrid::HorzScroll(TScrollCode Code, int Pos) {
    EndEdit();
    int v = ScrollX;
    switch (Code) {
    case scLineUp:
        v -= LineStepX;
        break;
    case scLineDown:
        v += LineStepX;
        break;
    case scPageUp:
        v -= PageStepX;
        break;
    case scPageDown:
        v += PageStepX;
        break;
    case scPosition:
    case scTrack:
        v = Pos;
        break;
    default:
        break;
    }
    v = std::max(0, std::min(v, MaxScrollX));
    if (v == ScrollX) return;
    ScrollX = v;
    SetBarInfo(sbHorizontal, 0, sifPos, ScrollX);
    InvalidateRightOf(GutterW);
}

void TLapGrid::VertScroll(TScrollCode Code, int Pos) {
    EndEdit();
    int v = ScrollY;
    switch (Code) {
    case scLineUp:
        v -= DefRowHeight;
        break;
    case scLineDown:
        v += DefRowHeight;
        break;
    case scPageUp:
        v -= 3 * DefRowHeight;
        break;
    case scPageDown:
        v += 3 * DefRowHeight;
        break;
    case scPosition:
    case scTrack:
        v = Pos;
        break;
    case scTop:
        v = VertBarInfo.Min;
        break;
    case scBottom:
        v = VertBarInfo.Max;
        break;
    case scEndScroll:
        return;
    }
    // Clamped before rounding, which then stays in range: MaxScrollY is a
    // multiple of the row height.
    ScrollY = RoundUpTo(std::max(0, std::min(v, MaxScrollY)), RowH());
    SetBarInfo(sbVertical, 0, sifPos, ScrollY);
    InvalidateBelow(HeaderH);
}

void TLapGrid::MouseWheel(int Delta) {
    if (Delta == 0) return;
    int v = ScrollY - (Delta > 0 ? 1 : -1) * DefRowHeight;
    v = std::max(0, std::min(v, MaxScrollY));
    if (v == ScrollY) return;
    CommitEdit();
    EndEdit();
    if (Host) Host->SetFocus();
    ScrollY = v;
    SetBarInfo(sbVertical, 0, sifPos, ScrollY);
    InvalidateBelow(HeaderH);
}
