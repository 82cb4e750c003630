#include "app/splits_export.h"

#include "app/launch.h"
#include "app/session.h"
#include "app/splits_import.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "text/codepage.h"

#include <nlohmann/json.hpp>

#include <cstdio>

namespace {

using ordered_json = nlohmann::ordered_json;

constexpr TTimeValue MsPerSecond = 1'000;
constexpr TTimeValue MsPerMinute = 60 * MsPerSecond;
constexpr TTimeValue MsPerHour = 60 * MsPerMinute;
constexpr TTimeValue MsPerDay = 24 * MsPerHour;

// Text for an element's content or an attribute's value.
std::string XmlText(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    for (char c : Text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The length of the UTF-8 sequence at the start of S, or 0 when none is.
std::size_t Utf8Length(std::string_view S) {
    const auto b = [&S](std::size_t i) { return static_cast<unsigned char>(S[i]); };
    const auto trail = [&](std::size_t i) { return i < S.size() && (b(i) & 0xC0) == 0x80; };
    const unsigned char c = b(0);
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return trail(1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (!trail(1) || !trail(2)) return 0;
        // No overlong forms, no surrogates.
        if ((c == 0xE0 && b(1) < 0xA0) || (c == 0xED && b(1) >= 0xA0)) return 0;
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (!trail(1) || !trail(2) || !trail(3)) return 0;
        if ((c == 0xF0 && b(1) < 0x90) || (c == 0xF4 && b(1) >= 0x90)) return 0;
        return 4;
    }
    return 0;
}

std::string Version() {
    const std::string_view text = VersionText;
    return "v" + std::string(text.substr(text.rfind(' ') + 1));
}

std::string UrnTitle(const TSplitsRun& Run) {
    return Run.Game.empty() ? Run.Category : Run.Game + " - " + Run.Category;
}

std::string DumpJson(const ordered_json& J) {
    return J.dump(2, ' ', false, ordered_json::error_handler_t::replace) + "\n";
}

} // namespace

std::optional<TSplitsFormat> SplitsFormatOfFile(const std::string& Path) {
    const std::string ext = LowerExtension(Path);
    if (ext == "lss") return TSplitsFormat::Lss;
    if (ext == "json") return TSplitsFormat::Urn;
    if (ext == "splits") return TSplitsFormat::SplitsIo;
    return std::nullopt;
}

std::string LssTimeText(TTimeValue Value) {
    char buffer[40];
    const TTimeValue days = Value / MsPerDay, h = Value / MsPerHour % 24,
                     m = Value / MsPerMinute % 60, s = Value / MsPerSecond % 60,
                     ms = Value % MsPerSecond;
    if (days > 0)
        std::snprintf(buffer, sizeof buffer, "%u.%02u:%02u:%02u.%03u0000", days, h, m, s, ms);
    else
        std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u.%03u0000", h, m, s, ms);
    return buffer;
}

std::string UrnTimeText(TTimeValue Value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%u:%02u:%02u.%03u000", Value / MsPerHour,
                  Value / MsPerMinute % 60, Value / MsPerSecond % 60, Value % MsPerSecond);
    return buffer;
}

std::string CleanUtf8(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    while (!Text.empty()) {
        const std::size_t n = Utf8Length(Text);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            Text.remove_prefix(1);
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(Text[0]);
        if (n == 1 && (c < 0x20 || c == 0x7F))
            out += ' ';
        else
            out.append(Text.substr(0, n));
        Text.remove_prefix(n);
    }
    return out;
}

std::string ExportNameText(std::string_view CodePage) {
    return CleanUtf8(text::FromCodePage(CodePage));
}

std::optional<TTimeValue> BestCellValue(std::string_view Cell) {
    const std::string text = CleanCellText(Cell);
    if (text.empty()) return std::nullopt;
    const TTimeTextKind kind = ClassifyTimeText(text);
    if (kind == tkNotTime) return std::nullopt;
    return ParseTimeText(kind, text);
}

std::vector<TSplit> GridSegments(const TLapGrid& Grid) {
    std::vector<TSplit> segments;
    segments.reserve(static_cast<std::size_t>(Grid.RowCount()));
    const auto cell = [&Grid](int Col, int Row) {
        return Col < Grid.ColCount() ? Grid.CellText(Col, Row) : std::string();
    };
    for (int r = 0; r < Grid.RowCount(); ++r)
        segments.push_back({ExportNameText(cell(colTitle, r)), BestCellValue(cell(colBest, r))});
    return segments;
}

std::string FormatLssRun(const TSplitsRun& Run) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<Run version=\"1.8.0\">\n"
                      "  <GameIcon />\n"
                      "  <GameName>" +
                      XmlText(Run.Game) +
                      "</GameName>\n"
                      "  <CategoryName>" +
                      XmlText(Run.Category) +
                      "</CategoryName>\n"
                      "  <LayoutPath></LayoutPath>\n"
                      "  <Metadata>\n"
                      "    <Run id=\"\" />\n"
                      "    <Platform usesEmulator=\"False\"></Platform>\n"
                      "    <Region></Region>\n"
                      "    <Variables />\n"
                      "  </Metadata>\n"
                      "  <Offset>00:00:00</Offset>\n"
                      "  <AttemptCount>0</AttemptCount>\n"
                      "  <AttemptHistory />\n"
                      "  <Segments>\n";
    for (const TSplit& s : Run.Segments) {
        out += "    <Segment>\n"
               "      <Name>" +
               XmlText(s.Name) +
               "</Name>\n"
               "      <Icon />\n"
               "      <SplitTimes>\n";
        if (s.Time)
            out += "        <SplitTime name=\"Personal Best\">\n"
                   "          <RealTime>" +
                   LssTimeText(*s.Time) +
                   "</RealTime>\n"
                   "        </SplitTime>\n";
        else
            out += "        <SplitTime name=\"Personal Best\" />\n";
        out += "      </SplitTimes>\n"
               "      <BestSegmentTime />\n"
               "      <SegmentHistory />\n"
               "    </Segment>\n";
    }
    return out + "  </Segments>\n"
                 "  <AutoSplitterSettings />\n"
                 "</Run>\n";
}

std::string FormatUrnRun(const TSplitsRun& Run) {
    ordered_json splits = ordered_json::array();
    for (const TSplit& s : Run.Segments) {
        ordered_json item = {{"title", s.Name}};
        // urn reads a zero time as a split never reached, so it is left out
        // as one.
        if (s.Time && *s.Time != 0) item["time"] = UrnTimeText(*s.Time);
        splits.push_back(std::move(item));
    }
    return DumpJson({{"title", UrnTitle(Run)}, {"splits", std::move(splits)}});
}

std::string FormatSplitsIoRun(const TSplitsRun& Run) {
    ordered_json segments = ordered_json::array();
    for (const TSplit& s : Run.Segments) {
        ordered_json item = {{"name", s.Name}};
        if (s.Time) item["endedAt"] = {{"realtimeMS", *s.Time}};
        segments.push_back(std::move(item));
    }
    return DumpJson({
        {"_schemaVersion", "v1.0.1"},
        {"timer", {{"shortname", "segmark"}, {"longname", "Segmark"}, {"version", Version()}}},
        {"game", {{"longname", Run.Game}}},
        {"category", {{"longname", Run.Category}}},
        {"segments", std::move(segments)},
    });
}

std::string FormatSplitsRun(TSplitsFormat Format, const TSplitsRun& Run) {
    switch (Format) {
    case TSplitsFormat::Lss:
        return FormatLssRun(Run);
    case TSplitsFormat::Urn:
        return FormatUrnRun(Run);
    case TSplitsFormat::SplitsIo:
        break;
    }
    return FormatSplitsIoRun(Run);
}

void ExportSplitsFile(TSession& Session, const std::string& ProjectFile, int Sheet,
                      const std::string& Output, TSplitsFormat Format, const std::string& Game,
                      const std::optional<std::string>& Category) {
    Session.OpenAndShowSheet(ProjectFile, Sheet);
    const TLaptimeSheet& sheet = *Session.Project()->CurrentSheet();
    const TSplitsRun run{CleanUtf8(Game),
                         Category ? CleanUtf8(*Category) : ExportNameText(sheet.Name.str()),
                         GridSegments(Session.Grid())};
    SaveFileAtomically(Output, FormatSplitsRun(Format, run));
}
