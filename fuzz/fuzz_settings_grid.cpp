// Any LapEnv.dat and sheet settings file applied to the window's grid: the
// default settings make a new sheet, a settings file is applied to it, and
// the grid is laid out, scrolled to its last cell and painted.
#include "fuzz_window.h"
#include "model/lap_env.h"
#include "model/sheet_settings_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::Window w;
    w.host.Env.DefaultSettings = ReadLapEnv(bytes).DefaultSettings;
    // Rows cost time, not coverage: the sizes that matter are the pixels.
    w.host.Env.DefaultSettings.RowCount %= 64;
    w.project = TLaptimeProject::Create("", w.grid, w.selector, w.host);
    w.EvaluateAndPaint();
    TLaptimeSheet sheet = *w.project->CurrentSheet();
    if (ReadSheetSettingsFile(bytes.substr(bytes.size() / 2), sheet)) {
        sheet.RowCount %= 64;
        w.project->ApplySheetToGrid(&sheet);
    }
    w.grid.EnsureVisible(4, w.grid.RowCount() - 1);
    w.grid.VertScroll(scBottom, 0);
    w.grid.HorzScroll(scPageDown, 0);
    w.grid.MouseWheel(-1);
    w.grid.CellFromPoint(w.view.Width - 1, w.view.Height - 1);
    w.EvaluateAndPaint();
    return 0;
}
