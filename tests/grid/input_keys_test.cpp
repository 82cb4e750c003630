// Keys and characters typed into the grid.
#include "grid_fixture.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const TRect& r, std::ostream* os) {
    *os << "(" << r.Left << "," << r.Top << ")-(" << r.Right << "," << r.Bottom << ")";
}

namespace {

// Where each key lands is CellCursor.KeyMoves; these rows check how the grid
// applies a move: the selection, the move notices and the scrolling.
TEST(InputKeys, KeyTables) {
    struct Case {
        const char* name;
        std::vector<int> hidden; // hidden columns
        int col, row;            // start cell
        std::vector<int> keys;
        TShiftState shift;
        int wantCol, wantRow;
        TRect wantSel;
        int moves;   // OnColRowChanged notices
        int scrollY; // 10 whole rows fit in the view
    };
    const std::vector<int> all = {0, 1, 2, 3, 4};
    const std::vector<int> sideways = {VK_RIGHT, VK_LEFT, VK_HOME, VK_END};
    // clang-format off
    const Case cases[] = {
        {"left at first column stays", {}, 0, 3, {VK_LEFT}, 0, 0, 3, {0, 3, 0, 3}, 1, 0},
        {"down", {}, 2, 4, {VK_DOWN, VK_DOWN}, 0, 2, 6, {2, 6, 2, 6}, 2, 0},
        {"ctrl end", {4}, 0, 2, {VK_END}, ssCtrl, 3, 29, {3, 29, 3, 29}, 1, 360},
        {"shift down three times", {}, 1, 2, {VK_DOWN, VK_DOWN, VK_DOWN}, ssShift, 1, 2, {1, 2, 1, 5}, 0, 0},
        {"shift down scrolls the far corner into view, one row kept below it", {}, 1, 8, {VK_DOWN, VK_DOWN, VK_DOWN}, ssShift, 1, 8, {1, 8, 1, 11}, 0, 3 * 18},
        {"shift right and back left", {}, 1, 1, {VK_RIGHT, VK_RIGHT, VK_LEFT}, ssShift, 1, 1, {1, 1, 2, 1}, 0, 0},
        {"shift up past the first row", {}, 2, 1, {VK_UP, VK_UP}, ssShift, 2, 1, {2, 0, 2, 1}, 0, 0},
        {"tab, escape, insert, F1 not taken", {}, 1, 1, {VK_TAB, VK_ESCAPE, VK_INSERT, VK_F1}, 0, 1, 1, {1, 1, 1, 1}, 0, 0},
        // Every column hidden: the current cell stays inside the grid.
        {"all hidden, sideways", all, 2, 3, sideways, 0, 2, 3, {2, 3, 2, 3}, 4, 0},
        {"all hidden, shift sideways", all, 2, 3, sideways, ssShift, 2, 3, {2, 3, 2, 3}, 0, 0},
        {"all hidden, ctrl sideways", all, 2, 3, sideways, ssCtrl, 2, 29, {2, 29, 2, 29}, 2, 0},
    };
    // clang-format on
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Sheet s(30);
        for (int h : k.hidden)
            s.G.Columns[h].SetVisible(false);
        s.Go(k.col, k.row);
        for (int key : k.keys)
            s.Key(key, k.shift);
        EXPECT_EQ(s.At(), Pos(k.wantCol, k.wantRow));
        EXPECT_EQ(s.Sel(), k.wantSel);
        EXPECT_EQ(static_cast<int>(s.Log.size()), k.moves);
        EXPECT_EQ(s.G.ScrollY(), k.scrollY);
    }
}

TEST(InputKeys, GuardRefusesKeysAndCharacters) {
    struct Case {
        const char* name;
        bool disabled, noRows, readOnly;
        bool takesKeys; // a read-only grid still moves, but takes no text
    };
    const Case cases[] = {
        {"disabled", true, false, false, false},
        {"no rows", false, true, false, false},
        {"read-only", false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.G.SetCells(1, 1, "keep");
        s.Go(1, 1);
        s.G.SetEnabled(!c.disabled);
        if (c.noRows) s.G.SetRowCount(0);
        s.G.SetReadOnly(c.readOnly);
        s.ClearLog();
        EXPECT_EQ(s.G.KeyDown(VK_DOWN, 0), c.takesKeys);
        s.Type("7\b");
        s.Key(VK_DELETE);
        EXPECT_EQ(s.Undo().Count(), 0);
        if (!c.noRows) EXPECT_EQ(s.G.Columns[1].Strings()[1], "keep");
        if (!c.takesKeys) EXPECT_TRUE(s.Log.empty());
    }
}

TEST(InputKeys, TypingIsSettledAsOneRecordByTheKeyThatMovesOn) {
    struct Case {
        const char* name;
        std::string before, typed;
        int key;
        std::string after;
        TBufferType type;
        Strings log;
    };
    // clang-format off
    const Case cases[] = {
        {"typing replaces, then appends", "old", "123\b", VK_DOWN, "12", btEdit,
         {"assigned 1,2", "changed 1,2 btEdit", "moved 1,3"}},
        {"Backspace in a fresh cell empties it", "1:23", "\b\b", VK_RIGHT, "", btDelete,
         {"assigned 1,2", "changed 1,2 btEdit", "moved 2,2"}},
        {"Home", "", "42", VK_HOME, "42", btEdit, {"changed 1,2 btEdit", "assigned 1,2", "moved 0,2"}},
        {"Page Down", "", "42", VK_NEXT, "42", btEdit, {"changed 1,2 btEdit", "assigned 1,2", "moved 1,9"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet s;
        s.G.SetCells(1, 2, c.before);
        s.Go(1, 2);
        s.Type(c.typed);
        EXPECT_EQ(s.Cell(1, 2), c.after);
        EXPECT_TRUE(s.Log.empty()); // nothing is reported while typing
        s.Key(c.key);
        EXPECT_EQ(s.Log, c.log);
        ASSERT_EQ(s.Undo().Count(), 1);
        const TUndoBuffer& R = s.Undo().Items(0);
        EXPECT_EQ(R.BufferType, c.type);
        EXPECT_EQ(R.OldTexts[1], Strings{c.before});
        EXPECT_EQ(R.NewTexts[1], Strings{c.after});
        // Settled by any moving key: the next cell starts afresh, its first
        // character replacing its text.
        s.G.SetCells(s.G.Col(), s.G.Row(), "zz");
        s.Type("9");
        if (s.G.Col() < 3) EXPECT_EQ(s.Cell(s.G.Col(), s.G.Row()), "9");
    }
}

TEST(InputKeys, KeysThatChangeNothingLeaveTheUndoHistoryAlone) {
    // Two edits, the last one undone, and the sheet saved.
    Sheet s(10, 2);
    for (const char* t : {"a", "b"}) {
        s.Go(1, 1);
        s.Type(t);
        s.Key(VK_UP);
    }
    s.Undo().Undo();
    ASSERT_EQ(s.Cell(1, 1), "a");
    s.Undo().Changed = false;
    s.G.OnFilterChar = [](bool FromEditor, int, int, const std::string& Ch, bool& Allowed) {
        EXPECT_FALSE(FromEditor);
        Allowed = Ch != "x";
    };
    struct Case {
        const char* name;
        int col;
        std::string keys;
        int key;
        TShiftState shift;
        int records; // a typed character drops what was undone, as any edit does
    };
    for (const Case& k : {Case{"read-only column", 3, "12", VK_DOWN, 0, 2},
                          Case{"read-only Backspace", 4, "\b", VK_DOWN, 0, 2},
                          Case{"refused character", 1, "x", VK_DOWN, 0, 2},
                          Case{"same text again", 1, "a", VK_DOWN, 0, 2},
                          Case{"same text, Shift+Enter", 1, "a", VK_RETURN, ssShift, 2},
                          Case{"typed and erased, Enter", 2, "1\b", VK_RETURN, 0, 1}}) {
        SCOPED_TRACE(k.name);
        s.Go(k.col, 1);
        s.Type(k.keys);
        EXPECT_EQ(s.Cell(1, 1), "a");
        s.Key(k.key, k.shift);
        EXPECT_EQ(s.Undo().Count(), k.records);
        EXPECT_EQ(s.Undo().IsModified(), k.records != 2);
        if (k.col < 3) EXPECT_EQ(s.Log.front(), "assigned " + std::to_string(k.col) + ",1");
        for (const std::string& e : s.Log)
            EXPECT_EQ(e.find("changed"), std::string::npos) << e;
    }
}

TEST(InputKeys, TwoByteCharactersAreTypedAndErasedWhole) {
    Sheet s;
    s.Go(0, 0);
    const std::string a = "\x83\x41";  // katakana A
    const std::string so = "\x83\x5c"; // katakana SO: its trail byte is a backslash
    s.G.KeyPress("1");
    s.G.KeyPress(a);
    s.G.KeyPress(so);
    EXPECT_EQ(s.Cell(0, 0), "1" + a + so);
    s.Type("\b\b");
    EXPECT_EQ(s.Cell(0, 0), "1");
    // Half a character never reaches the cell; whole text is typed per character.
    s.G.KeyPress("\x83");
    EXPECT_EQ(s.Cell(0, 0), "1");
    s.G.KeyPress("x " + a + "y");
    // Control characters other than Backspace are ignored.
    for (const char* ch : {"\r", "\x1b", "\t", "\x1f"})
        s.G.KeyPress(ch);
    EXPECT_EQ(s.Cell(0, 0), "1x " + a + "y");
}

TEST(InputKeys, CaretFollowsTheTypedTextAndFocus) {
    Sheet s;
    s.Go(1, 0);
    s.Type("12");
    const TPoint after2 = s.Host.CaretPos;
    s.Type("3");
    EXPECT_EQ(s.Host.CaretPos, (TPoint{after2.X + headless_metric::CharWidth, after2.Y}));
    s.Key(VK_DOWN); // moving away hides it
    EXPECT_FALSE(s.Host.CaretShown);

    // Focus moving to the editor settles nothing; losing it otherwise does.
    s.Type("5");
    s.ClearLog();
    s.G.FocusOut(true);
    EXPECT_NE(s.G.PendingEdit(), nullptr);
    EXPECT_FALSE(s.Host.CaretCreated);
    s.G.FocusIn();
    s.G.FocusOut(false);
    EXPECT_EQ(s.G.PendingEdit(), nullptr);
    EXPECT_EQ(s.Log, (Strings{"changed 1,1 btEdit", "assigned 1,1"}));

    // The composition window sits over the current cell: content (159, 53)
    // .. (240, 72) of cell (2, 3), offset by the gutter and the header.
    s.G.FocusIn();
    s.Go(2, 3);
    s.G.ImeStartComposition();
    EXPECT_EQ(s.Host.ImeRect, (TRect{181, 73, 274, 88}));
}

TEST(InputKeys, DeleteKeyAndClipboardShortcuts) {
    Sheet s;
    s.G.SetCells(1, 1, "a");
    s.G.SetCells(2, 1, "b");
    s.Go(1, 1);
    s.Key(VK_RIGHT, ssShift);
    s.Type("z");
    s.Key(VK_DELETE); // while typing, Delete does nothing
    EXPECT_EQ(s.Cell(2, 1), "b");
    s.Key(VK_UP);
    s.Key(VK_DOWN);
    s.Key(VK_RIGHT, ssShift);
    s.Key(VK_C, ssCtrl);
    EXPECT_EQ(s.Clip.Text, "z\tb\r\n");
    s.Key(VK_DELETE);
    EXPECT_EQ(s.Cell(1, 1) + s.Cell(2, 1), "");
    s.Key(VK_V, ssCtrl);
    EXPECT_EQ(s.Cell(1, 1) + s.Cell(2, 1), "zb");

    // A read-only grid still copies but neither cuts nor pastes.
    s.G.SetReadOnly(true);
    const int records = s.Undo().Count();
    s.Clip.Text = "q\tq\r\n";
    s.Key(VK_V, ssCtrl);
    s.Key(VK_X, ssCtrl);
    EXPECT_EQ(s.Undo().Count(), records);
    EXPECT_EQ(s.Clip.Text, "q\tq\r\n");
    s.Key(VK_C, ssCtrl);
    EXPECT_EQ(s.Clip.Text, "z\tb\r\n");
}

TEST(InputKeys, PasteKeyWhileTypingKeepsUndoAndRedoInStep) {
    Sheet s;
    s.G.SetCells(1, 1, "a");
    s.Clip.SetText("X");
    s.Go(1, 1);
    s.Type("12");
    s.Key(VK_V, ssCtrl);
    EXPECT_EQ(s.Cell(1, 1), "X");
    s.Type("3"); // typing after the paste starts a new text
    EXPECT_EQ(s.Cell(1, 1), "3");
    s.Key(VK_DOWN);
    // Every undo step goes back one state, every redo step forward again.
    const Strings states = {"3", "X", "12", "a"};
    for (std::size_t i = 1; i < states.size(); ++i) {
        s.Undo().Undo();
        EXPECT_EQ(s.Cell(1, 1), states[i]);
    }
    for (std::size_t i = states.size() - 1; i-- > 0;) {
        s.Undo().Redo();
        EXPECT_EQ(s.Cell(1, 1), states[i]);
    }
}

TEST(InputKeys, EnterWalksThroughABlockPassingOverHiddenColumns) {
    struct Case {
        const char* name;
        int hidden;
        bool gutterClick; // select the block's row by a gutter click
        TRect block;
        std::pair<int, int> start;
        Cells forward, backward; // backward from the end of forward
    };
    // clang-format off
    const Case cases[] = {
        {"no hidden column", -1, false, {1, 1, 2, 2}, {1, 1},
         {{1, 2}, {2, 1}, {2, 2}, {1, 1}, {1, 2}}, {{1, 1}, {2, 2}, {2, 1}, {1, 2}}},
        {"hidden column inside", 1, false, {0, 0, 2, 1}, {0, 0},
         {{0, 1}, {2, 0}, {2, 1}, {0, 0}}, {{2, 1}, {2, 0}, {0, 1}, {0, 0}}},
        {"hidden last column", 2, false, {0, 0, 2, 1}, {0, 0},
         {{0, 1}, {1, 0}, {1, 1}, {0, 0}}, {{1, 1}, {1, 0}, {0, 1}, {0, 0}}},
        {"gutter row with column 0 hidden", 0, true, {0, 2, 4, 2}, {1, 2},
         {{2, 2}, {3, 2}, {4, 2}, {1, 2}}, {{4, 2}, {3, 2}}},
        // A walk that starts on a hidden column leaves it at once.
        {"forward from a hidden column", 2, false, {1, 0, 3, 1}, {2, 0}, {{3, 0}}, {}},
        {"backward from a hidden column", 2, false, {1, 0, 3, 1}, {2, 1}, {}, {{1, 1}}},
    };
    // clang-format on
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Sheet s;
        if (k.hidden >= 0) s.G.Columns[k.hidden].SetVisible(false);
        if (k.gutterClick) {
            s.Press(5, Sheet::Y(k.block.Top));
            s.Release(5, Sheet::Y(k.block.Top));
        } else {
            s.Go(k.start.first, k.start.second);
            s.G.SetSelection(k.block);
        }
        ASSERT_EQ(s.Sel(), k.block);
        for (auto [c, r] : k.forward) {
            s.Log.clear();
            s.Key(VK_RETURN);
            EXPECT_EQ(s.Log, Strings{"moved " + std::to_string(c) + "," + std::to_string(r)});
        }
        for (auto [c, r] : k.backward) {
            s.Key(VK_RETURN, ssShift);
            EXPECT_EQ(s.At(), Pos(c, r));
        }
        EXPECT_EQ(s.Sel(), k.block);
    }
    // Typing in the block is settled by Enter and recorded for its cell, with
    // the text the assignment handler rewrote it to.
    Sheet s;
    s.G.OnCellAssignment = [&s](int c, int r) { s.G.SetCells(c, r, "0:07"); };
    s.Select(1, 1, 2, 2);
    s.Type("7");
    s.Key(VK_RETURN);
    EXPECT_EQ(s.Undo().Items(0).Area, (TRect{1, 1, 1, 1}));
    EXPECT_EQ(s.Undo().Items(0).NewTexts[1], Strings{"0:07"});
}

TEST(InputKeys, EnterFillsAsOneUndoStepWithTheTypedEdit) {
    Sheet s(6);
    s.SetColumn(1, {"", "", "old", "", "x"});
    s.Go(1, 4);
    s.Key(VK_RETURN);
    s.Key(VK_RETURN); // the last row stays
    s.Key(VK_RETURN, ssShift);
    EXPECT_EQ(s.G.Row(), 4);

    s.Go(1, 2);
    s.Type("12>");
    s.G.SetAutoFillDown(true); // fills on "*" only
    s.Type("\b*");
    s.Key(VK_RETURN);
    EXPECT_EQ(s.G.Row(), 2);
    EXPECT_EQ(s.Column(1), (Strings{"", "", "12", "12", "12", "12"}));
    EXPECT_EQ(s.Changes, std::vector<TBufferType>{btAutoFill});
    ASSERT_EQ(s.Undo().Count(), 1);
    s.Undo().Undo();
    EXPECT_EQ(s.Column(1), (Strings{"", "", "old", "", "x", ""}));
    s.Undo().Redo();
    s.Key(VK_RETURN); // the next Enter just moves on
    EXPECT_EQ(s.G.Row(), 3);
    s.Type("9*");
    s.Key(VK_RETURN, ssShift); // Shift+Enter never fills
    EXPECT_EQ(s.Column(1), (Strings{"", "", "12", "9*", "12", "12"}));

    // Fill right over a selected block stops at the block's edge.
    s.G.SetAutoFillRight(true);
    s.Select(0, 0, 1, 0);
    s.Type("a>");
    s.Key(VK_RETURN);
    EXPECT_EQ(s.Cell(0, 0) + s.Cell(1, 0) + s.Cell(2, 0), "aa");
}

TEST(InputKeys, AutoAddRowGrowsAndShrinksAtTheLastRow) {
    Sheet s(2);
    Cells rows; // inserted (1, r) and deleted (-1, r)
    s.G.OnInsertRow = [&](int r) { rows.emplace_back(1, r); };
    s.G.OnDeleteRow = [&](int r) { rows.emplace_back(-1, r); };
    s.Go(0, 1);
    s.Key(VK_DOWN); // off
    s.G.SetAutoAddRow(true);
    s.Key(VK_DOWN);
    EXPECT_EQ(s.G.Row(), 2);
    EXPECT_GE(s.Formats().Count(), 3); // the new row has its split entry
    s.G.SetReadOnly(true);
    s.Key(VK_UP); // a read-only grid keeps it
    s.G.SetReadOnly(false);
    s.Key(VK_DOWN);
    s.Key(VK_UP);
    s.Key(VK_DOWN);
    s.Type("x"); // a typed text keeps the row
    s.Key(VK_UP);
    EXPECT_EQ(s.G.RowCount(), 3);
    EXPECT_EQ(rows, (Cells{{1, 2}, {-1, 2}, {1, 2}}));
    EXPECT_EQ(s.Undo().Count(), 1); // the typing only
    Sheet t(1);
    t.G.SetAutoAddRow(true);
    t.Key(VK_UP); // the only row stays
    EXPECT_EQ(t.G.RowCount(), 1);
}

TEST(InputKeys, CellInputFromAnotherProgramAndItsMoves) {
    Sheet s;
    s.G.SetCells(2, 3, "old");
    s.Go(2, 3);
    EXPECT_TRUE(s.G.CellInput("1:02.5", 0));
    ASSERT_EQ(s.Undo().Count(), 1);
    EXPECT_EQ(s.Undo().Items(0).OldTexts[2], Strings{"old"});
    EXPECT_EQ(s.Log, (Strings{"changed 2,3 btEdit", "assigned 2,3", "moved 2,4"}));
    EXPECT_TRUE(s.G.CellInput("x", 2));
    EXPECT_EQ(s.G.Row(), 7);
    // A huge move count ends where the walk would, without pressing Enter
    // two billion times.
    s.Go(1, 2);
    EXPECT_TRUE(s.G.CellInput("a", 2147483646));
    EXPECT_EQ(s.G.Row(), 9);
    // A text past 255 bytes is cut there, never inside a two-byte character.
    s.Go(2, 0);
    EXPECT_TRUE(s.G.CellInput(std::string(300, 'b'), -1));
    EXPECT_EQ(s.Cell(2, 0), std::string(255, 'b'));
    EXPECT_TRUE(s.G.CellInput(std::string(254, 'a') + "\x83\x5C", -1));
    EXPECT_EQ(s.Cell(2, 0), std::string(254, 'a'));

    struct Refusal {
        const char* name;
        int col;
        bool hide, ownerBlocked, disabled, veto = false;
    };
    // The interval column is made writable here: it is refused for what it
    // is, not only for being read-only.
    for (const Refusal& r : {Refusal{"title column", 0, false, false, false},
                             Refusal{"split column", 3, false, false, false},
                             Refusal{"interval column", 4, false, false, false},
                             Refusal{"hidden best column", 1, true, false, false},
                             Refusal{"modal dialog open", 2, false, true, false},
                             Refusal{"disabled grid", 2, false, false, true},
                             // Recorded, a redo would write the refused text.
                             Refusal{"vetoed by the handler", 2, false, false, false, true}}) {
        SCOPED_TRACE(r.name);
        Sheet t;
        t.G.Columns[4].ReadOnly = false;
        if (r.hide) t.G.Columns[r.col].SetVisible(false);
        t.Host.OwnerEnabled = !r.ownerBlocked;
        t.G.SetEnabled(!r.disabled);
        if (r.veto) t.G.OnCellChanging = [](int, int, bool& CanChange) { CanChange = false; };
        t.Go(r.col, 3);
        EXPECT_FALSE(t.G.CellInput("1:00", 0));
        EXPECT_EQ(t.Cell(r.col, 3), "");
        EXPECT_TRUE(t.Log.empty());
        EXPECT_EQ(t.Undo().Count(), 0);
    }

    // Columns 1 .. 4 and rows 0 .. 1 selected; the walk passes over the
    // hidden column, so it repeats after the visible cells only.
    for (int hidden : {-1, 2, 3, 4}) {
        const int cells = hidden < 0 ? 8 : 6;
        for (int moves : {0, 2, 5, 7, 11, 1000001, 2147483646}) {
            SCOPED_TRACE(std::to_string(hidden) + " hidden, moves " + std::to_string(moves));
            Sheet capped, walked;
            for (Sheet* t : {&capped, &walked}) {
                if (hidden >= 0) t->G.Columns[hidden].SetVisible(false);
                t->Select(1, 0, 4, 1);
            }
            ASSERT_TRUE(capped.G.CellInput("t", moves));
            // The same walk key by key (a large count taken modulo the visible cells).
            walked.G.CellInput("t", -1);
            const int presses = moves > 100 ? 1 + moves % cells : moves + 1;
            for (int i = 0; i < presses; ++i)
                walked.Key(VK_RETURN);
            EXPECT_EQ(capped.At(), walked.At());
            EXPECT_TRUE(capped.G.Columns[capped.G.Col()].Visible());
        }
    }
}

} // namespace
