// Placeholders for the visual side until geometry, painting and the editor
// are in place: the data side calls these to ask for repaints.
#include "grid/lap_grid.h"

// Settling an edit belongs to the undo side; this weak stand-in lets the
// scrolling code link before that side is in, and yields to it afterwards.
__attribute__((weak)) void TLapGrid::CommitEdit() {}
