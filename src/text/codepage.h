// The one converter between the ANSI code page (Shift-JIS, code page 932, by
// default) and UTF-8. Everything in the core is code-page bytes; only the Qt
// boundary converts, and only through here.
#pragma once

#include <string>
#include <string_view>

namespace text {

// UTF-8 -> code-page bytes. A character the code page lacks becomes "?".
std::string ToCodePage(std::string_view utf8);

// Code-page bytes -> UTF-8. A byte sequence that is not valid in the code
// page becomes U+FFFD, so nothing is silently dropped from view.
std::string FromCodePage(std::string_view bytes);

// Name of the code page in use ("CP932" unless SEGMARK_CODEPAGE names another).
const char* CodePageName();

} // namespace text
