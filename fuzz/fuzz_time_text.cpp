// Time recognition over any bytes: a recognised text gives a value that each
// display format shows as a text reading back to the same value (to the
// second in the formats without milliseconds), or, for a day or more in the
// formats with hours, leaves the cell's own text.
#include "app/time_eval.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text =
        CleanCellText(std::string_view(reinterpret_cast<const char*>(data), size));
    const TTimeTextKind kind = ClassifyTimeText(text);
    const TTimeValue value = ParseTimeText(kind, text);
    if (kind == tkNotTime) {
        if (value != 0) std::abort();
        return 0;
    }
    for (std::uint8_t f = 0; f < kTimeFormatAsTyped; ++f) {
        const std::string shown = FormatCellTime(f, value);
        const bool withHours = (f & 2) == 0;
        if (shown.empty()) {
            if (!withHours || value < 86'400'000u) std::abort();
            continue;
        }
        const TTimeValue expected = (f & 4) ? value : value - value % 1000;
        if (ParseTimeText(ClassifyTimeText(shown), shown) != expected) std::abort();
    }
    return 0;
}
