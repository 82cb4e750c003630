// Text another program writes into a cell comes as the name of a global
// atom, which holds at most 255 bytes: longer text is cut there, never in the
// middle of a double-byte character.
#pragma once

#include "text/sjis.h"

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t CellInputMaxBytes = 255;

inline std::string CutCellInput(std::string_view Text) {
    return text::CutToBytes(Text, CellInputMaxBytes);
}
