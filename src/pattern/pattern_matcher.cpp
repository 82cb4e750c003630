#include "pattern/pattern_matcher.h"

#include "text/sjis.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <array>
#include <functional>
#include <unordered_map>

namespace {

struct CodeDeleter {
    void operator()(pcre2_code* c) const { pcre2_code_free(c); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* d) const { pcre2_match_data_free(d); }
};

// Heterogeneous lookup, so that a match with a string_view expression does
// not build a std::string just to find its compiled form.
struct ExpressionHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

struct Compiled {
    std::unique_ptr<pcre2_code, CodeDeleter> code;
    bool sjis = false; // "k": pattern and target are matched as mapped code points
};

// Two-byte characters map to private code points above every single byte, so a
// trail byte that looks like '\', '[' or ']' can never act as syntax.
constexpr char32_t kPairBase = 0xF0000;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsPlainAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// Lossless Shift-JIS -> UTF-8 of private code points (single byte b -> U+00bb).
void MapSjis(std::string_view s, std::string& out) {
    out.clear();
    out.reserve(s.size() * 2);
    for (std::size_t pos = 0; pos < s.size();) {
        auto lead = static_cast<unsigned char>(s[pos]);
        if (text::CharLength(s, pos) == 2) {
            auto trail = static_cast<unsigned char>(s[pos + 1]);
            AppendUtf8(out, kPairBase + ((char32_t(lead) << 8) | trail));
            pos += 2;
        } else {
            AppendUtf8(out, lead);
            ++pos;
        }
    }
}

std::string ErrorText(int code) {
    PCRE2_UCHAR buffer[256] = {};
    if (pcre2_get_error_message(code, buffer, sizeof buffer) < 0 && buffer[0] == 0)
        return "pattern error " + std::to_string(code);
    return std::string(reinterpret_cast<const char*>(buffer)); // stops at the first zero byte
}

} // namespace

struct TPatternMatcher::Impl {
    std::unordered_map<std::string, Compiled, ExpressionHash, std::equal_to<>> cache;
    // The last few expressions used, found without hashing: callers
    // alternate between a handful (the four time forms).
    struct Recent {
        std::string_view key; // points into the cache's own key
        const Compiled* compiled = nullptr;
    };
    std::array<Recent, 8> recent{};
    std::size_t nextRecent = 0;
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> matchData{
        pcre2_match_data_create(1, nullptr)};
    std::string mapped; // reused buffer for "k" targets

    const Compiled& Compile(std::string_view expression);
};

namespace {
// Generated sheet names give a new expression per name; a bound keeps a
// long session from collecting them without end.
constexpr std::size_t kCacheLimit = 512;
} // namespace

const Compiled& TPatternMatcher::Impl::Compile(std::string_view expression) {
    for (const Recent& r : recent)
        if (r.compiled && r.key == expression) return *r.compiled;
    auto remember = [this](const std::string& key, const Compiled& c) -> const Compiled& {
        recent[nextRecent] = Recent{key, &c};
        nextRecent = (nextRecent + 1) % recent.size();
        return c;
    };
    if (auto it = cache.find(expression); it != cache.end()) return remember(it->first, it->second);

    if (expression.size() < 3 || expression.substr(0, 2) != "m/")
        throw EPatternError("not a match expression m/PATTERN/FLAGS: " + std::string(expression));
    std::size_t close = expression.rfind('/');
    if (close < 2) throw EPatternError("missing closing '/': " + std::string(expression));
    std::string_view pattern = expression.substr(2, close - 2);
    std::string_view flags = expression.substr(close + 1);

    // '$' matches only at the very end: a text with a trailing line break is
    // not the same text as one without.
    uint32_t options = PCRE2_DOLLAR_ENDONLY;
    bool sjis = false;
    for (char f : flags) {
        switch (f) {
        case 's':
            options |= PCRE2_DOTALL;
            break;
        case 'k':
            sjis = true;
            break;
        case 'm':
            options |= PCRE2_MULTILINE;
            break;
        case 'x':
            options |= PCRE2_EXTENDED;
            break;
        case 'g':
        case 'o':
            break; // no meaning for a yes/no match
        default:
            throw EPatternError(std::string("unknown flag '") + f +
                                "': " + std::string(expression));
        }
    }

    std::string mappedPattern;
    if (sjis) {
        options |= PCRE2_UTF | PCRE2_NO_UTF_CHECK;
        MapSjis(pattern, mappedPattern);
        pattern = mappedPattern;
    }

    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     options, &error, &offset, nullptr);
    if (!code) throw EPatternError(ErrorText(error));
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE); // the interpreter still runs if this fails

    if (cache.size() >= kCacheLimit) {
        recent.fill(Recent{});
        cache.clear();
    }
    auto [it, added] = cache.try_emplace(std::string(expression));
    it->second.code.reset(code);
    it->second.sjis = sjis;
    return remember(it->first, it->second);
}

TPatternMatcher::TPatternMatcher() : FImpl(std::make_unique<Impl>()) {}
TPatternMatcher::~TPatternMatcher() = default;

bool TPatternMatcher::Match(std::string_view Pattern, std::string_view Target) {
    const Compiled& c = FImpl->Compile(Pattern);
    std::string_view subject = Target;
    uint32_t options = 0;
    if (c.sjis) {
        options |= PCRE2_NO_UTF_CHECK; // the mapping always yields valid UTF-8
        if (!IsPlainAscii(Target)) {
            MapSjis(Target, FImpl->mapped);
            subject = FImpl->mapped;
        }
    }
    static const char empty = 0;
    const char* data = subject.empty() ? &empty : subject.data();
    int rc = pcre2_match(c.code.get(), reinterpret_cast<PCRE2_SPTR>(data), subject.size(), 0,
                         options, FImpl->matchData.get(), nullptr);
    if (rc >= 0) return true; // 0: matched, ovector too small for the groups, which nobody reads
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    throw EPatternError(ErrorText(rc));
}

TPatternMatcher& TPatternMatcher::Shared() {
    static TPatternMatcher shared;
    return shared;
}
