// Line and field splitting of code-page text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

// Splits at CR LF, lone LF and lone CR. A final line break adds no empty line;
// a zero byte ends the text.
std::vector<std::string> SplitLines(std::string_view s);

// Splits one line at every occurrence of sep; "" gives one empty field.
std::vector<std::string> SplitFields(std::string_view line, char sep = '\t');

// Joins lines with CR LF after every line (the form a column's texts travel in).
std::string JoinLinesCRLF(const std::vector<std::string>& lines);

} // namespace text
