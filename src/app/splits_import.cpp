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
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
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
    // An optional "." and at least one fraction digit, cut to whole
    // milliseconds: writers differ in how many digits they keep.
    bool Fraction(std::int64_t& Ms) {
        Ms = 0;
        if (!Skip('.')) return true;
        std::size_t n = 0;
        for (; AtDigit(); ++Pos, ++n)
            if (n < 3) Ms = Ms * 10 + (S[Pos] - '0');
        if (n == 0) return false;
        for (; n < 3; ++n)
            Ms *= 10;
        return true;
    }
};

// LiveSplit's durations, as .NET writes them: [-][d.]hh:mm:ss[.f...].
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
        !in.Sexagesimal(seconds) || !in.Fraction(ms) || !in.Done())
        return std::nullopt;
    const std::int64_t v =
        days * MsPerDay + hours * MsPerHour + minutes * MsPerMinute + seconds * MsPerSecond + ms;
    return negative ? -v : v;
}

// urn's and LibreSplit's times: [[h:]m:]s[.f...], the leading field of any
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
    if (!in.Fraction(ms) || !in.Done()) return std::nullopt;
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

std::string LowerExtension(const std::string& Path) {
    const std::size_t slash = Path.find_last_of('/');
    const std::size_t dot = Path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = Path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

namespace {

// A run file's version as three numbers; a missing part counts as 0.
using TLssVersion = std::array<std::int64_t, 3>;

TLssVersion LssVersion(const pugi::xml_node Run) {
    const pugi::xml_attribute attr = Run.attribute("version");
    // Version 1.0 wrote no version at all.
    if (!attr) return {1, 0, 0};
    const std::string_view text = attr.value();
    TScan in{text};
    TLssVersion v{};
    if (!in.Number(v[0])) throw ESplitsError("Run version " + Quoted(text) + " is not a version");
    // A part that is no number ("1.8.x") counts as 0, as a missing one does.
    for (std::size_t i = 1; i < v.size() && in.Skip('.') && in.Number(v[i]); ++i) {
    }
    return v;
}

// One clock of a time kept as text, as the layouts before 1.4.1 keep it:
// "REAL", or "REAL | GAME" once game time came in.
std::string_view TextClock(std::string_view Text, TSplitTiming Timing) {
    const std::size_t bar = Text.find('|');
    if (bar == std::string_view::npos)
        return Timing == TSplitTiming::Real ? Text : std::string_view();
    return Timing == TSplitTiming::Real ? Text.substr(0, bar) : Text.substr(bar + 1);
}

} // namespace

std::vector<TSplit> ReadLssSplits(std::string_view Xml, TSplitTiming Timing) {
    pugi::xml_document doc;
    // A name of blanks alone is still a name.
    const pugi::xml_parse_result parsed =
        doc.load_buffer(Xml.data(), Xml.size(),
                        pugi::parse_default | pugi::parse_doctype | pugi::parse_ws_pcdata_single);
    if (!parsed)
        throw ESplitsError("not well-formed XML (byte " + std::to_string(parsed.offset) + ": " +
                           parsed.description() + ")");
    // Parsing the DTD only to refuse it: pugixml expands no entity of its
    // own accord, but a run file has no DTD, and one that brings entities is
    // hostile or broken.
    for (const pugi::xml_node n : doc.children())
        if (n.type() == pugi::node_doctype)
            throw ESplitsError("declares a document type (DTD), which run files never do");
    const pugi::xml_node run = doc.child("Run");
    const pugi::xml_node segments = run.child("Segments");
    if (!segments) throw ESplitsError("no Run/Segments element: not a LiveSplit run file");

    // Before 1.3 the personal best sits in the segment; from 1.3 in the
    // SplitTime of that name, as text until 1.4.0 and per clock from 1.4.1.
    const TLssVersion version = LssVersion(run);
    const bool inSegment = version < TLssVersion{1, 3, 0};
    const bool asText = version < TLssVersion{1, 4, 1};
    const char* clock = Timing == TSplitTiming::Real ? "RealTime" : "GameTime";
    std::vector<TSplit> splits;
    for (const pugi::xml_node segment : segments.children("Segment")) {
        TSplit s{segment.child_value("Name"), std::nullopt};
        pugi::xml_node pb;
        for (const pugi::xml_node t : segment.child("SplitTimes").children("SplitTime"))
            if (std::string_view(t.attribute("name").value()) == "Personal Best") {
                pb = t;
                break;
            }
        const pugi::xml_node old = segment.child("PersonalBestSplitTime");
        // The version says where the time is; a file whose version claims
        // one layout while it holds another is still read where its time is.
        const std::string_view places[] = {inSegment ? TextClock(old.child_value(), Timing)
                                           : asText  ? TextClock(pb.child_value(), Timing)
                                                     : pb.child_value(clock),
                                           pb.child_value(clock),
                                           TextClock(pb.child_value(), Timing),
                                           TextClock(old.child_value(), Timing)};
        std::string_view time;
        for (const std::string_view p : places)
            if (!(time = TrimBlanks(p)).empty()) break;
        if (!time.empty())
            s.Time = SegmentTime(ParseLssDuration(time), splits.size() + 1, s.Name, time);
        splits.push_back(std::move(s));
        CheckRowCount(splits.size());
    }
    return splits;
}

namespace {

// What the JSON readers share: the depth limit, refusals of parse errors
// without the library's tag, and the values other than containers funnelled
// into one call. They take the splits while the JSON is parsed, keeping
// nothing else: neither a large file nor a deep one ever becomes a large
// document, and the work stays linear in the file's size.
class TJsonSplitsReader : public json::json_sax_t {
  public:
    std::vector<TSplit> Splits;

    bool null() override { return Value(TJsonValue::Null, nullptr); }
    bool boolean(bool v) override {
        return Value(v ? TJsonValue::True : TJsonValue::False, nullptr);
    }
    bool number_integer(number_integer_t v) override {
        const std::string t = std::to_string(v);
        return Value(TJsonValue::Number, &t);
    }
    bool number_unsigned(number_unsigned_t v) override {
        const std::string t = std::to_string(v);
        return Value(TJsonValue::Number, &t);
    }
    bool number_float(number_float_t, const string_t& Text) override {
        return Value(TJsonValue::Number, &Text);
    }
    bool string(string_t& Text) override { return Value(TJsonValue::Text, &Text); }
    bool binary(binary_t&) override { return Value(TJsonValue::Other, nullptr); }
    bool start_object(std::size_t) override { return Open(true); }
    bool start_array(std::size_t) override { return Open(false); }
    bool key(string_t& Key) override {
        if (FDepth > 0 && FDepth <= MaxKeyDepth) FKeys[static_cast<std::size_t>(FDepth - 1)] = Key;
        return true;
    }
    bool end_object() override { return Close(true); }
    bool end_array() override { return Close(false); }
    bool parse_error(std::size_t, const std::string&,
                     const nlohmann::detail::exception& Error) override {
        const std::string_view what = Error.what();
        const std::size_t tag = what.find("] ");
        throw ESplitsError(
            "not valid JSON: " +
            OneLine(tag == std::string_view::npos ? what : what.substr(tag + 2), 200));
    }

  protected:
    enum class TJsonValue { Null, True, False, Number, Text, Other };
    static constexpr int MaxKeyDepth = 4;

    // The member key at a depth (1: the root object's members).
    const std::string& KeyAt(int Depth) const { return FKeys[static_cast<std::size_t>(Depth - 1)]; }
    int Depth() const { return FDepth; }
    std::string Place() const { return "split " + std::to_string(Splits.size() + 1); }

    // A container opened at Depth() or closed at Depth() + 1.
    virtual void Opened(bool Object) = 0;
    virtual void Closed(bool Object) = 0;
    // A value other than a container at Depth(); Text for texts and numbers.
    virtual void Scalar(TJsonValue Kind, const std::string* Text) = 0;

  private:
    bool Open(bool Object) {
        if (++FDepth > MaxJsonDepth)
            throw ESplitsError("nested deeper than " + std::to_string(MaxJsonDepth) + " levels");
        if (FDepth <= MaxKeyDepth) FKeys[static_cast<std::size_t>(FDepth - 1)].clear();
        Opened(Object);
        return true;
    }
    bool Close(bool Object) {
        Closed(Object);
        --FDepth;
        return true;
    }
    bool Value(TJsonValue Kind, const std::string* Text) {
        Scalar(Kind, Text);
        return true;
    }

    int FDepth = 0; // containers open
    std::array<std::string, MaxKeyDepth> FKeys;
};

// urn and LibreSplit: {"splits": [{"title": ..., "time": ...}, ...]}, where
// "time" is a text, or (LibreSplit's later schema) an object with one text
// per clock.
class TUrnReader final : public TJsonSplitsReader {
  public:
    explicit TUrnReader(TSplitTiming Timing)
        : FClock(Timing == TSplitTiming::Real ? "real_time" : "game_time") {}
    bool SawSplits = false;

  private:
    void Opened(bool Object) override {
        if (Depth() == 2 && KeyAt(1) == "splits" && !Object) {
            // A repeated member replaces the earlier one, as a parsed object would.
            Splits.clear();
            SawSplits = FInSplits = true;
        } else if (FInSplits && Depth() == 3) {
            if (!Object) throw ESplitsError(Place() + " is not an object");
            FInItem = true;
            FTitle.clear();
            FTime.clear();
        } else if (FInItem && Depth() == 4) {
            if (Object && KeyAt(3) == "time") {
                FInTime = true;
                FTime.clear();
            } else {
                Member(TJsonValue::Other, nullptr);
            }
        } else if (FInTime && Depth() == 5 && KeyAt(4) == FClock) {
            ClockValue(TJsonValue::Other, nullptr);
        }
    }
    void Closed(bool Object) override {
        if (FInTime && Depth() == 4) FInTime = false;
        if (FInItem && Depth() == 3 && Object) EndItem();
        if (FInSplits && Depth() == 2 && !Object) FInSplits = false;
    }
    void Scalar(TJsonValue Kind, const std::string* Text) override {
        if (FInSplits && Depth() == 2) throw ESplitsError(Place() + " is not an object");
        if (FInItem && Depth() == 3) Member(Kind, Text);
        if (FInTime && Depth() == 4 && KeyAt(4) == FClock) ClockValue(Kind, Text);
    }
    // A missing or null member, and an empty time, mean "none".
    void Member(TJsonValue Kind, const std::string* Text) {
        const std::string& key = KeyAt(3);
        if (key != "title" && key != "time") return;
        if (Kind != TJsonValue::Text && Kind != TJsonValue::Null)
            throw ESplitsError(Place() + ": \"" + key + "\" is not a text");
        (key == "title" ? FTitle : FTime) = Text ? *Text : std::string();
    }
    void ClockValue(TJsonValue Kind, const std::string* Text) {
        if (Kind != TJsonValue::Text && Kind != TJsonValue::Null)
            throw ESplitsError(Place() + ": \"time\" \"" + FClock + "\" is not a text");
        FTime = Text ? *Text : std::string();
    }
    void EndItem() {
        TSplit s{FTitle, std::nullopt};
        if (!FTime.empty()) {
            const TTimeValue t =
                SegmentTime(ParseUrnDuration(FTime), Splits.size() + 1, FTitle, FTime);
            // These timers write a split they never reached as zero.
            if (t != 0) s.Time = t;
        }
        Splits.push_back(std::move(s));
        CheckRowCount(Splits.size());
        FInItem = false;
    }

    std::string FClock;
    bool FInSplits = false, FInItem = false, FInTime = false;
    std::string FTitle, FTime;
};

// The splits.io exchange format: {"segments": [{"name": ...,
// "endedAt": {"realtimeMS": ..., "gametimeMS": ...}}, ...]}.
class TSplitsIoReader final : public TJsonSplitsReader {
  public:
    explicit TSplitsIoReader(TSplitTiming Timing)
        : FClock(Timing == TSplitTiming::Real ? "realtimeMS" : "gametimeMS") {}
    bool SawSegments = false;

  private:
    std::string SegmentPlaceText() const { return "segment " + std::to_string(Splits.size() + 1); }

    void Opened(bool Object) override {
        if (Depth() == 2 && KeyAt(1) == "segments" && !Object) {
            Splits.clear();
            SawSegments = FInSegments = true;
        } else if (FInSegments && Depth() == 3) {
            if (!Object) throw ESplitsError(SegmentPlaceText() + " is not an object");
            FInItem = true;
            FSkipped = false;
            FName.clear();
            FTime.clear();
        } else if (FInItem && Depth() == 4) {
            if (KeyAt(3) == "name")
                throw ESplitsError(SegmentPlaceText() + ": \"name\" is not a text");
            if (KeyAt(3) == "endedAt") {
                if (!Object)
                    throw ESplitsError(SegmentPlaceText() + ": \"endedAt\" is not an object");
                FInEnded = true;
            }
        } else if (FInEnded && Depth() == 5 && KeyAt(4) == FClock) {
            ClockValue(TJsonValue::Other, nullptr);
        }
    }
    void Closed(bool Object) override {
        if (FInEnded && Depth() == 4) FInEnded = false;
        if (FInItem && Depth() == 3 && Object) EndItem();
        if (FInSegments && Depth() == 2 && !Object) FInSegments = false;
    }
    void Scalar(TJsonValue Kind, const std::string* Text) override {
        if (FInSegments && Depth() == 2)
            throw ESplitsError(SegmentPlaceText() + " is not an object");
        if (FInItem && Depth() == 3) {
            const std::string& key = KeyAt(3);
            if (key == "name") {
                if (Kind != TJsonValue::Text && Kind != TJsonValue::Null)
                    throw ESplitsError(SegmentPlaceText() + ": \"name\" is not a text");
                FName = Text ? *Text : std::string();
            } else if (key == "isSkipped") {
                FSkipped = Kind == TJsonValue::True;
            } else if (key == "endedAt" && Kind != TJsonValue::Null) {
                throw ESplitsError(SegmentPlaceText() + ": \"endedAt\" is not an object");
            }
        }
        if (FInEnded && Depth() == 4 && KeyAt(4) == FClock) ClockValue(Kind, Text);
    }
    void ClockValue(TJsonValue Kind, const std::string* Text) {
        if (Kind != TJsonValue::Number && Kind != TJsonValue::Null)
            throw ESplitsError(SegmentPlaceText() + ": \"" + FClock + "\" is not a number");
        FTime = Text ? *Text : std::string();
    }
    void EndItem() {
        TSplit s{FName, std::nullopt};
        // A skipped split's time is to be ignored.
        if (!FTime.empty() && !FSkipped)
            s.Time = SegmentTime(MillisecondsOf(FTime), Splits.size() + 1, FName, FTime);
        Splits.push_back(std::move(s));
        CheckRowCount(Splits.size());
        FInItem = false;
    }
    // A JSON number of milliseconds, cut to whole ones.
    static std::optional<std::int64_t> MillisecondsOf(const std::string& Text) {
        errno = 0;
        char* end = nullptr;
        const double v = std::strtod(Text.c_str(), &end);
        if (end == Text.c_str() || *end != '\0') return std::nullopt;
        if (v < 0) return -1;
        return static_cast<std::int64_t>(std::min(std::floor(v), static_cast<double>(FieldCap)));
    }

    std::string FClock;
    bool FInSegments = false, FInItem = false, FInEnded = false, FSkipped = false;
    std::string FName, FTime;
};

} // namespace

std::vector<TSplit> ReadUrnSplits(std::string_view Json, TSplitTiming Timing) {
    TUrnReader reader(Timing);
    json::sax_parse(Json.begin(), Json.end(), &reader);
    if (!reader.SawSplits)
        throw ESplitsError("no top-level \"splits\" array: not an urn or LibreSplit split file");
    return std::move(reader.Splits);
}

std::vector<TSplit> ReadSplitsIoSplits(std::string_view Json, TSplitTiming Timing) {
    TSplitsIoReader reader(Timing);
    json::sax_parse(Json.begin(), Json.end(), &reader);
    if (!reader.SawSegments)
        throw ESplitsError("no top-level \"segments\" array: not a splits.io exchange file");
    return std::move(reader.Splits);
}

bool IsSplitsFileName(const std::string& Path) {
    const std::string ext = LowerExtension(Path);
    return ext == "lss" || ext == "json" || ext == "splits";
}

std::vector<TSplit> ReadSplitsFile(const std::string& Path, TSplitTiming Timing) {
    const std::string ext = LowerExtension(Path);
    if (!IsSplitsFileName(Path))
        throw EFileError(Path, "\"" + Path + "\": not a split file (.lss, .json or .splits)");
    const std::string bytes = ReadBoundedFile(Path);
    try {
        if (ext == "lss") return ReadLssSplits(bytes, Timing);
        if (ext == "json") return ReadUrnSplits(bytes, Timing);
        return ReadSplitsIoSplits(bytes, Timing);
    } catch (const ESplitsError& e) {
        throw EFileFormatError(Path, "\"" + Path + "\": " + e.what());
    }
}

std::string NoBestTimesNote(const std::string& Path, TSplitTiming Timing) {
    return "\"" + Path + "\": no segment has a personal-best " +
           (Timing == TSplitTiming::Real ? "real" : "game") + " time; its Best column is empty";
}

bool HasBestTime(const std::vector<TSplit>& Splits) {
    return std::any_of(Splits.begin(), Splits.end(), [](const TSplit& s) { return s.Time; });
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
                       const TLaptimeSheet& Defaults,
                       const std::function<void(const std::string&)>& Note) {
    std::vector<TLaptimeSheet> sheets;
    sheets.reserve(Files.size());
    std::vector<std::string> notes;
    for (const std::string& f : Files) {
        const std::vector<TSplit> splits = ReadSplitsFile(f, Timing);
        if (!splits.empty() && !HasBestTime(splits)) notes.push_back(NoBestTimesNote(f, Timing));
        sheets.push_back(SplitsSheet(Defaults, SheetNameOfFile(f), splits, TimeFormat));
    }
    SaveProjectFile(Output, sheets);
    if (Note)
        for (const std::string& n : notes)
            Note(n);
}
