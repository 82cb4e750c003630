#include "pattern/pattern_text.h"

#include "text/sjis.h"

std::string EscapePatternText(std::string_view Name) {
    std::string out;
    out.reserve(Name.size() * 2);
    for (std::size_t pos = 0; pos < Name.size();) {
        std::size_t len = text::CharLength(Name, pos);
        // A backslash is escaped too: in this code page it is also the yen
        // sign, common in names, and left bare it would start an escape.
        if (len == 1 &&
            std::string_view(".^$()[]*+?|/\\{}").find(Name[pos]) != std::string_view::npos)
            out += '\\';
        out.append(Name.substr(pos, len));
        pos += len;
    }
    return out;
}
