#include "app/time_eval.h"
#include "grid/lap_grid.h"

#include "grid/fake_host.h"
#include "grid/one_sheet.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kEven = "\x81\x7D"
                          "0";

} // namespace

TEST(TimeText, RecognisesFormsAndValues) {
    // clang-format off
    const struct { const char* text; TTimeTextKind kind; TTimeValue value; } cases[] = {
        {"1:23", tkMinSec, 83'000},
        {"1440:00", tkMinSec, 86'400'000},
        {"1:5", tkMinSec, 65'000},
        {"1:60", tkNotTime, 0},
        {"1:2:3", tkHourMinSec, 3'723'000},
        {"23:59:59", tkHourMinSec, 86'399'000},
        {"24:00:00", tkNotTime, 0},
        {"1:02:60", tkNotTime, 0},
        {"123:00:00", tkNotTime, 0},
        {"1:2:3:4", tkNotTime, 0},
        {"1:23\"5", tkMinSecMs, 83'005},
        {"1:23\"45", tkMinSecMs, 83'045},
        {"1:21\"500", tkMinSecMs, 81'500},
        {"1:23\"5000", tkNotTime, 0},
        {"1:23\"", tkNotTime, 0},
        {"1:02:03\"456", tkHourMinSecMs, 3'723'456},
        {"", tkNotTime, 0},
        {" 1:23", tkNotTime, 0},
        {"1:23\n", tkNotTime, 0},
        {"-1:23", tkNotTime, 0},
        {"\x82\x50:23", tkNotTime, 0}, // full-width digit
        {"0000000000000000001:00", tkMinSec, 60'000},
        // The largest time value, and just past it: never wrapped around.
        {"71582:47\"295", tkMinSecMs, 4'294'967'295u},
        {"71582:47\"296", tkNotTime, 0},
        {"71582:48", tkNotTime, 0},
        {"99999999999999999999999:00", tkNotTime, 0},
        {"18446744073709551616:01", tkNotTime, 0}, // 2^64 minutes must not wrap to 0
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        const TTimeTextKind kind = ClassifyTimeText(c.text);
        EXPECT_EQ(kind, c.kind);
        EXPECT_EQ(ParseTimeText(kind, c.text), c.value);
    }
}

TEST(TimeText, CleaningRemovesOnlyTheFirstCrLf) {
    const std::pair<const char*, const char*> cases[] = {
        {"1:23\r\n", "1:23"},         {"\r\n1:23", "1:23"},     {"1:\r\n23", "1:23"},
        {"1:\r\n23\r\n", "1:23\r\n"}, {"1:23\n\r", "1:23\n\r"}, {"", ""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CleanCellText(in), out) << in;
}

TEST(TimeText, DisplayFormatsSplitsAndIntervals) {
    // A day or more is never shown as a clock time.
    // clang-format off
    const struct { std::uint8_t format; const char *big, *small, *day; } table[] = {
        {0, "1:02:03", "0:01:05", ""},
        {1, "01:02:03", "00:01:05", ""},
        {2, "62:03", "1:05", "1440:00"},
        {3, "62:03", "01:05", "1440:00"},
        {4, "1:02:03\"456", "0:01:05\"432", ""},
        {5, "01:02:03\"456", "00:01:05\"432", ""},
        {6, "62:03\"456", "1:05\"432", "1440:00\"000"},
        {7, "62:03\"456", "01:05\"432", "1440:00\"000"},
        {8, "", "", ""},
        {255, "", "", ""},
    };
    // clang-format on
    for (const auto& r : table) {
        SCOPED_TRACE(int(r.format));
        EXPECT_EQ(FormatCellTime(r.format, 3'723'456), r.big);
        EXPECT_EQ(FormatCellTime(r.format, 65'432), r.small);
        EXPECT_EQ(FormatCellTime(r.format, 86'400'000u), r.day);
    }
    EXPECT_EQ(FormatCellTime(0, 86'399'999u), "23:59:59");
    EXPECT_EQ(FormatCellTime(7, 4'294'967'295u), "71582:47\"295");

    EXPECT_EQ(FormatSplitText(-4'294'967'295LL, true), "+1193:02:47\"295");
    EXPECT_EQ(FormatIntervalText(3'723'456, true), "01:02:03\"456");
}

// ---- evaluation through a real grid ----

namespace {

constexpr TColor kUntouched = 0x123456;

class GridEval : public ::testing::Test {
  protected:
    void SetUpGrid(int rows) {
        ShowOneSheet(grid, rows, 0);
        grid.SetSheetIndex(0);
        eval.Attach();
    }
    // Writes a cell and raises the event the grid raises after a user-level write.
    void Type(int col, int row, const std::string& text) {
        grid.SetCells(col, row, text);
        grid.OnCellAssignment(col, row);
    }
    TTimeFormat Result(int row) { return grid.CurrentFormats()->Items(row); }
    TColor DrawnColor(int col, int row) {
        RecordingCanvas canvas;
        canvas.Font.Color = kUntouched;
        bool handled = false;
        grid.OnDrawCell(canvas, col, row, TRect{}, handled);
        EXPECT_FALSE(handled);
        return canvas.Font.Color;
    }

    TLapGrid grid;
    std::optional<TEvalSettings> settings = TEvalSettings{};
    TTimeEvaluator eval{grid, [this] { return settings; }};
};

} // namespace

TEST_F(GridEval, WorkedExamplesAndTheirColours) {
    // colour: of the Now and split texts, the split's result.
    // clang-format off
    const struct { const char *best, *now, *nowAfter; std::string split; const char* interval; TColor colour; } examples[] = {
        {"1:23", "1:21\"500", "0:01:21", "-0:01\"500", "- - -", 0xFF0000},
        {"1:02:03", "1:02:05", "1:02:05", "+0:02", "- - -", 0x0000FF},
        {"2:00:00", "59:59", "0:59:59", "-1:00:01", "- - -", 0xFF0000},
        {"1:00", "60:00\"000", "1:00:00", "+59:00\"000", "- - -", 0x0000FF},
        {"5:07", "5:07", "0:05:07", kEven, "- - -", 0x55CC55},
        {"abc", "5:07", "0:05:07", "###", "old", 0x000001},
        {"", "5:07", "0:05:07", "", "- - -", 0x000001},
        {"5:07", "", "", "", "", 0x000001},
        {"5:07", "71583:00", "71583:00", "###", "old", 0x000001},
        {"", "2121:9", "2121:9", "", "- - -", 0x000001}, // over a day: kept as typed
    };
    // clang-format on
    settings->FontColor = 0x000001;
    SetUpGrid(1);
    for (const auto& e : examples) {
        SCOPED_TRACE(std::string(e.best) + " / " + e.now);
        grid.SetCells(1, 0, e.best);
        grid.SetCells(4, 0, "old");
        grid.CurrentFormats()->Items(0) = tfPlus; // whatever an earlier evaluation left
        Type(2, 0, e.now);
        EXPECT_EQ(grid.Cells(1, 0), e.best);
        EXPECT_EQ(grid.Cells(2, 0), e.nowAfter);
        EXPECT_EQ(grid.Cells(3, 0), e.split);
        EXPECT_EQ(grid.Cells(4, 0), e.interval);
        EXPECT_FALSE(grid.Updating());
        EXPECT_EQ(DrawnColor(2, 0), e.colour);
        EXPECT_EQ(DrawnColor(3, 0), e.colour);
        for (int col : {0, 1, 4}) // the other columns keep the grid's colour
            EXPECT_EQ(DrawnColor(col, 0), kUntouched);
    }
    EXPECT_EQ(DrawnColor(2, 1), kUntouched); // no entry for that row
    settings.reset();
    EXPECT_EQ(DrawnColor(2, 0), kUntouched); // no project open
}

TEST_F(GridEval, IntervalsBestEditsLineBreaksAndIgnoredCalls) {
    settings->TimeFormat = 8; // format 8 keeps the typed text
    SetUpGrid(4);
    Type(2, 0, "1:00");
    Type(2, 1, "2:30\"250");
    Type(2, 2, "2:10");
    Type(2, 3, "2:10");
    const char* intervals[] = {"- - -", "01:30\"250", "###", "00:00"};
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(grid.Cells(4, r), intervals[r]) << r;
    Type(2, 1, "2:00:00");
    Type(2, 2, "3:01:02");
    EXPECT_EQ(grid.Cells(4, 2), "01:01:02");
    Type(2, 1, "soon"); // a row above that is no time
    Type(2, 2, "3:01:02");
    EXPECT_EQ(grid.Cells(4, 2), "");

    // A Best edit rewrites only Best and leaves the interval of a later row;
    // on the first row it refreshes the "- - -" as well.
    settings->TimeFormat = 0;
    Type(2, 1, "2:00");
    grid.SetCells(4, 1, "kept");
    Type(1, 1, "2:00\"500");
    EXPECT_EQ(grid.Cells(1, 1), "0:02:00");
    EXPECT_EQ(grid.Cells(3, 1), "-0:00\"500");
    EXPECT_EQ(grid.Cells(4, 1), "kept");
    Type(1, 1, grid.Cells(1, 1)); // the milliseconds are gone: even
    EXPECT_EQ(Result(1), tfEven);
    grid.SetCells(4, 0, "");
    Type(1, 0, "0:59");
    EXPECT_EQ(grid.Cells(4, 0), "- - -");
    Type(1, 0, "n/a\r\n"); // no time: stays as typed, uncleaned
    EXPECT_EQ(grid.Cells(1, 0), "n/a\r\n");
    EXPECT_EQ(grid.Cells(3, 0), "###");

    // A line break typed into a cell, under the formats that keep or rewrite it.
    settings->TimeFormat = 8;
    grid.SetCells(1, 0, "1:24");
    Type(2, 0, "1:23\r\n");
    EXPECT_EQ(grid.Cells(2, 0), "1:23\r\n");
    EXPECT_EQ(grid.Cells(3, 0), "-0:01");
    settings->TimeFormat = 9; // beyond the list: treated as text left as typed
    Type(2, 0, "1:23\"4\r\n");
    EXPECT_EQ(grid.Cells(2, 0), "1:23\"4\r\n");
    EXPECT_EQ(grid.Cells(3, 0), "-0:00\"996");
    settings->TimeFormat = 6;
    Type(2, 0, "1:23\r\n");
    EXPECT_EQ(grid.Cells(2, 0), "1:23\"000");

    // Columns other than Best and Now, rows outside the grid, no project.
    grid.SetCells(1, 1, "1:00");
    grid.SetCells(2, 1, "1:00");
    grid.SetCells(3, 1, "x");
    for (int col : {0, 3, 4})
        grid.OnCellAssignment(col, 1);
    grid.OnCellAssignment(2, 4);
    grid.OnCellAssignment(2, -1);
    settings.reset();
    Type(2, 1, "1:01");
    EXPECT_EQ(grid.Cells(3, 1), "x");
}
