// Any sheet name: the pattern that finds its copies compiles, matches the
// name with a copy number and nothing else, and copying the sheet twice
// numbers the copies 1 and 2.
#include "fuzz_window.h"
#include "pattern/pattern_matcher.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string name(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 254));
    name = name.substr(0, name.find('\0'));
    TPatternMatcher& m = TPatternMatcher::Shared();
    const std::string pattern = CopyNamePattern(name);
    if (!m.Match(pattern, name + " (12)")) std::abort();
    if (m.Match(pattern, name + " (x)") || m.Match(pattern, name)) std::abort();

    fuzz::Window w;
    w.project = TLaptimeProject::Create("", w.grid, w.selector, w.host);
    w.project->RenameCurrentSheet(name);
    w.selector.Items[0] = w.project->Sheets[0].Name.str();
    const std::string stored = w.selector.Items[0];
    w.project->CopyCurrentSheet();
    w.project->SelectSheet(0, true);
    w.project->CopyCurrentSheet();
    // A name cut at its slot may end inside a two-byte character, which
    // the copy's own name then completes; only whole names are checked.
    if (stored.size() < 200 &&
        (w.selector.Items[1] != stored + " (1)" || w.selector.Items[2] != stored + " (2)"))
        std::abort();
    return 0;
}
