#include "text/codepage.h"

#include <cerrno>
#include <cstdlib>
#include <iconv.h>
#include <mutex>

namespace text {
namespace {

// iconv descriptors are not thread-safe; one program-wide pair guarded by a
// mutex is enough for the few conversions at the window boundary.
struct Converter {
    iconv_t handle;
    std::mutex lock;
    Converter(const char* to, const char* from) : handle(iconv_open(to, from)) {}
    ~Converter() {
        if (handle != iconv_t(-1)) iconv_close(handle);
    }
};

Converter& ToCp() {
    static Converter c(CodePageName(), "UTF-8");
    return c;
}
Converter& FromCp() {
    static Converter c("UTF-8", CodePageName());
    return c;
}

// Converts in, replacing each unconvertible or invalid input unit with
// `replacement` and skipping `skip(in)` bytes of it.
template <typename Skip>
std::string Convert(Converter& cv, std::string_view in, std::string_view replacement, Skip skip) {
    std::string out;
    if (in.empty()) return out;
    if (cv.handle == iconv_t(-1)) return std::string(in);
    std::lock_guard guard(cv.lock);
    iconv(cv.handle, nullptr, nullptr, nullptr, nullptr);
    out.reserve(in.size() * 2);
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buffer[1024];
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        std::size_t r = iconv(cv.handle, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, dst - buffer);
        if (r == std::size_t(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace the offending unit and go on.
            std::size_t n = skip(std::string_view(src, srcLeft));
            out.append(replacement);
            src += n;
            srcLeft -= n;
            iconv(cv.handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* dst = buffer;
    std::size_t dstLeft = sizeof buffer;
    iconv(cv.handle, nullptr, nullptr, &dst, &dstLeft);
    out.append(buffer, dst - buffer);
    return out;
}

std::size_t Utf8UnitLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
    if (n > s.size()) return s.size();
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
    return n;
}

std::size_t CodePageUnitLength(std::string_view s) {
    unsigned char c = static_cast<unsigned char>(s[0]);
    bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
    return (lead && s.size() >= 2) ? 2 : 1;
}

} // namespace

const char* CodePageName() {
    static const char* name = [] {
        const char* env = std::getenv("SEGMARK_CODEPAGE");
        return (env && *env) ? env : "CP932";
    }();
    return name;
}

std::string ToCodePage(std::string_view utf8) {
    return Convert(ToCp(), utf8, "?", Utf8UnitLength);
}

std::string FromCodePage(std::string_view bytes) {
    return Convert(FromCp(), bytes, "\xEF\xBF\xBD", CodePageUnitLength);
}

} // namespace text
