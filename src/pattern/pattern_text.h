// Literal text inside a match expression.
#pragma once

#include <string>
#include <string_view>

// Name with a backslash before every character that has a meaning in a
// pattern; two-byte characters are stepped over whole, as their trail byte
// may look like one of them.
std::string EscapePatternText(std::string_view Name);
