// Placeholders for the visual side until geometry, painting and the editor
// are in place: the data side calls these to ask for repaints.
#include "grid/lap_grid.h"

void TLapGrid::BuildHeaderInfo() {}
void TLapGrid::RecalcLayout() {}
void TLapGrid::RedrawCell(int, int) {}
void TLapGrid::InvalidateAll() {}
void TLapGrid::InvalidateCellArea() {}
void TLapGrid::InvalidateColumn(int) {}
void TLapGrid::InvalidateCells(const TRect&, int) {}
void TLapGrid::EndEdit() {}
