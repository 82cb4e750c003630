// The 632-byte settings image of a sheet record: the layout the environment
// file and the sheet settings file carry. It holds the name and every display
// setting, never the texts; padding and the reserved tail are written as zero.
#pragma once

#include "model/laptime_sheet.h"

#include <cstddef>
#include <string>
#include <string_view>

constexpr std::size_t SettingsImageSize = 632;

std::string WriteSettingsImage(const TLaptimeSheet& Sheet);

// Reads every image field into Dest and empties its texts. Image must hold at
// least SettingsImageSize bytes (std::invalid_argument otherwise).
void ReadSettingsImage(std::string_view Image, TLaptimeSheet& Dest);

namespace settings_image {
// As above, taking each field the image does not hold whole from Fallback
// (a full image).
void ReadSettingsImage(std::string_view Image, std::string_view Fallback, TLaptimeSheet& Dest);

// Where each settings field stands. The same fields are stored in two
// layouts: the aligned settings image and the packed project-file record.
struct TSettingsLayout {
    std::size_t Name, TimeFormat, FontName, FontColor, FontStyle, FontSize, BackColor, HeaderColor,
        HeaderDarkColor, HeaderFontColor, BoxColor, CellColor, AlternateColor, ShowGrid, GridStyle,
        GridColor, ColVisible, ColWidth, ColHorzAlign, ColVertAlign, DefRowHeight, RowCount,
        PlusColor, MinusColor, EqualColor;
};
extern const TSettingsLayout ImageLayout;  // 632-byte settings image
extern const TSettingsLayout RecordLayout; // 633-byte project record

// Writes the settings fields of s at Base + the layout's offsets (texts aside).
void PutSettingsFields(std::string& Bytes, std::size_t Base, const TSettingsLayout& L,
                       const TLaptimeSheet& s);
// Reads them from Image (Fallback for fields Image does not hold whole).
void GetSettingsFields(std::string_view Image, std::string_view Fallback, const TSettingsLayout& L,
                       TLaptimeSheet& s);
} // namespace settings_image
