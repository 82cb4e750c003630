#include "model/settings_image.h"

#include "model/byte_io.h"

#include <stdexcept>

using namespace byte_io;

namespace settings_image {

const TSettingsLayout ImageLayout{0,   255, 256, 512, 516, 520, 524, 528, 532, 536, 540, 544, 548,
                                  552, 553, 556, 560, 568, 588, 593, 600, 604, 608, 612, 616};
const TSettingsLayout RecordLayout{0,   255, 256, 511, 515, 516, 520, 524, 528, 532, 536, 540, 544,
                                   548, 549, 550, 554, 559, 579, 584, 589, 593, 597, 601, 605};

void PutSettingsFields(std::string& b, std::size_t r, const TSettingsLayout& L,
                       const TLaptimeSheet& s) {
    PutBytes(b, r + L.Name, s.Name.raw());
    PutU8(b, r + L.TimeFormat, s.TimeFormat);
    PutBytes(b, r + L.FontName, s.FontName.raw());
    PutU32(b, r + L.FontColor, s.FontColor);
    PutU8(b, r + L.FontStyle, s.FontStyle);
    PutI32(b, r + L.FontSize, s.FontSize);
    PutU32(b, r + L.BackColor, s.BackColor);
    PutU32(b, r + L.HeaderColor, s.HeaderColor);
    PutU32(b, r + L.HeaderDarkColor, s.HeaderDarkColor);
    PutU32(b, r + L.HeaderFontColor, s.HeaderFontColor);
    PutU32(b, r + L.BoxColor, s.BoxColor);
    PutU32(b, r + L.CellColor, s.CellColor);
    PutU32(b, r + L.AlternateColor, s.AlternateColor);
    PutU8(b, r + L.ShowGrid, s.ShowGrid);
    PutU8(b, r + L.GridStyle, s.GridStyle);
    PutU32(b, r + L.GridColor, s.GridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        PutU8(b, r + L.ColVisible + i, s.ColVisible[i]);
        PutI32(b, r + L.ColWidth + 4 * i, s.ColWidth[i]);
        PutU8(b, r + L.ColHorzAlign + i, s.ColHorzAlign[i]);
        PutU8(b, r + L.ColVertAlign + i, s.ColVertAlign[i]);
    }
    PutI32(b, r + L.DefRowHeight, s.DefRowHeight);
    PutI32(b, r + L.RowCount, s.RowCount);
    PutU32(b, r + L.PlusColor, s.PlusColor);
    PutU32(b, r + L.MinusColor, s.MinusColor);
    PutU32(b, r + L.EqualColor, s.EqualColor);
}

void GetSettingsFields(std::string_view Image, std::string_view Fallback, const TSettingsLayout& L,
                       TLaptimeSheet& s) {
    const FieldSource f(Image, Fallback);
    s.Name.assignRaw(f.Field(L.Name, 255));
    s.TimeFormat = f.U8(L.TimeFormat);
    s.FontName.assignRaw(f.Field(L.FontName, 255));
    s.FontColor = f.U32(L.FontColor);
    s.FontStyle = f.U8(L.FontStyle);
    s.FontSize = f.I32(L.FontSize);
    s.BackColor = f.U32(L.BackColor);
    s.HeaderColor = f.U32(L.HeaderColor);
    s.HeaderDarkColor = f.U32(L.HeaderDarkColor);
    s.HeaderFontColor = f.U32(L.HeaderFontColor);
    s.BoxColor = f.U32(L.BoxColor);
    s.CellColor = f.U32(L.CellColor);
    s.AlternateColor = f.U32(L.AlternateColor);
    s.ShowGrid = f.U8(L.ShowGrid);
    s.GridStyle = f.U8(L.GridStyle);
    s.GridColor = f.U32(L.GridColor);
    for (std::size_t i = 0; i < SheetColumnCount; ++i) {
        s.ColVisible[i] = f.U8(L.ColVisible + i);
        s.ColWidth[i] = f.I32(L.ColWidth + 4 * i);
        s.ColHorzAlign[i] = f.U8(L.ColHorzAlign + i);
        s.ColVertAlign[i] = f.U8(L.ColVertAlign + i);
    }
    s.DefRowHeight = f.I32(L.DefRowHeight);
    s.RowCount = f.I32(L.RowCount);
    s.PlusColor = f.U32(L.PlusColor);
    s.MinusColor = f.U32(L.MinusColor);
    s.EqualColor = f.U32(L.EqualColor);
}

void ReadSettingsImage(std::string_view Image, std::string_view Fallback, TLaptimeSheet& s) {
    GetSettingsFields(Image, Fallback, ImageLayout, s);
    for (auto& t : s.Texts)
        t.clear();
}

} // namespace settings_image

std::string WriteSettingsImage(const TLaptimeSheet& s) {
    std::string b(SettingsImageSize, '\0');
    settings_image::PutSettingsFields(b, 0, settings_image::ImageLayout, s);
    return b;
}

void ReadSettingsImage(std::string_view Image, TLaptimeSheet& Dest) {
    if (Image.size() < SettingsImageSize)
        throw std::invalid_argument("a sheet settings image needs 632 bytes");
    settings_image::ReadSettingsImage(Image.substr(0, SettingsImageSize), {}, Dest);
}
