// A sheet as CSV (RFC 4180) for spreadsheets: UTF-8, a header line, one
// line per row, CR LF after every line.
#pragma once

#include "model/sheet_text.h"

#include <string>
#include <string_view>

class TSession;

// The field as a CSV line holds it: in double quotes, with every inner quote
// doubled, when it holds a comma, a quote or a line break; as it is
// otherwise.
std::string CsvField(std::string_view Utf8);

// "Segment,Best,Now,Split,Interval", then columns 0..4 of every row, the
// cell texts converted from the code page.
std::string FormatSheetCsv(int RowCount, const TCellReader& Cell);

// Opens FileName in Session, evaluates sheet Sheet as the window does on
// showing it and returns the sheet as CSV. EFileError when the file cannot
// be read or has no such sheet.
std::string ExportSheetCsv(TSession& Session, const std::string& FileName, int Sheet);
