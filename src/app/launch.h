// What a start of the program without a subcommand asks for: the window
// (with a project to open), a command for the running window, or help.
#pragma once

#include <string>
#include <vector>

enum TLaunchKind {
    lkWindow,
    lkHelp,
    lkVersion,
    lkUsageError,
    lkClearNow,
    lkCellInput,
    lkGetSheet,
    lkWatchSheet
};

struct TLaunch {
    TLaunchKind Kind = lkWindow;
    std::vector<std::string> Args; // lkWindow: the arguments, for the start project
    std::string Text;              // lkCellInput: the text (UTF-8); lkUsageError: why
    int Moves = 0;                 // lkCellInput
    bool Json = false;             // lkGetSheet: --format json
};

// Args: the command line without the program's name.
TLaunch ParseLaunch(const std::vector<std::string>& Args);

// The usage text printed by --help and after a usage error.
std::string UsageText();
// "Segmark <version>", the version being the project's.
extern const char* const VersionText;
