#include "app/time_eval.h"

#include "model/laptime_sheet.h"

#include "grid/lap_grid.h"
#include "pattern/pattern_matcher.h"

#include <array>
#include <optional>

namespace {

constexpr std::array<std::string_view, 4> kTimePatterns = {
    R"(m/^([\d]+):([0-5][\d]|[\d])$/)",
    R"(m/^([0-1][0-9]|[2][0-3]|[\d]):([0-5][\d]|[\d]):([0-5][\d]|[\d])$/)",
    R"x(m/^([\d]+):([0-5][\d]|[\d])"([\d]{3}|[\d]{2}|[\d])$/)x",
    R"x(m/^([0-1][0-9]|[2][0-3]|[\d]):([0-5][\d]|[\d]):([0-5][\d]|[\d])"([\d]{3}|[\d]{2}|[\d])$/)x",
};

constexpr std::uint64_t kMaxTime = 0xFFFFFFFFu;

// A run of decimal digits; nullopt when it holds anything else or exceeds
// what any time value could use (leading zeros do not count).
std::optional<std::uint64_t> ReadNumber(std::string_view s) {
    if (s.empty()) return std::nullopt;
    std::uint64_t n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + std::uint64_t(c - '0');
        if (n > kMaxTime) return std::nullopt;
    }
    return n;
}

// Value of a text already known to be of Kind, in 64 bits; nullopt when it
// does not fit a time value.
std::optional<std::uint64_t> ValueOf(TTimeTextKind Kind, std::string_view Text) {
    std::string_view fields[3];
    std::size_t count = 0, start = 0;
    for (;;) {
        std::size_t p = Text.find(':', start);
        if (count == 3) return std::nullopt;
        fields[count++] =
            Text.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start);
        if (p == std::string_view::npos) break;
        start = p + 1;
    }
    std::string_view h = "0", m, s, ms = "0";
    switch (Kind) {
    case tkMinSec:
    case tkMinSecMs:
        if (count != 2) return std::nullopt;
        m = fields[0];
        s = fields[1];
        break;
    case tkHourMinSec:
    case tkHourMinSecMs:
        if (count != 3) return std::nullopt;
        h = fields[0];
        m = fields[1];
        s = fields[2];
        break;
    default:
        return std::nullopt;
    }
    if (HasMilliseconds(Kind)) {
        std::size_t q = s.find('"');
        if (q == std::string_view::npos) return std::nullopt;
        ms = s.substr(q + 1);
        s = s.substr(0, q);
    }
    auto H = ReadNumber(h), M = ReadNumber(m), S = ReadNumber(s), MS = ReadNumber(ms);
    if (!H || !M || !S || !MS) return std::nullopt;
    // Each part is at most 2^32 - 1, so the sum stays far inside 64 bits.
    std::uint64_t v = *H * 3'600'000 + *M * 60'000 + *S * 1'000 + *MS;
    if (v > kMaxTime) return std::nullopt;
    return v;
}

struct Recognised {
    TTimeTextKind kind = tkNotTime;
    TTimeValue value = 0;
};

// Kind and value at once: the first pattern that matches decides the kind,
// and too large a value makes the text no time rather than a wrapped-around one.
Recognised Recognise(std::string_view Text) {
    if (Text.empty()) return {};
    auto& matcher = TPatternMatcher::Shared();
    for (std::size_t i = 0; i < kTimePatterns.size(); ++i) {
        if (!matcher.Match(kTimePatterns[i], Text)) continue;
        const auto kind = static_cast<TTimeTextKind>(i);
        const auto v = ValueOf(kind, Text);
        if (!v) return {};
        return {kind, TTimeValue(*v)};
    }
    return {};
}

// Appends v in decimal, zero-padded to at least width digits (printf "%0.Nd").
void AppendNumber(std::string& out, unsigned v, int width) {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = char('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (int i = n; i < width; ++i)
        out += '0';
    while (n > 0)
        out += digits[--n];
}

// "first:SS" or, with hours, "first:MM:SS"; then '"' and three millisecond
// digits when withMs. first is padded to firstWidth digits.
std::string ClockText(char sign, bool withHours, unsigned first, int firstWidth,
                      const TTimeParts& p, bool withMs) {
    std::string out;
    out.reserve(24);
    if (sign) out += sign;
    AppendNumber(out, first, firstWidth);
    if (withHours) {
        out += ':';
        AppendNumber(out, p.M, 2);
    }
    out += ':';
    AppendNumber(out, p.S, 2);
    if (withMs) {
        out += '"';
        AppendNumber(out, p.MS, 3);
    }
    return out;
}

} // namespace

std::string CleanCellText(std::string_view Text) {
    std::string out(Text);
    if (auto p = out.find("\r\n"); p != std::string::npos) out.erase(p, 2);
    return out;
}

TTimeTextKind ClassifyTimeText(std::string_view Text) {
    return Recognise(Text).kind;
}

TTimeValue ParseTimeText(TTimeTextKind Kind, std::string_view Text) {
    if (Kind == tkNotTime) return 0;
    auto v = ValueOf(Kind, Text);
    return v ? TTimeValue(*v) : 0;
}

TTimeParts SplitTime(TTimeValue Value) {
    TTimeParts p;
    p.H = std::uint16_t(Value / 3'600'000);
    p.M = std::uint16_t(Value % 3'600'000 / 60'000);
    p.S = std::uint16_t(Value % 60'000 / 1'000);
    p.MS = std::uint16_t(Value % 1'000);
    return p;
}

std::string FormatCellTime(std::uint8_t TimeFormat, TTimeValue Value) {
    if (TimeFormat >= kTimeFormatAsTyped) return {};
    // Bit 0: leading field of two digits; bit 1: minutes only; bit 2: milliseconds.
    const TTimeParts p = SplitTime(Value);
    const bool withHours = (TimeFormat & 2) == 0;
    // An hour field of 24 or more would read back as a clock time of
    // another kind, or not at all; such a cell keeps the text it has.
    if (withHours && p.H >= 24) return {};
    const unsigned first = withHours ? p.H : unsigned(p.H) * 60 + p.M;
    return ClockText(0, withHours, first, (TimeFormat & 1) ? 2 : 1, p, (TimeFormat & 4) != 0);
}

std::string FormatSplitText(std::int64_t D, bool WithMs) {
    if (D == 0) return std::string(kEvenSplitText);
    const TTimeParts p = SplitTime(TTimeValue(D > 0 ? D : -D));
    const bool withHours = p.H > 0;
    return ClockText(D > 0 ? '-' : '+', withHours, withHours ? p.H : p.M, 1, p, WithMs);
}

std::string FormatIntervalText(std::int64_t I, bool WithMs) {
    const TTimeParts p = SplitTime(TTimeValue(I));
    const bool withHours = p.H > 0;
    return ClockText(0, withHours, withHours ? p.H : p.M, 2, p, WithMs);
}

// ---- TTimeEvaluator ----

namespace {

struct EvaluatedText {
    std::string text;
    TTimeTextKind kind;
    TTimeValue value;
};

EvaluatedText Evaluate(const std::string& cell) {
    EvaluatedText t{CleanCellText(cell), tkNotTime, 0};
    const Recognised r = Recognise(t.text);
    t.kind = r.kind;
    t.value = r.value;
    return t;
}

} // namespace

TTimeEvaluator::TTimeEvaluator(TLapGrid& Grid, TEvalSettingsSource Settings)
    : FGrid(Grid), FSettings(std::move(Settings)) {}

void TTimeEvaluator::Attach() {
    FGrid.OnCellAssignment = [this](int ACol, int ARow) { GridCellAssignment(ACol, ARow); };
    FGrid.OnDrawCell = [this](Canvas& ACanvas, int X, int Y, const TRect& Rc, bool& Handled) {
        GridDrawCell(ACanvas, X, Y, Rc, Handled);
    };
}

void TTimeEvaluator::GridCellAssignment(int ACol, int ARow) {
    if (FGrid.RowCount() == 0 || (ACol != colBest && ACol != colNow)) return;
    // Rows outside the grid, or a grid without the derived columns, have
    // nothing to evaluate.
    if (ARow < 0 || ARow >= FGrid.RowCount() || FGrid.ColCount() <= colInterval) return;
    const std::optional<TEvalSettings> settings = FSettings ? FSettings() : std::nullopt;
    if (!settings) return;

    TUpdateBatch batch(FGrid);
    TTimeFormatList* formats = FGrid.CurrentFormats();
    auto setResult = [&](TTimeFormat r) {
        if (formats && ARow < formats->Count()) formats->Items(ARow) = r;
    };

    const std::string bestCell = FGrid.Cells(colBest, ARow);
    const std::string nowCell = FGrid.Cells(colNow, ARow);
    const EvaluatedText best = Evaluate(bestCell);
    const EvaluatedText now = Evaluate(nowCell);

    // Display format of the evaluated cell; the other time column stays.
    if (settings->TimeFormat < kTimeFormatAsTyped) {
        const EvaluatedText& own = ACol == colBest ? best : now;
        const std::string& ownCell = ACol == colBest ? bestCell : nowCell;
        const std::string shown =
            own.kind == tkNotTime ? std::string() : FormatCellTime(settings->TimeFormat, own.value);
        FGrid.SetCells(ACol, ARow, shown.empty() ? ownCell : shown);
    }

    // Split, from the texts as they were before the rewrite.
    if (best.text.empty() || now.text.empty()) {
        setResult(tfNone);
        FGrid.SetCells(colSplit, ARow, std::string());
    } else if (best.kind == tkNotTime || now.kind == tkNotTime) {
        setResult(tfNone);
        FGrid.SetCells(colSplit, ARow, "###");
        return; // the interval keeps its text
    } else {
        const std::int64_t d = std::int64_t(best.value) - std::int64_t(now.value);
        setResult(d > 0 ? tfMinus : d < 0 ? tfPlus : tfEven);
        FGrid.SetCells(colSplit, ARow,
                       FormatSplitText(d, HasMilliseconds(best.kind) || HasMilliseconds(now.kind)));
    }

    // Interval: only the Now texts feed it, so a Best edit leaves it alone.
    if (ACol == colNow && ARow > 0 && now.kind != tkNotTime) {
        const EvaluatedText prev = Evaluate(FGrid.Cells(colNow, ARow - 1));
        if (prev.text.empty() || now.text.empty() || prev.kind == tkNotTime) {
            FGrid.SetCells(colInterval, ARow, std::string());
        } else {
            const std::int64_t i = std::int64_t(now.value) - std::int64_t(prev.value);
            FGrid.SetCells(colInterval, ARow,
                           i < 0 ? std::string("###")
                                 : FormatIntervalText(i, HasMilliseconds(prev.kind) ||
                                                             HasMilliseconds(now.kind)));
        }
    } else if (ARow == 0) {
        FGrid.SetCells(colInterval, 0,
                       !now.text.empty() && now.kind != tkNotTime ? "- - -" : std::string());
    } else if (ACol == colNow) {
        FGrid.SetCells(colInterval, ARow, std::string());
    }
}

void TTimeEvaluator::GridDrawCell(Canvas& ACanvas, int X, int Y, const TRect&, bool&) {
    if (X != colNow && X != colSplit) return;
    const std::optional<TEvalSettings> settings = FSettings ? FSettings() : std::nullopt;
    if (!settings) return;
    const TTimeFormatList* formats = FGrid.CurrentFormats();
    if (!formats || Y < 0 || Y >= formats->Count()) return;
    switch (formats->Items(Y)) {
    case tfMinus:
        ACanvas.Font.Color = settings->MinusColor;
        break;
    case tfPlus:
        ACanvas.Font.Color = settings->PlusColor;
        break;
    case tfEven:
        ACanvas.Font.Color = settings->EqualColor;
        break;
    default:
        ACanvas.Font.Color = settings->FontColor;
        break;
    }
}
