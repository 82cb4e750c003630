#include "model/sheet_text.h"

#include <gtest/gtest.h>

using V = std::vector<std::string>;

TEST(SheetText, SplitsImportFields) {
    // clang-format off
    const struct { const char* name; std::string line; V fields; } cases[] = {
        {"a space splits", "Stage 1\t1:23\t1:20", {"Stage", "1", "1:23", "1:20"}},
        {"quoted title", "\"Stage 1\"\t1:23\t1:20", {"Stage 1", "1:23", "1:20"}},
        {"no empty fields", "T\t\t1:00", {"T", "1:00"}},
        {"leading and trailing runs", " \t\x01x\x1F y \t", {"x", "y"}},
        {"doubled quote", "\"say \"\"hi\"\"\" b", {"say \"hi\"", "b"}},
        {"empty quoted field", "\"\" b", {"", "b"}},
        {"quote ends a field", "\"ab\"cd", {"ab", "cd"}},
        {"unclosed quote keeps the rest", "x \"open end", {"x", "open end"}},
        {"quote inside a field", "a\"b c", {"a\"b", "c"}},
        {"two-byte characters", "\x8B\xE6\x8A\xD4\t\x83\x5C", {"\x8B\xE6\x8A\xD4", "\x83\x5C"}},
        {"blank line", "  \t ", {}},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(SplitImportFields(c.line), c.fields) << c.name;
}

TEST(SheetText, ImportsLinesIntoThreeColumns) {
    auto p = ParseSheetText("A\t1:00\t1:01\textra\r\nB\r\n\"C D\"\t\t2:00\n");
    EXPECT_EQ(p.LineCount(), 3u);
    EXPECT_EQ(p.Texts[0], "A\r\nB\r\nC D\r\n");
    EXPECT_EQ(p.Texts[1], "1:00\r\n\r\n2:00\r\n"); // an empty Best cell moves the time left
    EXPECT_EQ(p.Texts[2], "1:01\r\n\r\n\r\n");
    EXPECT_EQ(ParseSheetText("").Texts, (std::array<std::string, 3>{}));

    // One final break adds no row; two add one empty row; a zero byte ends it.
    EXPECT_EQ(ParseSheetText("a\r\n").LineCount(), 1u);
    EXPECT_EQ(ParseSheetText("a\r\n\r\n").LineCount(), 2u);
    EXPECT_EQ(ParseSheetText("a\rb\nc").Texts[0], "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ParseSheetText(std::string("a\nb\0c\n", 6)).LineCount(), 2u);

    // Lines are cut before fields: a quoted line break cannot hold a cell together.
    p = ParseSheetText("\"two\r\nlines\" 1:00\r\n");
    EXPECT_EQ(p.Texts[0], "two\r\nlines\"\r\n");
    EXPECT_EQ(p.Texts[1], "\r\n1:00\r\n");
}
