// Sheet text import: lines and fields of any bytes; every line gives one
// CR LF in each of the three column texts.
#include "model/sheet_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const TSheetTextImport sheet = ParseSheetText(bytes);
    for (const auto& t : sheet.Texts) {
        std::size_t breaks = 0;
        for (std::size_t p = t.find("\r\n"); p != std::string::npos; p = t.find("\r\n", p + 2))
            ++breaks;
        if (breaks != sheet.LineCount()) std::abort();
    }
    return 0;
}
