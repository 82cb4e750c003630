#include "app/sheet_state.h"

#include "app/session.h"
#include "grid/lap_grid.h"
#include "model/laptime_project.h"
#include "model/laptime_sheet.h"
#include "text/codepage.h"

#include <nlohmann/json.hpp>

namespace {

const char* ResultName(TTimeFormat R) {
    switch (R) {
    case tfMinus:
        return "ahead";
    case tfPlus:
        return "behind";
    case tfEven:
        return "even";
    default:
        return "none";
    }
}

} // namespace

std::string ShownSheetText(TSession& S) {
    const TLaptimeProject* p = S.Project();
    return p ? p->ExportText() : std::string();
}

std::string ShownSheetJson(TSession& S, const std::string& FileName) {
    using nlohmann::ordered_json;
    TLapGrid& g = S.Grid();
    const TLaptimeProject* p = S.Project();
    const TLaptimeSheet* sheet = p ? p->CurrentSheet() : nullptr;
    ordered_json o;
    o["file"] = FileName.empty() ? ordered_json() : ordered_json(FileName);
    o["sheet"] = sheet ? ordered_json(text::FromCodePage(sheet->Name.str())) : ordered_json();
    o["sheet_index"] = sheet ? ordered_json(p->CurrentIndex) : ordered_json();
    o["cell"] = {{"col", g.Col()}, {"row", g.Row()}};
    o["format"] = sheet ? ordered_json(sheet->TimeFormat) : ordered_json();
    ordered_json rows = ordered_json::array();
    const TTimeFormatList* results = g.CurrentFormats();
    const char* names[SheetColumnCount] = {"title", "best", "now", "split", "interval"};
    for (int r = 0; r < g.RowCount(); ++r) {
        ordered_json row;
        for (int c = 0; c < SheetColumnCount; ++c)
            row[names[c]] = c < g.ColCount() ? text::FromCodePage(g.CellText(c, r)) : std::string();
        row["result"] = ResultName(results && r < results->Count() ? results->Items(r) : tfNone);
        rows.push_back(std::move(row));
    }
    o["rows"] = std::move(rows);
    // A file name need not be UTF-8; what cannot be shown becomes U+FFFD.
    return o.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}
