// The sheet record: a sheet's name, display settings, row count and the
// stored texts of its first three columns. The records of the project file,
// the settings image and the sheet settings file are all made from it.
#pragma once

#include "grid/lap_types.h"
#include "model/char_slot.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// What each of a sheet's grid columns holds.
enum TSheetColumn : int {
    colTitle = 0,    // the segment's name
    colBest = 1,     // best running time
    colNow = 2,      // running time of the current run
    colSplit = 3,    // Best - Now, signed
    colInterval = 4, // the current run's time for the segment
};

constexpr int SheetColumnCount = 5;  // grid columns a sheet has settings for
constexpr int StoredColumnCount = 3; // columns whose texts are stored: titles, Best, Now

// The most rows a sheet may have, in a file or in the grid. A shown row costs
// five cell strings and an evaluation, so a sheet at the limit opens in a few
// hundred megabytes and under a second; more is damage, not a real run.
constexpr std::int32_t MaxSheetRows = 1'000'000;
constexpr bool IsValidRowCount(std::int64_t Rows) {
    return Rows >= 0 && Rows <= MaxSheetRows;
}

// Byte fields stay the bytes the files hold (ShowGrid 2 stays 2), so that a
// file read and written back unchanged is the same file.
struct TLaptimeSheet {
    TCharSlot<255> Name;
    std::uint8_t TimeFormat = 0;
    TCharSlot<255> FontName;
    TColor FontColor = 0;
    std::uint8_t FontStyle = 0; // TFontStyleBit set
    std::int32_t FontSize = 0;
    TColor BackColor = 0;
    TColor HeaderColor = 0;
    TColor HeaderDarkColor = 0;
    TColor HeaderFontColor = 0;
    TColor BoxColor = 0;
    TColor CellColor = 0;
    TColor AlternateColor = 0;
    std::uint8_t ShowGrid = 0;
    std::uint8_t GridStyle = 0; // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
    TColor GridColor = 0;
    std::array<std::uint8_t, SheetColumnCount> ColVisible{};
    std::array<std::int32_t, SheetColumnCount> ColWidth{};
    std::array<std::uint8_t, SheetColumnCount> ColHorzAlign{}; // THorzAlign values
    std::array<std::uint8_t, SheetColumnCount> ColVertAlign{}; // TVertAlign values
    std::int32_t DefRowHeight = 0;
    std::int32_t RowCount = 0;
    TColor PlusColor = 0;
    TColor MinusColor = 0;
    TColor EqualColor = 0;
    // Cell texts of columns 0..2, each line followed by CR LF.
    std::array<std::string, StoredColumnCount> Texts;

    friend bool operator==(const TLaptimeSheet&, const TLaptimeSheet&) = default;
};

// Where the user was in a sheet when another sheet was shown.
struct TSheetPosition {
    std::int32_t Col = 0;
    std::int32_t Row = 0;
    std::int32_t ScrollX = 0;
    std::int32_t ScrollY = 0;
    friend bool operator==(const TSheetPosition&, const TSheetPosition&) = default;
};

// The settings a sheet starts from when no environment file exists yet.
TLaptimeSheet DefaultSheetSettings();

// Copies the name and every setting; the texts only WithTexts. Does nothing
// when either record is missing.
void CopySheetSettings(TLaptimeSheet* Dest, const TLaptimeSheet* Src, bool WithTexts);

// The file name without its folder, cut before its first ".".
std::string TitleFromFileName(std::string_view FileName);
