// How the grid draws itself over a Canvas: cells, selection frame, gutter,
// header and footer, and the repaint requests it sends to its host.
#include "grid/lap_grid.h"
#include "text/lines.h"

#include <algorithm>

namespace {

// "ＭＳ Ｐゴシック" and "(全てのカラムが非表示になっています)" in code page 932.
const char* const kNoticeFace = "\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
const char* const kNoColumnsNotice = "(\x91\x53\x82\xC4\x82\xCC\x83\x4A\x83\x89\x83\x80\x82\xAA"
                                     "\x94\xF1\x95\x5C\x8E\xA6\x82\xC9\x82\xC8\x82\xC1\x82\xC4"
                                     "\x82\xA2\x82\xDC\x82\xB7)";

bool Intersects(const TRect& a, const TRect& b) {
    return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
           std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

TRect Inflate(const TRect& r, int dx, int dy) {
    return TRect{r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

int AlignX(THorzAlign HAlign, const TRect& Rc, int tw, bool KeepEnd) {
    const int w = Rc.Right - Rc.Left;
    switch (HAlign) {
    case haCenter:
        return Rc.Left + (w - tw) / 2;
    case haRight:
        return Rc.Right - tw;
    default:
        return KeepEnd && tw > w ? Rc.Left + w - tw : Rc.Left;
    }
}

int AlignY(TVertAlign VAlign, const TRect& Rc, int th) {
    switch (VAlign) {
    case vaTop:
        return Rc.Top;
    case vaBottom:
        return Rc.Bottom - th;
    default:
        return Rc.Top + (Rc.Bottom - Rc.Top - th) / 2;
    }
}

} // namespace

TColor Canvas::ColorToRGB(TColor c) const {
    if (!IsSystemColor(c)) return c & 0xFFFFFFu;
    switch (c) {
    case sys_color::Window:
        return RGB(255, 255, 255);
    case sys_color::WindowText:
        return RGB(0, 0, 0);
    case sys_color::Highlight:
        return RGB(0, 120, 215);
    case sys_color::BtnFace:
        return RGB(240, 240, 240);
    case sys_color::BtnShadow:
        return RGB(160, 160, 160);
    case sys_color::GrayText:
        return RGB(109, 109, 109);
    case sys_color::BtnHighlight:
        return RGB(255, 255, 255);
    default:
        return RGB(0, 0, 0);
    }
}

// ---- helpers ----

int TLapGrid::HostTextWidth(const TFont& F, const std::string& S) const {
    return FHost ? FHost->TextWidth(F, S) : headless_metric::Width(S);
}

bool TLapGrid::GridFocused() const {
    return FHost && FHost->HasFocus();
}

// ---- visual property setters ----

void TLapGrid::SetColor(TColor v) {
    if (v == FColor) return;
    FColor = v;
    InvalidateAll();
}

void TLapGrid::SetEnabled(bool v) {
    if (v == FEnabled) return;
    FEnabled = v;
    InvalidateAll();
}

void TLapGrid::SetLook(const TGridLook& v) {
    if (v == FLook) return;
    const TGridLook old = FLook;
    FLook = v;
    // The header colours, the flat style and the footer font reach beyond
    // the cells; the other colours show only there.
    const bool all = v.HeaderColor != old.HeaderColor ||
                     v.HeaderLightColor != old.HeaderLightColor ||
                     v.HeaderDarkColor != old.HeaderDarkColor || v.Flat != old.Flat ||
                     v.FooterFont != old.FooterFont;
    if (all) {
        InvalidateAll();
        return;
    }
    const bool cells = v.AlternateColor != old.AlternateColor || v.GridColor != old.GridColor ||
                       v.ShowGrid != old.ShowGrid || v.GridStyle != old.GridStyle ||
                       v.SelectionColor != old.SelectionColor || v.BoxColor != old.BoxColor;
    if (cells) InvalidateCells();
    if (!FHost) return;
    if (v.HeaderFont != old.HeaderFont) FHost->Invalidate(TRect{0, 0, ClientWidth(), FLayout.HeaderH});
    if (v.GutterFont != old.GutterFont)
        FHost->Invalidate(TRect{0, FLayout.HeaderH, FLayout.GutterW, ClientHeight()});
}

void TLapGrid::SetGutterStrings(const TStringList& v) {
    if (v == FGutterStrings) return;
    FGutterStrings = v;
    if (FGutterKind == gkString && FHost)
        FHost->Invalidate(TRect{0, FLayout.HeaderH, FLayout.GutterW, ClientHeight()});
}

// ---- repaint requests ----

void TLapGrid::InvalidateAll() {
    if (FHost && !FQuietColumns) FHost->InvalidateAll();
}

void TLapGrid::InvalidateCells() {
    if (FHost)
        FHost->Invalidate(
            TRect{FLayout.GutterW - 2, FLayout.HeaderH - 2, ClientWidth(), ClientHeight()});
}

void TLapGrid::InvalidateCellArea() {
    InvalidateCells();
}

void TLapGrid::InvalidateCells(const TRect& CellRange, int Margin) {
    if (!FHost) return;
    TRect a = ToClient(CellRect(CellRange.Left, CellRange.Top));
    TRect b = ToClient(CellRect(CellRange.Right, CellRange.Bottom));
    TRect r{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
            std::max(a.Bottom, b.Bottom)};
    FHost->Invalidate(Inflate(r, Margin, Margin));
}

void TLapGrid::InvalidateColumn(int ACol) {
    if (!FHost || FQuietColumns || ACol < 0 || ACol >= ColCount()) return;
    const int left = ColLeft(ACol) + FLayout.GutterW - FLayout.ScrollX();
    const int right = left + (Columns[ACol].Visible() ? Columns[ACol].Width() : 0);
    FHost->Invalidate(TRect{left - 3, 0, right + 3, ClientHeight()});
}

void TLapGrid::InvalidateBelow(int Y) {
    if (FHost) FHost->Invalidate(TRect{0, Y, ClientWidth(), ClientHeight()});
}

void TLapGrid::InvalidateRightOf(int X) {
    if (FHost) FHost->Invalidate(TRect{X, 0, ClientWidth(), ClientHeight()});
}

void TLapGrid::InvalidateSelectionBox() {
    // The 3-pixel pen is centred on the frame's outline.
    if (FHost) FHost->Invalidate(Inflate(SelectionFrameRect(), 2, 2));
}

// ---- cells ----

TColor TLapGrid::CellColor(int ACol, int ARow) const {
    TColor base = ARow % 2 != 0 ? FLook.AlternateColor : Columns[ACol].Color();
    if (!FEnabled) return base;
    const bool inSel = FCell.Selection.Contains(ACol, ARow);
    if (inSel && !(ACol == Col() && ARow == Row()))
        return GridFocused() ? FLook.SelectionColor : sys_color::BtnFace;
    return base;
}

TRect TLapGrid::SelectionFrameRect() const {
    TRect a = ToClient(CellRect(FCell.Selection.Left, FCell.Selection.Top));
    TRect b = ToClient(CellRect(FCell.Selection.Right, FCell.Selection.Bottom));
    return TRect{a.Left, a.Top, b.Right, b.Bottom};
}

void TLapGrid::DrawCellText(Canvas& C, int ACol, int ARow, TRect rc, bool KeepEnd,
                            TPoint* CaretPos) const {
    const TLapColumn& col = Columns[ACol];
    DrawAlignedText(C, CellText(ACol, ARow), Inflate(rc, -4, -2), CaretPos, KeepEnd,
                    col.VertAlign(), col.HorzAlign());
}

void TLapGrid::DrawCell(Canvas& C, int ACol, int ARow) {
    TRect rc = ToClient(CellRect(ACol, ARow));
    if (!Intersects(rc, FLayout.CellArea)) return;
    const TLapColumn& col = Columns[ACol];

    C.Font = col.Font();
    if (!FEnabled) C.Font.Color = FLook.GridColor;
    C.Pen.Color = FLook.GridColor;
    C.Brush.Color = CellColor(ACol, ARow);
    C.Brush.Style = bsSolid;

    bool Handled = false;
    if (OnDrawCell) OnDrawCell(C, ACol, ARow, rc, Handled);

    // Selected text stays readable on the selection colour, whatever the
    // handler chose.
    const bool inSel = FCell.Selection.Contains(ACol, ARow);
    if (FEnabled && inSel && !(ACol == Col() && ARow == Row()) && !FCell.Selection.IsSingle()) {
        TColor back = GridFocused() ? FLook.SelectionColor : sys_color::BtnFace;
        C.Font.Color = ~C.ColorToRGB(back) & 0xFFFFFFu;
    }
    if (Handled) return;

    C.Brush.Style = bsSolid;
    C.Pen.Style = FLook.GridStyle;
    if (FLook.ShowGrid)
        C.Rectangle(rc);
    else
        C.FillRect(rc);

    C.Brush.Style = bsClear;
    // The cell being typed into keeps the end of its text in view.
    const bool keepEnd = ACol == FKeepEndCol && ARow == FKeepEndRow && ACol == Col() &&
                         ARow == Row() && !FTyping.TypedText().empty();
    DrawCellText(C, ACol, ARow, rc, keepEnd, nullptr);
}

TPoint TLapGrid::RedrawCell(int ACol, int ARow, bool KeepEnd) {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0) return TPoint{-1, -1};
    TRect rc = ToClient(CellRect(ACol, ARow));
    if (!Intersects(rc, FLayout.CellArea)) return TPoint{-1, -1};
    if (KeepEnd) {
        FKeepEndCol = ACol;
        FKeepEndRow = ARow;
    }
    const TLapColumn& col = Columns[ACol];
    const TRect inner = Inflate(rc, -4, -2);
    const int tw = HostTextWidth(col.Font(), CellText(ACol, ARow));
    const int x = AlignX(col.HorzAlign(), inner, tw, KeepEnd);
    if (FHost) FHost->Invalidate(inner);
    return TPoint{std::min(x + tw + 1, inner.Right), inner.Top - 1};
}

// ---- text ----

void TLapGrid::DrawAlignedText(Canvas& C, const std::string& Text, const TRect& Rc,
                               TPoint* CaretPos, bool KeepEnd, TVertAlign VAlign,
                               THorzAlign HAlign) const {
    const int tw = C.TextWidth(Text);
    const int th = C.TextHeight("gM");
    const int x = AlignX(HAlign, Rc, tw, KeepEnd);
    const int y = AlignY(VAlign, Rc, th);
    C.TextRect(Rc, x, y, Text);
    if (CaretPos) *CaretPos = TPoint{std::min(x + tw + 1, Rc.Right), Rc.Top - 1};
}

void TLapGrid::DrawHeaderText(Canvas& C, const std::string& Text, const TRect& Rc,
                              TVertAlign VAlign, THorzAlign HAlign) const {
    // ";" cannot be the trail byte of a two-byte character, so a byte search is safe.
    if (Text.find(';') == std::string::npos) {
        DrawAlignedText(C, Text, Rc, nullptr, false, VAlign, HAlign);
        return;
    }
    std::string broken = Text;
    std::replace(broken.begin(), broken.end(), ';', '\n');
    const std::vector<std::string> lines = text::SplitLines(broken);
    const int th = C.TextHeight("gM");
    const int n = static_cast<int>(lines.size());
    const int y0 = Rc.Top + (Rc.Bottom - Rc.Top - n * th) / 2;
    for (int i = 0; i < n; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        const int x = AlignX(HAlign, Rc, C.TextWidth(line), false);
        int y = y0 + i * th;
        if (VAlign == vaTop) y = Rc.Top + i * th;
        if (VAlign == vaBottom) y = Rc.Bottom - (n - i) * th;
        C.TextRect(Rc, x, y, line);
    }
}

// ---- header, gutter, footer ----

void TLapGrid::DrawHeaderCell(Canvas& C, const TRect& Rc, const std::string& Str,
                              const THeaderDrawEvent& Event, const TFont& AFont) {
    C.Pen.Color = FLook.ShowGrid ? FLook.HeaderDarkColor : FLook.HeaderColor;
    C.Brush = TBrush{FLook.HeaderColor, bsSolid};
    C.Font = AFont;
    if (!FEnabled) C.Font.Color = FLook.HeaderDarkColor;

    bool Handled = false;
    if (Event) Event(C, Rc, Str, Handled);
    if (Handled) return;

    C.Pen.Style = FLook.GridStyle;
    C.Rectangle(Rc);
    C.Brush.Style = bsClear;
    C.Pen.Width = 1;
    DrawHeaderText(C, Str, TRect{Rc.Left + 2, Rc.Top + 2, Rc.Right - 3, Rc.Bottom - 3}, vaCenter,
                   haCenter);
}

void TLapGrid::DrawHeader(Canvas& C) {
    C.Font = FLook.HeaderFont;
    const TRect client{0, 0, ClientWidth(), ClientHeight()};
    const int dx = FLayout.GutterW - FLayout.ScrollX();
    for (const THeaderInfo& h : FHeaderInfos) {
        TRect rc{ColLeft(h.Rc.Left) - 1 + dx, h.Rc.Top * FDefRowHeight - 1,
                 ColLeft(h.Rc.Right + 1) + dx, (h.Rc.Bottom + 1) * FDefRowHeight};
        if (Intersects(rc, client)) DrawHeaderCell(C, rc, h.Str, OnDrawHeader, FLook.HeaderFont);
    }
    DrawHeaderCell(C, TRect{-1, -1, FLayout.GutterW, FLayout.HeaderH}, std::string(), OnDrawHeader,
                   FLook.HeaderFont);
}

void TLapGrid::DrawGutter(Canvas& C) {
    if (FGutterKind == gkNone) return;
    TRect test = FLayout.CellArea;
    test.Left = 0;
    const int dy = FLayout.HeaderH - FLayout.ScrollY();
    // Only the rows that can meet the test rectangle; the test below decides.
    const int first = std::max(0, (test.Top - dy) / RowH() - 1);
    const int last = std::min(RowCount() - 1, (test.Bottom - dy) / RowH() + 1);
    for (int r = first; r <= last; ++r) {
        TRect rc{-1, r * FDefRowHeight - 1 + dy, FGutterWidth, (r + 1) * FDefRowHeight + dy};
        if (!Intersects(rc, test)) continue;
        std::string s;
        if (FGutterKind == gkNumber) s = std::to_string(r + 1);
        if (FGutterKind == gkString && static_cast<std::size_t>(r) < FGutterStrings.size())
            s = FGutterStrings[static_cast<std::size_t>(r)];
        DrawHeaderCell(C, rc, s, OnDrawGutter, FLook.GutterFont);
        if (FGutterKind == gkPointer && r == Row()) {
            const int px = (FGutterWidth - 8) / 2;
            const int pdy = (FDefRowHeight - 8) / 2;
            const int ym = FDefRowHeight / 2 + rc.Top;
            C.Pen.Color = FLook.HeaderDarkColor;
            C.MoveTo(px, rc.Bottom - pdy);
            C.LineTo(px, rc.Top + pdy);
            C.LineTo(px + 8, ym);
            C.Pen.Color = FLook.HeaderLightColor;
            C.LineTo(px, rc.Bottom - pdy);
        }
    }
}

void TLapGrid::DrawFooter(Canvas& C) {
    C.Font = FLook.FooterFont;
    const TRect client{0, 0, ClientWidth(), ClientHeight()};
    const int y0 = FLayout.FooterTop;
    const int y1 = FLayout.FooterTop + FDefRowHeight + 1;
    const int dx = FLayout.GutterW - FLayout.ScrollX();
    for (int i = 0; i < ColCount(); ++i) {
        TRect rc{ColLeft(i) - 1 + dx, y0, ColLeft(i + 1) + dx, y1};
        if (Intersects(rc, client))
            DrawHeaderCell(C, rc, Columns[i].Footer(), OnDrawFooter, FLook.FooterFont);
    }
    DrawHeaderCell(C, TRect{-1, y0, FLayout.GutterW, y1}, std::string(), OnDrawFooter, FLook.FooterFont);
    DrawHeaderCell(C, TRect{-1, y1 - 1, std::min(FLayout.GridWidth, client.Right), client.Bottom},
                   std::string(), OnDrawFooter, FLook.FooterFont);
}

void TLapGrid::FillEmptyArea(Canvas& C) const {
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    C.Brush = TBrush{FColor, bsSolid};
    if (cw > FLayout.GridWidth) C.FillRect(TRect{FLayout.GridWidth, 0, cw, ch});
    if (FShowFooter) return;
    if (ch > FLayout.GridHeight) C.FillRect(TRect{0, FLayout.GridHeight, cw, ch});
    if (FLayout.MaxScrollY - FLayout.ScrollY() < FDefRowHeight)
        C.FillRect(
            TRect{0, ((ch - FLayout.HeaderH) / RowH()) * FDefRowHeight + FLayout.HeaderH, cw, ch});
}

void TLapGrid::DrawSelectionBox(Canvas& C) const {
    if (Col() == -1 || Row() == -1 || VisibleColCount() == 0) return;
    C.Pen = TPen{FLook.BoxColor, psSolid, 3};
    C.Brush.Style = bsClear;
    C.Rectangle(SelectionFrameRect());
    C.Pen.Width = 1;
    C.Brush = TBrush{FLook.BoxColor, bsSolid};
    C.Pen.Color = RGB(255, 255, 255);
}

// ---- the paint cycle ----

namespace {

// Takes the frame around the selection (Frame grown by 1, less Frame shrunk
// by 2) out of the clip region, so that cells never overdraw it.
void ExcludeRing(Canvas& C, const TRect& Frame) {
    const TRect o = Inflate(Frame, 1, 1);
    const TRect i = Inflate(Frame, -2, -2);
    if (i.Left >= i.Right || i.Top >= i.Bottom) {
        C.ExcludeClipRect(o);
        return;
    }
    C.ExcludeClipRect(TRect{o.Left, o.Top, o.Right, i.Top});
    C.ExcludeClipRect(TRect{o.Left, i.Bottom, o.Right, o.Bottom});
    C.ExcludeClipRect(TRect{o.Left, i.Top, i.Left, i.Bottom});
    C.ExcludeClipRect(TRect{i.Right, i.Top, o.Right, i.Bottom});
}

} // namespace

void TLapGrid::Paint(Canvas& C) {
    if (FUpdating || !FHost) return;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    const TRect client{0, 0, cw, ch};

    C.Brush = TBrush{FColor, bsSolid};
    C.FillRect(client);

    if (VisibleColCount() == 0) {
        C.Font.Name = kNoticeFace;
        C.Font.Color = sys_color::GrayText;
        const std::string notice = kNoColumnsNotice;
        const int x = cw / 2 - C.TextWidth(notice) / 2;
        const int y = ch / 2 - C.TextHeight(notice) / 2;
        C.TextOut(x, y, notice);
        return;
    }

    if (RowCount() < 1) {
        FillEmptyArea(C);
        DrawGutter(C);
        DrawHeader(C);
        if (FShowFooter) DrawFooter(C);
        return;
    }

    const TRect frame = SelectionFrameRect();
    const TRect body{FLayout.GutterW, FLayout.HeaderH, cw, FShowFooter ? FLayout.FooterTop : ch};

    C.SetClipRect(body);
    if (FEnabled) ExcludeRing(C, frame);
    // Only rows that can meet the cell area; DrawCell's own test decides
    // exactly, so the picture is that of visiting every row.
    const int dy = FLayout.HeaderH - FLayout.ScrollY();
    const int first = std::max(0, (FLayout.CellArea.Top - dy) / RowH() - 1);
    const int last = std::min(RowCount() - 1, (FLayout.CellArea.Bottom - dy) / RowH() + 1);
    for (int c = 0; c < ColCount(); ++c) {
        if (!Columns[c].Visible()) continue;
        for (int r = first; r <= last; ++r)
            DrawCell(C, c, r);
    }

    C.SetClipRect(client);
    if (FEnabled) ExcludeRing(C, frame);
    FillEmptyArea(C);

    C.SetClipRect(body);
    if (FEnabled) DrawSelectionBox(C);

    C.RemoveClip();
    DrawGutter(C);
    DrawHeader(C);
    if (FShowFooter) DrawFooter(C);
}
