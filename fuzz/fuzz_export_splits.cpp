// Sheets out to other timers: whatever the cells hold, each format's file is
// read back by its own reader as the same segments (urn's without zero
// times, which it reads as none).
#include "app/splits_export.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The bytes as a sheet: the first line the game, every further line a row of
// code-page title and Best cell text, split at the first tab.
TSplitsRun RunOf(std::string_view Bytes) {
    TSplitsRun run;
    bool first = true;
    while (!Bytes.empty() || first) {
        const std::size_t end = Bytes.find('\n');
        const std::string_view line = Bytes.substr(0, end);
        Bytes.remove_prefix(end == std::string_view::npos ? Bytes.size() : end + 1);
        if (first) {
            run.Game = CleanUtf8(line);
            run.Category = ExportNameText(line);
            first = false;
            continue;
        }
        const std::size_t tab = line.find('\t');
        const std::string_view best =
            tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        run.Segments.push_back({ExportNameText(line.substr(0, tab)), BestCellValue(best)});
    }
    return run;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TSplitsRun run = RunOf(std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        if (ReadLssSplits(FormatLssRun(run), TSplitTiming::Real) != run.Segments) std::abort();
        std::vector<TSplit> urn = run.Segments;
        for (TSplit& s : urn)
            if (s.Time == 0u) s.Time.reset();
        if (ReadUrnSplits(FormatUrnRun(run), TSplitTiming::Real) != urn) std::abort();
        if (ReadSplitsIoSplits(FormatSplitsIoRun(run), TSplitTiming::Real) != run.Segments)
            std::abort();
    } catch (const ESplitsError&) {
        std::abort(); // what we write, we read
    }
    return 0;
}
