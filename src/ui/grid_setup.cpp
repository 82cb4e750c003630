#include "ui/grid_setup.h"

#include "grid/lap_grid.h"

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
