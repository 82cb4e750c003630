#include "grid/lap_grid.h"

#include <gtest/gtest.h>

namespace {

struct GridFixture : ::testing::Test {
    TLapGrid grid;
    std::vector<std::pair<int, int>> colRowChanges;
    void SetUp() override {
        grid.SetColCount(5);
        grid.OnColRowChanged = [this](int c, int r) { colRowChanges.emplace_back(c, r); };
    }
};

TEST_F(GridFixture, WritePadsTheListAndReadsBeyondItAreEmpty) {
    EXPECT_EQ(grid.RowCount(), 5);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(grid.Cells(1, r), "");
    grid.SetCells(1, 3, "1:00");
    EXPECT_EQ(grid.Columns[1].Strings(), (TStringList{"", "", "", "1:00"}));
    EXPECT_EQ(grid.CellText(1, 4), "");

    // Rows beyond RowCount keep their texts and show again when the grid grows.
    grid.SetRowCount(10);
    grid.SetCells(0, 9, "last");
    grid.SetRowCount(4);
    EXPECT_EQ(grid.Columns[0].Strings().size(), 10u);
    EXPECT_THROW(grid.Cells(0, 9), ECellIndexError);
    grid.SetRowCount(10);
    EXPECT_EQ(grid.Cells(0, 9), "last");
}

TEST_F(GridFixture, IndicesOutsideTheGridAreRefusedWithoutChange) {
    const std::vector<std::pair<int, int>> outside = {{5, 0}, {0, 5}, {-1, 0}, {0, -1}, {-7, -7}};
    for (auto [c, r] : outside) {
        SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
        EXPECT_THROW(grid.Cells(c, r), ECellIndexError);
        EXPECT_THROW(grid.SetCells(c, r, "x"), ECellIndexError);
        EXPECT_THROW(grid.WriteCell(c, r, true, "x"), ECellIndexError);
    }
    try {
        grid.Cells(5, 0);
    } catch (const ECellIndexError& e) {
        EXPECT_STREQ(e.what(), "Cell Index out of bound.");
    }
    for (int c = 0; c < 5; ++c)
        EXPECT_TRUE(grid.Columns[c].Strings().empty());

    // Without rows or columns a write is silently ignored.
    grid.SetRowCount(0);
    EXPECT_NO_THROW(grid.SetCells(9, 9, "x"));
}

TEST_F(GridFixture, UserWritesHonourReadOnlyVetoAndUnchangedText) {
    grid.Columns[3].ReadOnly = true;
    int changing = 0;
    bool allow = true;
    grid.OnCellChanging = [&](int, int, bool& can) {
        ++changing;
        can = allow;
    };

    grid.WriteCell(3, 0, true, "x");
    EXPECT_EQ(grid.Cells(3, 0), "");
    EXPECT_EQ(changing, 0);
    grid.SetCells(3, 0, "x"); // the plain write ignores read-only and the event
    EXPECT_EQ(grid.Cells(3, 0), "x");
    EXPECT_EQ(changing, 0);

    allow = false;
    grid.WriteCell(2, 2, true, "1:00");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(grid.Cells(2, 2), "");
    EXPECT_EQ(grid.Columns[2].Strings().size(), 3u); // padded before the veto

    allow = true;
    grid.WriteCell(2, 2, true, "1:00");
    EXPECT_EQ(grid.Cells(2, 2), "1:00");
    grid.WriteCell(2, 2, true, "1:00"); // unchanged: no event
    EXPECT_EQ(changing, 2);
}

TEST_F(GridFixture, ShapeChangesKeepTheCurrentCellInside) {
    grid.SetRowCount(10);
    grid.SetCol(4);
    grid.SetRow(9);
    EXPECT_EQ(grid.Selection, (TRect{4, 9, 4, 9}));
    colRowChanges.clear();

    grid.SetRowCount(3);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(4, 2));
    EXPECT_EQ(grid.Selection, (TRect{4, 2, 4, 2}));

    grid.SetRowCount(0);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(-1, -1));
    ASSERT_FALSE(colRowChanges.empty());
    EXPECT_EQ(colRowChanges.back(), std::make_pair(-1, -1));

    grid.SetRowCount(4);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(0, 0));

    grid.SetCol(4);
    grid.SetColCount(3);
    EXPECT_EQ(grid.Col(), 2);
    grid.SetColCount(0);
    EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(-1, -1));
}

TEST_F(GridFixture, RegrownColumnsAreFresh) {
    grid.Columns[4].SetWidth(200);
    grid.Columns[4].SetTitle("old");
    grid.SetCells(4, 0, "text");
    grid.Color = RGB(1, 2, 3);
    grid.SetColCount(3);
    grid.SetColCount(5);
    EXPECT_EQ(grid.Columns[4].Width(), grid.DefColWidth);
    EXPECT_EQ(grid.Columns[4].Color(), RGB(1, 2, 3));
    EXPECT_TRUE(grid.Columns[4].Strings().empty());
    EXPECT_EQ(grid.Columns[4].DisplayName(), "Column 4");
    EXPECT_EQ(grid.Columns[2].DisplayName(), "Column 2");
}

TEST_F(GridFixture, AssignedColumnRebuildsTheHeaderLayout) {
    TLapGrid other;
    other.SetColCount(1);
    TLapColumn& src = other.Columns[0];
    src.SetTitle("Best");
    src.SetWidth(120);
    src.SetVisible(false);
    src.Tag = 7;
    src.Strings() = {"1:00"};
    grid.Columns[1].Assign(src);
    const TLapColumn& c = grid.Columns[1];
    EXPECT_EQ(c.Title(), "Best");
    EXPECT_EQ(c.Width(), 120);
    EXPECT_EQ(c.Tag, 7);
    EXPECT_EQ(c.Strings(), (TStringList{"1:00"}));
    EXPECT_EQ(grid.KeepWidthCol, 1);
    // The hidden column has no header cell; a visible one shows its new title.
    EXPECT_EQ(grid.HeaderInfos.size(), 4u);
    other.Columns[0].SetVisible(true);
    grid.Columns[1].Assign(other.Columns[0]);
    ASSERT_EQ(grid.HeaderInfos.size(), 5u);
    EXPECT_EQ(grid.HeaderInfos[1].Str, "Best");
}

TEST_F(GridFixture, VisibleColumnWalks) {
    grid.Columns[0].SetVisible(false);
    grid.Columns[3].SetVisible(false);
    EXPECT_EQ(grid.FirstVisibleCol(), 1);
    EXPECT_EQ(grid.LastVisibleCol(), 4);
    EXPECT_EQ(grid.NextVisibleCol(2), 4);
    EXPECT_EQ(grid.NextVisibleCol(4), 4);
    EXPECT_EQ(grid.PrevVisibleCol(4), 2);
    EXPECT_EQ(grid.PrevVisibleCol(1), 1); // none before it
    for (int c = 0; c < 5; ++c)
        grid.Columns[c].SetVisible(false);
    EXPECT_EQ(grid.FirstVisibleCol(), -1);
    EXPECT_EQ(grid.LastVisibleCol(), -1);
}

TEST(SplitResultList, InsertDeleteAndAssignKeepRowOrder) {
    TTimeFormatList list;
    list.AddDefaults(10);
    for (int i = 0; i < 10; ++i)
        list.Items(i) = TTimeFormat(i % 3);
    TTimeFormatList before = list;
    list.Insert(3);
    list.Insert(3);
    ASSERT_EQ(list.Count(), 12);
    EXPECT_EQ(list.Items(3), tfNone);
    EXPECT_EQ(list.Items(4), tfNone);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(list.Items(i + 2), before.Items(i));
    EXPECT_THROW(list.Items(12), std::out_of_range);
    EXPECT_THROW(list.Items(-1), std::out_of_range);

    list.AssignFormats(TTimeFormatList{});
    EXPECT_EQ(list.Count(), 0);
    list.AddDefaults(-3);
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
