// The window's grid gets the sheet's column policy.
#include "app/session.h"
#include "grid/lap_grid.h"
#include "model/lap_env.h"
#include "model/laptime_sheet.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetColumns, PolicyOfEachSheetColumn) {
    struct Case {
        const char* name;
        int col;
        bool recorded, input, rowRecord;
    };
    const Case cases[] = {
        {"title", colTitle, true, false, true},     {"best", colBest, true, true, true},
        {"now", colNow, true, true, true},          {"split", colSplit, false, false, false},
        {"interval", colInterval, false, false, false},
    };
    TLapGrid grid;
    SetupLapGrid(grid, TLapEnv{});
    const TColumnPolicy& p = grid.ColumnPolicy();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(p.Has(c.col, cfUndoRecorded), c.recorded);
        EXPECT_EQ(p.Has(c.col, cfCellInput), c.input);
        EXPECT_EQ(p.Has(c.col, cfRowRecord), c.rowRecord);
    }
    // A grid set up without the window behaves as the window's does.
    EXPECT_EQ(p, DefaultColumnPolicy());
}

} // namespace
