// Split files dropped on the window's grid come in as import-splits makes
// them, one sheet each; a refused one is named once and keeps nothing out.
#include "app/commands.h"
#include "app/fake_user_port.h"
#include "app/splits_import.h"
#include "grid/fake_clipboard.h"
#include "grid/lap_grid.h"
#include "model/project_fakes.h"
#include "model/project_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

struct Window {
    TLapGrid Grid;
    FakeSelector Selector;
    FakeClipboard Clip;
    TLapEnvFile Env;
    FakeUserPort User;
    TLapCommands C{Grid, Selector, Clip, Env, User};

    Window() {
        SetupLapGrid(Grid, Env.Env);
        C.Start({});
    }
};

std::string Data(const std::string& Name) {
    return std::string(std::getenv("SEGMARK_TEST_DATA")) + "/splits/" + Name;
}

} // namespace

TEST(SplitsDrop, EachSplitFileAddsTheSheetImportMakes) {
    ScratchDir dir;
    const std::string lss = dir / "Any%.lss", json = dir / "castle.json",
                      splits = dir / "exchange.splits", bad = dir / "bad.json",
                      project = dir / "other.sgp";
    std::filesystem::copy_file(Data("marathon.lss"), lss);
    std::filesystem::copy_file(Data("castle.json"), json);
    std::filesystem::copy_file(Data("layouts/exchange.splits"), splits);
    SaveFileAtomically(bad, R"({"splits":[{"title":"A","time":"soon"}]})");
    SaveFileAtomically(dir / "notes.txt", "A\t1:00\r\n");

    Window w;
    // The default settings give the format, as import-splits without --format.
    w.Env.DefaultSettings.TimeFormat = 6;
    ASSERT_FALSE(w.C.SheetChange());
    // What the shown sheet holds stays with it once another is shown.
    w.Grid.SetCells(0, 0, "Typed");
    EXPECT_FALSE(w.C.DropFiles({lss, bad, dir / "notes.txt", project, json, splits}));

    EXPECT_EQ(w.User.Errors, (std::vector<std::string>{
                                 "\"" + bad + "\": segment 1 \"A\": \"soon\" is not a time"}));
    EXPECT_TRUE(w.User.Asked.empty()); // no save question: nothing opened
    EXPECT_TRUE(w.C.SheetChange());
    EXPECT_EQ(w.Selector.Items,
              (std::vector<std::string>{"New Sheet    1", "Any%", "castle", "exchange"}));
    EXPECT_EQ(w.C.Project()->CurrentIndex, 3);
    EXPECT_EQ(w.Grid.Cells(0, 0), "Gate");
    EXPECT_EQ(w.Grid.Cells(1, 0), "1:01\"000");

    // Sheet for sheet what import-splits writes.
    w.C.Project()->SaveToFile(dir / "window.sgp");
    ImportSplitsFiles({lss, json, splits}, dir / "cli.sgp", TSplitTiming::Real, std::nullopt,
                      w.Env.DefaultSettings, {});
    std::vector<TLaptimeSheet> shown = LoadProjectFile(dir / "window.sgp");
    EXPECT_EQ(shown.at(0).Texts[0].substr(0, 7), "Typed\r\n");
    shown.erase(shown.begin());
    EXPECT_EQ(WriteProjectFile(shown), WriteProjectFile(LoadProjectFile(dir / "cli.sgp")));
}

TEST(SplitsDrop, RefusedFilesAloneChangeNothingAndAProjectStillOpens) {
    ScratchDir dir;
    SaveFileAtomically(dir / "a.lss", "<!DOCTYPE Run><Run><Segments/></Run>");
    SaveFileAtomically(dir / "b.lss", "");
    Window w;
    EXPECT_FALSE(w.C.DropFiles({dir / "a.lss", dir / "b.lss"}));
    ASSERT_EQ(w.User.Errors.size(), 2u);
    EXPECT_EQ(w.User.Errors[0], "\"" + dir / "a.lss" +
                                    "\": declares a document type (DTD), which run files never do");
    EXPECT_EQ(w.User.Errors[1].rfind("\"" + dir / "b.lss" + "\": not well-formed XML", 0), 0u);
    EXPECT_FALSE(w.C.SheetChange());
    EXPECT_EQ(w.Selector.Items.size(), 1u);

    // A project with no sheet left takes the dropped one and shows it.
    w.User.OkAnswers = {true};
    w.C.DeleteSheetClick();
    ASSERT_EQ(w.C.Project()->SheetCount(), 0);
    std::filesystem::copy_file(Data("castle.json"), dir / "castle.json");
    w.C.DropFiles({dir / "castle.json"});
    EXPECT_EQ(w.Selector.Items, (std::vector<std::string>{"castle"}));
    EXPECT_TRUE(w.Grid.Enabled());
    EXPECT_EQ(w.Grid.RowCount(), 5);

    // One project file still opens, after the save question.
    w.C.Project()->SaveToFile(dir / "p.sgp");
    w.C.AddSheetClick();
    w.User.Answers = {TAnswer::No};
    EXPECT_TRUE(w.C.DropFiles({dir / "p.sgp"}));
    EXPECT_EQ(w.Selector.Items, (std::vector<std::string>{"castle"}));
}
