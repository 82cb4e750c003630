#include "app/cli.h"

#include "app/csv_export.h"
#include "app/session.h"
#include "app/splits_export.h"
#include "app/splits_import.h"

#include "grid/lap_grid.h"
#include "model/env_location.h"
#include "model/file_io.h"
#include "model/headless.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"
#include "text/codepage.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

constexpr const char* ExportUsage = "segmark export-text PROJECT.sgp [--sheet N]";
constexpr const char* ImportUsage = "segmark import-text FILE... -o PROJECT.sgp";
constexpr const char* SplitsUsage =
    "segmark import-splits FILE.lss|FILE.json|FILE.splits... -o PROJECT.sgp [--timing real|game] "
    "[--format N], N 0-8; without --format the default sheet settings' format, which may drop "
    "the milliseconds";
constexpr const char* CsvUsage = "segmark export-csv PROJECT.sgp [--sheet N]";
constexpr const char* ExportSplitsUsage =
    "segmark export-splits PROJECT.sgp [--sheet N] -o FILE [--game TEXT] [--category TEXT] "
    "[--as splitsio], FILE ending in .lss, .json or .splits";

// Bad arguments.
struct UsageError {
    std::string Message;
};

// The command line's own grid, shown in no window.
struct Session {
    TLapGrid Grid;
    TPlainSelector Selector;
    THeadlessHost Host{LoadLapEnv(LapEnvPath(ExecutableFolder()))};
    TSession Core{Grid, Selector, Host};

    Session() { SetupLapGrid(Grid, TLapEnv{}); }
};

bool ReadIndex(const std::string& Arg, int& Value) {
    if (Arg.empty() || Arg.size() > 9) return false;
    Value = 0;
    for (char c : Arg) {
        if (c < '0' || c > '9') return false;
        Value = Value * 10 + (c - '0');
    }
    return true;
}

// An input that is a file to read; Kind names what it should be.
void CheckInput(const std::string& File, const char* Kind) {
    if (FolderExists(File))
        throw EFileError(File, "\"" + File + "\" is a folder, not a " + Kind + " file");
    if (!FileExists(File))
        throw EFileError(File, std::string("No such ") + Kind + " file \"" + File + "\"");
}

// PROJECT.sgp [--sheet N], as export-text and export-csv take them.
struct TSheetArgs {
    std::string File;
    int Sheet = 0;
};

TSheetArgs ParseSheetArgs(const std::vector<std::string>& Args, const std::string& Command) {
    TSheetArgs r;
    bool sheetGiven = false;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "--sheet") {
            if (sheetGiven) throw UsageError{"--sheet given twice"};
            if (i + 1 >= Args.size() || !ReadIndex(Args[i + 1], r.Sheet))
                throw UsageError{"--sheet needs a sheet number (0 is the first sheet)"};
            sheetGiven = true;
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else if (r.File.empty()) {
            r.File = a;
        } else {
            throw UsageError{Command + " takes one project file"};
        }
    }
    if (r.File.empty()) throw UsageError{Command + " needs a project file"};
    CheckInput(r.File, "project");
    return r;
}

void WriteStdout(const std::string& Out) {
    if (std::fwrite(Out.data(), 1, Out.size(), stdout) != Out.size() || std::fflush(stdout) != 0)
        throw EFileError("-", "Cannot write to standard output");
}

int ExportText(const std::vector<std::string>& Args) {
    const TSheetArgs a = ParseSheetArgs(Args, "export-text");
    Session s;
    s.Core.OpenAndShowSheet(a.File, a.Sheet);
    WriteStdout(s.Core.Project()->ExportText());
    return ExitOk;
}

int ImportText(const std::vector<std::string>& Args) {
    std::vector<std::string> files;
    std::string output;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "-o") {
            if (!output.empty()) throw UsageError{"-o given twice"};
            if (i + 1 >= Args.size() || Args[i + 1].empty())
                throw UsageError{"-o needs a project file"};
            output = Args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) throw UsageError{"import-text needs at least one text file"};
    if (output.empty()) throw UsageError{"import-text needs -o PROJECT.sgp"};
    for (const std::string& f : files) {
        CheckInput(f, "text");
        // Reading and replacing one file would lose it to its own import.
        if (SameFile(f, output))
            throw UsageError{"the output \"" + output + "\" is the input \"" + f + "\""};
    }
    if (output.back() == '/' || FolderExists(output))
        throw EFileError(output, "\"" + output + "\" is a folder, not a project file");

    Session s;
    s.Core.EmptyProject();
    TLaptimeProject& p = *s.Core.Project();
    for (const std::string& f : files)
        if (!p.AddSheetFromFile(f, SheetNameOfFile(f)))
            throw EFileError(f, "Cannot import \"" + f + "\"");
    p.SaveToFile(output);
    return ExitOk;
}

int ImportSplits(const std::vector<std::string>& Args) {
    std::vector<std::string> files;
    std::string output;
    std::optional<TSplitTiming> timing;
    std::optional<std::uint8_t> format;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        const bool hasValue = i + 1 < Args.size();
        if (a == "-o") {
            if (!output.empty()) throw UsageError{"-o given twice"};
            if (!hasValue || Args[i + 1].empty()) throw UsageError{"-o needs a project file"};
            output = Args[++i];
        } else if (a == "--timing") {
            if (timing) throw UsageError{"--timing given twice"};
            const std::string v = hasValue ? Args[++i] : std::string();
            if (v != "real" && v != "game") throw UsageError{"--timing needs real or game"};
            timing = v == "real" ? TSplitTiming::Real : TSplitTiming::Game;
        } else if (a == "--format") {
            if (format) throw UsageError{"--format given twice"};
            int n = 0;
            if (!hasValue || !ReadIndex(Args[i + 1], n) || n > kTimeFormatAsTyped)
                throw UsageError{"--format needs a display format from 0 to 8"};
            format = static_cast<std::uint8_t>(n);
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (files.empty()) throw UsageError{"import-splits needs at least one split file"};
    if (output.empty()) throw UsageError{"import-splits needs -o PROJECT.sgp"};

    Session s;
    ImportSplitsFiles(files, output, timing.value_or(TSplitTiming::Real), format,
                      s.Host.DefaultSettings(), [](const std::string& Note) {
                          std::fprintf(stderr, "segmark import-splits: %s\n", Note.c_str());
                      });
    return ExitOk;
}

int ExportCsv(const std::vector<std::string>& Args) {
    const TSheetArgs a = ParseSheetArgs(Args, "export-csv");
    Session s;
    WriteStdout(ExportSheetCsv(s.Core, a.File, a.Sheet));
    return ExitOk;
}

int ExportSplits(const std::vector<std::string>& Args) {
    std::vector<std::string> rest;
    std::string output;
    std::optional<std::string> game, category;
    bool asSplitsIo = false;
    const auto value = [&Args](std::size_t& i, std::optional<std::string>& Into, const char* What) {
        if (Into) throw UsageError{std::string(What) + " given twice"};
        if (i + 1 >= Args.size()) throw UsageError{std::string(What) + " needs a text"};
        Into = Args[++i];
    };
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "-o") {
            if (!output.empty()) throw UsageError{"-o given twice"};
            if (i + 1 >= Args.size() || Args[i + 1].empty())
                throw UsageError{"-o needs a split file"};
            output = Args[++i];
        } else if (a == "--game") {
            value(i, game, "--game");
        } else if (a == "--category") {
            value(i, category, "--category");
        } else if (a == "--as") {
            if (asSplitsIo) throw UsageError{"--as given twice"};
            if (i + 1 >= Args.size() || Args[i + 1] != "splitsio")
                throw UsageError{"--as needs splitsio"};
            asSplitsIo = true;
            ++i;
        } else if (a == "--sheet") {
            rest.push_back(a);
            if (i + 1 < Args.size()) rest.push_back(Args[++i]);
        } else {
            rest.push_back(a);
        }
    }
    const TSheetArgs sheet = ParseSheetArgs(rest, "export-splits");
    if (output.empty()) throw UsageError{"export-splits needs -o FILE"};
    const std::optional<TSplitsFormat> format =
        asSplitsIo ? TSplitsFormat::SplitsIo : SplitsFormatOfFile(output);
    if (!format)
        throw UsageError{"the output \"" + output +
                         "\" ends in none of .lss, .json and .splits (--as splitsio for any name)"};
    // Writing over the project would lose it.
    if (SameFile(sheet.File, output))
        throw UsageError{"the output \"" + output + "\" is the project \"" + sheet.File + "\""};
    if (output.back() == '/' || FolderExists(output))
        throw EFileError(output, "\"" + output + "\" is a folder, not a split file");
    Session s;
    ExportSplitsFile(s.Core, sheet.File, sheet.Sheet, output, *format, game.value_or(""), category);
    return ExitOk;
}

struct TSubcommand {
    const char* Name;
    int (*Run)(const std::vector<std::string>&);
    const char* Usage;
};

constexpr TSubcommand Subcommands[] = {
    {"export-text", ExportText, ExportUsage},           {"import-text", ImportText, ImportUsage},
    {"import-splits", ImportSplits, SplitsUsage},       {"export-csv", ExportCsv, CsvUsage},
    {"export-splits", ExportSplits, ExportSplitsUsage},
};

} // namespace

int RunCli(int argc, char** argv) {
    if (argc < 2 || !argv || !argv[1]) return -1;
    const std::string command = argv[1];
    const TSubcommand* sub = nullptr;
    for (const TSubcommand& c : Subcommands)
        if (command == c.Name) sub = &c;
    if (!sub) return -1;
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return sub->Run(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "segmark %s: %s (usage: %s)\n", command.c_str(), e.Message.c_str(),
                     sub->Usage);
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "segmark %s: not enough memory\n", command.c_str());
        return ExitFailure;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "segmark %s: %s\n", command.c_str(), e.what());
        return ExitFailure;
    }
}
