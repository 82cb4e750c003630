#include "text/lines.h"

namespace text {

std::vector<std::string> SplitLines(std::string_view s) {
    if (auto z = s.find('\0'); z != std::string_view::npos) s = s.substr(0, z);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(s.substr(start, i - start));
        if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < s.size()) lines.emplace_back(s.substr(start));
    return lines;
}

std::vector<std::string> SplitFields(std::string_view line, char sep) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t p = line.find(sep, start);
        if (p == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, p - start));
        start = p + 1;
    }
}

std::string JoinLinesCRLF(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace text
