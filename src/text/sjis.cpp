#include "text/sjis.h"

namespace text {

std::size_t CharLength(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return 0;
    return (IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size()) ? 2 : 1;
}

std::string CutToBytes(std::string_view s, std::size_t maxBytes) {
    std::size_t pos = 0;
    while (pos < s.size()) {
        std::size_t n = CharLength(s, pos);
        if (pos + n > maxBytes) break;
        pos += n;
    }
    return std::string(s.substr(0, pos));
}

std::string DropLastChar(std::string_view s) {
    std::size_t pos = 0, last = 0;
    while (pos < s.size()) {
        last = pos;
        pos += CharLength(s, pos);
    }
    return std::string(s.substr(0, last));
}

std::size_t CharCount(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); pos += CharLength(s, pos))
        ++n;
    return n;
}

} // namespace text
