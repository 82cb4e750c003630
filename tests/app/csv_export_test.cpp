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
        {"lf\n", "\"lf\n\""},
        {" -0:03 ", " -0:03 "},
        {"tab\there", "tab\there"},
    };
    for (const auto& [field, csv] : cases)
        EXPECT_EQ(CsvField(field), csv) << field;
}
