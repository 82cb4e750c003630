// The shared matcher for Perl-style match expressions "m/PATTERN/FLAGS",
// over PCRE2. Flags: "s" (dot matches line breaks), "k" (a Shift-JIS
// two-byte character counts as one character).
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

class EPatternError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TPatternMatcher {
  public:
    TPatternMatcher();
    ~TPatternMatcher();
    TPatternMatcher(const TPatternMatcher&) = delete;
    TPatternMatcher& operator=(const TPatternMatcher&) = delete;

    // True when Target contains a match. Raises EPatternError with the
    // library's message for a malformed expression.
    bool Match(std::string_view Pattern, std::string_view Target);

    // The one program-wide matcher, created on first use.
    static TPatternMatcher& Shared();

  private:
    struct Impl;
    std::unique_ptr<Impl> FImpl;
};
