// Pasting any clipboard text into a small grid at any cell: no crash, and the
// row count and column lists stay consistent.
#include "../tests/grid/fake_clipboard.h"
#include "grid/lap_grid.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    TLapGrid grid;
    FakeClipboard clip;
    grid.SetClipboardPort(&clip);
    grid.SetColCount(5);
    grid.SetRowCount(8);
    TTimeFormatList formats;
    formats.AddDefaults(8);
    grid.AddSheetBuffers(formats, 1);
    grid.Columns[3].ReadOnly = true;
    grid.Columns[1].SetVisible(data[0] & 1);
    grid.SetCol(data[0] % 5);
    grid.SetRow(data[1] % 8);
    clip.SetText(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    grid.PasteFromClipboard();
    grid.CurrentUndo()->Undo();
    grid.CurrentUndo()->Redo();
    if (grid.RowCount() != 8) std::abort();
    return 0;
}
