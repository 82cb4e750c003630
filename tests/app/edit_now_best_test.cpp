#include "app/now_best.h"
#include "grid/lap_grid.h"
#include "grid/one_sheet.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// The main window's five-column grid showing one four-row sheet, with the
// split and interval columns filled as an evaluation would leave them.
struct Sheet {
    TLapGrid G;
    std::vector<std::pair<int, int>> Assigned;
    std::vector<TBufferType> Changes;

    Sheet() {
        ShowOneSheet(G, 4, 0);
        G.Columns[1].Strings() = {"1:00", "2:00", "3:00", "4:00"};
        G.Columns[2].Strings() = {"0:59", "", "3:01"};
        G.Columns[3].Strings() = {"-0:01", "", "+0:01"};
        G.Columns[4].Strings() = {"0:59", "", "", "tail"};
        G.CurrentFormats()->Entries = {tfMinus, tfNone, tfPlus, tfNone};
        G.OnCellAssignment = [this](int c, int r) { Assigned.emplace_back(c, r); };
        G.OnCellChange = [this](int, int, TBufferType t) { Changes.push_back(t); };
        G.SetCol(1);
        G.SetRow(3);
    }
    Strings Column(int c) const {
        Strings out;
        for (int r = 0; r < G.RowCount(); ++r)
            out.push_back(G.Cells(c, r));
        return out;
    }
    TUndoBufferList& Undo() { return *G.CurrentUndo(); }
};

TEST(EditNowBest, CopyNowToBestMovesEveryRowAndUndoes) {
    Sheet s;
    std::vector<int> evaluated;
    // A typed edit still pending is settled first, as a record of its own.
    s.G.OpenEditRecord(btEdit);
    s.G.WriteCell(1, 3, true, "4:30");

    ASSERT_TRUE(CopyNowToBest(s.G, [&](int c, int r) {
        EXPECT_EQ(c, 1);
        evaluated.push_back(r);
        s.G.SetCells(3, r, "eval"); // emptied again afterwards
    }));
    EXPECT_EQ(s.Column(1), (Strings{"0:59", "", "3:01", ""}));
    for (int c = 2; c <= 4; ++c)
        EXPECT_TRUE(s.G.Columns[c].Strings().empty()) << c;
    EXPECT_EQ(evaluated, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(s.G.Col(), 2);
    EXPECT_EQ(s.G.Row(), 0);
    ASSERT_EQ(s.Undo().Count(), 2);

    s.Assigned.clear();
    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"1:00", "2:00", "3:00", "4:30"}));
    EXPECT_EQ(s.Column(2), (Strings{"0:59", "", "3:01", ""}));
    EXPECT_EQ(s.Assigned.size(), 8u); // both columns of every row re-evaluated
    // Redo moves the times again: Best takes them, Now is left empty.
    s.Undo().Redo();
    EXPECT_EQ(s.Column(1), (Strings{"0:59", "", "3:01", ""}));
    EXPECT_EQ(s.Column(2), (Strings{"", "", "", ""}));
}

TEST(EditNowBest, ClearNowEmptiesCurrentTimesOnce) {
    Sheet s;
    ASSERT_TRUE(ClearNow(s.G));
    EXPECT_EQ(s.Column(1), (Strings{"1:00", "2:00", "3:00", "4:00"}));
    for (int c = 2; c <= 4; ++c)
        EXPECT_TRUE(s.G.Columns[c].Strings().empty()) << c;
    EXPECT_EQ(s.G.CurrentFormats()->Entries, std::vector<TTimeFormat>(4, tfNone));
    EXPECT_FALSE(ClearNow(s.G)); // already empty: nothing more is recorded
    EXPECT_EQ(s.Undo().Count(), 1);
    s.Undo().Undo();
    EXPECT_EQ(s.Column(2), (Strings{"0:59", "", "3:01", ""}));
    EXPECT_EQ(s.Assigned.size(), 4u);

    Sheet none; // no shown sheet: nothing happens
    none.G.SetSheetIndex(1);
    EXPECT_FALSE(CopyNowToBest(none.G, nullptr));
    EXPECT_FALSE(ClearNow(none.G));
    EXPECT_EQ(none.G.Cells(2, 0), "0:59");
    EXPECT_TRUE(none.Changes.empty());
}

} // namespace
