#include "text/utf8.h"

#include <gtest/gtest.h>

#include <string>

TEST(Utf8, WellFormedOrNot) {
    struct Row {
        const char* Name;
        std::string Bytes;
        bool Utf8;
    };
    // clang-format off
    const Row rows[] = {
        {"empty",                        "",                         true},
        {"ASCII",                        "run 1.lss",                true},
        {"two bytes",                    "\xC3\xA9",                 true},
        {"three bytes",                  "\xE5\x8C\xBA",             true},
        {"four bytes",                   "\xF0\x9F\x8F\x81",         true},
        {"highest value U+10FFFF",       "\xF4\x8F\xBF\xBF",         true},
        {"last before surrogates",       "\xED\x9F\xBF",             true},
        {"past U+10FFFF",                "\xF4\x90\x80\x80",         false},
        {"surrogate",                    "\xED\xA0\x80",             false},
        {"overlong two bytes",           "\xC1\xBF",                 false},
        {"overlong three bytes",         "\xE0\x9F\xBF",             false},
        {"overlong four bytes",          "\xF0\x8F\xBF\xBF",         false},
        {"lead byte past F4",            "\xF5\x80\x80\x80",         false},
        {"lone trail byte",              "a\x80",                    false},
        {"cut short at the end",         "ab\xE5\x8C",               false},
        {"trail byte missing inside",    "\xE5\x41\x42",             false},
        {"code page 932 text",           "\x83\x81\x83\x43\x83\x8A", false},
    };
    // clang-format on
    for (const Row& r : rows)
        EXPECT_EQ(text::IsUtf8(r.Bytes), r.Utf8) << r.Name;
}
