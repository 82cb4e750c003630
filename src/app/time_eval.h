// Time texts of the Best and Now columns: recognition, values, display
// formats, and the evaluation of one grid row into its split, interval and
// split result.
#pragma once

#include "grid/lap_types.h"

#include <cstdint>
#include <string>
#include <string_view>

// The recognised forms of a time text, in the order they are tried.
enum TTimeTextKind : std::uint8_t { tkMinSec, tkHourMinSec, tkMinSecMs, tkHourMinSecMs, tkNotTime };

// Milliseconds, 0 .. 4,294,967,295 (about 1193 hours).
using TTimeValue = std::uint32_t;

struct TTimeParts {
    std::uint16_t H = 0;
    std::uint16_t M = 0;
    std::uint16_t S = 0;
    std::uint16_t MS = 0;
    friend bool operator==(const TTimeParts&, const TTimeParts&) = default;
};

// Display format of a sheet; 8 (and anything above) leaves the text as typed.
constexpr std::uint8_t kTimeFormatAsTyped = 8;

// The text without its first CR LF pair; later pairs and lone CR or LF stay.
std::string CleanCellText(std::string_view Text);

// Kind of an already cleaned text. A text whose value would not fit a
// TTimeValue is tkNotTime.
TTimeTextKind ClassifyTimeText(std::string_view Text);

// Value of a text of the given kind; 0 for tkNotTime.
TTimeValue ParseTimeText(TTimeTextKind Kind, std::string_view Text);

TTimeParts SplitTime(TTimeValue Value);

constexpr bool HasMilliseconds(TTimeTextKind k) { return k == tkMinSecMs || k == tkHourMinSecMs; }

// Value in display format TimeFormat (0..7); empty for 8 and above, where
// the cell keeps its own text.
std::string FormatCellTime(std::uint8_t TimeFormat, TTimeValue Value);

// Split text of D = Best - Now: "±0" (code-page bytes) when equal, else the
// sign and |D|, with milliseconds when WithMs.
std::string FormatSplitText(std::int64_t D, bool WithMs);

// Interval text of a non-negative I (no sign, leading field two digits).
std::string FormatIntervalText(std::int64_t I, bool WithMs);

// "±0" in the ANSI code page.
inline constexpr std::string_view kEvenSplitText = "\x81\x7D"
                                                   "0";
