// A grid set up as the project shows a sheet, for tests of any folder.
#pragma once

#include "grid/lap_grid.h"

#include <memory>

// The sheet's five columns showing one sheet of Rows rows, with the
// split-result list and undo buffer the project would keep for it.
inline void ShowOneSheet(TLapGrid& G, int Rows, int UndoSetting) {
    G.SetColCount(RecordedCols);
    G.SetRowCount(Rows);
    TTimeFormatList formats;
    formats.AddDefaults(Rows);
    G.ResetSheetBuffers();
    G.AddSheetBuffers(std::move(formats), UndoSetting);
}
