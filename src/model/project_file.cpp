#include "model/project_file.h"

#include "model/byte_io.h"

#include <cstdint>
#include <limits>

using namespace model::bytes;

namespace {
// Field offsets in the packed project record.
enum : std::size_t {
    oName = 0,
    oTimeFormat = 255,
    oFontName = 256,
    oFontColor = 511,
    oFontStyle = 515,
    oFontSize = 516,
    oBackColor = 520,
    oHeaderColor = 524,
    oHeaderDarkColor = 528,
    oHeaderFontColor = 532,
    oBoxColor = 536,
    oCellColor = 540,
    oAlternateColor = 544,
    oShowGrid = 548,
    oGridStyle = 549,
    oGridColor = 550,
    oColVisible = 554,
    oColWidth = 559,
    oColHorzAlign = 579,
    oColVertAlign = 584,
    oDefRowHeight = 589,
    oRowCount = 593,
    oPlusColor = 597,
    oMinusColor = 601,
    oEqualColor = 605,
    oTextLength = 609,
    oTextPos = 621,
};

std::string Damaged(const std::string& fileName, const std::string& what) {
    return "\"" + fileName + "\" is not a valid project file: " + what;
}

void PutSettings(std::string& b, std::size_t r, const TLaptimeSheet& s) {
    PutBytes(b, r + oName, s.Name.raw());
    PutU8(b, r + oTimeFormat, s.TimeFormat);
    PutBytes(b, r + oFontName, s.FontName.raw());
    PutU32(b, r + oFontColor, s.FontColor);
    PutU8(b, r + oFontStyle, s.FontStyle);
    PutI32(b, r + oFontSize, s.FontSize);
    PutU32(b, r + oBackColor, s.BackColor);
    PutU32(b, r + oHeaderColor, s.HeaderColor);
    PutU32(b, r + oHeaderDarkColor, s.HeaderDarkColor);
    PutU32(b, r + oHeaderFontColor, s.HeaderFontColor);
    PutU32(b, r + oBoxColor, s.BoxColor);
    PutU32(b, r + oCellColor, s.CellColor);
    PutU32(b, r + oAlternateColor, s.AlternateColor);
    PutU8(b, r + oShowGrid, s.ShowGrid);
    PutU8(b, r + oGridStyle, s.GridStyle);
    PutU32(b, r + oGridColor, s.GridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        PutU8(b, r + oColVisible + i, s.ColVisible[i]);
        PutI32(b, r + oColWidth + 4 * i, s.ColWidth[i]);
        PutU8(b, r + oColHorzAlign + i, s.ColHorzAlign[i]);
        PutU8(b, r + oColVertAlign + i, s.ColVertAlign[i]);
    }
    PutI32(b, r + oDefRowHeight, s.DefRowHeight);
    PutI32(b, r + oRowCount, s.RowCount);
    PutU32(b, r + oPlusColor, s.PlusColor);
    PutU32(b, r + oMinusColor, s.MinusColor);
    PutU32(b, r + oEqualColor, s.EqualColor);
}

void GetSettings(std::string_view b, std::size_t r, TLaptimeSheet& s) {
    s.Name.assignRaw(b.substr(r + oName, 255));
    s.TimeFormat = U8(b, r + oTimeFormat);
    s.FontName.assignRaw(b.substr(r + oFontName, 255));
    s.FontColor = U32(b, r + oFontColor);
    s.FontStyle = U8(b, r + oFontStyle);
    s.FontSize = I32(b, r + oFontSize);
    s.BackColor = U32(b, r + oBackColor);
    s.HeaderColor = U32(b, r + oHeaderColor);
    s.HeaderDarkColor = U32(b, r + oHeaderDarkColor);
    s.HeaderFontColor = U32(b, r + oHeaderFontColor);
    s.BoxColor = U32(b, r + oBoxColor);
    s.CellColor = U32(b, r + oCellColor);
    s.AlternateColor = U32(b, r + oAlternateColor);
    s.ShowGrid = U8(b, r + oShowGrid);
    s.GridStyle = U8(b, r + oGridStyle);
    s.GridColor = U32(b, r + oGridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        s.ColVisible[i] = U8(b, r + oColVisible + i);
        s.ColWidth[i] = I32(b, r + oColWidth + 4 * i);
        s.ColHorzAlign[i] = U8(b, r + oColHorzAlign + i);
        s.ColVertAlign[i] = U8(b, r + oColVertAlign + i);
    }
    s.DefRowHeight = I32(b, r + oDefRowHeight);
    s.RowCount = I32(b, r + oRowCount);
    s.PlusColor = U32(b, r + oPlusColor);
    s.MinusColor = U32(b, r + oMinusColor);
    s.EqualColor = U32(b, r + oEqualColor);
}

} // namespace

std::string WriteProjectFile(const std::vector<TLaptimeSheet>& Sheets,
                             const std::string& FileName) {
    constexpr std::uint64_t Limit = std::numeric_limits<std::int32_t>::max();
    const std::uint64_t base = ProjectHeaderSize + std::uint64_t(ProjectRecordSize) * Sheets.size();
    std::uint64_t total = base;
    for (const auto& s : Sheets)
        for (const auto& t : s.Texts)
            total += t.size();
    // Every offset and length in the file is a 32-bit signed value.
    if (total > Limit)
        throw EFileError(FileName, "Cannot write \"" + FileName +
                                       "\": the project is too large for a project file");

    std::string b(base, '\0');
    PutI32(b, 0, static_cast<std::int32_t>(Sheets.size()));
    std::uint64_t run = base;
    for (std::size_t i = 0; i < Sheets.size(); ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        PutSettings(b, r, Sheets[i]);
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const auto len = Sheets[i].Texts[k].size();
            PutI32(b, r + oTextLength + 4 * k, static_cast<std::int32_t>(len));
            PutI32(b, r + oTextPos + 4 * k, static_cast<std::int32_t>(run));
            run += len;
        }
    }
    b.reserve(total);
    for (const auto& s : Sheets)
        for (const auto& t : s.Texts)
            b += t;
    return b;
}

std::vector<TLaptimeSheet> ReadProjectFile(std::string_view Bytes, const std::string& FileName) {
    const std::uint64_t size = Bytes.size();
    if (size < ProjectHeaderSize)
        throw EFileFormatError(FileName,
                               Damaged(FileName, "it is too short to hold a sheet count"));
    const std::int32_t count = I32(Bytes, 0);
    if (count < 0)
        throw EFileFormatError(
            FileName,
            Damaged(FileName, "its sheet count " + std::to_string(count) + " is negative"));
    const std::uint64_t base = ProjectHeaderSize + std::uint64_t(ProjectRecordSize) * count;
    if (base > size)
        throw EFileFormatError(FileName,
                               Damaged(FileName, "it cannot hold the " + std::to_string(count) +
                                                     " sheet records it claims"));

    // Check every text of every sheet before taking any of them.
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const std::int32_t len = I32(Bytes, r + oTextLength + 4 * k);
            const std::int32_t pos = I32(Bytes, r + oTextPos + 4 * k);
            if (len <= 0) continue; // an empty text; its position means nothing
            static const char* const column[] = {"title", "Best", "Now"};
            const std::string which =
                std::string("the ") + column[k] + " text of sheet " + std::to_string(i + 1);
            if (pos < 0 || std::uint64_t(pos) < base)
                throw EFileFormatError(
                    FileName, Damaged(FileName, which + " starts inside the sheet records"));
            if (std::uint64_t(pos) + std::uint64_t(len) > size)
                throw EFileFormatError(FileName,
                                       Damaged(FileName, which + " runs past the end of the file"));
        }
    }

    std::vector<TLaptimeSheet> sheets(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::size_t r = ProjectHeaderSize + ProjectRecordSize * i;
        TLaptimeSheet& s = sheets[i];
        GetSettings(Bytes, r, s);
        for (std::size_t k = 0; k < StoredColumnCount; ++k) {
            const std::int32_t len = I32(Bytes, r + oTextLength + 4 * k);
            if (len > 0)
                s.Texts[k] = std::string(Bytes.substr(I32(Bytes, r + oTextPos + 4 * k), len));
        }
    }
    return sheets;
}

std::vector<TLaptimeSheet> LoadProjectFile(const std::string& FileName) {
    return ReadProjectFile(ReadWholeFile(FileName), FileName);
}

void SaveProjectFile(const std::string& FileName, const std::vector<TLaptimeSheet>& Sheets) {
    SaveFileAtomically(FileName, WriteProjectFile(Sheets, FileName));
}
