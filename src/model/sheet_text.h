// Sheets as plain text: import from a text file or the clipboard (one line a
// row; title, Best and Now are the first three fields) and export of a shown
// sheet (five tab-separated columns). Pure functions over code-page bytes.
#pragma once

#include "model/laptime_sheet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Importing this many lines or more needs the user's confirmation.
constexpr std::size_t ManyRowsThreshold = 50;
constexpr bool IsManyRows(std::size_t LineCount) {
    return LineCount >= ManyRowsThreshold;
}
constexpr const char* ManyRowsFileQuestion = "There are 50+, are you sure you want to create? ";
// "50行以上ありますが、本当にシートを作成しますか？" and "確認" in code page 932.
constexpr const char* ManyRowsClipboardQuestion =
    "50\x8d\x73\x88\xc8\x8f\xe3\x82\xa0\x82\xe8\x82\xdc\x82\xb7\x82\xaa\x81\x41\x96\x7b\x93\x96"
    "\x82\xc9\x83\x56\x81\x5b\x83\x67\x82\xf0\x8d\xec\x90\xac\x82\xb5\x82\xdc\x82\xb7\x82\xa9"
    "\x81\x48";
constexpr const char* ManyRowsTitle = "\x8a\x6d\x94\x46";

// Fields of one import line: separated by runs of characters 1..32; a field
// opened by a double quote runs to the next lone double quote ("" stands for
// one) or, when none follows, to the end of the line.
std::vector<std::string> SplitImportFields(std::string_view Line);

// What an imported text gives a sheet: its rows, and the texts of columns
// 0..2 (one CR LF-terminated line per row, empty where a line lacks a field).
struct TSheetTextImport {
    std::vector<std::string> Lines;
    std::array<std::string, StoredColumnCount> Texts;
    std::size_t LineCount() const { return Lines.size(); }
};

// Lines at CR LF, LF or CR, up to a zero byte; a final line break adds no
// empty row. Used for text files and clipboard text alike.
TSheetTextImport ParseSheetText(std::string_view Text);

// The column texts of the given lines (the fill step of an import).
std::array<std::string, StoredColumnCount>
ColumnTextsFromLines(const std::vector<std::string>& Lines);

// The export text: per row the texts of columns 0..3 each followed by a tab,
// then column 4, then CR LF.
using TCellReader = std::function<std::string(int Col, int Row)>;
std::string FormatSheetText(int RowCount, const TCellReader& Cell);
