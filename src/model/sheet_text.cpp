#include "model/sheet_text.h"

#include "text/lines.h"

namespace {
bool IsSeparator(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}
} // namespace

std::vector<std::string> SplitImportFields(std::string_view Line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = Line.size();
    for (;;) {
        while (i < n && IsSeparator(Line[i]))
            ++i;
        if (i >= n) break;
        std::string field;
        if (Line[i] == '"') {
            ++i;
            // An unclosed quote keeps everything to the end of the line.
            while (i < n) {
                if (Line[i] == '"') {
                    if (i + 1 < n && Line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += Line[i++];
            }
        } else {
            const std::size_t start = i;
            while (i < n && !IsSeparator(Line[i]))
                ++i;
            field.assign(Line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
    }
    return fields;
}

std::array<std::string, StoredColumnCount>
ColumnTextsFromLines(const std::vector<std::string>& Lines) {
    std::array<std::string, StoredColumnCount> texts;
    for (const auto& line : Lines) {
        auto fields = SplitImportFields(line);
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            if (k < fields.size()) texts[k] += fields[k];
            texts[k] += "\r\n";
        }
    }
    return texts;
}

TSheetTextImport ParseSheetText(std::string_view Text) {
    TSheetTextImport out;
    out.Lines = text::SplitLines(Text);
    out.Texts = ColumnTextsFromLines(out.Lines);
    return out;
}

std::string FormatSheetText(int RowCount, const TCellReader& Cell) {
    std::string out;
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < SheetColumnCount; ++c) {
            out += Cell(c, r);
            out += c + 1 < SheetColumnCount ? "\t" : "\r\n";
        }
    }
    return out;
}
