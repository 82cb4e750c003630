#include "app/cli.h"

#include "app/time_eval.h"

#include "grid/lap_grid.h"
#include "model/env_location.h"
#include "model/file_io.h"
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

// The sheet selector without a window.
class PlainSelector : public SheetSelector {
  public:
    int Count() const override { return static_cast<int>(items_.size()); }
    std::string Item(int Index) const override {
        return items_.at(static_cast<std::size_t>(Index));
    }
    void Add(const std::string& Name) override { items_.push_back(Name); }
    void Delete(int Index) override { items_.erase(items_.begin() + Index); }
    void Clear() override { items_.clear(); }
    void Select(int) override {}
    void SetText(const std::string&) override {}
    void SetEnabled(bool) override {}

  private:
    std::vector<std::string> items_;
};

// The window's settings without the window. Nothing is ever asked: the
// many-rows question is off, so every text is imported whole.
class HeadlessHost : public ProjectHost {
  public:
    explicit HeadlessHost(TLapEnvFile Env) : env_(std::move(Env)) {}
    void SetTitle(const std::string&) override {}
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }
    bool ConfirmManyRows() const override { return false; }
    int MaxUndoIndex() const override { return env_.Env.MaxUndoIndex; }
    const TLaptimeSheet& DefaultSettings() const override { return env_.DefaultSettings; }
    bool ClipboardText(std::string&) override { return false; }

  private:
    TLapEnvFile env_;
};

// The window's grid: five columns, the split and interval columns read-only.
void SetUpGrid(TLapGrid& Grid) {
    Grid.SetColCount(SheetColumnCount);
    Grid.Columns[3].ReadOnly = true;
    Grid.Columns[4].ReadOnly = true;
    Grid.SetRowCount(0);
}

struct Session {
    TLapGrid Grid;
    PlainSelector Selector;
    std::unique_ptr<HeadlessHost> Host;
    std::unique_ptr<TLaptimeProject> Project;
    // Rows are evaluated as in the window, with the shown sheet's settings.
    TTimeEvaluator Evaluator{Grid, [this]() -> std::optional<TEvalSettings> {
                                 const TLaptimeSheet* s =
                                     Project ? Project->CurrentSheet() : nullptr;
                                 if (!s) return std::nullopt;
                                 return TEvalSettings{s->TimeFormat, s->FontColor, s->PlusColor,
                                                      s->MinusColor, s->EqualColor};
                             }};

    Session() : Host(std::make_unique<HeadlessHost>(LoadLapEnv(LapEnvPath(ExecutableFolder())))) {
        SetUpGrid(Grid);
        Evaluator.Attach();
    }
};

// Well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsUtf8(std::string_view S) {
    for (std::size_t i = 0; i < S.size();) {
        const auto c = static_cast<unsigned char>(S[i]);
        std::size_t n = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF)
            n = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            n = 2;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            n = 3;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else
            return false;
        if (i + n >= S.size()) return false;
        for (std::size_t k = 1; k <= n; ++k) {
            const auto t = static_cast<unsigned char>(S[i + k]);
            if (t < (k == 1 ? lo : 0x80) || t > (k == 1 ? hi : 0xBF)) return false;
        }
        i += n + 1;
    }
    return true;
}

// The sheet name of an imported file, in the code page as every stored text
// is. File names on this desktop are UTF-8; one that is not (bytes written in
// the code page itself, say) is taken as it stands.
std::string SheetNameOf(const std::string& Path) {
    const std::string title = TitleFromFileName(Path);
    return IsUtf8(title) ? text::ToCodePage(title) : title;
}

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
    s.Project = TLaptimeProject::Create(file, s.Grid, s.Selector, *s.Host);
    TLaptimeProject& p = *s.Project;
    if (sheet >= p.SheetCount())
        throw EFileError(file, "\"" + file + "\" has " + std::to_string(p.SheetCount()) +
                                   " sheet(s); there is no sheet " + std::to_string(sheet));
    if (sheet == 0) {
        // As the window does once a project is open.
        if (s.Grid.OnCellAssignment) {
            s.Grid.BeginUpdate();
            for (int r = 0; r < s.Grid.RowCount(); ++r)
                s.Grid.OnCellAssignment(2, r);
            s.Grid.EndUpdate();
        }
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
    s.Project = TLaptimeProject::CreateFromSheets({}, std::string(), s.Grid, s.Selector, *s.Host);
    for (const std::string& f : files)
        if (!s.Project->AddSheetFromFile(f, SheetNameOf(f)))
            throw EFileError(f, "Cannot import \"" + f + "\"");
    s.Project->SaveToFile(output);
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
