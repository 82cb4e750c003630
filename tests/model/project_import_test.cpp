// Sheets made from text files and the clipboard, and the sheet export.
#include "project_fakes.h"

#include "model/file_io.h"
#include "model/project_file.h"
#include "model/sheet_text.h"

#include <fstream>

namespace {

std::string Lines(int N) {
    std::string s;
    for (int i = 0; i < N; ++i)
        s += "L" + std::to_string(i) + "\t1:00\t1:0" + std::to_string(i % 10) + "\r\n";
    return s;
}

void WriteFile(const std::string& Path, const std::string& Content) {
    std::ofstream(Path, std::ios::binary) << Content;
}

TEST(ProjectImport, ManyRowsAskOnlyFromFiftyAndNeverRefuseSilently) {
    struct Case {
        const char* what;
        int lines;
        bool fromClipboard;
        bool confirmSwitch;
        bool answer;
        bool asked;
        bool added;
    };
    const std::vector<Case> cases = {
        {"49 lines, no question", 49, false, true, false, false, true},
        {"50 lines ask, OK", 50, false, true, true, true, true},
        {"50 lines ask, Cancel", 50, false, true, false, true, false},
        {"50 lines, switch off: imported without asking", 50, false, false, false, false, true},
        {"clipboard 49 lines", 49, true, true, false, false, true},
        {"clipboard 50 lines, Cancel", 50, true, true, false, true, false},
        {"clipboard 500 lines, switch off", 500, true, false, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        ProjectRig r;
        r.New();
        r.Grid.SetCells(0, 0, "kept");
        r.Host.ManyRowsSwitch = c.confirmSwitch;
        r.Host.Answer = c.answer;
        const std::string file = dir.File("laps.v2.txt");
        WriteFile(file, Lines(c.lines));
        r.Host.HasClipboardText = true;
        r.Host.Clipboard = Lines(c.lines);
        r.Evaluated.clear();

        const bool added =
            c.fromClipboard ? r.P().AddSheetFromClipboard() : r.P().AddSheetFromFile(file);
        EXPECT_EQ(added, c.added);
        EXPECT_EQ(r.Host.Questions.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(r.Host.Questions[0],
                      c.fromClipboard ? ManyRowsClipboardQuestion : ManyRowsFileQuestion);
            EXPECT_EQ(r.Host.QuestionCaptions[0], "\x8A\x6D\x94\x46");
        }
        ExpectAligned(r);
        if (!added) {
            EXPECT_EQ(r.P().SheetCount(), 1);
            EXPECT_EQ(r.Grid.CellText(0, 0), "kept");
            EXPECT_TRUE(r.Evaluated.empty());
            continue;
        }
        ASSERT_EQ(r.P().SheetCount(), 2);
        EXPECT_EQ(r.P().Sheets[0].Texts[0], "kept\r\n"); // stored before the import
        EXPECT_EQ(r.P().Sheets[1].Name.str(), c.fromClipboard ? "New Sheet    2" : "laps");
        EXPECT_EQ(r.P().Sheets[1].RowCount, c.lines);
        EXPECT_EQ(r.Grid.RowCount(), c.lines);
        EXPECT_EQ(r.Grid.TimeFormatLists.Items(1).Count(), c.lines);
        EXPECT_EQ(static_cast<int>(r.Evaluated.size()), c.lines);
        EXPECT_EQ(r.Grid.CellText(0, c.lines - 1), "L" + std::to_string(c.lines - 1));
        EXPECT_EQ(r.Grid.Row(), 0);
    }
}

TEST(ProjectImport, FieldsLinesAndEdgeTexts) {
    struct Case {
        const char* what;
        std::string text;
        int rows;
        std::vector<std::string> titles, best, now;
    };
    const std::vector<Case> cases = {
        {"space splits the title", "Stage 1\t1:23\t1:20\r\n", 1, {"Stage"}, {"1"}, {"1:23"}},
        {"quoted title stays whole",
         "\"Stage 1\"\t1:23\t1:20\r\n",
         1,
         {"Stage 1"},
         {"1:23"},
         {"1:20"}},
        {"empty Best takes the time", "T\t\t1:20\n", 1, {"T"}, {"1:20"}, {""}},
        {"no line break at the end", "a\nb", 2, {"a", "b"}, {"", ""}, {"", ""}},
        {"two line breaks at the end", "a\r\n\r\n", 2, {"a", ""}, {"", ""}, {"", ""}},
        {"empty text", "", 0, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r;
        r.New();
        r.Host.HasClipboardText = true;
        r.Host.Clipboard = c.text;
        ASSERT_TRUE(r.P().AddSheetFromClipboard());
        ExpectAligned(r);
        EXPECT_EQ(r.Grid.RowCount(), c.rows);
        EXPECT_EQ(r.Grid.Columns[0].Strings(), c.titles);
        EXPECT_EQ(r.Grid.Columns[1].Strings(), c.best);
        EXPECT_EQ(r.Grid.Columns[2].Strings(), c.now);
    }
}

TEST(ProjectImport, NothingToImportChangesNothing) {
    ProjectRig r;
    r.New();
    EXPECT_FALSE(r.P().AddSheetFromFile("/nonexistent/laps.txt"));
    EXPECT_FALSE(r.P().AddSheetFromClipboard()); // no text on the clipboard
    EXPECT_EQ(r.P().SheetCount(), 1);
    ExpectAligned(r);
}

TEST(ProjectImport, ImportIntoNoSheetsShowsTheNewSheet) {
    TempDir dir;
    const std::string file = dir.File("run");
    WriteFile(file, "a\t1:00\t1:00\r\n");
    ProjectRig r;
    r.WithSheets({});
    ASSERT_TRUE(r.P().AddSheetFromFile(file));
    ASSERT_TRUE(r.P().AddSheetFromFile(file)); // the same name twice
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{"run", "run"}));
    EXPECT_EQ(r.P().CurrentIndex, 1);
    EXPECT_EQ(r.P().Sheets[0].Texts[1], "1:00\r\n");
}

TEST(ProjectImport, ImportedRecordHoldsTheGivenNameAndTheBareFaceName) {
    TempDir dir;
    const std::string file = dir.File("run.v2.txt");
    WriteFile(file, "a\t1:00\t1:00\r\n");
    ProjectRig r;
    // Stored defaults may carry stray bytes after the face name's terminator.
    r.Host.Defaults.FontName.Bytes[200] = 'x';
    r.WithSheets({});
    const std::string name = "\x83\x58\x83\x65\x81\x5B\x83\x57"; // a code-page name
    ASSERT_TRUE(r.P().AddSheetFromFile(file, name));
    ASSERT_TRUE(r.P().AddSheetFromFile(file));
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{name, "run"}));
    r.P().StoreGridToSheet();
    const std::string b = WriteProjectFile(r.P().Sheets);
    for (int i = 0; i < 2; ++i) {
        const std::string record = b.substr(4 + 633 * i, 633);
        const std::string face = DefaultSheetSettings().FontName.str();
        EXPECT_EQ(record.substr(256, 255), face + std::string(255 - face.size(), '\0'));
    }
    EXPECT_EQ(b.substr(4, 255), name + std::string(255 - name.size(), '\0'));
}

TEST(ProjectExport, FiveColumnsPerRowWithCrLf) {
    TempDir dir;
    ProjectRig r;
    r.New();
    r.Grid.SetRowCount(2);
    r.Grid.Columns[1].SetVisible(false);
    r.Grid.SetCells(0, 0, "A");
    r.Grid.SetCells(1, 0, "1:00");
    r.Grid.SetCells(3, 0, "+0:01");
    r.Grid.SetCells(4, 0, "01:00");
    EXPECT_EQ(r.P().ExportText(), "A\t1:00\t\t+0:01\t01:00\r\n\t\t\t\t\r\n");
    const std::string file = dir.File("out.txt");
    r.P().ExportToFile(file);
    EXPECT_EQ(ReadWholeFile(file), r.P().ExportText());

    r.Grid.SetRowCount(0);
    const std::string none = dir.File("none.txt");
    r.P().ExportToFile(none);
    EXPECT_FALSE(FileExists(none));
}

} // namespace
