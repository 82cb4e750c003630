// The environment record and its file LapEnv.dat: window placement, view
// options, application settings and the default sheet settings.
#pragma once

#include "model/char_slot.h"
#include "model/laptime_sheet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t LapEnvSize = 3449;     // the TLapEnv image
constexpr std::size_t LapEnvFileSize = 4081; // TLapEnv image + settings image
constexpr const char* LapEnvFileName = "LapEnv.dat";

// The platform's window placement record; only NormalPosition is read back.
struct TWindowPlacement {
    std::int32_t Length = 0;
    std::int32_t Flags = 0;
    std::int32_t ShowCmd = 0;
    TPoint MinPosition;
    TPoint MaxPosition;
    TRect NormalPosition;
    friend bool operator==(const TWindowPlacement&, const TWindowPlacement&) = default;
};

// The values here are those used when no LapEnv.dat exists. Byte fields keep
// the stored bytes and the unused areas are carried unchanged, so that a file
// read and written back is the same file.
struct TLapEnv {
    TWindowPlacement Placement;
    std::uint8_t Maximized = 0;
    std::uint8_t ZOrderMode = 0; // 0 normal, 1 always on top, 2 always at the bottom
    std::uint8_t SizeLocked = 0;
    std::uint8_t TitleBarPos = 0; // 0 top, 1 bottom
    std::uint8_t ReopenLast = 0;
    TCharSlot<512> LastFile;
    std::uint8_t MaxUndoIndex = 1; // each undo buffer holds (index + 1) * 5 records
    std::uint8_t ConfirmRename = 1;
    std::uint8_t ConfirmManyRows = 1;
    std::uint8_t ShowNotes = 0;
    std::int32_t NotesHeight = 55;
    TCharSlot<255> NotesFontName = TCharSlot<255>::From(
        "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"); // ＭＳ Ｐゴシック
    std::int32_t NotesFontSize = 11;
    std::uint8_t NotesFontStyle = 0;
    TColor NotesFontColor = sys_color::WindowText;
    std::uint8_t NotesPos = 1; // 0 above the grid, 1 below
    TColor NotesColor = sys_color::Window;
    std::uint8_t TitlesLocked = 0;
    std::array<TCharSlot<255>, SheetColumnCount> HeaderTexts = {
        TCharSlot<255>{},
        TCharSlot<255>::From("\x8D\xC5\x91\xAC"), // 最速
        TCharSlot<255>::From("\x8D\xA1\x89\xF1"), // 今回
        TCharSlot<255>::From("\x8D\xB7"),         // 差
        TCharSlot<255>::From("\x8B\xE6\x8A\xD4"), // 区間
    };
    std::array<std::uint8_t, 40> Reserved1{};
    std::uint8_t ScrollThreshold = 0;
    std::array<std::uint8_t, 9> Reserved2{};
    std::uint8_t ShowToolButtons = 1;
    std::uint8_t ColumnsResizable = 1;
    std::uint8_t HeaderVisible = 1;
    std::array<std::uint8_t, 1282> Reserved3{};

    friend bool operator==(const TLapEnv&, const TLapEnv&) = default;
};

// Everything LapEnv.dat holds.
struct TLapEnvFile {
    TLapEnv Env;
    TLaptimeSheet DefaultSettings = DefaultSheetSettings();
    friend bool operator==(const TLapEnvFile&, const TLapEnvFile&) = default;
};

std::string WriteLapEnv(const TLapEnvFile& Data); // LapEnvFileSize bytes

// Reads the file image. A short image gives every field it holds whole and
// the default value for the rest; bytes beyond LapEnvFileSize are ignored.
// The default settings come back with empty texts.
TLapEnvFile ReadLapEnv(std::string_view Bytes);

// The file at Path; the defaults when there is none. EFileError when it
// exists but cannot be read.
TLapEnvFile LoadLapEnv(const std::string& Path);
void SaveLapEnv(const std::string& Path, const TLapEnvFile& Data);
