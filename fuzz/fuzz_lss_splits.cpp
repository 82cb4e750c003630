// LiveSplit run files: any bytes are refused with a message or read.
#include "splits_sheet_check.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const TSplitTiming timing : {TSplitTiming::Real, TSplitTiming::Game}) {
        try {
            CheckSplitsSheet(ReadLssSplits(bytes, timing));
        } catch (const ESplitsError&) {
        }
    }
    return 0;
}
