// Cell data, clipboard commands, row commands and the undo history.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Formats = std::vector<TTimeFormat>;

TEST(Data, WritesIndicesAndShape) {
    TLapGrid g;
    g.SetColCount(5);
    for (auto [c, r] : Cells{{5, 0}, {0, 5}, {-1, 0}, {0, -1}}) {
        SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
        EXPECT_THROW(g.Cells(c, r), ECellIndexError);
        EXPECT_THROW(g.SetCells(c, r, "x"), ECellIndexError);
        EXPECT_THROW(g.WriteCell(c, r, true, "x"), ECellIndexError);
    }
    // Rows beyond RowCount keep their texts and show again when the grid grows.
    g.SetRowCount(10);
    g.SetCells(0, 9, "last");
    g.SetRowCount(4);
    EXPECT_THROW(g.Cells(0, 9), ECellIndexError);
    g.SetRowCount(10);
    EXPECT_EQ(g.Cells(0, 9), "last");
    // Without rows a write is silently ignored.
    g.SetRowCount(0);
    EXPECT_NO_THROW(g.SetCells(9, 9, "x"));

    // Shape changes keep the current cell inside.
    Cells moves;
    g.OnColRowChanged = [&](int c, int r) { moves.emplace_back(c, r); };
    g.SetRowCount(10);
    g.SetCol(4);
    g.SetRow(9);
    g.SetRowCount(3);
    EXPECT_EQ(g.Selection(), (TRect{4, 2, 4, 2}));
    g.SetRowCount(0);
    EXPECT_EQ(moves.back(), std::make_pair(-1, -1));
    g.SetRowCount(4);
    EXPECT_EQ(std::make_pair(g.Col(), g.Row()), std::make_pair(0, 0));
    g.SetCol(4);
    g.SetColCount(3);
    EXPECT_EQ(g.Col(), 2);
    // Regrown columns are fresh.
    g.SetColCount(5);
    g.SetCells(4, 0, "text");
    g.SetColCount(3);
    g.SetColCount(5);
    EXPECT_TRUE(g.Columns[4].Strings().empty());
}

TEST(Data, UserWritesHonourReadOnlyVetoAndUnchangedText) {
    TLapGrid g;
    g.SetColCount(5);
    g.Columns[3].ReadOnly = true;
    int changing = 0;
    bool allow = true;
    g.OnCellChanging = [&](int, int, bool& can) { ++changing, can = allow; };
    g.WriteCell(3, 0, true, "x");
    EXPECT_EQ(g.Cells(3, 0), "");
    g.SetCells(3, 0, "x"); // the plain write ignores read-only and the event
    EXPECT_EQ(g.Cells(3, 0), "x");

    allow = false;
    g.WriteCell(2, 2, true, "1:00");
    EXPECT_EQ(changing, 1);
    EXPECT_EQ(g.Cells(2, 2), "");
    allow = true;
    g.WriteCell(2, 2, true, "1:00");
    EXPECT_EQ(g.Cells(2, 2), "1:00");
    g.WriteCell(2, 2, true, "1:00"); // unchanged: no event
    EXPECT_EQ(changing, 2);
}

TEST(Data, UpdateBatchesNestAndRepaintOnceAtTheOutermostEnd) {
    Sheet s;
    s.Host.InvalidateAllCount = 0;
    s.G.BeginUpdate();
    s.G.BeginUpdate(); // a row evaluation inside a larger batch
    s.G.EndUpdate();
    EXPECT_EQ(s.Host.InvalidateAllCount, 0);
    s.G.EndUpdate();
    EXPECT_EQ(s.Host.InvalidateAllCount, 1);

    // Inside a block operation that set Updating itself, a batch leaves it set.
    TLapGridTestView::SetUpdating(s.G, true);
    s.G.BeginUpdate();
    s.G.EndUpdate();
    EXPECT_TRUE(s.G.Updating());
}

TEST(Data, AssignedColumnRebuildsTheHeaderLayout) {
    TLapGrid g, other;
    g.SetColCount(5);
    other.SetColCount(1);
    other.Columns[0].SetTitle("Best");
    other.Columns[0].SetVisible(false);
    g.Columns[1].Assign(other.Columns[0]);
    // The hidden column has no header cell; a visible one shows its new title.
    EXPECT_EQ(g.HeaderInfos().size(), 4u);
    other.Columns[0].SetVisible(true);
    g.Columns[1].Assign(other.Columns[0]);
    ASSERT_EQ(g.HeaderInfos().size(), 5u);
    EXPECT_EQ(g.HeaderInfos()[1].Str, "Best");
}

TEST(EditClipboard, CopyTextOfVisibleColumns) {
    struct Case {
        const char* name;
        TRect sel;
        int hidden;           // -1: none
        const char* expected; // nullptr: clipboard left as it was
    };
    const Case cases[] = {
        {"2x2 block with an empty cell", {1, 0, 2, 1}, -1, "P\tQ\r\nR\t\r\n"},
        {"hidden middle column", {0, 0, 2, 0}, 1, "T\tQ\r\n"},
        {"one empty cell", {3, 0, 3, 0}, -1, nullptr},
        {"two empty cells", {3, 0, 4, 0}, -1, "\t\r\n"},
        {"only hidden columns", {1, 0, 1, 0}, 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(3);
        s.SetColumn(0, {"T"});
        s.SetColumn(1, {"P", "R"});
        s.SetColumn(2, {"Q"});
        if (c.hidden >= 0) s.G.Columns[c.hidden].SetVisible(false);
        s.Clip.SetText("before");
        s.Select(c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        s.G.CopyToClipboard();
        EXPECT_EQ(s.Clip.Text, c.expected ? c.expected : "before");
    }
}

TEST(EditClipboard, PasteRepeatsBlockOverSelection) {
    struct Case {
        const char* name;
        const char* clip;
        TRect sel;
        int hidden;
        std::vector<Strings> columns; // columns 0 .. 4 afterwards
        TRect area;
    };
    // clang-format off
    const Case cases[] = {
        {"lines and short line repeat", "P\tQ\r\nR", {1, 0, 2, 2}, -1,
         {{"", "", ""}, {"P", "R", "P"}, {"Q", "", "Q"}, {"", "", ""}, {"", "", ""}}, {1, 0, 2, 2}},
        {"one field over three rows", "7\r\n", {2, 0, 2, 2}, -1,
         {{"", "", ""}, {"", "", ""}, {"7", "7", "7"}, {"", "", ""}, {"", "", ""}}, {2, 0, 2, 2}},
        {"block into one cell", "A\tB\r\nC\tD\r\n", {1, 1, 1, 1}, -1,
         {{"", "", ""}, {"", "A", ""}, {"", "", ""}, {"", "", ""}, {"", "", ""}}, {1, 1, 1, 1}},
        {"derived columns read-only", "A\tB\tC", {2, 0, 4, 1}, -1,
         {{"", ""}, {"", ""}, {"A", "A"}, {"", ""}, {"", ""}}, {2, 0, 2, 1}},
        {"hidden column takes no field", "A\tB", {0, 0, 2, 0}, 1,
         {{"A"}, {""}, {"B"}, {""}, {""}}, {0, 0, 2, 0}},
        {"fields wrap to the right", "A\tB", {0, 0, 2, 0}, -1,
         {{"A"}, {"B"}, {"A"}, {""}, {""}}, {0, 0, 2, 0}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(static_cast<int>(c.columns[0].size()));
        if (c.hidden >= 0) s.G.Columns[c.hidden].SetVisible(false);
        s.Clip.SetText(c.clip);
        s.Select(c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        s.G.PasteFromClipboard();
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(s.Column(col), c.columns[col]) << col;
        ASSERT_EQ(s.Undo().Count(), 1);
        EXPECT_EQ(s.Undo().Items(0).Area, c.area);
        EXPECT_EQ(s.Changes, std::vector<TBufferType>{btPaste});
    }
}

TEST(EditClipboard, PasteThatDoesNothing) {
    struct Case {
        const char* name;
        bool has;
        std::string clip;
        int col;
        bool changeFires;
    };
    const Case cases[] = {
        {"no text", false, "", 1, false},
        {"empty text", true, "", 1, false},
        {"text cut short by a zero byte", true, std::string("\0x", 2), 1, false},
        {"read-only cell", true, "5", 3, true},
        {"hidden cell", true, "5", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s(2);
        s.G.Columns[0].SetVisible(false);
        s.Clip.Has = c.has;
        s.Clip.Text = c.clip;
        s.Select(c.col, 0, c.col, 0);
        s.G.PasteFromClipboard();
        EXPECT_EQ(s.Undo().Count(), 0);
        EXPECT_EQ(s.Changes.size(), c.changeFires ? 1u : 0u);
        EXPECT_TRUE(s.Assigned.empty());
    }
}

// Delete clears hidden columns too; Cut skips them and leaves read-only
// texts, and its redo empties only what the cut emptied.
TEST(EditClipboard, DeleteAndCutOverHiddenAndReadOnlyColumns) {
    Sheet s(3);
    s.SetColumn(0, {"a0", "a1"});
    s.SetColumn(1, {"h0", "h1"});
    s.SetColumn(2, {"b0", "b1"});
    s.SetColumn(3, {"s0", "s1"});
    s.G.Columns[1].SetVisible(false);
    s.Select(0, 0, 1, 1);
    TLapGridTestView::DeleteSelection(s.G);
    EXPECT_EQ(s.Column(0), s.Column(1));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btDelete});
    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"h0", "h1", ""}));

    s.Select(0, 0, 3, 1);
    s.G.SetClipboardPort(nullptr); // nowhere to put the texts: nothing is cut
    s.G.CutToClipboard();
    EXPECT_EQ(s.G.Cells(0, 0), "a0");
    EXPECT_EQ(s.Undo().Count(), 1);
    s.G.SetClipboardPort(&s.Clip);
    s.G.OnCellChange = [&](int, int, TBufferType t) {
        s.Changes.push_back(t);
        EXPECT_EQ(s.G.Cells(0, 0), "a0"); // fired before any cell changes
    };
    s.G.CutToClipboard();
    EXPECT_EQ(s.Clip.Text, "a0\tb0\ts0\r\na1\tb1\ts1\r\n");
    const std::vector<Strings> cut = {
        {"", "", ""}, {"h0", "h1", ""}, {"", "", ""}, {"s0", "s1", ""}};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(s.Column(c), cut[c]) << c;
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {2, 0}, {0, 1}, {2, 1}}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btCut});

    s.G.OnCellChange = nullptr;
    s.Undo().Undo();
    s.ClearLog();
    s.Undo().Redo();
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(s.Column(c), cut[c]) << c;
    EXPECT_EQ(s.Assigned.size(), 8u); // every cell of the area, derived columns too
}

TEST(EditClipboard, CutCarriesDerivedTextsAsTheyWereBeforeReevaluation) {
    // An evaluation, as the main window's, rewrites the split and interval
    // of a row whenever one of its time cells is assigned.
    Sheet s(2);
    s.SetColumn(1, {"1:00", "2:00"});
    s.SetColumn(2, {"0:59", "2:01"});
    s.SetColumn(3, {"-0:01", "+0:01"});
    s.SetColumn(4, {"- - -", "01:02"});
    const std::string text = "\t1:00\t0:59\t-0:01\t- - -\r\n\t2:00\t2:01\t+0:01\t01:02\r\n";
    s.G.OnCellAssignment = [&](int c, int r) {
        s.Assigned.emplace_back(c, r);
        EXPECT_EQ(s.Clip.Text, text);
        s.G.SetCells(3, r, "");
        s.G.SetCells(4, r, "");
    };
    s.Select(0, 0, 4, 1);
    s.G.CutToClipboard();
    EXPECT_EQ(s.Clip.Text, text);
    EXPECT_EQ(s.Undo().Items(0).OldTexts[3], (Strings{"-0:01", "+0:01"}));
    EXPECT_EQ(s.Assigned, (Cells{{0, 0}, {1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}));
}

TEST(EditRows, AddInsertAndDeleteMoveTextsAndResults) {
    Sheet s(3);
    s.SetColumn(0, {"a", "b", "c", "left behind", "kept"});
    s.Formats().Items(2) = tfPlus;
    EXPECT_EQ(s.G.AddRow(true), 3);
    EXPECT_EQ(s.G.Columns[0].Strings(), (Strings{"a", "b", "c", "", "kept"}));
    EXPECT_EQ(s.Formats().Entries, (Formats{tfNone, tfNone, tfPlus, tfNone}));
    // Inserting past the end lands at the end, over the leftover text.
    s.G.InsertRows(9, 9, false);
    EXPECT_EQ(s.G.Columns[0].Strings(), (Strings{"a", "b", "c", "", ""}));

    // A sheet grown without its list: the list is shorter than the rows.
    Sheet t(4);
    t.Formats().Items(3) = tfPlus;
    t.G.SetRowCount(6);
    t.G.InsertRows(1, 2, true);
    EXPECT_EQ(t.Formats().Entries,
              (Formats{tfNone, tfNone, tfNone, tfNone, tfNone, tfPlus, tfNone, tfNone}));

    // Column 1 holds "r0", "r1", ...; split results cycle through minus, plus, even.
    Sheet r(5);
    for (int i = 0; i < 5; ++i)
        r.Formats().Items(i) = static_cast<TTimeFormat>(i % 3);
    r.SetColumn(1, {"r0", "r1", "r2", "r3", "r4"});
    r.G.InsertRows(2, 3, true);
    EXPECT_EQ(r.Column(1), (Strings{"r0", "r1", "", "", "r2", "r3", "r4"}));
    EXPECT_EQ(r.Formats().Entries,
              (Formats{tfMinus, tfPlus, tfNone, tfNone, tfEven, tfMinus, tfPlus}));
    r.Undo().Undo(); // the lists keep their length, the rows go
    EXPECT_EQ(r.Column(1), (Strings{"r0", "r1", "r2", "r3", "r4"}));

    // Deleting keeps the lists' lengths; a bad range fails before recording.
    EXPECT_THROW(r.G.DeleteRows(4, 5, true), ECellIndexError);
    EXPECT_THROW(r.G.DeleteRows(-1, 0, true), ECellIndexError);
    EXPECT_EQ(r.Undo().RedoType(), btInsLine); // nothing pushed over the undone insert
    r.G.SetRow(4);
    r.G.DeleteRows(1, 2, true);
    EXPECT_EQ(r.G.Row(), 2);
    // A block then grows from the cell the deletion left current.
    r.Key(VK_UP, ssShift);
    EXPECT_EQ(r.Sel(), (TRect{r.G.Col(), 1, r.G.Col(), 2}));
    EXPECT_EQ(r.G.Columns[1].Strings(), (Strings{"r0", "r3", "r4", "", "", "", ""}));
    EXPECT_EQ(r.Formats().Entries, (Formats{tfMinus, tfMinus, tfPlus}));
    // Deleting every row leaves no current cell.
    r.G.DeleteRows(0, 2, true);
    EXPECT_EQ(r.At(), Pos(-1, -1));
}

// The record types either side of the position, when a record in the middle
// of the undone ones goes, and the bounds of a split-result list.
TEST(EditUndo, PositionAndListBounds) {
    TUndoBufferList u(nullptr, 0);
    for (TBufferType t : {btEdit, btPaste, btCut})
        u.Push(t, TRect{});
    u.Position = 1; // the cut and the paste undone
    u.DropRecord(&u.Items(1));
    EXPECT_EQ(std::make_pair(u.UndoType(), u.RedoType()), std::make_pair(btEdit, btCut));
    u.Position = 1; // everything undone: nothing left to undo
    EXPECT_EQ(std::make_pair(u.UndoType(), u.RedoType()), std::make_pair(btNone, btEdit));

    TTimeFormatList f;
    f.AddDefaults(2);
    f.Insert(2, tfPlus); // at the end
    EXPECT_THROW(f.Insert(4), std::out_of_range);
    EXPECT_THROW(f.Insert(-1), std::out_of_range);
    EXPECT_EQ(f.Entries, (Formats{tfNone, tfNone, tfPlus}));
}

TEST(EditUndo, CapacityOverflowAndModifiedState) {
    struct Case {
        int setting, edits, kept;
        bool overflowed;
    };
    for (Case c : {Case{0, 6, 5, true}, Case{0, 5, 5, false}, Case{9, 31, 30, true}}) {
        SCOPED_TRACE(c.setting);
        Sheet s(40, c.setting);
        for (int i = 0; i < c.edits; ++i)
            s.Edit(0, i, "x");
        TUndoBufferList& u = s.Undo();
        EXPECT_EQ(u.Count(), c.kept);
        EXPECT_EQ(u.Overflowed, c.overflowed);
        for (int i = 0; i < c.kept; ++i)
            u.Undo();
        // Undone to the bottom: modified only if history was lost.
        EXPECT_EQ(s.G.IsAnyModified(), c.overflowed);
        u.Redo();
        EXPECT_TRUE(u.IsModified());
        u.Clear();
        EXPECT_FALSE(u.IsModified());
    }
}

TEST(EditUndo, UnchangedEditIsDroppedAndBackspaceRedoes) {
    Sheet s(3);
    s.Go(1, 0);
    s.Write("1");
    s.Write("");
    TUndoBufferList& u = s.Undo();
    EXPECT_EQ(u.Count(), 1);
    u.Undo(); // commits: the text is unchanged, so the record goes
    EXPECT_EQ(u.Count(), 0);
    EXPECT_TRUE(s.Changes.empty());
    EXPECT_TRUE(u.IsModified()); // but it still counts as a change

    // With a record before it, Undo reverts that one instead.
    s.Edit(1, 0, "A");
    s.Go(2, 0);
    s.Write("1");
    s.Write("");
    u.Undo();
    EXPECT_EQ(s.G.Cells(1, 0), "");
    EXPECT_EQ(u.Count(), 1);

    // A Backspace record redoes to the shortened text.
    s.SetColumn(1, {"123"});
    s.Go(1, 0);
    s.Write("12", btDelete);
    s.G.CommitEdit();
    u.Undo();
    u.Redo();
    EXPECT_EQ(s.G.Cells(1, 0), "12");
}

TEST(EditUndo, PendingEditNeverDangles) {
    // Pastes by shortcut leave the edit pending below them until the oldest
    // record is pushed out by capacity.
    Sheet s(10, 0);
    s.Go(1, 0);
    s.Write("typed");
    ASSERT_NE(s.G.PendingEdit(), nullptr);
    s.Clip.SetText("p");
    for (int i = 0; i < 5; ++i)
        s.G.PasteFromClipboard();
    EXPECT_EQ(s.G.PendingEdit(), nullptr);
    s.G.CommitEdit(); // nothing left to settle
    EXPECT_EQ(s.Undo().Count(), 5);

    // Freeing the whole buffer (a deleted sheet) clears it as well.
    s.Write("again");
    ASSERT_NE(s.G.PendingEdit(), nullptr);
    s.G.ResetSheetBuffers();
    EXPECT_EQ(s.G.PendingEdit(), nullptr);
    s.G.CommitEdit();
    TLapGridTestView::DeleteSelection(s.G); // no buffer: clears without recording
    EXPECT_EQ(s.G.Cells(1, 0), "");
}

TEST(EditUndo, UndoOutsideShrunkGridLeavesCellsAndEndsUpdate) {
    Sheet s(6);
    s.Select(0, 3, 1, 5);
    s.Clip.SetText("a\tb\r\n");
    s.G.PasteFromClipboard();
    s.G.SetRowCount(4);
    s.ClearLog();
    s.Undo().Undo();
    EXPECT_FALSE(s.G.Updating());
    EXPECT_EQ(s.G.Cells(0, 3), "");
    EXPECT_EQ(s.Assigned, (Cells{{0, 3}, {1, 3}}));
    s.G.SetRowCount(6);
    EXPECT_EQ(s.Column(0), (Strings{"", "", "", "", "a", "a"}));
}

// Columns 0 .. 2 of the shown rows and their split results.
std::string SheetState(Sheet& s) {
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
        Sheet s(4);
        if (seed % 3 == 1) s.G.Columns[1].SetVisible(false);
        // A split result that follows the row's time texts, as the evaluation keeps it.
        s.G.OnCellAssignment = [&](int, int r) {
            const std::string k = s.G.Cells(1, r) + "/" + s.G.Cells(2, r);
            s.Formats().Items(r) = k == "/" ? tfNone : TTimeFormat(std::hash<std::string>{}(k) % 3);
        };
        Strings states{SheetState(s)}; // one per record in effect
        int n = 0;
        for (int step = 0; step < 25; ++step) {
            const int rows = s.G.RowCount();
            const TUndoBuffer* top = s.Undo().Count() ? &s.Undo().Items(0) : nullptr;
            const int first = below(rows), last = first + below(rows - first);
            const int left = below(3), right = left + below(5 - left);
            const int action = below(8);
            if (action == 0) {
                s.G.AddRow(true);
            } else if (action == 7) {
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
            } else if (!rows) {
            } else if (action == 1) {
                s.G.InsertRows(first, std::min(last, first + 2), true);
            } else if (action == 2) {
                s.G.DeleteRows(first, last, true);
            } else if (action == 3) {
                s.Edit(left, first, "e" + std::to_string(++n));
            } else {
                s.Select(left, first, right, last);
                s.Clip.SetText("p" + std::to_string(++n) + "\tq\r\nz");
                if (step % 3 == 0)
                    s.G.PasteFromClipboard();
                else if (step % 3 == 1)
                    s.G.CutToClipboard();
                else
                    TLapGridTestView::DeleteSelection(s.G);
            }
            if (s.Undo().Count() && &s.Undo().Items(0) != top)
                states.push_back(SheetState(s));
            else
                ASSERT_EQ(SheetState(s), states.back()) << "seed " << seed; // nothing recorded
        }
    }
}

} // namespace

namespace {

// A grid used without a project keeps its sheets' lists itself: each sheet
// its own history, the shown one chosen by SheetIndex, all gone on reset.
TEST(Data, GridOnItsOwnKeepsSheetBuffersOfItsOwn) {
    TLapGrid g;
    g.SetColCount(RecordedCols);
    g.SetRowCount(3);
    for (int s = 0; s < 2; ++s) {
        TTimeFormatList f;
        f.AddDefaults(3 + s);
        g.AddSheetBuffers(std::move(f), 0);
    }
    ASSERT_EQ(g.TimeFormatLists().Count(), 2);
    ASSERT_EQ(g.UndoList().Count(), 2);
    EXPECT_EQ(g.TimeFormatLists().Items(1).Count(), 4);
    const auto type = [&](int Col, int Row, const std::string& Text) {
        g.SetCol(Col);
        g.SetRow(Row);
        for (char ch : Text)
            g.KeyPress(std::string(1, ch));
        g.KeyDown(VK_RETURN, 0);
    };
    type(1, 0, "1:00");
    EXPECT_TRUE(g.UndoList().Items(0).IsModified());
    EXPECT_FALSE(g.UndoList().Items(1).IsModified());
    g.SetSheetIndex(1);
    EXPECT_EQ(g.CurrentUndo(), &g.UndoList().Items(1));
    EXPECT_EQ(g.CurrentFormats()->Count(), 4);
    type(1, 1, "2:00");
    EXPECT_TRUE(g.UndoList().Items(1).IsModified());
    g.ResetSheetBuffers();
    EXPECT_EQ(g.UndoList().Count(), 0);
    EXPECT_EQ(g.CurrentUndo(), nullptr);
    EXPECT_FALSE(g.IsAnyModified());
}

} // namespace
