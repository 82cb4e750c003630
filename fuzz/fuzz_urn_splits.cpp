// urn and LibreSplit split files: any bytes are refused with a message or read.
#include "splits_sheet_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        CheckSplitsSheet(ReadUrnSplits(std::string_view(reinterpret_cast<const char*>(data), size),
                                       TSplitTiming::Real));
    } catch (const ESplitsError&) {
    }
    return 0;
}
