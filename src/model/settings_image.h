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

namespace model::detail {
// As above, taking each field the image does not hold whole from Fallback
// (a full image).
void ReadSettingsImage(std::string_view Image, std::string_view Fallback, TLaptimeSheet& Dest);
} // namespace model::detail
