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

} // namespace

// ---- setters ----

void TLapGrid::SetHost(GridHost* H) {
    FHost = H;
    if (!FHost) return;
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
        if (FHost) FHost->Invalidate(TRect{0, FLayout.HeaderH, FLayout.GutterW, ClientHeight()});
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
    FLayout.ResetScrollX();
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
    if (v == FDefRowHeight) return;
    FDefRowHeight = v;
    FLineStepX = v;
    FPageStepX = 5 * v;
    RecalcLayout();
    InvalidateAll();
}

void TLapGrid::SetDefColWidth(int v) {
    v = std::clamp(v, 0, grid_limits::MaxColWidth);
    if (v == FDefColWidth) return;
    FDefColWidth = v;
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
    return FHost ? FHost->ClientWidth() : headless_metric::ClientWidth;
}

int TLapGrid::ClientHeight() const {
    return FHost ? FHost->ClientHeight() : headless_metric::ClientHeight;
}

// ---- layout ----

void TLapGrid::BuildHeaderInfo() {
    if (FQuietColumns) return;
    FHeaderInfos.clear();
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
            if (line > 0 && s == FHeaderInfos[last].Str) {
                FHeaderInfos[last].Rc.Bottom = line;
            } else {
                FHeaderInfos.push_back(THeaderInfo{s, TRect{c, line, c, line}});
                last = FHeaderInfos.size() - 1;
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
    std::vector<TColumnShape> cols(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        TColumnShape& c = cols[static_cast<std::size_t>(i)];
        c.Visible = Columns[i].Visible();
        c.CanResize = Columns[i].CanResize;
        c.Width = Columns[i].Width();
        if (FAutoColWidth) {
            int w = 20;
            for (const std::string& s : Columns[i].Strings())
                w = std::max(w, HostTextWidth(Font(), s) + 7);
            c.Width = std::min(grid_limits::MaxColWidth, std::max(FDefColWidth, w));
        }
    }
    const TLayoutRequest req{FGutterKind != gkNone ? FGutterWidth : 0,
                             FHeaderLine,
                             FDefRowHeight,
                             FRowCount,
                             FShowFooter,
                             FFitToWidth,
                             FKeepWidthCol};
    const TScrollBarsNeeded bars = FLayout.Arrange(cols, req, ClientWidth(), ClientHeight());
    if (VisibleColCount() == 0) {
        ShowScrollBars(false, false);
        return;
    }
    if (FFitToWidth) FKeepWidthCol = -1;

    // The widths are the layout's own result, not a change to report.
    FQuietColumns = true;
    for (int i = 0; i < n; ++i)
        Columns[i].SetWidth(cols[static_cast<std::size_t>(i)].Width);
    FQuietColumns = false;

    ShowScrollBars(bars.Horz, bars.Vert);
    // Showing or hiding a bar changed the client size.
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    FLayout.Fit(req, bars.Vert, cw, ch);

    SetBarInfo(sbHorizontal, FLayout.MaxScrollX, sifRange | sifPos, FLayout.ScrollX());
    if (bars.Vert) {
        FVertBarInfo = TScrollInfo{sifRange | sifPage | sifPos, 0, FLayout.RowsHeight,
                                   ch - FLayout.HeaderH, FLayout.ScrollY()};
        if (FHost) FHost->SetScrollInfo(sbVertical, FVertBarInfo);
    }
}

// ---- scroll bars and offsets ----

void TLapGrid::ShowScrollBars(bool Horz, bool Vert) {
    if (!FHost) return;
    FHost->ShowScrollBar(sbHorizontal, Horz);
    FHost->ShowScrollBar(sbVertical, Vert);
}

void TLapGrid::SetBarInfo(TScrollBarKind Bar, int Max, unsigned Mask, int Pos) {
    TScrollInfo info{Mask & (sifRange | sifPos), 0, Max, 0, Pos};
    if (Bar == sbVertical) {
        if (Mask & sifRange) {
            FVertBarInfo.Min = 0;
            FVertBarInfo.Max = Max;
        }
        if (Mask & sifPos) FVertBarInfo.Pos = Pos;
    }
    if (FHost) FHost->SetScrollInfo(Bar, info);
}

void TLapGrid::SetScrollX(int X) {
    if (X == FLayout.ScrollX()) return;
    FLayout.ScrollXTo(X);
    SetBarInfo(sbHorizontal, 0, sifPos, FLayout.ScrollX());
    InvalidateRightOf(FLayout.GutterW);
}

void TLapGrid::SetScrollY(int Y) {
    if (Y == FLayout.ScrollY()) return;
    FLayout.ScrollYTo(Y);
    SetBarInfo(sbVertical, 0, sifPos, FLayout.ScrollY());
    InvalidateBelow(FLayout.HeaderH);
}

void TLapGrid::EnsureVisible(int ACol, int ARow, int Threshold) {
    if (ACol == -1 || ARow == -1) return;
    if (ACol < 0 || ACol >= ColCount()) return;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    if (cw > FLayout.GridWidth && ch > FLayout.GridHeight) return;
    if (Threshold < 0) Threshold = FVertScrollThreshold;

    int newY = FLayout.ScrollY();
    const int topRow = FLayout.ScrollY() / RowH();
    // A view too short for the kept rows below makes the row the top row;
    // a negative count would scroll the row itself out above the top.
    const int visRows =
        std::max(0, (ch - FLayout.HeaderH) / RowH() - (Threshold + 1) - (FShowFooter ? 1 : 0));
    const int lastRow = topRow + visRows;
    const bool needV = ARow < topRow || ARow > lastRow;
    if (ARow < topRow) newY = grid_limits::Extent(static_cast<long long>(ARow) * FDefRowHeight);
    if (ARow > lastRow)
        newY = grid_limits::Extent(static_cast<long long>(ARow - visRows) * FDefRowHeight);

    int newX = FLayout.ScrollX();
    const int left = ColLeft(ACol) - FLayout.ScrollX() + FLayout.GutterW;
    const int right = left + Columns[ACol].Width();
    const bool needH = left < FLayout.GutterW || right > cw;
    if (left < FLayout.GutterW) newX = std::max(0, left - FLayout.GutterW + newX);
    if (right > cw) newX = std::min(FLayout.MaxScrollX, newX + (right - cw) + 1);

    if (needV && !needH) {
        SetScrollY(newY);
    } else if (needH && !needV) {
        SetScrollX(newX);
    } else if (needH && needV) {
        FLayout.ScrollXTo(newX);
        FLayout.ScrollYTo(newY);
        SetBarInfo(sbHorizontal, 0, sifPos, FLayout.ScrollX());
        SetBarInfo(sbVertical, 0, sifPos, FLayout.ScrollY());
        InvalidateAll();
    }
}

void TLapGrid::ScrollToTop() {
    SetScrollY(0);
    SetBarInfo(sbVertical, 0, sifPos, FLayout.ScrollY());
}

// ---- window events ----

void TLapGrid::Resize() {
    RecalcLayout();
    if (ColCount() > 0) EnsureVisible(FCell.Col, FCell.Row);
}

// Thumb positions are taken whole: the desktop's bars report full integers,
// so a sheet taller than 32767 pixels is reachable by dragging too.
void TLapGrid::HorzScroll(TScrollCode Code, int Pos) {
    EndEdit();
    int v = FLayout.ScrollX();
    switch (Code) {
    case scLineUp:
        v -= FLineStepX;
        break;
    case scLineDown:
        v += FLineStepX;
        break;
    case scPageUp:
        v -= FPageStepX;
        break;
    case scPageDown:
        v += FPageStepX;
        break;
    case scPosition:
    case scTrack:
        v = Pos;
        break;
    default:
        break;
    }
    v = FLayout.ClampScrollX(v);
    if (v == FLayout.ScrollX()) return;
    FLayout.ScrollXTo(v);
    SetBarInfo(sbHorizontal, 0, sifPos, FLayout.ScrollX());
    InvalidateRightOf(FLayout.GutterW);
}

void TLapGrid::VertScroll(TScrollCode Code, int Pos) {
    EndEdit();
    int v = FLayout.ScrollY();
    switch (Code) {
    case scLineUp:
        v -= FDefRowHeight;
        break;
    case scLineDown:
        v += FDefRowHeight;
        break;
    case scPageUp:
        v -= 3 * FDefRowHeight;
        break;
    case scPageDown:
        v += 3 * FDefRowHeight;
        break;
    case scPosition:
    case scTrack:
        v = Pos;
        break;
    case scTop:
        v = FVertBarInfo.Min;
        break;
    case scBottom:
        v = FVertBarInfo.Max;
        break;
    case scEndScroll:
        return;
    }
    FLayout.ScrollYUpTo(v);
    SetBarInfo(sbVertical, 0, sifPos, FLayout.ScrollY());
    InvalidateBelow(FLayout.HeaderH);
}

void TLapGrid::MouseWheel(int Delta) {
    if (Delta == 0) return;
    int v = FLayout.ScrollY() - (Delta > 0 ? 1 : -1) * FDefRowHeight;
    v = std::clamp(v, 0, FLayout.MaxScrollY);
    if (v == FLayout.ScrollY()) return;
    CommitEdit();
    EndEdit();
    if (FHost) FHost->SetFocus();
    FLayout.ScrollYWithin(v);
    SetBarInfo(sbVertical, 0, sifPos, FLayout.ScrollY());
    InvalidateBelow(FLayout.HeaderH);
}
