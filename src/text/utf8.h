// Telling UTF-8 from code-page bytes.
#pragma once

#include <string_view>

namespace text {

// Well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF,
// no sequence cut short. Plain ASCII (and the empty text) is UTF-8.
bool IsUtf8(std::string_view s);

} // namespace text
