// Sheets made from text files and the clipboard.
#include "project_fakes.h"

#include "model/project_file.h"
#include "model/sheet_text.h"

namespace {

std::string Lines(int N) {
    std::string s;
    for (int i = 0; i < N; ++i)
        s += "L" + std::to_string(i) + "\t1:00\t1:0" + std::to_string(i % 10) + "\r\n";
    return s;
}

TEST(ProjectImport, ManyRowsAskOnlyFromFiftyAndNeverRefuseSilently) {
    const bool T = true, F = false;
    // clang-format off
    const struct { const char* what; int lines; bool fromClipboard, confirmSwitch, answer, asked, added; } cases[] = {
        {"49 lines, no question",                          49, F, T, F, F, T},
        {"50 lines ask, OK",                               50, F, T, T, T, T},
        {"50 lines ask, Cancel",                           50, F, T, F, T, F},
        {"50 lines, switch off: imported without asking",  50, F, F, F, F, T},
        {"clipboard 50 lines, Cancel",                     50, T, T, F, T, F},
        {"clipboard 500 lines, switch off",               500, T, F, F, F, T},
    };
    // clang-format on
    ScratchDir dir;
    const std::string file = dir / "laps.v2.txt";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProjectRig r;
        r.New();
        r.Grid.SetCells(0, 0, "kept");
        r.Host.ManyRowsSwitch = c.confirmSwitch;
        r.Host.Answer = c.answer;
        SaveFileAtomically(file, Lines(c.lines));
        r.Host.HasClipboardText = true;
        r.Host.Clipboard = Lines(c.lines);
        r.Evaluated.clear();
        const bool added =
            c.fromClipboard ? r.P().AddSheetFromClipboard() : r.P().AddSheetFromFile(file);
        EXPECT_EQ(added, c.added);
        const std::string question =
            std::string("\x8A\x6D\x94\x46: ") +
            (c.fromClipboard ? ManyRowsClipboardQuestion : ManyRowsFileQuestion);
        EXPECT_EQ(r.Host.Questions, std::vector<std::string>(c.asked, question));
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
        EXPECT_EQ(static_cast<int>(r.Evaluated.size()), c.lines); // every row, once
        EXPECT_EQ(r.Grid.CellText(0, c.lines - 1), "L" + std::to_string(c.lines - 1));
    }
}

TEST(ProjectImport, IntoNoSheetsAndNothingToImport) {
    ScratchDir dir;
    const std::string file = dir / "run.v2.txt";
    SaveFileAtomically(file, "a\t1:00\t1:00\r\n");
    ProjectRig r;
    // Stored defaults may carry stray bytes after the face name's terminator.
    r.Host.Defaults.FontName.Bytes[200] = 'x';
    r.WithSheets({});
    EXPECT_FALSE(r.P().AddSheetFromFile(dir / "missing.txt"));
    EXPECT_FALSE(r.P().AddSheetFromClipboard()); // no text on the clipboard
    EXPECT_EQ(r.P().SheetCount(), 0);
    ExpectAligned(r);

    const std::string name = "\x83\x58\x83\x65\x81\x5B\x83\x57"; // a code-page name
    ASSERT_TRUE(r.P().AddSheetFromFile(file, name));
    ASSERT_TRUE(r.P().AddSheetFromFile(file));
    ASSERT_TRUE(r.P().AddSheetFromFile(file)); // the same name twice
    ExpectAligned(r);
    EXPECT_EQ(r.Selector.Items, (std::vector<std::string>{name, "run", "run"}));
    EXPECT_EQ(r.P().CurrentIndex, 2);
    EXPECT_EQ(r.P().Sheets[0].Texts[1], "1:00\r\n");
    EXPECT_EQ(r.Grid.Columns[2].Strings(), std::vector<std::string>{"1:00"});
    r.Host.HasClipboardText = true; // empty text: a sheet without rows
    ASSERT_TRUE(r.P().AddSheetFromClipboard());
    EXPECT_EQ(r.Grid.RowCount(), 0);
    ExpectAligned(r);
    r.P().ExportToFile(dir / "none.txt"); // and no rows export no file
    EXPECT_FALSE(FileExists(dir / "none.txt"));

    // The records hold the given name and the bare face name.
    r.P().StoreGridToSheet();
    const std::string b = WriteProjectFile(r.P().Sheets);
    const std::string face = DefaultSheetSettings().FontName.str();
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(b.substr(4 + 633 * i + 256, 255), face + std::string(255 - face.size(), '\0'));
    EXPECT_EQ(b.substr(4, 255), name + std::string(255 - name.size(), '\0'));
}

} // namespace

TEST(ProjectImport, MoreLinesThanASheetHoldsAreRefusedBeforeAnythingChanges) {
    ScratchDir dir;
    const std::string file = dir / "long.txt";
    std::string text;
    text.reserve(2 * (MaxSheetRows + 1));
    for (int i = 0; i <= MaxSheetRows; ++i)
        text += "x\n";
    SaveFileAtomically(file, text);
    ProjectRig r;
    r.New();
    r.Host.ManyRowsSwitch = false;
    r.Host.HasClipboardText = true;
    r.Host.Clipboard = text;
    for (bool clipboard : {false, true}) {
        SCOPED_TRACE(clipboard);
        const std::string what = ErrorOf(
            [&] { clipboard ? r.P().AddSheetFromClipboard() : r.P().AddSheetFromFile(file); });
        EXPECT_THAT(what, HasSubstr(clipboard ? "clipboard" : file));
        EXPECT_THAT(what, HasSubstr("1000001 lines"));
        EXPECT_EQ(r.P().SheetCount(), 1);
        ExpectAligned(r);
    }
}
