#include "model/lap_env.h"
#include "model/project_file.h"
#include "model/record_layouts.h"
#include "model/settings_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using byte_io::TFieldKind;
using byte_io::TFieldSpan;

namespace {

const TFieldSpan* Find(const std::vector<TFieldSpan>& spans, const std::string& name) {
    for (const TFieldSpan& s : spans)
        if (s.Name == name) return &s;
    return nullptr;
}

} // namespace

// The fields of each record stand in order without overlapping, inside the
// record; a packed record leaves no byte between them.
TEST(RecordLayout, FieldsTileEachRecord) {
    struct Row {
        const char* Name;
        std::vector<TFieldSpan> Spans;
        std::size_t Size;
        bool Packed;
    };
    const Row rows[] = {
        {"LapEnv.dat environment", LapEnvLayout(), LapEnvSize, true},
        {"settings image", SettingsImageLayout(), SettingsImageSize, false},
        {"project record", ProjectRecordLayout(), ProjectRecordSize, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.Name);
        ASSERT_FALSE(r.Spans.empty());
        EXPECT_EQ(r.Spans.front().Offset, 0u);
        std::size_t end = 0;
        for (const TFieldSpan& s : r.Spans) {
            SCOPED_TRACE(s.Name);
            EXPECT_GT(s.Width, 0u);
            EXPECT_EQ(s.Width % s.Count, 0u);
            if (r.Packed)
                EXPECT_EQ(s.Offset, end);
            else
                EXPECT_GE(s.Offset, end);
            end = s.Offset + s.Width;
        }
        if (r.Packed) EXPECT_EQ(end, r.Size);
        EXPECT_LE(end, r.Size);
    }
}

// Widths and kinds the formats define, written out apart from the lists.
TEST(RecordLayout, WidthsAndKindsOfChosenFields) {
    struct Row {
        const char* Record;
        std::vector<TFieldSpan> Spans;
        TFieldSpan Expected;
    };
    const auto env = LapEnvLayout();
    const auto image = SettingsImageLayout();
    const auto record = ProjectRecordLayout();
    // clang-format off
    const Row rows[] = {
        {"env",    env,    {"Placement.NormalPosition.Bottom", 40,   4,    TFieldKind::I32}},
        {"env",    env,    {"LastFile",                        49,   512,  TFieldKind::Chars}},
        {"env",    env,    {"NotesFontColor",                  829,  4,    TFieldKind::U32}},
        {"env",    env,    {"HeaderTexts",                     839,  1275, TFieldKind::Chars, 5}},
        {"env",    env,    {"Reserved2",                       2155, 9,    TFieldKind::Bytes}},
        {"env",    env,    {"HeaderVisible",                   2166, 1,    TFieldKind::U8}},
        {"image",  image,  {"FontSize",                        520,  4,    TFieldKind::I32}},
        {"image",  image,  {"GridColor",                       556,  4,    TFieldKind::U32}},
        {"image",  image,  {"ColWidth",                        568,  20,   TFieldKind::I32, 5}},
        {"image",  image,  {"EqualColor",                      616,  4,    TFieldKind::U32}},
        {"record", record, {"FontColor",                       511,  4,    TFieldKind::U32}},
        {"record", record, {"ColVisible",                      554,  5,    TFieldKind::U8, 5}},
        {"record", record, {"RowCount",                        593,  4,    TFieldKind::I32}},
        {"record", record, {"TextPos",                         621,  12,   TFieldKind::I32, 3}},
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Record) + " " + r.Expected.Name);
        const TFieldSpan* s = Find(r.Spans, r.Expected.Name);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->Offset, r.Expected.Offset);
        EXPECT_EQ(s->Width, r.Expected.Width);
        EXPECT_EQ(s->Kind, r.Expected.Kind);
        EXPECT_EQ(s->Count, r.Expected.Count);
    }
    // The two settings layouts list the same fields in the same order.
    ASSERT_EQ(image.size() + 2, record.size());
    for (std::size_t i = 0; i < image.size(); ++i) {
        EXPECT_EQ(image[i].Name, record[i].Name);
        EXPECT_EQ(image[i].Width, record[i].Width);
        EXPECT_EQ(image[i].Kind, record[i].Kind);
    }
}
