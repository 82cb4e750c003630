#include "edit_fixture.h"

#include <gtest/gtest.h>

#include <random>

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

// Columns 0 .. 2 of the shown rows and their split results.
std::string SheetState(SheetGrid& s) {
    std::string out = std::to_string(s.G.RowCount()) + " rows\n";
    EXPECT_GE(s.Formats().Count(), s.G.RowCount());
    for (int r = 0; r < s.G.RowCount(); ++r) {
        for (int c = 0; c < 3; ++c)
            out += s.G.Cells(c, r) + "|";
        out += std::to_string(r < s.Formats().Count() ? s.Formats().Items(r) : 9) + "\n";
    }
    return out;
}

TEST(EditUndo, RandomHistoriesUndoAndRedoExactly) {
    for (int seed = 0; seed < 400; ++seed) {
        std::mt19937 rng(static_cast<unsigned>(seed));
        auto below = [&](int n) { return n > 0 ? static_cast<int>(rng() % unsigned(n)) : 0; };
        SheetGrid s(4);
        if (seed % 3 == 1) s.G.Columns[1].SetVisible(false);
        // A split result that follows the row's time texts, as the evaluation keeps it.
        s.G.OnCellAssignment = [&](int, int r) {
            const std::string k = s.G.Cells(1, r) + "/" + s.G.Cells(2, r);
            s.Formats().Items(r) = k == "/" ? tfNone : TTimeFormat(std::hash<std::string>{}(k) % 3);
        };
        std::vector<std::string> states{SheetState(s)}; // one per record in effect
        int n = 0;
        for (int step = 0; step < 25; ++step) {
            const int rows = s.G.RowCount();
            const TUndoBuffer* top = s.Undo().Count() ? &s.Undo().Items(0) : nullptr;
            const int first = below(rows), last = first + below(rows - first);
            const int left = below(3), right = left + below(5 - left);
            switch (below(8)) {
            case 0:
                s.G.AddRow(true);
                break;
            case 1:
                if (rows) s.G.InsertRows(first, std::min(last, first + 2), true);
                break;
            case 2:
                if (rows) s.G.DeleteRows(first, last, true);
                break;
            case 3:
                if (rows) s.Edit(left, first, "e" + std::to_string(++n));
                break;
            case 4:
            case 5:
            case 6:
                if (!rows) break;
                s.Select(left, first, right, last);
                s.Clip.SetText("p" + std::to_string(++n) + "\tq\r\nz");
                if (step % 3 == 0)
                    s.G.PasteFromClipboard();
                else if (step % 3 == 1)
                    s.G.CutToClipboard();
                else
                    s.G.DeleteSelection();
                break;
            default: {
                const int k = std::min<int>(below(4) + 1, static_cast<int>(states.size()) - 1);
                for (int i = 1; i <= k; ++i) {
                    s.Undo().Undo();
                    ASSERT_EQ(SheetState(s), states[states.size() - 1 - i]) << "seed " << seed;
                }
                const int keep = below(k + 1); // redo some, leave the rest undone
                for (int i = k - 1; i >= keep; --i) {
                    s.Undo().Redo();
                    ASSERT_EQ(SheetState(s), states[states.size() - 1 - i]) << "seed " << seed;
                }
                states.resize(states.size() - static_cast<std::size_t>(keep));
                continue;
            }
            }
            if (s.Undo().Count() && &s.Undo().Items(0) != top)
                states.push_back(SheetState(s));
            else
                ASSERT_EQ(SheetState(s), states.back()) << "seed " << seed; // nothing recorded
        }
    }
}

} // namespace
