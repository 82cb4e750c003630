#include "app/splits_import.h"
#include "model/project_fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

namespace {

// The one segment's time ("none" when it has none), or the refusal.
std::string Outcome(bool Lss, const std::string& Time) {
    try {
        const std::vector<TSplit> s =
            Lss ? ReadLssSplits(
                      "<Run "
                      "version=\"1.8.0\"><Segments><Segment><Name>S</Name><SplitTimes><SplitTime "
                      "name=\"Personal Best\"><RealTime>" +
                          Time +
                          "</RealTime></SplitTime></SplitTimes></Segment>"
                          "</Segments></Run>",
                      TSplitTiming::Real)
                : ReadUrnSplits(R"({"splits":[{"title":"S","time":")" + Time + R"("}]})",
                                TSplitTiming::Real);
        return s.at(0).Time ? std::to_string(*s[0].Time) : "none";
    } catch (const ESplitsError& e) {
        return e.what();
    }
}

} // namespace

TEST(SplitsImport, TimesAreCutToTheMillisecondOrRefused) {
    const auto notTime = [](std::string t) {
        return "segment 1 \"S\": \"" + t + "\" is not a time";
    };
    const auto beyond = [](std::string t) {
        return "segment 1 \"S\": time \"" + t +
               "\" is beyond 1193:02:47.295, the longest a sheet holds";
    };
    const bool lss = true, urn = false;
    // clang-format off
    const struct { bool lss; std::string text, expected; } cases[] = {
        {lss, "00:01:23.4560000", "83456"},
        {lss, "00:01:23.4569999", "83456"}, // cut, not rounded
        {lss, "1.02:03:04.5000000", "93784500"},
        {lss, "\n  00:00:01\n ", "1000"},
        {lss, "", "none"},
        {lss, "49.17:02:47.2950000", "4294967295"},
        {lss, "49.17:02:47.2960000", beyond("49.17:02:47.2960000")},
        {lss, "99999999999999999999999.00:00:00", beyond("99999999999999999999999.00:00:00")},
        {lss, "-00:00:01", "segment 1 \"S\": time \"-00:00:01\" is negative"},
        {lss, "24:00:00", notTime("24:00:00")},
        {lss, "00:60:00", notTime("00:60:00")},
        {lss, "00:01:23.456999999999", "83456"}, // any number of fraction digits
        {lss, "00:01:23.", notTime("00:01:23.")},
        {lss, "01:23", notTime("01:23")},
        {urn, "11:41.299585", "701299"},
        {urn, "1:02:03.450000", "3723450"},
        {urn, "41.9", "41900"},
        {urn, "75:00", "4500000"},
        {urn, "", "none"},
        {urn, "71582:47.295999", "4294967295"},
        {urn, "1193:02:47.296", beyond("1193:02:47.296")},
        {urn, "1:60.000000", notTime("1:60.000000")},
        {urn, "1:00.1234567", "60123"},
        {urn, "0.000000", "none"}, // a split never reached
        {urn, "0", "none"},
        {urn, "1:2:3:4", notTime("1:2:3:4")},
    };
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Outcome(c.lss, c.text), c.expected) << c.text;
}

TEST(SplitsImport, UrnReadsTitleAndTimeOnly) {
    const std::string json =
        R"({"title":"Run","best_time":1e300,"splits":[)"
        R"({"title":"A","time":"1.5","best_time":"0.1","extra":{"deep":[[[1]]]}},)"
        R"({"time":null},{"title":"C"}]})";
    EXPECT_EQ(ReadUrnSplits(json, TSplitTiming::Real),
              (std::vector<TSplit>{{"A", 1500}, {"", {}}, {"C", {}}}));
}

TEST(SplitsImport, BrokenOrHostileTextsAreRefused) {
    const auto repeat = [](const std::string& s, int n) {
        std::string out;
        while (n-- > 0)
            out += s;
        return out;
    };
    // clang-format off
    const struct { const char* name; bool lss; std::string text; const char* message; } cases[] = {
        {"external entity", true,
         "<!DOCTYPE Run [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><Run><Segments><Segment>"
         "<Name>&x;</Name></Segment></Segments></Run>",
         "declares a document type (DTD), which run files never do"},
        {"truncated xml", true, "<Run><Segments><Segment><Name>A</Na",
         "not well-formed XML (byte 33: Start-end tags mismatch)"},
        {"deep xml", true, "<Run>" + repeat("<a>", 100'000) + repeat("</a>", 100'000) + "</Run>",
         "no Run/Segments element: not a LiveSplit run file"},
        {"truncated json", false, R"({"splits":[{"title":"A")",
         "not valid JSON: parse error at line 1, column 24: syntax error while parsing object - "
         "unexpected end of input; expected '}'"},
        {"deep json", false, repeat("[", 100'000), "nested deeper than 64 levels"},
        {"no splits", false, R"([{"splits":[]}])",
         "no top-level \"splits\" array: not an urn or LibreSplit split file"},
        {"split not an object", false, R"({"splits":[{},3]})", "split 2 is not an object"},
        {"time not a text", false, R"({"splits":[{"title":"A\nB","time":83.5}]})",
         "split 1: \"time\" is not a text"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto read = [&] {
            c.lss ? ReadLssSplits(c.text, TSplitTiming::Real)
                  : ReadUrnSplits(c.text, TSplitTiming::Real);
        };
        EXPECT_EQ(ErrorOf<ESplitsError>(read), c.message) << c.name;
    }
}

TEST(SplitsImport, TitlesBecomeOneRowOfCodePageBytesWithinTheSlot) {
    // "森" is two code-page bytes: at the end of a long name it is kept or
    // dropped whole.
    const std::string mori = "\xe6\xa3\xae", moriCp = "\x90\x58";
    const std::pair<std::string, std::string> cases[] = {
        {"Crème\r\nbrûlée\t", "Cr?me  br?l?e "},
        {std::string(252, 'a') + mori, std::string(252, 'a') + moriCp},
        {std::string(253, 'a') + mori, std::string(253, 'a')},
        {std::string(300, 'a'), std::string(254, 'a')},
    };
    for (const auto& [utf8, cp] : cases)
        EXPECT_EQ(SegmentTitleText(utf8), cp) << utf8.substr(0, 20);
}

TEST(SplitsImport, EveryLayoutGivesItsPersonalBest) {
    const std::string dir = std::string(std::getenv("SEGMARK_TEST_DATA")) + "/splits/layouts/";
    using V = std::vector<TSplit>;
    const std::string kaidan = "\xe9\x9a\x8e\xe6\xae\xb5", hanabatake = "\xe8\x8a\xb1\xe7\x95\x91",
                      iriguchi = "\xe5\x85\xa5\xe5\x8f\xa3";
    // clang-format off
    const struct { const char* file; V real, game; } cases[] = {
        {"v1.0.lss", V{{kaidan, 9387}, {"Roof", {}}, {"Bell & rope", 30100}},
                     V{{kaidan, {}}, {"Roof", {}}, {"Bell & rope", {}}}},
        // Before 1.3 a SplitTimes element is not where the best is kept.
        {"v1.2.lss", V{{"Cellar", 65250}, {"Long night", 86400001}},
                     V{{"Cellar", {}}, {"Long night", {}}}},
        {"v1.3.lss", V{{"Rapids", 99390}, {"Falls", {}}, {"Delta", 240050}},
                     V{{"Rapids", {}}, {"Falls", {}}, {"Delta", {}}}},
        {"v1.4.0.lss", V{{"Rapids", 100123}, {"Delta", 250000}},
                       V{{"Rapids", 95000}, {"Delta", {}}}},
        {"v1.4.1.lss", V{{"Rapids", 98001}, {"Delta", 238999}},
                       V{{"Rapids", 90000}, {"Delta", {}}}},
        {"v1.6.lss", V{{hanabatake, 300000}, {"Clouds", {}}},
                     V{{hanabatake, {}}, {"Clouds", 1080500}}},
        {"v1.8.lss", V{{"Seed 1", 35100}, {"Seed 2", {}}, {"\"Last\" <seed>", 183845678}},
                     V{{"Seed 1", 33999}, {"Seed 2", {}}, {"\"Last\" <seed>", 172800000}}},
        // One clock only: --timing has nothing to choose.
        {"urn.json", V{{"Entrance", 41300}, {"Pool", 701299}, {"Never reached", {}}, {"Exit", 3723450}},
                     V{{"Entrance", 41300}, {"Pool", 701299}, {"Never reached", {}}, {"Exit", 3723450}}},
        {"libresplit.json", V{{iriguchi, 42500}, {"Pool", 720000}, {"Exit", 3900123}},
                            V{{iriguchi, 40250}, {"Pool", {}}, {"Exit", {}}}},
        {"exchange.splits", V{{"Gate", 61000}, {"Maze", {}}, {"Tower", {}}, {"Top", 4294967295u}},
                            V{{"Gate", 60000}, {"Maze", {}}, {"Tower", 180000}, {"Top", 200000}}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ReadSplitsFile(dir + c.file, TSplitTiming::Real), c.real) << c.file;
        EXPECT_EQ(ReadSplitsFile(dir + c.file, TSplitTiming::Game), c.game) << c.file;
    }
}

TEST(SplitsImport, ATimeIsFoundWhereverTheFileKeepsIt) {
    const auto lss = [](const std::string& Version, const std::string& Segment) {
        return "<Run" + Version + "><Segments><Segment><Name>S</Name>" + Segment +
               "</Segment></Segments></Run>";
    };
    const std::string clocks = "<SplitTimes><SplitTime name=\"Personal Best\"><RealTime>00:00:"
                               "01.5</RealTime></SplitTime></SplitTimes>";
    const std::string text =
        "<SplitTimes><SplitTime name=\"Personal Best\">00:00:01.5</SplitTime></SplitTimes>";
    const std::string old = "<PersonalBestSplitTime>00:00:01.5</PersonalBestSplitTime>";
    // clang-format off
    const struct { const char* name; std::string text; } cases[] = {
        {"version with a letter", lss(" version=\"1.8.x\"", clocks)},
        {"clocks under a text version", lss(" version=\"1.4\"", clocks)},
        {"text under a clock version", lss(" version=\"1.8.0\"", text)},
        {"old place under a new version", lss(" version=\"1.5.0\"", old)},
        {"new place without a version", lss("", clocks)},
    };
    // clang-format on
    for (const auto& c : cases) {
        try {
            const std::vector<TSplit> s = ReadLssSplits(c.text, TSplitTiming::Real);
            EXPECT_EQ(s.at(0).Time, std::optional<TTimeValue>(1500)) << c.name;
        } catch (const ESplitsError& e) {
            ADD_FAILURE() << c.name << ": " << e.what();
        }
    }
}

TEST(SplitsImport, LayoutFaultsAreRefusedWithThePlace) {
    const auto lss = [](const std::string& Version, const std::string& Segment) {
        return "<Run" + Version + "><Segments><Segment><Name>S</Name>" + Segment +
               "</Segment></Segments></Run>";
    };
    // clang-format off
    const struct { const char* name; int format; std::string text; const char* message; } cases[] = {
        {"version not a number", 0, lss(" version=\"one\"", ""), "Run version \"one\" is not a version"},
        {"old layout negative", 0, lss("", "<PersonalBestSplitTime>-00:00:01</PersonalBestSplitTime>"),
         "segment 1 \"S\": time \"-00:00:01\" is negative"},
        {"text layout not a time", 0,
         lss(" version=\"1.3\"", "<SplitTimes><SplitTime name=\"Personal Best\">soon</SplitTime></SplitTimes>"),
         "segment 1 \"S\": \"soon\" is not a time"},
        {"text layout beyond", 0,
         lss(" version=\"1.4\"", "<SplitTimes><SplitTime name=\"Personal Best\">50.00:00:00</SplitTime></SplitTimes>"),
         "segment 1 \"S\": time \"50.00:00:00\" is beyond 1193:02:47.295, the longest a sheet holds"},
        {"clock object not a text", 1, R"({"splits":[{"title":"A","time":{"real_time":5}}]})",
         "split 1: \"time\" \"real_time\" is not a text"},
        {"clock object nested", 1, R"({"splits":[{"title":"A","time":{"real_time":[]}}]})",
         "split 1: \"time\" \"real_time\" is not a text"},
        {"clock object negative", 1, R"({"splits":[{"title":"A","time":{"real_time":"-1.0"}}]})",
         "segment 1 \"A\": time \"-1.0\" is negative"},
        {"no segments", 2, R"({"_schemaVersion":"v1.0.1","segments":{}})",
         "no top-level \"segments\" array: not a splits.io exchange file"},
        {"segment not an object", 2, R"({"segments":[{},[]]})", "segment 2 is not an object"},
        {"time not a number", 2, R"({"segments":[{"name":"A","endedAt":{"realtimeMS":"1"}}]})",
         "segment 1: \"realtimeMS\" is not a number"},
        {"ended not an object", 2, R"({"segments":[{"name":"A","endedAt":5}]})",
         "segment 1: \"endedAt\" is not an object"},
        {"negative ms", 2, R"({"segments":[{"name":"A","endedAt":{"realtimeMS":-1}}]})",
         "segment 1 \"A\": time \"-1\" is negative"},
        {"beyond ms", 2, R"({"segments":[{"name":"A","endedAt":{"realtimeMS":4294967296}}]})",
         "segment 1 \"A\": time \"4294967296\" is beyond 1193:02:47.295, the longest a sheet holds"},
        {"deep exchange", 2, std::string(100'000, '['), "nested deeper than 64 levels"},
    };
    // clang-format on
    for (const auto& c : cases) {
        const auto read = [&] {
            if (c.format == 0) ReadLssSplits(c.text, TSplitTiming::Real);
            if (c.format == 1) ReadUrnSplits(c.text, TSplitTiming::Real);
            if (c.format == 2) ReadSplitsIoSplits(c.text, TSplitTiming::Real);
        };
        EXPECT_EQ(ErrorOf<ESplitsError>(read), c.message) << c.name;
    }
}
