#include "app/csv_export.h"

#include <gtest/gtest.h>

#include <string>

TEST(CsvExport, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"Stage 1", "Stage 1"},
        {"1:23\"456", "\"1:23\"\"456\""},
        {"a,b", "\"a,b\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"lf\n", "\"lf\n\""},
        {" -0:03 ", " -0:03 "},
        {"tab\there", "tab\there"},
    };
    for (const auto& [field, csv] : cases)
        EXPECT_EQ(CsvField(field), csv) << field;
}

TEST(CsvExport, SheetIsHeaderAndOneUtf8LinePerRow) {
    // Code-page cells: "森" and the even split "±0".
    const std::string cells[2][5] = {{"\x90\x58, 1", "1:23\"456", "1:20", "-0:03\"456", "- - -"},
                                     {"", "", "",
                                      "\x81\x7D"
                                      "0",
                                      ""}};
    const std::string csv =
        FormatSheetCsv(2, [&cells](int Col, int Row) { return cells[Row][Col]; });
    EXPECT_EQ(csv, "Segment,Best,Now,Split,Interval\r\n"
                   "\"\xe6\xa3\xae, 1\",\"1:23\"\"456\",1:20,\"-0:03\"\"456\",- - -\r\n"
                   ",,,\xc2\xb1"
                   "0,\r\n");
    EXPECT_EQ(FormatSheetCsv(0, [](int, int) { return std::string("x"); }),
              "Segment,Best,Now,Split,Interval\r\n");
}
