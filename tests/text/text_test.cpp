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

TEST(CodePage, RoundTripsJapaneseAndReplacesWhatItLacks) {
    const std::string best = "\xE6\x9C\x80\xE9\x80\x9F"; // 最速 in UTF-8
    const std::string cp = text::ToCodePage(best);
    EXPECT_EQ(cp, "\x8D\xC5\x91\xAC");
    EXPECT_EQ(text::FromCodePage(cp), best);
    EXPECT_EQ(text::ToCodePage("a\xF0\x9F\x98\x80z"), "a?z"); // an emoji is not in CP932
    EXPECT_EQ(text::ToCodePage("1:23.4"), "1:23.4");
}
