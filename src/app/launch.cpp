#include "app/launch.h"

#include "model/file_io.h"

#include <charconv>

const char* const VersionText = "Segmark " SEGMARK_VERSION;

namespace {

TLaunch UsageError(std::string Why) {
    TLaunch l;
    l.Kind = lkUsageError;
    l.Text = std::move(Why);
    return l;
}

} // namespace

std::string UsageText() {
    return "Usage:\n"
           "  segmark [PROJECT.sgp]                         start the window (or hand the\n"
           "                                                project to the running one)\n"
           "  segmark export-text PROJECT.sgp [--sheet N]   sheet N (0 first) as text on stdout\n"
           "  segmark export-csv PROJECT.sgp [--sheet N]    sheet N as CSV (UTF-8) on stdout\n"
           "  segmark import-text FILE... -o PROJECT.sgp    one sheet per text file\n"
           "  segmark import-splits FILE... -o PROJECT.sgp [--timing real|game] [--format N]\n"
           "                                                one sheet per LiveSplit (.lss),\n"
           "                                                urn or LibreSplit (.json) or\n"
           "                                                splits.io (.splits) file; N 0-8 is\n"
           "                                                the display format (without it, the\n"
           "                                                default sheet settings' format,\n"
           "                                                which may drop the milliseconds)\n"
           "  segmark export-splits PROJECT.sgp [--sheet N] -o FILE [--game TEXT] [--category "
           "TEXT] [--as splitsio]\n"
           "                                                sheet N (0 first) as a LiveSplit\n"
           "                                                (.lss), urn (.json) or splits.io\n"
           "                                                (.splits, or --as splitsio) file\n"
           "  segmark --clear-now                           Clear Now in the running window\n"
           "  segmark --cell-input TEXT [--moves N]         TEXT into the running window's\n"
           "                                                current cell, then N + 1 Enter\n"
           "                                                presses (none when N < 0)\n"
           "  segmark --get [--format text|json]            the running window's sheet on\n"
           "                                                stdout, as export-text or as JSON\n"
           "  segmark --watch                               that JSON as one line now and after\n"
           "                                                every change, until the window exits\n"
           "  segmark --help | --version\n";
}

TLaunch ParseLaunch(const std::vector<std::string>& Args) {
    TLaunch l;
    if (Args.empty()) return l;
    const std::string& first = Args[0];
    if (first == "--help" || first == "-h") {
        l.Kind = Args.size() == 1 ? lkHelp : lkUsageError;
        return l;
    }
    if (first == "--version") {
        l.Kind = Args.size() == 1 ? lkVersion : lkUsageError;
        return l;
    }
    if (first == "--clear-now") {
        if (Args.size() != 1) return UsageError("--clear-now takes no arguments");
        l.Kind = lkClearNow;
        return l;
    }
    if (first == "--cell-input") {
        if (Args.size() != 2 && !(Args.size() == 4 && Args[2] == "--moves"))
            return UsageError("--cell-input takes a text and an optional --moves N");
        l.Kind = lkCellInput;
        l.Text = Args[1];
        if (Args.size() == 4) {
            const std::string& n = Args[3];
            const auto [end, ec] = std::from_chars(n.data(), n.data() + n.size(), l.Moves);
            if (ec != std::errc() || end != n.data() + n.size() || n.empty())
                return UsageError("--moves needs a whole number");
        }
        return l;
    }
    if (first == "--get") {
        const bool format = Args.size() == 3 && Args[1] == "--format";
        if (Args.size() != 1 && !(format && (Args[2] == "text" || Args[2] == "json")))
            return UsageError("--get takes an optional --format text|json");
        l.Kind = lkGetSheet;
        l.Json = format && Args[2] == "json";
        return l;
    }
    if (first == "--watch") {
        if (Args.size() != 1) return UsageError("--watch takes no arguments");
        l.Kind = lkWatchSheet;
        return l;
    }
    for (const std::string& a : Args) {
        if (a.size() > 1 && a[0] == '-') return UsageError("unknown option " + a);
        // A bare word that names no file is a mistyped command, not a project.
        if (a.find_first_of("./") == std::string::npos && !FileExists(a))
            return UsageError("unknown command " + a);
    }
    l.Args = Args;
    return l;
}
