#include "app/csv_export.h"

#include "app/session.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "text/codepage.h"

std::string CsvField(std::string_view Utf8) {
    if (Utf8.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(Utf8);
    std::string out = "\"";
    for (char c : Utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string FormatSheetCsv(int RowCount, const TCellReader& Cell) {
    std::string out = "Segment,Best,Now,Split,Interval\r\n";
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < SheetColumnCount; ++c) {
            if (c > 0) out += ',';
            out += CsvField(text::FromCodePage(Cell(c, r)));
        }
        out += "\r\n";
    }
    return out;
}

std::string ExportSheetCsv(TSession& Session, const std::string& FileName, int Sheet) {
    Session.OpenAndShowSheet(FileName, Sheet);
    const TLapGrid& g = Session.Grid();
    return FormatSheetCsv(g.RowCount(), [&g](int Col, int Row) {
        return Col < g.ColCount() ? g.CellText(Col, Row) : std::string();
    });
}
