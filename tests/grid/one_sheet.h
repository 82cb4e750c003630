// A grid set up as the project shows a sheet, for tests of any folder.
#pragma once

#include "grid/lap_grid.h"

#include <memory>

// The sheet's five columns showing one sheet of Rows rows, with the
// split-result list and undo buffer the project would keep for it; the
// caller keeps them, and lets them go before the grid.
[[nodiscard]] inline std::unique_ptr<TOneSheetBuffers> ShowOneSheet(TLapGrid& G, int Rows,
                                                                   int UndoSetting) {
    G.SetColCount(RecordedCols);
    G.SetRowCount(Rows);
    TTimeFormatList formats;
    formats.AddDefaults(Rows);
    auto buffers = std::make_unique<TOneSheetBuffers>(&G, std::move(formats), UndoSetting);
    G.SetSheetBuffers(buffers.get());
    return buffers;
}
