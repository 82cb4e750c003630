// The sheet on show as other programs read it from the running window
// (segmark --get, segmark --watch).
#pragma once

#include <string>

class TSession;

// Exactly what export-text prints for the sheet: code-page bytes, CR LF.
std::string ShownSheetText(TSession& Session);

// One JSON object on one line (no line break at its end), texts in UTF-8:
//   {"file":..., "sheet":..., "sheet_index":..., "cell":{"col":..,"row":..},
//    "format":..., "rows":[{"title","best","now","split","interval","result"}]}
// file is FileName (null when the project has none); sheet, sheet_index and
// format are null when no sheet is on show; result is "ahead", "behind",
// "even" or "none".
std::string ShownSheetJson(TSession& Session, const std::string& FileName);
