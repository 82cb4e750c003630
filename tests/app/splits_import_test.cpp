#include "app/splits_import.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Time = std::optional<TTimeValue>;
constexpr TTimeValue MaxTime = 4'294'967'295u;

std::string LssWith(const std::string& SplitTime) {
    return "<Run><Segments><Segment><Name>S</Name><SplitTimes>" + SplitTime +
           "</SplitTimes></Segment></Segments></Run>";
}

std::string LssWithRealTime(const std::string& Text) {
    return LssWith("<SplitTime name=\"Personal Best\"><RealTime>" + Text +
                   "</RealTime></SplitTime>");
}

std::string UrnWithTime(const std::string& Text) {
    return R"({"splits":[{"title":"S","time":")" + Text + R"("}]})";
}

// The one segment's time, or the refusal's message.
template <typename Read> std::string Outcome(Read read) {
    try {
        const std::vector<TSplit> s = read();
        if (s.size() != 1) return "segments: " + std::to_string(s.size());
        return s[0].Time ? std::to_string(*s[0].Time) : "none";
    } catch (const ESplitsError& e) {
        return std::string("error: ") + e.what();
    }
}

} // namespace

TEST(SplitsImport, LssDurationsAreReadToTheMillisecondOrRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"00:01:23.4560000", "83456"},
        {"00:01:23.4569999", "83456"}, // cut, not rounded
        {"00:01:23", "83000"},
        {"0:1:2.5", "62500"},
        {"1.02:03:04.5000000", "93784500"},
        {"\n   00:00:01.0010000\n  ", "1001"},
        {"", "none"},
        {"49.17:02:47.2950000", "4294967295"},
        {"49.17:02:47.2960000", "error: segment 1 \"S\": time \"49.17:02:47.2960000\" is beyond "
                                "1193:02:47.295, the longest a sheet holds"},
        {"99999999999999999999999.00:00:00", "error: segment 1 \"S\": time "
                                             "\"99999999999999999999999.00:00:00\" is beyond "
                                             "1193:02:47.295, the longest a sheet holds"},
        {"-00:00:01", "error: segment 1 \"S\": time \"-00:00:01\" is negative"},
        {"24:00:00", "error: segment 1 \"S\": \"24:00:00\" is not a time"},
        {"00:60:00", "error: segment 1 \"S\": \"00:60:00\" is not a time"},
        {"00:01:23.45600001", "error: segment 1 \"S\": \"00:01:23.45600001\" is not a time"},
        {"01:23", "error: segment 1 \"S\": \"01:23\" is not a time"},
        {"00:01:23.", "error: segment 1 \"S\": \"00:01:23.\" is not a time"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Outcome([&] { return ReadLssSplits(LssWithRealTime(text), TSplitTiming::Real); }),
                  expected);
    }
}

TEST(SplitsImport, UrnTimesAreCutToTheMillisecondOrRefused) {
    const std::pair<const char*, const char*> cases[] = {
        {"11:41.299585", "701299"},
        {"1:02:03.450000", "3723450"},
        {"41.9", "41900"},
        {"75:00", "4500000"},
        {"71582:47.295999", "4294967295"},
        {"1193:02:47.296", "error: segment 1 \"S\": time \"1193:02:47.296\" is beyond "
                           "1193:02:47.295, the longest a sheet holds"},
        {"", "none"},
        {"-1.000000", "error: segment 1 \"S\": time \"-1.000000\" is negative"},
        {"1:60.000000", "error: segment 1 \"S\": \"1:60.000000\" is not a time"},
        {"1:00.1234567", "error: segment 1 \"S\": \"1:00.1234567\" is not a time"},
        {"1:2:3:4", "error: segment 1 \"S\": \"1:2:3:4\" is not a time"},
        {" 1:00", "error: segment 1 \"S\": \" 1:00\" is not a time"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Outcome([&] { return ReadUrnSplits(UrnWithTime(text)); }), expected);
    }
}

TEST(SplitsImport, LssTakesThePersonalBestOfTheChosenClock) {
    const std::string lss =
        "<?xml version=\"1.0\"?><Run><GameName>G</GameName><Segments>"
        "<Segment><Name>A</Name><SplitTimes>"
        "<SplitTime name=\"Ghost\"><RealTime>00:00:09</RealTime></SplitTime>"
        "<SplitTime name=\"Personal Best\"><RealTime>00:00:01</RealTime>"
        "<GameTime>00:00:02</GameTime></SplitTime></SplitTimes></Segment>"
        "<Segment><Name><![CDATA[<B> & \"C\"]]></Name></Segment>"
        "<Segment><Name>D &amp; E</Name><SplitTimes><SplitTime name=\"Personal Best\">"
        "<GameTime>00:00:03</GameTime></SplitTime></SplitTimes></Segment>"
        "</Segments></Run>";
    EXPECT_EQ(ReadLssSplits(lss, TSplitTiming::Real),
              (std::vector<TSplit>{{"A", 1000}, {"<B> & \"C\"", {}}, {"D & E", {}}}));
    EXPECT_EQ(ReadLssSplits(lss, TSplitTiming::Game),
              (std::vector<TSplit>{{"A", 2000}, {"<B> & \"C\"", {}}, {"D & E", 3000}}));
}

TEST(SplitsImport, UrnReadsTitleAndTimeOnly) {
    const std::string json =
        R"({"title":"Run","best_time":1e300,"splits":[)"
        R"({"title":"A","time":"1.5","best_time":"0.1","extra":{"deep":[[[1]]]}},)"
        R"({"time":null},{"title":"C"}]})";
    EXPECT_EQ(ReadUrnSplits(json), (std::vector<TSplit>{{"A", 1500}, {"", {}}, {"C", {}}}));
}

TEST(SplitsImport, BrokenOrHostileTextsAreRefused) {
    const std::string deepJson = std::string(100'000, '[') + std::string(100'000, ']');
    std::string deepXml = "<Run>";
    for (int i = 0; i < 100'000; ++i)
        deepXml += "<a>";
    for (int i = 0; i < 100'000; ++i)
        deepXml += "</a>";
    deepXml += "</Run>";
    const struct {
        const char* name;
        bool lss;
        std::string text;
        const char* message;
    } cases[] = {
        {"billion laughs", true,
         "<?xml version=\"1.0\"?><!DOCTYPE Run [<!ENTITY a \"aaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><Run><Segments><Segment>"
         "<Name>&b;</Name></Segment></Segments></Run>",
         "declares a document type (DTD), which run files never do"},
        {"external entity", true,
         "<!DOCTYPE Run [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><Run><Segments><Segment>"
         "<Name>&x;</Name></Segment></Segments></Run>",
         "declares a document type (DTD), which run files never do"},
        {"truncated xml", true, "<Run><Segments><Segment><Name>A</Na",
         "not well-formed XML (byte 33: Start-end tags mismatch)"},
        {"deep xml", true, deepXml, "no Run/Segments element: not a LiveSplit run file"},
        {"truncated json", false, R"({"splits":[{"title":"A")",
         "not valid JSON: parse error at line 1, column 24: syntax error while parsing object - "
         "unexpected end of input; expected '}'"},
        {"deep json", false, deepJson, "nested deeper than 64 levels"},
        {"no splits", false, R"([{"splits":[]}])",
         "no top-level \"splits\" array: not an urn or LibreSplit split file"},
        {"split not an object", false, R"({"splits":[{},3]})", "split 2 is not an object"},
        {"title not a text", false, R"({"splits":[{"title":7}]})",
         "split 1: \"title\" is not a text"},
        {"time not a text", false, R"({"splits":[{"title":"A\nB","time":83.5}]})",
         "segment 1 \"A?B\": \"time\" is not a text"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.lss ? ReadLssSplits(c.text, TSplitTiming::Real) : ReadUrnSplits(c.text);
            ADD_FAILURE() << "not refused";
        } catch (const ESplitsError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
}

TEST(SplitsImport, TitlesBecomeOneRowOfCodePageBytesWithinTheSlot) {
    // "森" is two code-page bytes: at the end of a long name it is kept or
    // dropped whole.
    const std::string mori = "\xe6\xa3\xae", moriCp = "\x90\x58";
    const std::pair<std::string, std::string> cases[] = {
        {"Crème", "Cr?me"},
        {"ステージ１", "\x83\x58\x83\x65\x81\x5B\x83\x57\x82\x50"},
        {"Line\r\nbreak\ttab", "Line  break tab"},
        {std::string(252, 'a') + mori, std::string(252, 'a') + moriCp},
        {std::string(253, 'a') + mori, std::string(253, 'a')},
        {std::string(300, 'a'), std::string(254, 'a')},
    };
    for (const auto& [utf8, cp] : cases)
        EXPECT_EQ(SegmentTitleText(utf8), cp) << utf8.substr(0, 20);
}

TEST(SplitsImport, SheetTakesTheDefaultsAndTheTimesAsTyped) {
    TLaptimeSheet defaults = DefaultSheetSettings();
    defaults.Name.assign("Default name");
    defaults.TimeFormat = 0;
    defaults.Texts[0] = "left over\r\n";
    const std::vector<TSplit> splits = {{"A", 83'456}, {"B", {}}, {"C", MaxTime}};

    const TLaptimeSheet asDefault = SplitsSheet(defaults, "run", splits, std::nullopt);
    EXPECT_EQ(asDefault.Name.str(), "run");
    EXPECT_EQ(asDefault.RowCount, 3);
    EXPECT_EQ(asDefault.Texts,
              (std::array<std::string, 3>{"A\r\nB\r\nC\r\n", "0:01:23\r\n\r\n1193:02:47\r\n",
                                          "\r\n\r\n\r\n"}));
    TLaptimeSheet expected = defaults;
    expected.Name = asDefault.Name;
    expected.RowCount = 3;
    expected.Texts = asDefault.Texts;
    EXPECT_EQ(asDefault, expected);

    EXPECT_EQ(SplitsSheet(defaults, "run", splits, 8).Texts[1],
              "1:23\"456\r\n\r\n71582:47\"295\r\n");
    EXPECT_EQ(SplitsSheet(defaults, "run", {}, 8).Texts, (std::array<std::string, 3>{}));
}
