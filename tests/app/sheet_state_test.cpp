// The sheet on show as --get and --watch give it to other programs: whole
// texts, as a script would read them.
#include "app/commands.h"
#include "app/fake_user_port.h"
#include "app/session.h"
#include "app/sheet_state.h"
#include "grid/fake_clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "model/project_fakes.h"

#include <gtest/gtest.h>

namespace {

struct Window {
    TLapGrid Grid;
    FakeSelector Selector;
    FakeClipboard Clip;
    TLapEnvFile Env;
    FakeUserPort User;
    TLapCommands C{Grid, Selector, Clip, Env, User};

    explicit Window(int Rows) {
        SetupLapGrid(Grid, Env.Env);
        C.Start({});
        if (Rows < Grid.RowCount()) Grid.DeleteRows(Rows, Grid.RowCount() - 1, false);
    }
    void Type(int Col, int Row, const std::string& Text) {
        Grid.SetCol(Col);
        Grid.SetRow(Row);
        for (char ch : Text)
            Grid.KeyPress(std::string(1, ch));
        Grid.KeyDown(VK_RETURN, 0);
    }
    std::string Json(const std::string& File = {}) { return ShownSheetJson(C.Session(), File); }
};

} // namespace

// One object per case, compared whole: key order, nulls, the split results
// by name, escaping, UTF-8 from the code page, a file name that is not UTF-8.
TEST(SheetState, JsonOfTheSheetOnShow) {
    const std::string empty =
        R"({"title":"","best":"","now":"","split":"","interval":"","result":"none"})";
    Window fresh(2);
    Window run(4);
    run.Type(1, 0, "1:23");
    run.Type(2, 0, "1:21\"500");
    run.Type(1, 1, "2:50");
    run.Type(2, 1, "2:55");
    run.Type(1, 2, "4:00");
    run.Type(2, 2, "4:00");
    run.Type(1, 3, "5:00");
    run.Grid.SetCells(0, 0, "\x8B\xE6\"\\\t"); // 区, a quote, a backslash, a tab
    run.C.Project()->CurrentSheet()->TimeFormat = 6;
    const struct {
        const char* Name;
        std::string Got, Want;
    } cases[] = {
        {"fresh", fresh.Json(),
         R"({"file":null,"sheet":"New Sheet    1","sheet_index":0,"cell":{"col":0,"row":0},)"
         R"("format":0,"rows":[)" +
             empty + "," + empty + "]}"},
        {"run", run.Json("/runs/\xFF\".sgp"),
         "{\"file\":\"/runs/\xEF\xBF\xBD\\\".sgp\","
         R"("sheet":"New Sheet    1","sheet_index":0,"cell":{"col":1,"row":3},"format":6,"rows":[)"
         "{\"title\":\"\xE5\x8C\xBA\\\"\\\\\\t\","
         R"("best":"0:01:23","now":"0:01:21","split":"-0:01\"500","interval":"- - -","result":"ahead"},)"
         R"({"title":"","best":"0:02:50","now":"0:02:55","split":"+0:05","interval":"01:34","result":"behind"},)"
         "{\"title\":\"\",\"best\":\"0:04:00\",\"now\":\"0:04:00\",\"split\":\"\xC2\xB1"
         R"(0","interval":"01:05","result":"even"},)"
         R"({"title":"","best":"0:05:00","now":"","split":"","interval":"","result":"none"}]})"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Got, c.Want) << c.Name;
    // The text form is export-text's, bytes of the code page as they stand.
    EXPECT_EQ(ShownSheetText(run.C.Session()),
              "\x8B\xE6\"\\\t\t0:01:23\t0:01:21\t-0:01\"500\t- - -\r\n"
              "\t0:02:50\t0:02:55\t+0:05\t01:34\r\n"
              "\t0:04:00\t0:04:00\t\x81}0\t01:05\r\n"
              "\t0:05:00\t\t\t\r\n");
}
