// Time recognition over any bytes: a recognised text must give a value that
// formats and reads back as the same kind without throwing.
#include "app/time_eval.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        CleanCellText(std::string_view(reinterpret_cast<const char*>(data), size));
    const TTimeTextKind kind = ClassifyTimeText(text);
    const TTimeValue value = ParseTimeText(kind, text);
    if (kind == tkNotTime && value != 0) std::abort();
    for (std::uint8_t f = 0; f < kTimeFormatAsTyped; ++f) {
        const std::string shown = FormatCellTime(f, value);
        if (ClassifyTimeText(shown) == tkNotTime && !shown.empty()) std::abort();
    }
    return 0;
}
