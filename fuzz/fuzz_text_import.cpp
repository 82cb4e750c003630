// Any text imported as a sheet (the clipboard import, with the time
// evaluation of every row), then exported and saved: the export has one line
// per row and the saved project opens to the same sheets.
#include "fuzz_window.h"
#include "model/project_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Window w;
    w.project = TLaptimeProject::Create("", w.grid, w.selector, w.host);
    w.host.Env.DefaultSettings.TimeFormat = size > 0 ? data[0] % 10 : 0;
    w.host.clipboard.assign(reinterpret_cast<const char*>(data), size);
    if (!w.project->AddSheetFromClipboard()) std::abort();
    w.EvaluateAndPaint();
    const std::string text = w.project->ExportText();
    if (std::count(text.begin(), text.end(), '\n') != w.grid.RowCount()) std::abort();
    w.project->StoreGridToSheet();
    const std::vector<TLaptimeSheet> stored = w.project->Sheets;
    if (ReadProjectFile(WriteProjectFile(stored), "again") != stored) std::abort();
    return 0;
}
