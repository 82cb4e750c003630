// Time texts of the Best and Now columns: recognition, values, display
// formats, and the evaluation of one grid row into its split, interval and
// split result.
#pragma once

#include "grid/canvas.h"
#include "grid/lap_types.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TLapGrid;

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

constexpr bool HasMilliseconds(TTimeTextKind k) {
    return k == tkMinSecMs || k == tkHourMinSecMs;
}

// Value in display format TimeFormat (0..7); empty for 8 and above, and for
// a day or more in the formats with hours (0, 1, 4, 5): the cell then keeps
// its own text.
std::string FormatCellTime(std::uint8_t TimeFormat, TTimeValue Value);

// Split text of D = Best - Now: "±0" (code-page bytes) when equal, else the
// sign and |D|, with milliseconds when WithMs.
std::string FormatSplitText(std::int64_t D, bool WithMs);

// Interval text of a non-negative I (no sign, leading field two digits).
std::string FormatIntervalText(std::int64_t I, bool WithMs);

// "±0" in the ANSI code page.
inline constexpr std::string_view kEvenSplitText = "\x81\x7D"
                                                   "0";

// What the evaluation needs of the current sheet.
struct TEvalSettings {
    std::uint8_t TimeFormat = 0;
    TColor FontColor = sys_color::WindowText;
    TColor PlusColor = 0x0000FF;
    TColor MinusColor = 0xFF0000;
    TColor EqualColor = 0x55CC55;
};

// The current sheet's settings; nullopt while no project is open.
using TEvalSettingsSource = std::function<std::optional<TEvalSettings>()>;

// Evaluates grid rows as their Best and Now cells are written and picks the
// colour of the Now and split cells when they are painted. Attach() hooks it
// to the grid's events; it must then live as long as the grid raises them.
class TTimeEvaluator {
  public:
    TTimeEvaluator(TLapGrid& Grid, TEvalSettingsSource Settings);

    void Attach();

    // Re-evaluates row ARow after column ACol (1 Best, 2 Now) was written.
    void GridCellAssignment(int ACol, int ARow);
    // Sets the font colour of the Now and split cells from the row's split result.
    void GridDrawCell(Canvas& ACanvas, int X, int Y, const TRect& Rc, bool& Handled);

  private:
    TLapGrid& FGrid;
    TEvalSettingsSource FSettings;
};
