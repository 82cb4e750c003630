// Placeholders for the visual side until geometry, painting and the editor
// are in place: the data side calls these to ask for repaints.
#include "grid/lap_grid.h"

void TLapGrid::EndEdit() {}
