#include "model/lap_env.h"
#include "model/project_file.h"
#include "model/sheet_settings_file.h"

#include "project_fakes.h"

namespace {

// Record field offsets, written out independently of the reader.
constexpr std::size_t Rec = 4, TextLen = 609, TextPos = 621;

} // namespace

TEST(ProjectFile, GoldenFileReadsFieldByFieldAndSavesByteForByte) {
    const std::string golden = GoldenFile("two_sheets.sgp");
    const auto sheets = ReadProjectFile(golden, "two_sheets.sgp");
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name.str(), "Course A");
    EXPECT_EQ(sheets[0].TimeFormat, 4);
    EXPECT_EQ(sheets[0].HeaderFontColor, 0x00123456u);
    EXPECT_EQ(sheets[0].ColWidth, (std::array<std::int32_t, 5>{10, 20, 30, 40, 50}));
    EXPECT_EQ(sheets[0].ColVertAlign, (std::array<std::uint8_t, 5>{2, 1, 0, 2, 1}));
    EXPECT_EQ(sheets[0].RowCount, 2);
    EXPECT_EQ(sheets[0].Texts, (std::array<std::string, 3>{"A\r\nB\r\n", "", "1:23\r\n1:20\r\n"}));
    EXPECT_EQ(sheets[1].Name.str(), "\x8B\xE6\x8A\xD4");
    EXPECT_EQ(sheets[1].ShowGrid, 0);

    // The golden file carries bytes after a name's terminator; the name slot
    // is kept whole so that they come back too.
    EXPECT_EQ(WriteProjectFile(sheets), golden);
    ScratchDir dir;
    const std::string path = dir / "copy.sgp";
    SaveFileAtomically(path, golden);
    SaveProjectFile(path, LoadProjectFile(path));
    EXPECT_EQ(ReadWholeFile(path), golden);

    // A line break inside a cell is stored as two lines and stays so.
    TLaptimeSheet s = DefaultSheetSettings();
    s.Texts = {"two\r\nlines\r\n", "", "x\r\n"};
    EXPECT_EQ(ReadProjectFile(WriteProjectFile({s}), "p"), std::vector<TLaptimeSheet>{s});
}

TEST(ProjectFile, RefusesDamagedFilesWithTheirNameAndFault) {
    TLaptimeSheet s = DefaultSheetSettings();
    s.Texts = {"A\r\n", "1:00\r\n", ""};
    const std::string good = WriteProjectFile({s, s});
    const std::size_t base = 4 + 633 * 2;
    auto with = [&](std::size_t off, std::int32_t v) {
        std::string b = good;
        SetI32(b, off, v);
        return b;
    };
    // clang-format off
    const struct { const char* name; std::string bytes; const char* fault; } cases[] = {
        {"shorter than a count", "\x01\0", "too short"},
        {"negative count", with(0, -1), "negative"},
        {"count the file cannot hold", with(0, 3), "cannot hold"},
        {"absurd count", with(0, 0x7FFFFFFF), "cannot hold"},
        {"record cut short", good.substr(0, 4 + 633 + 100), "cannot hold"},
        {"text past the end", good.substr(0, good.size() - 1), "past the end"},
        {"length past the end", with(Rec + 633 + TextLen, 0x7FFFFFF0), "past the end"},
        {"position inside the records", with(Rec + TextPos, int(base) - 1), "inside"},
        {"position in the header", with(Rec + TextPos, 0), "inside"},
        {"negative position", with(Rec + 633 + TextPos + 4, -8), "inside"},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_THAT(
            ErrorOf<EFileFormatError>([&] { ReadProjectFile(c.bytes, "/data/broken.sgp"); }),
            AllOf(HasSubstr("/data/broken.sgp"), HasSubstr(c.fault)))
            << c.name;
    // An empty text's position means nothing, wherever it points.
    EXPECT_EQ(ReadProjectFile(with(Rec + TextPos + 8, -5), "odd.sgp"),
              ReadProjectFile(good, "good.sgp"));
}

// What any writer produces at the edges of its fields opens again as it was
// written; what the project reader would refuse is never written.
TEST(ProjectFile, WritersAtTheirLimitsWriteOnlyWhatOpensAgain) {
    TLaptimeSheet edge = DefaultSheetSettings();
    edge.Name.assign(std::string(300, 'n')); // cut at its slot
    edge.FontName.assign(std::string(254, 'f'));
    edge.TimeFormat = 0xFF;
    edge.FontStyle = edge.ShowGrid = edge.GridStyle = 0xFF;
    edge.FontSize = INT32_MIN;
    edge.ColWidth = {INT32_MIN, -1, 0, INT32_MAX, 1};
    edge.ColVisible = edge.ColHorzAlign = edge.ColVertAlign = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    edge.DefRowHeight = INT32_MAX;
    edge.RowCount = MaxSheetRows;
    edge.PlusColor = 0xFFFFFFFF;
    ASSERT_EQ(ReadProjectFile(WriteProjectFile({edge, edge}), "p"),
              (std::vector<TLaptimeSheet>{edge, edge}));
    TLaptimeSheet settings = edge;
    settings.Texts = {};
    TLaptimeSheet back;
    ASSERT_TRUE(ReadSheetSettingsFile(WriteSheetSettingsFile(settings), back));
    EXPECT_EQ(back, settings);
    TLapEnvFile env;
    env.DefaultSettings = settings;
    EXPECT_EQ(ReadLapEnv(WriteLapEnv(env)).DefaultSettings, settings);

    ScratchDir dir;
    const std::string path = dir / "p.sgp";
    SaveProjectFile(path, {edge});
    for (std::int32_t rows : {MaxSheetRows + 1, -1, INT32_MAX}) {
        SCOPED_TRACE(rows);
        TLaptimeSheet s = edge;
        s.RowCount = rows;
        EXPECT_THAT(ErrorOf([&] {
                        SaveProjectFile(path, {edge, s});
                    }),
                    HasSubstr("at most 1000000"));
        EXPECT_EQ(LoadProjectFile(path), std::vector<TLaptimeSheet>{edge}); // the old file
        std::string b = WriteProjectFile({edge});
        SetI32(b, Rec + 593, rows);
        EXPECT_THROW(ReadProjectFile(b, "p"), EFileFormatError);
    }
}
