// The messages another program sends to the running window over its local
// socket: Clear Now, a text for the current cell, a project to open, a
// request for the sheet on show (once, or after every change), and the
// window's answer carrying that sheet. Each is framed with a tag, a version
// and a length, so that anything else that reaches the socket is recognised
// and dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum TRemoteKind : std::uint8_t {
    rkClearNow = 1,
    rkCellInput = 2,
    rkOpenFile = 3,
    rkGetSheet = 4,   // Text: "text" or "json"
    rkWatchSheet = 5, // answered with one rkSheetState (JSON) now and after every change
    rkSheetState = 6, // from the window: the sheet on show
};

struct TRemoteMessage {
    TRemoteKind Kind = rkClearNow;
    std::int32_t Moves = 0; // rkCellInput: Enter presses after the write, minus one
    std::string Text; // rkCellInput: UTF-8 text; rkOpenFile: the path; rkSheetState: the sheet
    friend bool operator==(const TRemoteMessage&, const TRemoteMessage&) = default;
};

constexpr std::uint8_t RemoteVersion = 1;
constexpr std::size_t RemoteHeaderSize = 14; // "SGMK", version, kind, moves, length
constexpr std::size_t MaxRemoteText = 64 * 1024;
// The window's answer holds a whole sheet: a million rows of five cells.
constexpr std::size_t MaxSheetStateText = 1024 * 1024 * 1024;

std::string EncodeRemoteMessage(const TRemoteMessage& Message);

enum class TRemoteParse { Incomplete, Ok, Bad };

// Reads one message from the front of Bytes. Ok: Out holds it and Used the
// bytes it took. Incomplete: more bytes may make it whole. Bad: not a
// message of this version (wrong tag or version, unknown kind, a text over
// MaxText); the connection is to be dropped.
TRemoteParse DecodeRemoteMessage(std::string_view Bytes, TRemoteMessage& Out, std::size_t& Used,
                                 std::size_t MaxText = MaxRemoteText);

// A cell-input text as the grid takes it: code-page bytes, cut as
// CutCellInput cuts them.
std::string CellInputText(std::string_view Utf8);
