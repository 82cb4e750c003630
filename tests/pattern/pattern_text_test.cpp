#include "pattern/pattern_matcher.h"
#include "pattern/pattern_text.h"

#include <gtest/gtest.h>

#include <string>

// Escaped into an expression, a name matches itself and nothing else.
TEST(PatternText, EscapedNamesMatchOnlyThemselves) {
    struct Row {
        const char* Name;
        std::string Text;
        std::string Escaped;
        std::string Other; // a text the bare name, taken as a pattern, would match
    };
    // clang-format off
    const Row rows[] = {
        {"plain",                  "Run",            "Run",                  ""},
        {"dot",                    "1.5",            "1\\.5",                "105"},
        {"anchors",                "^a$",            "\\^a\\$",              "a"},
        {"groups and classes",     "(a)[b]",         "\\(a\\)\\[b\\]",       "ab"},
        {"repeats",                "a*b+c?",         "a\\*b\\+c\\?",         "aabc"},
        {"braces",                 "a{2}",           "a\\{2\\}",             "aa"},
        {"alternation",            "a|b",            "a\\|b",                "a"},
        {"slash ends the pattern", "a/b",            "a\\/b",                ""},
        {"backslash is the yen",   "\\100",          "\\\\100",              "@"},
        // "表" ends in 0x5C and "ポ" in 0x7C: both stay whole.
        {"two-byte trail bytes",   "\x95\x5C|\x83\x7C", "\x95\x5C\\|\x83\x7C", ""},
    };
    // clang-format on
    TPatternMatcher m;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(EscapePatternText(r.Text), r.Escaped);
        const std::string pattern = "m/^" + EscapePatternText(r.Text) + "$/sk";
        EXPECT_TRUE(m.Match(pattern, r.Text));
        if (!r.Other.empty()) EXPECT_FALSE(m.Match(pattern, r.Other));
    }
}
