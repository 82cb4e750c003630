#include "app/splits_export.h"

#include "app/session.h"
#include "grid/lap_grid.h"
#include "model/headless.h"
#include "model/project_file.h"
#include "text/codepage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const TSplitsRun SampleRun{"Sky <Garden> & \"Co\"",
                           "Any%",
                           {{"\xe6\xa3\xae", 83456}, {"", {}}, {"Top", 4294967295u}, {"Zero", 0}}};

} // namespace

TEST(SplitsExport, EachFormatIsWrittenWhole) {
    EXPECT_EQ(FormatLssRun(SampleRun), R"(<?xml version="1.0" encoding="UTF-8"?>
<Run version="1.8.0">
  <GameIcon />
  <GameName>Sky &lt;Garden&gt; &amp; &quot;Co&quot;</GameName>
  <CategoryName>Any%</CategoryName>
  <LayoutPath></LayoutPath>
  <Metadata>
    <Run id="" />
    <Platform usesEmulator="False"></Platform>
    <Region></Region>
    <Variables />
  </Metadata>
  <Offset>00:00:00</Offset>
  <AttemptCount>0</AttemptCount>
  <AttemptHistory />
  <Segments>
    <Segment>
      <Name>森</Name>
      <Icon />
      <SplitTimes>
        <SplitTime name="Personal Best">
          <RealTime>00:01:23.4560000</RealTime>
        </SplitTime>
      </SplitTimes>
      <BestSegmentTime />
      <SegmentHistory />
    </Segment>
    <Segment>
      <Name></Name>
      <Icon />
      <SplitTimes>
        <SplitTime name="Personal Best" />
      </SplitTimes>
      <BestSegmentTime />
      <SegmentHistory />
    </Segment>
    <Segment>
      <Name>Top</Name>
      <Icon />
      <SplitTimes>
        <SplitTime name="Personal Best">
          <RealTime>49.17:02:47.2950000</RealTime>
        </SplitTime>
      </SplitTimes>
      <BestSegmentTime />
      <SegmentHistory />
    </Segment>
    <Segment>
      <Name>Zero</Name>
      <Icon />
      <SplitTimes>
        <SplitTime name="Personal Best">
          <RealTime>00:00:00.0000000</RealTime>
        </SplitTime>
      </SplitTimes>
      <BestSegmentTime />
      <SegmentHistory />
    </Segment>
  </Segments>
  <AutoSplitterSettings />
</Run>
)");
    EXPECT_EQ(FormatUrnRun(SampleRun), R"({
  "title": "Sky <Garden> & \"Co\" - Any%",
  "splits": [
    {
      "title": "森",
      "time": "0:01:23.456000"
    },
    {
      "title": ""
    },
    {
      "title": "Top",
      "time": "1193:02:47.295000"
    },
    {
      "title": "Zero"
    }
  ]
}
)");
    EXPECT_EQ(FormatSplitsIoRun(SampleRun), R"({
  "_schemaVersion": "v1.0.1",
  "timer": {
    "shortname": "segmark",
    "longname": "Segmark",
    "version": "v1.7.0"
  },
  "game": {
    "longname": "Sky <Garden> & \"Co\""
  },
  "category": {
    "longname": "Any%"
  },
  "segments": [
    {
      "name": "森",
      "endedAt": {
        "realtimeMS": 83456
      }
    },
    {
      "name": ""
    },
    {
      "name": "Top",
      "endedAt": {
        "realtimeMS": 4294967295
      }
    },
    {
      "name": "Zero",
      "endedAt": {
        "realtimeMS": 0
      }
    }
  ]
}
)");
}

TEST(SplitsExport, TimeAndNameTexts) {
    // clang-format off
    const struct { TTimeValue ms; const char* lss; const char* urn; } times[] = {
        {0, "00:00:00.0000000", "0:00:00.000000"},
        {83'456, "00:01:23.4560000", "0:01:23.456000"},
        {86'399'999, "23:59:59.9990000", "23:59:59.999000"},
        {86'400'000, "1.00:00:00.0000000", "24:00:00.000000"},
        {93'784'005, "1.02:03:04.0050000", "26:03:04.005000"},
    };
    // clang-format on
    for (const auto& t : times) {
        EXPECT_EQ(LssTimeText(t.ms), t.lss) << t.ms;
        EXPECT_EQ(UrnTimeText(t.ms), t.urn) << t.ms;
    }
    const std::pair<std::string, std::string> names[] = {
        {"a\tb\r\nc\x7f", "a b  c "},
        {"\xe6\xa3\xae\xf0\x9f\x8f\x81", "\xe6\xa3\xae\xf0\x9f\x8f\x81"},
        {"x\xff\xc3(\xe6\xa3", "x\xef\xbf\xbd\xef\xbf\xbd(\xef\xbf\xbd\xef\xbf\xbd"},
        {"\xed\xa0\x80\xc0\xaf", "\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd"},
    };
    for (const auto& [in, out] : names)
        EXPECT_EQ(CleanUtf8(in), out) << in;
    const std::pair<const char*, std::optional<TTimeValue>> cells[] = {
        {"", std::nullopt},     {"1:23", 83'000},      {"1:23\"456", 83'456},
        {"1:23:04", 4'984'000}, {"###", std::nullopt}, {"soon", std::nullopt},
        {"1:23\r\n", 83'000},
    };
    for (const auto& [cell, value] : cells)
        EXPECT_EQ(BestCellValue(cell), value) << cell;
    EXPECT_EQ(SplitsFormatOfFile("a/b.LSS"), TSplitsFormat::Lss);
    EXPECT_EQ(SplitsFormatOfFile("b.Json"), TSplitsFormat::Urn);
    EXPECT_EQ(SplitsFormatOfFile("b.splits"), TSplitsFormat::SplitsIo);
    EXPECT_EQ(SplitsFormatOfFile("b.lss/run"), std::nullopt);
    EXPECT_EQ(SplitsFormatOfFile("b.txt"), std::nullopt);
}

namespace {

// Pieces names are made of: Japanese text, the characters markup and JSON
// quote, blanks.
std::vector<std::string> NamePieces() {
    std::vector<std::string> p = {"Stage", " ", "\"", "<", ">", "&", "'", "1", "]]>", "\\", "%"};
    for (const char* utf8 : {"森の神殿", "ステージ", "最速", "表", "ソ", "ー", "１"})
        p.push_back(text::ToCodePage(utf8));
    return p;
}

struct TGenerated {
    TLaptimeSheet Sheet;
    std::vector<std::string> Titles;
    std::vector<std::optional<TTimeValue>> Best;
};

TGenerated GenerateSheet(std::mt19937& Random, int Index) {
    static const std::vector<std::string> pieces = NamePieces();
    const auto pick = [&Random](auto N) {
        return std::uniform_int_distribution<std::size_t>(0, N - 1)(Random);
    };
    TGenerated g;
    g.Sheet = DefaultSheetSettings();
    g.Sheet.Name.assign(pieces[pick(pieces.size())] + std::to_string(Index));
    g.Sheet.TimeFormat = static_cast<std::uint8_t>(pick(9));
    const int rows = static_cast<int>(pick(12));
    g.Sheet.RowCount = rows;
    auto& [titles, best, now] = g.Sheet.Texts;
    for (int r = 0; r < rows; ++r) {
        std::string title;
        for (std::size_t n = pick(6); n > 0; --n)
            title += pieces[pick(pieces.size())];
        // Days-long times as often as short ones, and the longest.
        const TTimeValue ranges[] = {600'000, 86'400'000, 4'294'967'295u};
        TTimeValue ms = std::uniform_int_distribution<TTimeValue>(0, ranges[pick(3)])(Random);
        if (pick(10) == 0) ms = 4'294'967'295u;
        std::string cell;
        std::optional<TTimeValue> value;
        switch (pick(5)) {
        case 0: // an empty row
            title.clear();
            break;
        case 1:
            cell = pick(2) ? "###" : "soon";
            break;
        case 2:
            cell = std::to_string(ms / 60'000) + ":" + std::to_string(ms / 10'000 % 6) +
                   std::to_string(ms / 1'000 % 10);
            value = ms / 1'000 * 1'000;
            break;
        default:
            cell = TypedTimeText(ms);
            value = ms;
        }
        titles += title + "\r\n";
        best += cell + "\r\n";
        now += "\r\n";
        g.Titles.push_back(title);
        g.Best.push_back(value);
    }
    return g;
}

struct TTempDir {
    std::filesystem::path Path;
    TTempDir() {
        std::string t = (std::filesystem::temp_directory_path() / "segmark_export_XXXXXX").string();
        Path = ::mkdtemp(t.data());
    }
    ~TTempDir() { std::filesystem::remove_all(Path); }
};

} // namespace

// Every sheet written in any format and imported again gives its titles and
// the Best values it evaluates to (zero excepted for urn).
TEST(SplitsExport, ImportOfTheExportGivesTheSheetBack) {
    std::mt19937 random(20261207);
    const TTempDir dir;
    const std::string project = (dir.Path / "p.sgp").string();
    for (int round = 0; round < 8; ++round) {
        std::vector<TGenerated> generated;
        std::vector<TLaptimeSheet> sheets;
        for (int i = 0; i < 3; ++i) {
            generated.push_back(GenerateSheet(random, i));
            sheets.push_back(generated.back().Sheet);
        }
        SaveProjectFile(project, sheets);
        for (int i = 0; i < 3; ++i) {
            const TGenerated& g = generated[static_cast<std::size_t>(i)];
            for (const char* out : {"run.lss", "run.json", "run.splits"}) {
                const std::string file = (dir.Path / out).string();
                TLapGrid grid;
                TPlainSelector selector;
                THeadlessHost host;
                TSession session(grid, selector, host);
                SetupLapGrid(grid, TLapEnv{});
                ExportSplitsFile(session, project, i, file, *SplitsFormatOfFile(file), "G", {});
                const std::vector<TSplit> back = ReadSplitsFile(file, TSplitTiming::Real);
                ASSERT_EQ(back.size(), g.Titles.size()) << out;
                const TLaptimeSheet imported =
                    SplitsSheet(DefaultSheetSettings(), "x", back, kTimeFormatAsTyped);
                std::string titles;
                for (std::size_t r = 0; r < back.size(); ++r) {
                    // urn reads a zero time as none.
                    const bool none = std::string_view(out).ends_with(".json") && g.Best[r] == 0u;
                    EXPECT_EQ(back[r].Time, none ? std::nullopt : g.Best[r]) << out << " row " << r;
                    titles += g.Titles[r] + "\r\n";
                }
                EXPECT_EQ(imported.Texts[0], titles) << out;
            }
        }
    }
}
