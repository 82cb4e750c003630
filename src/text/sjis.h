// Character boundaries in Shift-JIS text. A lead byte (0x81-0x9F, 0xE0-0xFC)
// starts a two-byte character whose trail byte may look like ASCII (\ [ ] ^ | { }),
// so code that cuts or edits at a position must step over characters whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace text {

constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes (1 or 2) of the character starting at pos; 1 for a lead
// byte with nothing after it.
std::size_t CharLength(std::string_view s, std::size_t pos);

// The text without its last whole character.
std::string DropLastChar(std::string_view s);

// The longest prefix of at most maxBytes bytes that does not split a character.
std::string CutToBytes(std::string_view s, std::size_t maxBytes);

// Number of characters (a two-byte character counts once).
std::size_t CharCount(std::string_view s);

} // namespace text
