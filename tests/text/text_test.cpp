#include "text/codepage.h"
#include "text/lines.h"
#include "text/sjis.h"

#include <gtest/gtest.h>

TEST(Lines, SplitsAtEveryBreakKindAndStopsAtZero) {
    using V = std::vector<std::string>;
    EXPECT_EQ(text::SplitLines("a\r\nb\nc\rd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(text::SplitLines("a\r\n"), (V{"a"}));
    EXPECT_EQ(text::SplitLines("\r\n"), (V{""}));
    EXPECT_EQ(text::SplitLines("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(text::SplitLines(std::string_view("a\nb\0c\n", 6)), (V{"a", "b"}));
    EXPECT_TRUE(text::SplitLines("").empty());
}

TEST(Sjis, StepsOverTwoByteCharactersWhole) {
    const std::string so = "\x83\x5C"; // a katakana whose trail byte is '\'
    EXPECT_EQ(text::DropLastChar("ab" + so), "ab");
    EXPECT_EQ(text::DropLastChar(so + "x"), so);
    EXPECT_EQ(text::CutToBytes("a" + so + so, 4), "a" + so);
    EXPECT_EQ(text::CutToBytes("a" + so, 2), "a");
    EXPECT_EQ(text::CharCount("a" + so + "b"), 3u);
    EXPECT_EQ(text::DropLastChar(""), "");
}

// The edges of both lead-byte ranges: a lead byte takes the byte after it,
// any other byte stands alone.
TEST(Sjis, LeadByteRangesEndToEnd) {
    // clang-format off
    const struct { const char* Name; unsigned char Byte; bool Lead; } cases[] = {
        {"last ASCII", 0x7F, false}, {"below the first range", 0x80, false},
        {"first range start", 0x81, true}, {"first range end", 0x9F, true},
        {"half-width kana start", 0xA0, false}, {"half-width kana end", 0xDF, false},
        {"second range start", 0xE0, true}, {"second range middle", 0xEF, true},
        {"extension start", 0xF0, true}, {"extension end", 0xFC, true},
        {"above the ranges", 0xFD, false}, {"last byte", 0xFF, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string ch{static_cast<char>(c.Byte), '\x5C'};
        EXPECT_EQ(text::IsLeadByte(c.Byte), c.Lead);
        EXPECT_EQ(text::CharLength(ch, 0), c.Lead ? 2u : 1u);
        EXPECT_EQ(text::CharLength("a" + ch.substr(0, 1), 1), 1u); // nothing after it
        EXPECT_EQ(text::CharCount("a" + ch + "b"), c.Lead ? 3u : 4u);
        EXPECT_EQ(text::DropLastChar("a" + ch), c.Lead ? "a" : "a" + ch.substr(0, 1));
        EXPECT_EQ(text::CutToBytes(ch + "b", 1), c.Lead ? "" : ch.substr(0, 1));
    }
}

TEST(CodePage, RoundTripsJapaneseAndReplacesWhatItLacks) {
    const std::string best = "\xE6\x9C\x80\xE9\x80\x9F"; // 最速 in UTF-8
    const std::string cp = text::ToCodePage(best);
    EXPECT_EQ(cp, "\x8D\xC5\x91\xAC");
    EXPECT_EQ(text::FromCodePage(cp), best);
    EXPECT_EQ(text::ToCodePage("a\xF0\x9F\x98\x80z"), "a?z"); // an emoji is not in CP932
    EXPECT_EQ(text::ToCodePage("1:23.4"), "1:23.4");
}
