#include "pattern/pattern_matcher.h"

#include <gtest/gtest.h>

#include <string>

// The time forms are checked through the evaluation that uses them (TimeText),
// the sheet-number patterns through the names they generate (ProjectNaming).
TEST(PatternMatcher, DotAllAndEmptyTexts) {
    TPatternMatcher m;
    EXPECT_TRUE(m.Match("m/^a.b$/s", "a\nb"));
    EXPECT_FALSE(m.Match("m/^a.b$/", "a\nb"));
    EXPECT_TRUE(m.Match("m/^$/k", ""));
    EXPECT_FALSE(m.Match("m/./s", ""));
}

TEST(PatternMatcher, MalformedExpressionsRaiseWithAMessage) {
    TPatternMatcher m;
    for (const char* bad : {R"(m/([\d]+/)", "m/a{2,1}/", "m/\\/", "1:23", "m/abc", "m", "", "/abc/",
                            "m/a/q", "m/(/"}) {
        try {
            m.Match(bad, "abc");
            ADD_FAILURE() << "no error for " << bad;
        } catch (const EPatternError& e) {
            EXPECT_STRNE(e.what(), "") << bad;
        }
    }
    // A failed compile is not remembered as a good one.
    EXPECT_THROW(m.Match("m/(/", "x"), EPatternError);
}

TEST(PatternMatcher, KanjiFlagKeepsTwoByteCharactersWhole) {
    TPatternMatcher m;
    const std::string so = "\x83\x5C"; // trail byte '\'
    const std::string ze = "\x83\x5B"; // trail byte '['
    const std::string ri = "\x83\x5D"; // trail byte ']'
    // A name whose trail byte is '\' used unescaped inside a pattern.
    EXPECT_TRUE(m.Match("m/^" + so + R"( \([\d]+\)$/sk)", so + " (2)"));
    EXPECT_FALSE(m.Match("m/^" + so + R"( \([\d]+\)$/s)", so + " (2)")); // '\' escapes ' '
    // The trail byte is no backslash or bracket of its own.
    EXPECT_FALSE(m.Match(R"(m/\\/k)", so));
    EXPECT_TRUE(m.Match(R"(m/\\/)", so));
    EXPECT_FALSE(m.Match(R"(m/\]/k)", ri));
    EXPECT_TRUE(m.Match("m/^" + ze + "+$/k", ze + ze));
    EXPECT_THROW(m.Match("m/^" + ze + "+$/", ze + ze), EPatternError); // bytes: an open class
    EXPECT_TRUE(m.Match("m/^[" + ri + so + "]{2}$/k", ri + so));
    EXPECT_FALSE(m.Match("m/^[" + ri + so + "]{2}$/k", ri + "x"));
    // One dot is one character; a lone lead byte at the end is one byte.
    EXPECT_TRUE(m.Match("m/^.$/k", so));
    EXPECT_FALSE(m.Match("m/^.$/", so));
    EXPECT_TRUE(m.Match("m/^a.$/k", "a\x83"));
    EXPECT_TRUE(m.Match("m/^\xB1.$/k", "\xB1" + so)); // half-width kana stays single
}

TEST(PatternMatcher, ManyDistinctExpressionsKeepTheirAnswers) {
    TPatternMatcher m;
    const std::string time = R"(m/^([\d]+):([0-5][\d]|[\d])$/)";
    for (int i = 0; i < 1500; ++i) {
        const std::string name = "m/^Sheet " + std::to_string(i) + R"( \([\d]+\)$/sk)";
        ASSERT_TRUE(m.Match(name, "Sheet " + std::to_string(i) + " (2)")) << i;
        ASSERT_FALSE(m.Match(name, "Sheet " + std::to_string(i + 1) + " (2)")) << i;
        ASSERT_TRUE(m.Match(time, "1:23")) << i;
    }
    // The program-wide matcher is one matcher: what one caller compiled, the
    // next finds, with the same answers, and a failed compile stays an error.
    TPatternMatcher& shared = TPatternMatcher::Shared();
    EXPECT_EQ(&shared, &TPatternMatcher::Shared());
    EXPECT_TRUE(shared.Match(time, "12:05"));
    EXPECT_FALSE(TPatternMatcher::Shared().Match(time, "1:60"));
    EXPECT_FALSE(TPatternMatcher::Shared().Match(time, "1:23\n"));
    EXPECT_THROW(shared.Match("m/(/", "x"), EPatternError);
    EXPECT_THROW(TPatternMatcher::Shared().Match("m/(/", "x"), EPatternError);
}
