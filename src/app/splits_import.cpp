#include "app/splits_import.h"

#include "app/session.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "model/project_file.h"
#include "text/codepage.h"
#include "text/sjis.h"

#include <nlohmann/json.hpp>
#include <pugixml.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <sys/stat.h>

namespace {

using nlohmann::json;

// Any field this large is out of range whatever its unit, and the sums of
// such fields still fit 64 bits, so no digit run can wrap around.
constexpr std::int64_t FieldCap = 10'000'000'000;
constexpr std::int64_t MsPerSecond = 1'000;
constexpr std::int64_t MsPerMinute = 60 * MsPerSecond;
constexpr std::int64_t MsPerHour = 60 * MsPerMinute;
constexpr std::int64_t MsPerDay = 24 * MsPerHour;

// Containers nested deeper than any split file's are refused.
constexpr int MaxJsonDepth = 64;

// Length of a name slot without its terminator.
constexpr std::size_t TitleBytes = 254;

struct TScan {
    std::string_view S;
    std::size_t Pos = 0;

    bool Skip(char c) {
        if (Pos >= S.size() || S[Pos] != c) return false;
        ++Pos;
        return true;
    }
    bool Done() const { return Pos == S.size(); }
    bool AtDigit() const { return Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9'; }

    // A run of one to MaxDigits digits (0: any number of them), saturated at
    // FieldCap.
    bool Number(std::int64_t& Value, std::size_t MaxDigits = 0) {
        std::size_t n = 0;
        for (Value = 0; AtDigit(); ++Pos, ++n)
            Value = std::min(FieldCap, Value * 10 + (S[Pos] - '0'));
        return n > 0 && (MaxDigits == 0 || n <= MaxDigits);
    }
    // A minutes or seconds field: one or two digits below 60.
    bool Sexagesimal(std::int64_t& Value) { return Number(Value, 2) && Value < 60; }
    // An optional "." and one to MaxDigits fraction digits, cut to whole
    // milliseconds.
    bool Fraction(std::int64_t& Ms, std::size_t MaxDigits) {
        Ms = 0;
        if (!Skip('.')) return true;
        std::size_t n = 0;
        for (; AtDigit(); ++Pos, ++n)
            if (n < 3) Ms = Ms * 10 + (S[Pos] - '0');
        if (n == 0 || n > MaxDigits) return false;
        for (; n < 3; ++n)
            Ms *= 10;
        return true;
    }
};

// LiveSplit's durations: [-][d.]hh:mm:ss[.fffffff].
std::optional<std::int64_t> ParseLssDuration(std::string_view Text) {
    TScan in{Text};
    const bool negative = in.Skip('-');
    std::int64_t days = 0, hours = 0, minutes = 0, seconds = 0, ms = 0;
    if (!in.Number(hours)) return std::nullopt;
    if (in.Skip('.')) {
        days = hours;
        if (!in.Number(hours)) return std::nullopt;
    }
    if (hours > 23 || !in.Skip(':') || !in.Sexagesimal(minutes) || !in.Skip(':') ||
        !in.Sexagesimal(seconds) || !in.Fraction(ms, 7) || !in.Done())
        return std::nullopt;
    const std::int64_t v =
        days * MsPerDay + hours * MsPerHour + minutes * MsPerMinute + seconds * MsPerSecond + ms;
    return negative ? -v : v;
}

// urn's and LibreSplit's times: [[h:]m:]s[.ffffff], the leading field of any
// size.
std::optional<std::int64_t> ParseUrnDuration(std::string_view Text) {
    TScan in{Text};
    const bool negative = in.Skip('-');
    std::int64_t fields[3] = {};
    int count = 0;
    if (!in.Number(fields[count++])) return std::nullopt;
    while (count < 3 && in.Skip(':'))
        if (!in.Sexagesimal(fields[count++])) return std::nullopt;
    std::int64_t ms = 0;
    if (!in.Fraction(ms, 6) || !in.Done()) return std::nullopt;
    std::int64_t v = 0;
    for (int i = 0; i < count; ++i)
        v = v * 60 + fields[i];
    v = v * MsPerSecond + ms;
    return negative ? -v : v;
}

std::string_view TrimBlanks(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A text from the file as a message may hold it: one line, at most Max
// bytes, not cut inside a UTF-8 sequence.
std::string OneLine(std::string_view s, std::size_t Max) {
    std::size_t n = std::min(s.size(), Max);
    if (n < s.size())
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
            --n;
    std::string out;
    for (char c : s.substr(0, n))
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return n < s.size() ? out + "..." : out;
}

std::string Quoted(std::string_view s) {
    return "\"" + OneLine(s, 60) + "\"";
}

std::string SegmentPlace(std::size_t Index, std::string_view Name) {
    return "segment " + std::to_string(Index) + " " + Quoted(Name);
}

// The time of the Index-th (from 1) segment, checked against the range of a
// time value.
TTimeValue SegmentTime(std::optional<std::int64_t> Ms, std::size_t Index, std::string_view Name,
                       std::string_view Text) {
    if (!Ms) throw ESplitsError(SegmentPlace(Index, Name) + ": " + Quoted(Text) + " is not a time");
    if (*Ms < 0)
        throw ESplitsError(SegmentPlace(Index, Name) + ": time " + Quoted(Text) + " is negative");
    if (*Ms > std::int64_t{std::numeric_limits<TTimeValue>::max()})
        throw ESplitsError(SegmentPlace(Index, Name) + ": time " + Quoted(Text) +
                           " is beyond 1193:02:47.295, the longest a sheet holds");
    return static_cast<TTimeValue>(*Ms);
}

void CheckRowCount(std::size_t Count) {
    if (Count > static_cast<std::size_t>(MaxSheetRows))
        throw ESplitsError("more than " + std::to_string(MaxSheetRows) + " segments");
}

std::string LowerExtension(const std::string& Path) {
    const std::size_t slash = Path.find_last_of('/');
    const std::size_t dot = Path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = Path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

// The whole file, refused unread when it is not a plain file or too large;
// the read stops past the limit in case the file grew meanwhile.
std::string ReadBoundedFile(const std::string& Path) {
    const auto fail = [&Path](const std::string& m) {
        return EFileError(Path, "\"" + Path + "\": " + m);
    };
    struct stat st {};
    if (::stat(Path.c_str(), &st) != 0) throw fail(std::strerror(errno));
    if (!S_ISREG(st.st_mode)) throw fail("not a regular file");
    const auto tooLarge = [&fail] {
        return fail("larger than " + std::to_string(MaxSplitsFileBytes >> 20) +
                    " MiB, more than any split file holds");
    };
    if (static_cast<std::uintmax_t>(st.st_size) > MaxSplitsFileBytes) throw tooLarge();
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(Path.c_str(), "rb"),
                                                            &std::fclose);
    if (!f) throw fail(std::strerror(errno));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char chunk[1 << 16];
    for (std::size_t n; bytes.size() <= MaxSplitsFileBytes &&
                        (n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0;)
        bytes.append(chunk, n);
    if (std::ferror(f.get())) throw fail("cannot be read");
    if (bytes.size() > MaxSplitsFileBytes) throw tooLarge();
    return bytes;
}

// What the evaluation leaves in a Best cell once the time was typed there.
std::string BestCellText(std::uint8_t TimeFormat, TTimeValue Value) {
    const std::string typed = TypedTimeText(Value);
    const std::string shown =
        FormatCellTime(TimeFormat, ParseTimeText(ClassifyTimeText(typed), typed));
    return shown.empty() ? typed : shown;
}

} // namespace

std::vector<TSplit> ReadLssSplits(std::string_view Xml, TSplitTiming Timing) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(Xml.data(), Xml.size(), pugi::parse_default | pugi::parse_doctype);
    if (!parsed)
        throw ESplitsError("not well-formed XML (byte " + std::to_string(parsed.offset) + ": " +
                           parsed.description() + ")");
    // Parsing the DTD only to refuse it: pugixml expands no entity of its
    // own accord, but a run file has no DTD, and one that brings entities is
    // hostile or broken.
    for (const pugi::xml_node n : doc.children())
        if (n.type() == pugi::node_doctype)
            throw ESplitsError("declares a document type (DTD), which run files never do");
    const pugi::xml_node segments = doc.child("Run").child("Segments");
    if (!segments) throw ESplitsError("no Run/Segments element: not a LiveSplit run file");

    const char* clock = Timing == TSplitTiming::Real ? "RealTime" : "GameTime";
    std::vector<TSplit> splits;
    for (const pugi::xml_node segment : segments.children("Segment")) {
        TSplit s{segment.child_value("Name"), std::nullopt};
        pugi::xml_node best;
        for (const pugi::xml_node t : segment.child("SplitTimes").children("SplitTime"))
            if (std::string_view(t.attribute("name").value()) == "Personal Best") {
                best = t;
                break;
            }
        const std::string_view time = TrimBlanks(best.child_value(clock));
        if (!time.empty())
            s.Time = SegmentTime(ParseLssDuration(time), splits.size() + 1, s.Name, time);
        splits.push_back(std::move(s));
        CheckRowCount(splits.size());
    }
    return splits;
}

namespace {

// Takes the splits while the JSON is parsed, keeping nothing else: neither
// a large file nor a deep one ever becomes a large document, and the work
// stays linear in the file's size.
class TUrnReader final : public json::json_sax_t {
  public:
    std::vector<TSplit> Splits;
    bool SawSplits = false;

    bool null() override { return Scalar(nullptr, true); }
    bool boolean(bool) override { return Scalar(nullptr, false); }
    bool number_integer(number_integer_t) override { return Scalar(nullptr, false); }
    bool number_unsigned(number_unsigned_t) override { return Scalar(nullptr, false); }
    bool number_float(number_float_t, const string_t&) override { return Scalar(nullptr, false); }
    bool string(string_t& Text) override { return Scalar(&Text, false); }
    bool binary(binary_t&) override { return Scalar(nullptr, false); }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool key(string_t& Key) override {
        if (FDepth == 1) FRootKey = Key;
        if (FDepth == 3) FItemKey = Key;
        return true;
    }
    bool end_object() override {
        if (FInItem && FDepth == 3) EndItem();
        --FDepth;
        return true;
    }
    bool end_array() override {
        if (FInSplits && FDepth == 2) FInSplits = false;
        --FDepth;
        return true;
    }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& Error) override {
        // Without the library's "[json.exception...] " tag.
        const std::string_view what = Error.what();
        const std::size_t tag = what.find("] ");
        throw ESplitsError(
            "not valid JSON: " +
            OneLine(tag == std::string_view::npos ? what : what.substr(tag + 2), 200));
    }

  private:
    std::string Place() const { return "split " + std::to_string(Splits.size() + 1); }

    bool Open(bool Object) {
        if (++FDepth > MaxJsonDepth)
            throw ESplitsError("nested deeper than " + std::to_string(MaxJsonDepth) + " levels");
        if (FDepth == 2 && FRootKey == "splits" && !Object) {
            // A repeated member replaces the earlier one, as a parsed object would.
            Splits.clear();
            SawSplits = FInSplits = true;
        } else if (FInSplits && FDepth == 3) {
            if (!Object) throw ESplitsError(Place() + " is not an object");
            FInItem = true;
            FTitle.clear();
            FTime.clear();
        } else if (FInItem && FDepth == 4) {
            Member(nullptr, false);
        }
        return true;
    }
    bool Scalar(const std::string* Text, bool Null) {
        if (FInSplits && FDepth == 2) throw ESplitsError(Place() + " is not an object");
        if (FInItem && FDepth == 3) Member(Text, Null);
        return true;
    }
    // A missing or null member, and an empty time, mean "none".
    void Member(const std::string* Text, bool Null) {
        if (FItemKey != "title" && FItemKey != "time") return;
        if (!Text && !Null) throw ESplitsError(Place() + ": \"" + FItemKey + "\" is not a text");
        (FItemKey == "title" ? FTitle : FTime) = Text ? *Text : std::string();
    }
    void EndItem() {
        TSplit s{FTitle, std::nullopt};
        if (!FTime.empty())
            s.Time = SegmentTime(ParseUrnDuration(FTime), Splits.size() + 1, FTitle, FTime);
        Splits.push_back(std::move(s));
        CheckRowCount(Splits.size());
        FInItem = false;
    }

    int FDepth = 0; // containers open
    bool FInSplits = false, FInItem = false;
    std::string FRootKey, FItemKey, FTitle, FTime;
};

} // namespace

std::vector<TSplit> ReadUrnSplits(std::string_view Json) {
    TUrnReader reader;
    json::sax_parse(Json.begin(), Json.end(), &reader);
    if (!reader.SawSplits)
        throw ESplitsError("no top-level \"splits\" array: not an urn or LibreSplit split file");
    return std::move(reader.Splits);
}

std::vector<TSplit> ReadSplitsFile(const std::string& Path, TSplitTiming Timing) {
    const std::string ext = LowerExtension(Path);
    if (ext != "lss" && ext != "json")
        throw EFileError(Path, "\"" + Path + "\": not a split file (.lss or .json)");
    const std::string bytes = ReadBoundedFile(Path);
    try {
        return ext == "lss" ? ReadLssSplits(bytes, Timing) : ReadUrnSplits(bytes);
    } catch (const ESplitsError& e) {
        throw EFileFormatError(Path, "\"" + Path + "\": " + e.what());
    }
}

std::string TypedTimeText(TTimeValue Value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%u:%02u\"%03u", Value / 60'000u, Value / 1'000u % 60u,
                  Value % 1'000u);
    return buffer;
}

std::string SegmentTitleText(std::string_view Utf8Name) {
    std::string name(Utf8Name);
    // A line break would make the name two rows once the sheet is stored.
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
    return text::CutToBytes(text::ToCodePage(name), TitleBytes);
}

TLaptimeSheet SplitsSheet(const TLaptimeSheet& Defaults, const std::string& SheetName,
                          const std::vector<TSplit>& Splits,
                          std::optional<std::uint8_t> TimeFormat) {
    TLaptimeSheet sheet;
    CopySheetSettings(&sheet, &Defaults, false);
    // The face name alone, as every new sheet takes it from the defaults.
    sheet.FontName.assign(sheet.FontName.str());
    sheet.Name.assign(SheetName);
    if (TimeFormat) sheet.TimeFormat = *TimeFormat;
    sheet.RowCount = static_cast<std::int32_t>(Splits.size());
    auto& [titles, best, now] = sheet.Texts;
    for (const TSplit& s : Splits) {
        titles += SegmentTitleText(s.Name) + "\r\n";
        if (s.Time) best += BestCellText(sheet.TimeFormat, *s.Time);
        best += "\r\n";
        now += "\r\n";
    }
    return sheet;
}

void ImportSplitsFiles(const std::vector<std::string>& Files, const std::string& Output,
                       TSplitTiming Timing, std::optional<std::uint8_t> TimeFormat,
                       const TLaptimeSheet& Defaults) {
    std::vector<TLaptimeSheet> sheets;
    sheets.reserve(Files.size());
    for (const std::string& f : Files)
        sheets.push_back(
            SplitsSheet(Defaults, SheetNameOfFile(f), ReadSplitsFile(f, Timing), TimeFormat));
    SaveProjectFile(Output, sheets);
}
