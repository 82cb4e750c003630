// Segments and personal-best times kept by other split timers: LiveSplit's
// XML run files (.lss), the JSON split files of urn and LibreSplit (.json)
// and the splits.io exchange format (.splits). Each
// file becomes one sheet: segment names in the title column, the personal
// best running times in the Best column as if typed there.
#pragma once

#include "app/time_eval.h"
#include "model/laptime_sheet.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Which of LiveSplit's two clocks to read.
enum class TSplitTiming { Real, Game };

// One segment as the other timer keeps it: the name in UTF-8 and the
// personal best's running time at its end, if the run has one.
struct TSplit {
    std::string Name;
    std::optional<TTimeValue> Time;
    friend bool operator==(const TSplit&, const TSplit&) = default;
};

// A splits text that cannot be taken; the message says what and where, but
// not the file, which the caller knows.
class ESplitsError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The file name's extension in lower case ("LSS" gives "lss"); empty when
// the name has none.
std::string LowerExtension(const std::string& Path);

// Files larger than this are refused unread: real split files, history and
// icons included, stay far below it.
constexpr std::size_t MaxSplitsFileBytes = 64u << 20;

// Run/Segments/Segment: Name, and the personal best in the layout of the
// Run's version: the text of PersonalBestSplitTime before 1.3, the text of
// the SplitTime named "Personal Best" up to 1.4.0 ("REAL | GAME" once game
// time came in), its RealTime or GameTime from 1.4.1. A document with a DTD
// is refused, so no entity is ever expanded or loaded.
std::vector<TSplit> ReadLssSplits(std::string_view Xml, TSplitTiming Timing);

// The top-level "splits" array: each item's "title" and "time", a text or
// an object of "real_time" and "game_time" texts. A zero time is none, as
// these timers write it for a split never reached. Every other field is
// ignored.
std::vector<TSplit> ReadUrnSplits(std::string_view Json, TSplitTiming Timing);

// The top-level "segments" array: each item's "name" and the realtimeMS or
// gametimeMS of its "endedAt"; a skipped segment has no time.
std::vector<TSplit> ReadSplitsIoSplits(std::string_view Json, TSplitTiming Timing);

// The name ends in .lss, .json or .splits, in any case.
bool IsSplitsFileName(const std::string& Path);

// Reads the file by its extension. Every refusal is an EFileError whose
// one-line message names the file.
std::vector<TSplit> ReadSplitsFile(const std::string& Path, TSplitTiming Timing);

// Some segment has a time.
bool HasBestTime(const std::vector<TSplit>& Splits);

// The one line that says a file was read but gave no time at all.
std::string NoBestTimesNote(const std::string& Path, TSplitTiming Timing);

// The time as a user types it into a Best cell: minutes, seconds and
// milliseconds, such as 83:04"500.
std::string TypedTimeText(TTimeValue Value);

// A segment name as a title cell holds it: code-page bytes ("?" for what the
// code page lacks), control characters as blanks so a name stays one row,
// cut on a character boundary to the length of a name slot.
std::string SegmentTitleText(std::string_view Utf8Name);

// The sheet one splits file makes: the default settings (display format
// TimeFormat when given) under the name SheetName, one row per segment,
// the Best cells as typing the times leaves them, Now empty.
TLaptimeSheet SplitsSheet(const TLaptimeSheet& Defaults, const std::string& SheetName,
                          const std::vector<TSplit>& Splits,
                          std::optional<std::uint8_t> TimeFormat);

// Reads every file, then writes the project of their sheets, in order, to
// Output; a refused file leaves Output as it was. Once written, Note gets
// the NoBestTimesNote of each file with segments but no time.
void ImportSplitsFiles(const std::vector<std::string>& Files, const std::string& Output,
                       TSplitTiming Timing, std::optional<std::uint8_t> TimeFormat,
                       const TLaptimeSheet& Defaults,
                       const std::function<void(const std::string&)>& Note);
