// Placeholders for the visual side until geometry, painting and the editor
// are in place: the data side calls these to ask for repaints.
#include "grid/lap_grid.h"

TColor Canvas::ColorToRGB(TColor c) const {
    return c;
}

void TLapGrid::SetHeaderLine(int) {}
void TLapGrid::SetGutterKind(TGutterKind) {}
void TLapGrid::SetGutterWidth(int) {}
void TLapGrid::SetShowFooter(bool) {}
void TLapGrid::SetFitToWidth(bool) {}
void TLapGrid::SetAutoColWidth(bool) {}
void TLapGrid::SetDefRowHeight(int) {}
void TLapGrid::SetDefColWidth(int) {}
int TLapGrid::ClientWidth() const {
    return 200;
}
int TLapGrid::ClientHeight() const {
    return 200;
}
int TLapGrid::ColLeft(int) const {
    return 0;
}
TRect TLapGrid::CellRect(int, int) const {
    return {};
}
TRect TLapGrid::ToClient(const TRect& R) const {
    return R;
}
TPoint TLapGrid::CellFromPoint(int, int) const {
    return {};
}
int TLapGrid::ColFromX(int) const {
    return -1;
}
int TLapGrid::RowFromY(int) const {
    return -1;
}
void TLapGrid::BuildHeaderInfo() {}
void TLapGrid::RecalcLayout() {}
void TLapGrid::ShowScrollBars(bool, bool) {}
void TLapGrid::SetBarInfo(TScrollBarKind, int, unsigned, int) {}
void TLapGrid::SetScrollX(int) {}
void TLapGrid::SetScrollY(int) {}
void TLapGrid::EnsureVisible(int, int, int) {}
void TLapGrid::ScrollToTop() {}
void TLapGrid::Resize() {}
void TLapGrid::HorzScroll(TScrollCode, int) {}
void TLapGrid::VertScroll(TScrollCode, int) {}
void TLapGrid::MouseWheel(int) {}
void TLapGrid::SetAlternateColor(TColor) {}
void TLapGrid::SetGridColor(TColor) {}
void TLapGrid::SetShowGrid(bool) {}
void TLapGrid::SetGridStyle(TPenStyle) {}
void TLapGrid::SetHeaderColor(TColor) {}
void TLapGrid::SetHeaderLightColor(TColor) {}
void TLapGrid::SetHeaderDarkColor(TColor) {}
void TLapGrid::SetSelectionColor(TColor) {}
void TLapGrid::SetBoxColor(TColor) {}
void TLapGrid::SetFlat(bool) {}
void TLapGrid::SetHeaderFont(const TFont&) {}
void TLapGrid::SetFooterFont(const TFont&) {}
void TLapGrid::SetGutterFont(const TFont&) {}
void TLapGrid::SetGutterStrings(const TStringList&) {}
void TLapGrid::SetColor(TColor) {}
void TLapGrid::SetEnabled(bool) {}
void TLapGrid::Paint(Canvas&) {}
TColor TLapGrid::CellColor(int, int) const {
    return 0;
}
void TLapGrid::DrawCell(Canvas&, int, int) {}
TPoint TLapGrid::RedrawCell(int, int, bool) {
    return TPoint{-1, -1};
}
void TLapGrid::DrawAlignedText(Canvas&, const std::string&, const TRect&, TPoint*, bool, TVertAlign,
                               THorzAlign) const {}
void TLapGrid::DrawHeaderText(Canvas&, const std::string&, const TRect&, TVertAlign,
                              THorzAlign) const {}
void TLapGrid::DrawHeaderCell(Canvas&, const TRect&, const std::string&, const THeaderDrawEvent&,
                              const TFont&) {}
void TLapGrid::FillEmptyArea(Canvas&) const {}
void TLapGrid::DrawSelectionBox(Canvas&) const {}
TRect TLapGrid::SelectionFrameRect() const {
    return {};
}
void TLapGrid::InvalidateSelectionBox() {}
void TLapGrid::InvalidateAll() {}
void TLapGrid::InvalidateCellArea() {}
void TLapGrid::InvalidateCells() {}
void TLapGrid::InvalidateCells(const TRect&, int) {}
void TLapGrid::InvalidateColumn(int) {}
void TLapGrid::InvalidateBelow(int) {}
void TLapGrid::InvalidateRightOf(int) {}
void TLapGrid::SetHost(GridHost* H) {
    Host = H;
}
void TLapGrid::EndEdit() {}
