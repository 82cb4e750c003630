#include "edit_fixture.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

TEST(EditUndo, HistoryWalkDiscardsUndoneRecordsOnPush) {
    SheetGrid s(5);
    s.Edit(0, 0, "R1");
    s.Edit(0, 1, "R2");
    s.Edit(0, 2, "R3");
    TUndoBufferList& u = s.Undo();
    ASSERT_EQ(u.Count(), 3);
    EXPECT_EQ(u.Items(0).NewTexts[0], Strings{"R3"});
    EXPECT_EQ(u.Items(2).NewTexts[0], Strings{"R1"});
    EXPECT_EQ(u.Position, -1);

    u.Undo();
    EXPECT_EQ(u.Position, 0);
    u.Undo();
    EXPECT_EQ(u.Position, 1);
    EXPECT_EQ(s.Column(0), (Strings{"R1", "", "", "", ""}));
    u.Redo();
    EXPECT_EQ(u.Position, 0);
    EXPECT_EQ(s.Column(0), (Strings{"R1", "R2", "", "", ""}));

    s.Clip.SetText("R4");
    s.Select(1, 0, 1, 0);
    s.G.PasteFromClipboard();
    ASSERT_EQ(u.Count(), 3);
    EXPECT_EQ(u.Items(0).BufferType, btPaste);
    EXPECT_EQ(u.Items(1).NewTexts[0], Strings{"R2"});
    EXPECT_EQ(u.Items(2).NewTexts[0], Strings{"R1"});
    EXPECT_EQ(u.Position, -1);
    EXPECT_EQ(u.UndoType(), btPaste);
    EXPECT_EQ(u.RedoType(), btNone);
}

TEST(EditUndo, CapacityOverflowAndModifiedState) {
    struct Case {
        int setting;
        int edits;
        int kept;
        bool overflowed;
    };
    for (Case c : {Case{0, 6, 5, true}, Case{0, 5, 5, false}, Case{1, 11, 10, true},
                   Case{5, 30, 30, false}, Case{-3, 6, 5, true}, Case{9, 31, 30, true}}) {
        SCOPED_TRACE(c.setting);
        SheetGrid s(40, c.setting);
        for (int i = 0; i < c.edits; ++i)
            s.Edit(0, i, "x");
        TUndoBufferList& u = s.Undo();
        EXPECT_EQ(u.Count(), c.kept);
        EXPECT_EQ(u.Overflowed, c.overflowed);
        for (int i = 0; i < c.kept; ++i)
            u.Undo();
        EXPECT_EQ(u.UndoType(), btNone);
        EXPECT_FALSE(u.Changed);
        // Undone to the bottom: modified only if history was lost.
        EXPECT_EQ(u.IsModified(), c.overflowed);
        EXPECT_EQ(s.G.IsAnyModified(), c.overflowed);
        u.Redo();
        EXPECT_TRUE(u.IsModified());
        u.Clear();
        EXPECT_FALSE(u.IsModified());
        EXPECT_EQ(u.UndoType(), btNone);
        EXPECT_EQ(u.RedoType(), btNone);
    }
}

TEST(EditUndo, UnchangedEditIsDroppedButStillCountsAsChange) {
    SheetGrid s(3);
    s.G.SetCol(1);
    s.Type("1");
    s.Type("");
    TUndoBufferList& u = s.Undo();
    EXPECT_EQ(u.Count(), 1);
    u.Undo(); // commits: the text is unchanged, so the record goes
    EXPECT_EQ(u.Count(), 0);
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    EXPECT_TRUE(s.Changes.empty());
    EXPECT_TRUE(u.IsModified());

    // With a record before it, Undo reverts that one instead.
    s.Edit(1, 0, "A");
    s.G.SetCol(2);
    s.Type("1");
    s.Type("");
    u.Undo();
    EXPECT_EQ(s.G.Cells(1, 0), "");
    EXPECT_EQ(u.Count(), 1);
    EXPECT_EQ(u.Position, 0);
}

TEST(EditUndo, CommitKeepsChangedEditAndNotifies) {
    SheetGrid s(3);
    s.SetColumn(2, {"a", "old"});
    s.G.SetCol(2);
    s.G.SetRow(1);
    s.Type("new");
    s.G.TypedText = "new";
    s.G.CommitEdit();
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btEdit});
    EXPECT_EQ(s.Assigned, (std::vector<std::pair<int, int>>{{2, 1}}));
    EXPECT_TRUE(s.G.TypedText.empty());
    const TUndoBuffer& r = s.Undo().Items(0);
    EXPECT_EQ(r.Area, (TRect{2, 1, 2, 1}));
    EXPECT_EQ(r.OldTexts[2], Strings{"old"});
    EXPECT_EQ(r.NewTexts[2], Strings{"new"});

    s.ClearLog();
    s.Undo().Undo();
    EXPECT_EQ(s.G.Cells(2, 1), "old");
    EXPECT_EQ(s.Assigned, (std::vector<std::pair<int, int>>{{2, 1}}));
    s.Undo().Redo();
    EXPECT_EQ(s.G.Cells(2, 1), "new");
}

TEST(EditUndo, BackspaceRedoGivesShortenedTextBack) {
    SheetGrid s(2);
    s.SetColumn(1, {"123"});
    s.G.SetCol(1);
    s.Type("12", btDelete);
    s.G.CommitEdit();
    s.Undo().Undo();
    EXPECT_EQ(s.G.Cells(1, 0), "123");
    s.Undo().Redo();
    EXPECT_EQ(s.G.Cells(1, 0), "12");
}

TEST(EditUndo, PendingEditNeverDangles) {
    // Pastes by shortcut leave the edit pending below them until the oldest
    // record is pushed out by capacity.
    SheetGrid s(10, 0);
    s.G.SetCol(1);
    s.Type("typed");
    TUndoBuffer* pending = s.G.PendingEdit;
    ASSERT_NE(pending, nullptr);
    s.Clip.SetText("p");
    for (int i = 0; i < 5; ++i)
        s.G.PasteFromClipboard();
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    s.G.CommitEdit(); // nothing left to settle
    EXPECT_EQ(s.Undo().Count(), 5);

    // Freeing the whole buffer (a deleted sheet) clears it as well.
    s.Type("again");
    ASSERT_NE(s.G.PendingEdit, nullptr);
    s.G.UndoList.Delete(0);
    EXPECT_EQ(s.G.PendingEdit, nullptr);
    s.G.CommitEdit();
    s.G.DeleteSelection(); // no buffer: clears without recording
    EXPECT_EQ(s.G.Cells(1, 0), "");
}

TEST(EditUndo, UndoOutsideShrunkGridLeavesCellsAndEndsUpdate) {
    SheetGrid s(6);
    s.Select(0, 3, 1, 5);
    s.Clip.SetText("a\tb\r\n");
    s.G.PasteFromClipboard();
    s.G.SetRowCount(4);
    s.ClearLog();
    s.Undo().Undo();
    EXPECT_FALSE(s.G.Updating);
    EXPECT_EQ(s.G.Cells(0, 3), "");
    EXPECT_EQ(s.Assigned, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}));
    s.G.SetRowCount(6);
    EXPECT_EQ(s.Column(0), (Strings{"", "", "", "", "a", "a"}));
}

} // namespace
