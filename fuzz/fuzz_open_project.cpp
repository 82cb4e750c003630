// Opening any project file into the window's grid: every sheet shown,
// evaluated, painted and exported; saving writes a file that opens to the
// same sheets.
#include "fuzz_window.h"
#include "model/project_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<TLaptimeSheet> sheets;
    try {
        sheets = ReadProjectFile(std::string_view(reinterpret_cast<const char*>(data), size), "f");
    } catch (const EFileFormatError&) {
        return 0;
    }
    // Large sheets are sound but slow; the row limit has its own tests.
    for (const TLaptimeSheet& s : sheets)
        if (s.RowCount > 2000) return 0;
    fuzz::Window w;
    w.project = TLaptimeProject::CreateFromSheets(sheets, "f.sgp", w.grid, w.selector, w.host);
    w.EvaluateAndPaint();
    const int shown = std::min(w.project->SheetCount(), 8);
    for (int i = 1; i < shown; ++i) {
        w.project->SelectSheet(i, true);
        w.EvaluateAndPaint();
        w.project->ExportText();
    }
    w.project->StoreGridToSheet();
    const std::vector<TLaptimeSheet> stored = w.project->Sheets;
    if (ReadProjectFile(WriteProjectFile(stored), "again") != stored) std::abort();
    return 0;
}
