#include "model/settings_image.h"

#include "model/byte_io.h"

#include <stdexcept>

using namespace model::bytes;

namespace {
// Field offsets in the image (aligned layout, unlike the packed project record).
enum : std::size_t {
    oName = 0,
    oTimeFormat = 255,
    oFontName = 256,
    oFontColor = 512,
    oFontStyle = 516,
    oFontSize = 520,
    oBackColor = 524,
    oHeaderColor = 528,
    oHeaderDarkColor = 532,
    oHeaderFontColor = 536,
    oBoxColor = 540,
    oCellColor = 544,
    oAlternateColor = 548,
    oShowGrid = 552,
    oGridStyle = 553,
    oGridColor = 556,
    oColVisible = 560,
    oColWidth = 568,
    oColHorzAlign = 588,
    oColVertAlign = 593,
    oDefRowHeight = 600,
    oRowCount = 604,
    oPlusColor = 608,
    oMinusColor = 612,
    oEqualColor = 616,
};
} // namespace

std::string WriteSettingsImage(const TLaptimeSheet& s) {
    std::string b(SettingsImageSize, '\0');
    PutBytes(b, oName, s.Name.raw());
    PutU8(b, oTimeFormat, s.TimeFormat);
    PutBytes(b, oFontName, s.FontName.raw());
    PutU32(b, oFontColor, s.FontColor);
    PutU8(b, oFontStyle, s.FontStyle);
    PutI32(b, oFontSize, s.FontSize);
    PutU32(b, oBackColor, s.BackColor);
    PutU32(b, oHeaderColor, s.HeaderColor);
    PutU32(b, oHeaderDarkColor, s.HeaderDarkColor);
    PutU32(b, oHeaderFontColor, s.HeaderFontColor);
    PutU32(b, oBoxColor, s.BoxColor);
    PutU32(b, oCellColor, s.CellColor);
    PutU32(b, oAlternateColor, s.AlternateColor);
    PutU8(b, oShowGrid, s.ShowGrid);
    PutU8(b, oGridStyle, s.GridStyle);
    PutU32(b, oGridColor, s.GridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        PutU8(b, oColVisible + i, s.ColVisible[i]);
        PutI32(b, oColWidth + 4 * i, s.ColWidth[i]);
        PutU8(b, oColHorzAlign + i, s.ColHorzAlign[i]);
        PutU8(b, oColVertAlign + i, s.ColVertAlign[i]);
    }
    PutI32(b, oDefRowHeight, s.DefRowHeight);
    PutI32(b, oRowCount, s.RowCount);
    PutU32(b, oPlusColor, s.PlusColor);
    PutU32(b, oMinusColor, s.MinusColor);
    PutU32(b, oEqualColor, s.EqualColor);
    return b;
}

namespace model::detail {

void ReadSettingsImage(std::string_view Image, std::string_view Fallback, TLaptimeSheet& s) {
    const FieldSource f(Image, Fallback);
    s.Name.assignRaw(f.Field(oName, 255));
    s.TimeFormat = f.U8(oTimeFormat);
    s.FontName.assignRaw(f.Field(oFontName, 255));
    s.FontColor = f.U32(oFontColor);
    s.FontStyle = f.U8(oFontStyle);
    s.FontSize = f.I32(oFontSize);
    s.BackColor = f.U32(oBackColor);
    s.HeaderColor = f.U32(oHeaderColor);
    s.HeaderDarkColor = f.U32(oHeaderDarkColor);
    s.HeaderFontColor = f.U32(oHeaderFontColor);
    s.BoxColor = f.U32(oBoxColor);
    s.CellColor = f.U32(oCellColor);
    s.AlternateColor = f.U32(oAlternateColor);
    s.ShowGrid = f.U8(oShowGrid);
    s.GridStyle = f.U8(oGridStyle);
    s.GridColor = f.U32(oGridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        s.ColVisible[i] = f.U8(oColVisible + i);
        s.ColWidth[i] = f.I32(oColWidth + 4 * i);
        s.ColHorzAlign[i] = f.U8(oColHorzAlign + i);
        s.ColVertAlign[i] = f.U8(oColVertAlign + i);
    }
    s.DefRowHeight = f.I32(oDefRowHeight);
    s.RowCount = f.I32(oRowCount);
    s.PlusColor = f.U32(oPlusColor);
    s.MinusColor = f.U32(oMinusColor);
    s.EqualColor = f.U32(oEqualColor);
    for (auto& t : s.Texts)
        t.clear();
}

} // namespace model::detail

void ReadSettingsImage(std::string_view Image, TLaptimeSheet& Dest) {
    if (Image.size() < SettingsImageSize)
        throw std::invalid_argument("a sheet settings image needs 632 bytes");
    model::detail::ReadSettingsImage(Image.substr(0, SettingsImageSize), {}, Dest);
}
