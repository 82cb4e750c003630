#include "ui/grid_setup.h"

#include "grid/lap_grid.h"
#include "text/lines.h"

#include <memory>

namespace {

// "メイリオ" in code page 932.
const char* const kGridFace = "\x83\x81\x83\x43\x83\x8A\x83\x49";

} // namespace

void SetupLapGrid(TLapGrid& Grid, const TLapEnv& Env) {
    Grid.BeginUpdate();
    TFont font;
    font.Name = kGridFace;
    font.Style = fsBold;
    Grid.SetFont(font);
    Grid.SetColCount(SheetColumnCount);
    constexpr int widths[SheetColumnCount] = {81, 81, 81, 81, 69};
    for (int i = 0; i < SheetColumnCount; ++i) {
        TLapColumn& c = Grid.Columns[i];
        c.SetWidth(widths[i]);
        c.SetTitle(Env.HeaderTexts[std::size_t(i)].str());
        c.CanResize = Env.ColumnsResizable != 0;
    }
    Grid.Columns[0].SetHorzAlign(haCenter);
    Grid.Columns[0].SetColor(sys_color::BtnFace);
    Grid.Columns[3].ReadOnly = true;
    Grid.Columns[4].ReadOnly = true;
    Grid.Columns[4].SetHorzAlign(haCenter);
    Grid.SetDefRowHeight(22);
    Grid.SetDefColWidth(74);
    Grid.SetGutterKind(gkNone);
    Grid.SetShowFooter(false);
    Grid.SetVertScrollThreshold(1);
    Grid.SetHeaderLine(Env.HeaderVisible);
    Grid.EndUpdate();
}

void ShowSheetInGrid(TLapGrid& Grid, const TLaptimeSheet& Sheet) {
    Grid.BeginUpdate();
    Grid.ClearCells();
    TFont font = Grid.Font();
    font.Name = Sheet.FontName.str();
    font.Color = Sheet.FontColor;
    font.Style = Sheet.FontStyle;
    font.Size = Sheet.FontSize;
    Grid.SetFont(font);
    Grid.SetColor(Sheet.BackColor);
    Grid.SetHeaderColor(Sheet.HeaderColor);
    Grid.SetHeaderDarkColor(Sheet.HeaderDarkColor);
    TFont header = Grid.HeaderFont();
    header.Color = Sheet.HeaderFontColor;
    Grid.SetHeaderFont(header);
    Grid.SetBoxColor(Sheet.BoxColor);
    const int columns = std::min(Grid.ColCount(), SheetColumnCount);
    for (int i = 0; i < columns; ++i)
        Grid.Columns[i].SetColor(Sheet.CellColor);
    Grid.SetAlternateColor(Sheet.AlternateColor);
    Grid.SetShowGrid(Sheet.ShowGrid != 0);
    const std::uint8_t style = Sheet.GridStyle;
    Grid.SetGridStyle(style <= psDashDotDot ? TPenStyle(style) : psSolid);
    Grid.SetGridColor(Sheet.GridColor);
    Grid.SetDefRowHeight(Sheet.DefRowHeight);
    Grid.SetRowCount(Sheet.RowCount);
    for (int i = 0; i < columns; ++i) {
        TLapColumn& c = Grid.Columns[i];
        const std::size_t k = std::size_t(i);
        c.SetVisible(Sheet.ColVisible[k] != 0);
        c.SetWidth(Sheet.ColWidth[k]);
        const std::uint8_t h = Sheet.ColHorzAlign[k];
        const std::uint8_t v = Sheet.ColVertAlign[k];
        c.SetHorzAlign(h <= haRight ? THorzAlign(h) : haLeft);
        c.SetVertAlign(v <= vaBottom ? TVertAlign(v) : vaCenter);
    }
    for (int k = 0; k < std::min(columns, StoredColumnCount); ++k)
        Grid.Columns[k].SetStrings(text::SplitLines(Sheet.Texts[std::size_t(k)]));
    Grid.EndUpdate();
}

void AddSheetLists(TLapGrid& Grid, int Rows, int UndoIndex) {
    TTimeFormatList formats;
    formats.AddDefaults(Rows);
    Grid.TimeFormatLists.Add(std::move(formats));
    Grid.UndoList.Add(std::make_unique<TUndoBufferList>(&Grid, UndoIndex));
}
