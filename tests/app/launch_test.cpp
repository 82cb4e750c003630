// What a start without a subcommand asks for, and the messages a later start
// sends to the running window.
#include "app/launch.h"
#include "app/remote_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Launch, ArgumentsTable) {
    const std::string whole = "--moves needs a whole number";
    // clang-format off
    const struct { std::vector<std::string> Args; TLaunchKind Kind; std::string Text; int Moves; } cases[] = {
        {{}, lkWindow, "", 0},
        {{"run.sgp"}, lkWindow, "", 0},
        {{"missing/run.txt"}, lkWindow, "", 0}, // a file name, left to the start rule
        {{"a.sgp", "b.sgp"}, lkWindow, "", 0},
        {{"--help"}, lkHelp, "", 0},
        {{"--version"}, lkVersion, "", 0},
        {{"--version", "x"}, lkUsageError, "", 0},
        {{"--clear-now"}, lkClearNow, "", 0},
        {{"--clear-now", "x"}, lkUsageError, "--clear-now takes no arguments", 0},
        {{"--cell-input", "1:23"}, lkCellInput, "1:23", 0},
        {{"--cell-input", "1:23", "--moves", "-1"}, lkCellInput, "1:23", -1},
        {{"--cell-input", "1:23", "--moves", "2"}, lkCellInput, "1:23", 2},
        {{"--cell-input", "1:23", "--moves", "2x"}, lkUsageError, whole, 0},
        {{"--cell-input", "1:23", "--moves", "99999999999"}, lkUsageError, whole, 0},
        {{"--cell-input"}, lkUsageError, "--cell-input takes a text and an optional --moves N", 0},
        {{"--get"}, lkGetSheet, "", 0},
        {{"--get", "--format", "text"}, lkGetSheet, "", 0},
        {{"--get", "--format", "json"}, lkGetSheet, "", 0},
        {{"--get", "--format", "xml"}, lkUsageError, "--get takes an optional --format text|json", 0},
        {{"--get", "--format"}, lkUsageError, "--get takes an optional --format text|json", 0},
        {{"--watch"}, lkWatchSheet, "", 0},
        {{"--watch", "--format", "json"}, lkUsageError, "--watch takes no arguments", 0},
        {{"frobnicate"}, lkUsageError, "unknown command frobnicate", 0},
        {{"run.sgp", "--fast"}, lkUsageError, "unknown option --fast", 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Args.empty() ? "(none)" : c.Args[0]);
        const TLaunch l = ParseLaunch(c.Args);
        EXPECT_EQ(l.Kind, c.Kind);
        if (c.Kind == lkCellInput || c.Kind == lkUsageError) EXPECT_EQ(l.Text, c.Text);
        EXPECT_EQ(l.Moves, c.Moves);
        if (c.Kind == lkWindow) EXPECT_EQ(l.Args, c.Args);
        if (c.Kind == lkGetSheet) EXPECT_EQ(l.Json, c.Args.back() == "json");
    }
}

TEST(RemoteMessage, RoundTripAndRefusals) {
    const TRemoteMessage m{rkCellInput, -3, "1:23\"500"};
    const std::string bytes = EncodeRemoteMessage(m);
    TRemoteMessage out;
    std::size_t used = 0;
    // Every proper prefix waits for more; the whole message, with the start
    // of the next behind it, is read alone.
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_EQ(DecodeRemoteMessage(bytes.substr(0, n), out, used), TRemoteParse::Incomplete)
            << n;
    ASSERT_EQ(DecodeRemoteMessage(bytes + "SG", out, used), TRemoteParse::Ok);
    EXPECT_EQ(out, m);
    EXPECT_EQ(used, bytes.size());

    const auto patched = [&](std::size_t At, char C) {
        std::string b = bytes;
        b[At] = C;
        return b;
    };
    std::string huge = bytes;
    huge[13] = '\x7F'; // a length of about 2 GB
    // "X": refused from the first wrong byte, before the rest arrives.
    const std::string refused[] = {
        "GET / HTTP/1.1\r\n",
        patched(0, 's'),
        patched(4, '\x02'),
        "X",
        patched(5, '\x00'),
        patched(5, '\x07'),
        huge,
    };
    for (const std::string& b : refused)
        EXPECT_EQ(DecodeRemoteMessage(b, out, used), TRemoteParse::Bad) << b;
}

// A request is held to the small limit; the window's answer, a whole sheet,
// only to its own.
TEST(RemoteMessage, SheetStateCarriesMoreThanARequest) {
    const TRemoteMessage state{rkSheetState, 0, std::string(MaxRemoteText + 1, 'x')};
    const std::string bytes = EncodeRemoteMessage(state);
    TRemoteMessage out;
    std::size_t used = 0;
    // A request of exactly the limit is still taken.
    const TRemoteMessage longest{rkCellInput, 0, std::string(MaxRemoteText, 'y')};
    ASSERT_EQ(DecodeRemoteMessage(EncodeRemoteMessage(longest), out, used), TRemoteParse::Ok);
    EXPECT_EQ(out, longest);
    EXPECT_EQ(DecodeRemoteMessage(bytes, out, used), TRemoteParse::Bad);
    ASSERT_EQ(DecodeRemoteMessage(bytes, out, used, MaxSheetStateText), TRemoteParse::Ok);
    EXPECT_EQ(out, state);
}

TEST(RemoteMessage, CellInputTextIsCutOnACharacterBoundary) {
    // "区" is two bytes in the code page: 127 of them and an "a" make 255
    // bytes, one more "区" must not be split.
    std::string utf8;
    for (int i = 0; i < 127; ++i)
        utf8 += "区";
    const std::string cut = CellInputText(utf8 + "a区");
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut.back(), 'a');
    EXPECT_EQ(CellInputText("1:00€"), "1:00?");
}
