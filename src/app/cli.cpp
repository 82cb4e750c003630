#include "app/cli.h"

#include "app/session.h"

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

int ExportText(const std::vector<std::string>& Args) {
    std::string file;
    int sheet = 0;
    bool sheetGiven = false;
    for (std::size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "--sheet") {
            if (sheetGiven) throw UsageError{"--sheet given twice"};
            if (i + 1 >= Args.size() || !ReadIndex(Args[i + 1], sheet))
                throw UsageError{"--sheet needs a sheet number (0 is the first sheet)"};
            sheetGiven = true;
            ++i;
        } else if (a.size() > 1 && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else if (file.empty()) {
            file = a;
        } else {
            throw UsageError{"export-text takes one project file"};
        }
    }
    if (file.empty()) throw UsageError{"export-text needs a project file"};
    CheckInput(file, "project");

    Session s;
    s.Core.OpenProject(file);
    TLaptimeProject& p = *s.Core.Project();
    if (sheet >= p.SheetCount())
        throw EFileError(file, "\"" + file + "\" has " + std::to_string(p.SheetCount()) +
                                   " sheet(s); there is no sheet " + std::to_string(sheet));
    if (sheet == 0) {
        s.Core.EvaluateAllRows(); // as the window does once a project is open
    } else {
        p.SelectSheet(sheet, true);
    }
    const std::string out = p.ExportText();
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0)
        throw EFileError("-", "Cannot write to standard output");
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

} // namespace

int RunCli(int argc, char** argv) {
    if (argc < 2 || !argv || !argv[1]) return -1;
    const std::string command = argv[1];
    if (command != "export-text" && command != "import-text") return -1;
    const std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return command == "export-text" ? ExportText(args) : ImportText(args);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "segmark %s: %s (usage: %s)\n", command.c_str(), e.Message.c_str(),
                     command == "export-text" ? ExportUsage : ImportUsage);
        return ExitUsage;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "segmark %s: not enough memory\n", command.c_str());
        return ExitFailure;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "segmark %s: %s\n", command.c_str(), e.what());
        return ExitFailure;
    }
}
