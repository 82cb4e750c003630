#include "edit_fixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;
using Formats = std::vector<TTimeFormat>;

// Column 1 holds "r0", "r1", ...; split results cycle through minus, plus, even.
void FillRows(SheetGrid& s, int rows) {
    Strings texts;
    for (int r = 0; r < rows; ++r) {
        texts.push_back("r" + std::to_string(r));
        s.Formats().Items(r) = static_cast<TTimeFormat>(r % 3);
    }
    s.SetColumn(1, texts);
}

TEST(EditRows, AddRowClearsLeftoverTextAndUndoes) {
    SheetGrid s(3);
    s.SetColumn(0, {"a", "b", "c", "left behind", "kept"});
    s.Formats().Items(2) = tfPlus;
    EXPECT_EQ(s.G.AddRow(true), 3);
    EXPECT_EQ(s.G.RowCount(), 4);
    EXPECT_EQ(s.G.Cells(0, 3), "");
    EXPECT_EQ(s.G.Columns[0].Strings().size(), 5u);
    EXPECT_EQ(s.G.Columns[1].Strings().size(), 4u);
    EXPECT_EQ(s.Formats().Entries, (Formats{tfNone, tfNone, tfPlus, tfNone}));
    const TUndoBuffer& r = s.Undo().Items(0);
    EXPECT_EQ(r.Area, (TRect{0, 4, 2, 4}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btAddLine});

    s.Undo().Undo();
    EXPECT_EQ(s.G.RowCount(), 3);
    EXPECT_EQ(s.Formats().Count(), 3);
    s.Undo().Redo();
    EXPECT_EQ(s.G.RowCount(), 4);
    EXPECT_EQ(s.Formats().Count(), 4);
    EXPECT_EQ(s.Formats().Items(3), tfNone);
}

TEST(EditRows, InsertRowsShiftsTextsAndResultsAndUndoes) {
    SheetGrid s(5);
    FillRows(s, 5);
    const Formats before = s.Formats().Entries;
    s.G.InsertRows(2, 3, true);
    EXPECT_EQ(s.G.RowCount(), 7);
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r1", "", "", "r2", "r3", "r4"}));
    EXPECT_EQ(s.Formats().Entries,
              (Formats{tfMinus, tfPlus, tfNone, tfNone, tfEven, tfMinus, tfPlus}));
    EXPECT_EQ(s.Undo().Items(0).Area, (TRect{0, 2, 2, 3}));

    s.ClearLog();
    s.Undo().Undo();
    EXPECT_EQ(s.G.RowCount(), 5);
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r1", "r2", "r3", "r4"}));
    EXPECT_EQ(s.Formats().Entries, before);
    EXPECT_EQ(s.Assigned.size(), 6u); // the area's cells, now rows 2 and 3 again
    s.Undo().Redo();
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r1", "", "", "r2", "r3", "r4"}));
    EXPECT_EQ(s.Formats().Count(), 7);
    EXPECT_EQ(s.Formats().Items(4), tfEven);
}

TEST(EditRows, InsertKeepsShortSplitListAlignedWithRows) {
    // A sheet grown without its list (the list is shorter than the rows).
    SheetGrid s(4);
    s.Formats().Items(3) = tfPlus;
    s.G.SetRowCount(6);
    s.G.InsertRows(1, 2, true);
    EXPECT_EQ(s.G.RowCount(), 8);
    EXPECT_EQ(s.Formats().Entries,
              (Formats{tfNone, tfNone, tfNone, tfNone, tfNone, tfPlus, tfNone, tfNone}));
    s.Undo().Undo();
    EXPECT_EQ(s.G.RowCount(), 6);
    s.Undo().Redo();
    EXPECT_EQ(s.Formats().Count(), 8);
    EXPECT_EQ(s.Formats().Items(5), tfPlus);
}

TEST(EditRows, InsertPastEndLandsAtEndOverLeftoverTexts) {
    SheetGrid s(5);
    s.SetColumn(2, {"0", "1", "2", "3", "4", "gone", "stays"});
    s.G.InsertRows(9, 9, false);
    EXPECT_EQ(s.G.RowCount(), 6);
    EXPECT_EQ(s.G.Cells(2, 5), "");
    EXPECT_EQ(s.G.Columns[2].Strings(), (Strings{"0", "1", "2", "3", "4", "", "stays"}));
    EXPECT_EQ(s.Formats().Count(), 6);
    EXPECT_EQ(s.Undo().Count(), 0);
}

TEST(EditRows, DeleteRowsKeepsListLengthsAndUndoes) {
    SheetGrid s(5);
    FillRows(s, 5);
    s.G.SetRow(4);
    s.G.DeleteRows(1, 2, true);
    EXPECT_EQ(s.G.RowCount(), 3);
    EXPECT_EQ(s.G.Row(), 2);
    EXPECT_EQ(s.G.Columns[1].Strings(), (Strings{"r0", "r3", "r4", "", ""}));
    EXPECT_EQ(s.Formats().Entries, (Formats{tfMinus, tfMinus, tfPlus}));
    const TUndoBuffer& r = s.Undo().Items(0);
    EXPECT_EQ(r.OldTexts[1], (Strings{"r1", "r2"}));
    EXPECT_EQ(r.NewTexts[1], (Strings{"", ""}));

    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r1", "r2", "r3", "r4"}));
    EXPECT_EQ(s.Formats().Entries, (Formats{tfMinus, tfPlus, tfEven, tfMinus, tfPlus}));
    s.Undo().Redo();
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r3", "r4"}));
    EXPECT_EQ(s.Formats().Entries, (Formats{tfMinus, tfMinus, tfPlus}));

    // Deleting every row leaves no current cell.
    s.G.DeleteRows(0, 2, true);
    EXPECT_EQ(s.G.RowCount(), 0);
    EXPECT_EQ(s.G.Col(), -1);
    EXPECT_EQ(s.G.Row(), -1);
    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"r0", "r3", "r4"}));
}

TEST(EditRows, DeleteRowsOutsideGridFailsBeforeRecording) {
    SheetGrid s(3);
    EXPECT_THROW(s.G.DeleteRows(2, 3, true), ECellIndexError);
    EXPECT_THROW(s.G.DeleteRows(-1, 0, true), ECellIndexError);
    EXPECT_EQ(s.Undo().Count(), 0);
    EXPECT_EQ(s.G.RowCount(), 3);
}

TEST(EditRows, AutoAddRowGrowsAndShrinksAtLastRow) {
    SheetGrid s(2);
    std::vector<int> inserted, deleted;
    s.G.OnInsertRow = [&](int r) { inserted.push_back(r); };
    s.G.OnDeleteRow = [&](int r) { deleted.push_back(r); };
    s.G.SetRow(1);
    EXPECT_FALSE(s.G.AutoGrowRow()); // off
    s.G.AutoAddRow = true;
    s.G.SetRow(0);
    EXPECT_FALSE(s.G.AutoGrowRow()); // not the last row
    s.G.SetRow(1);
    EXPECT_TRUE(s.G.AutoGrowRow());
    EXPECT_EQ(s.G.RowCount(), 3);
    EXPECT_EQ(s.G.Row(), 2);
    EXPECT_EQ(inserted, std::vector<int>{2});
    EXPECT_GE(s.Formats().Count(), 3);
    EXPECT_EQ(s.Undo().Count(), 0);

    s.G.SetCells(4, 2, "x");
    EXPECT_FALSE(s.G.AutoShrinkRow());
    s.G.SetCells(4, 2, "");
    s.G.ReadOnly = true;
    EXPECT_FALSE(s.G.AutoShrinkRow());
    s.G.ReadOnly = false;
    EXPECT_TRUE(s.G.AutoShrinkRow());
    EXPECT_EQ(s.G.RowCount(), 2);
    EXPECT_EQ(s.G.Row(), 1);
    EXPECT_EQ(deleted, std::vector<int>{2});
    EXPECT_TRUE(s.G.AutoShrinkRow());
    EXPECT_FALSE(s.G.AutoShrinkRow()); // row 0 stays
}

TEST(EditRows, AutoFillIsOneUndoStepWithTheTypedEdit) {
    SheetGrid s(6);
    s.SetColumn(1, {"", "", "old", "", "x"});
    s.G.SetCol(1);
    s.G.SetRow(2);
    s.Type("12*");
    EXPECT_FALSE(s.G.AutoFill("12*")); // flags off: the key handler settles as usual
    s.G.AutoFillDown = true;
    EXPECT_FALSE(s.G.AutoFill("12>"));
    EXPECT_TRUE(s.G.AutoFill("12*"));
    EXPECT_EQ(s.Column(1), (Strings{"", "", "12", "12", "12", "12"}));
    EXPECT_EQ(s.G.Row(), 2);
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    EXPECT_EQ(s.Assigned.size(), 4u);
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btAutoFill});
    ASSERT_EQ(s.Undo().Count(), 1);
    EXPECT_EQ(s.Undo().UndoType(), btAutoFill);

    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"", "", "old", "", "x", ""}));
    s.Undo().Redo();
    EXPECT_EQ(s.Column(1), (Strings{"", "", "12", "12", "12", "12"}));

    // Fill right over a selected block stops at the block's edge.
    s.G.AutoFillRight = true;
    s.Select(0, 0, 1, 0);
    EXPECT_TRUE(s.G.AutoFill("a>"));
    EXPECT_EQ(s.G.Cells(0, 0), "a");
    EXPECT_EQ(s.G.Cells(1, 0), "a");
    EXPECT_EQ(s.G.Cells(2, 0), "");
}

} // namespace
