// Key down: the key table of the grid.
#include "grid/grid_keyboard.h"

#include "grid/lap_grid.h"

#include <algorithm>

bool TGridKeys::KeyDown(int Key, TShiftState Shift) {
    if (G.KeysBlocked()) return false;
    const bool ctrl = (Shift & ssCtrl) != 0;
    const bool shift = !ctrl && (Shift & ssShift) != 0;
    if (ctrl) {
        if (ClipboardKey(Key)) return true;
    } else if (Key == VK_RETURN) {
        Enter(shift);
        return true;
    } else if (Key == VK_DELETE && !shift) {
        if (G.FTyping.TypedText().empty()) G.DeleteSelection();
        return true;
    }
    return CursorKey(Key, Shift);
}

bool TGridKeys::ClipboardKey(int Key) {
    switch (Key) {
    case VK_C:
        G.CopyToClipboard();
        return true;
    case VK_X:
        if (!G.FReadOnly) G.CutToClipboard();
        return true;
    case VK_V:
        // Settled first, as the menu's Paste does: an edit left pending
        // below the paste record would go on typing over the pasted
        // text, and redo would then end in another text than undo began.
        if (!G.FReadOnly) {
            G.CommitEdit();
            G.PasteFromClipboard();
        }
        return true;
    default:
        return false;
    }
}

bool TGridKeys::CursorKey(int Key, TShiftState Shift) {
    const bool ctrl = (Shift & ssCtrl) != 0;
    const bool arrow = Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
    TCellCursor& cell = G.FCell;
    const TKeyMove probe = CursorKeyMove(cell, G.VisibleColumns(), G.FRowCount, Key, Shift);
    if (probe.Kind == TKeyMove::kmNone) return false;
    if (probe.Kind == TKeyMove::kmExtend) {
        cell.FarCol = probe.Col;
        cell.FarRow = probe.Row;
        G.ExtendSelection();
        return true;
    }
    // Arrows settle the typing (and an in-place edit a scroll hid); the other
    // moves commit whatever edit is in progress. The move is asked again after
    // settling, as the settling's handlers see the cell before the move.
    if (arrow && !ctrl)
        G.FinishTyping();
    else
        G.CommitEdit();
    const bool rowChanged =
        !ctrl && ((Key == VK_UP && G.AutoShrinkRow()) || (Key == VK_DOWN && G.AutoGrowRow()));
    if (!rowChanged) {
        const TKeyMove m = CursorKeyMove(cell, G.VisibleColumns(), G.FRowCount, Key, Shift);
        cell.Col = m.Col;
        cell.Row = m.Row;
    }
    G.MoveCursor();
    return true;
}

// Enter and Shift+Enter: one row down (up), or a walk through the selected
// block in column order that keeps the block selected.
void TGridKeys::Enter(bool Backward) {
    TCellCursor& cell = G.FCell;
    if (!Backward) {
        const std::string t = G.CellText(cell.Col, cell.Row);
        // A fill folds the typed edit into its own record, so it comes first.
        if (G.AutoFill(t)) {
            G.FTyping.SetTyped(false);
            return;
        }
    }
    G.FinishTyping();
    if (cell.Selection.IsSingle()) {
        cell.Row = Backward ? std::max(0, cell.Row - 1) : std::min(cell.Row + 1, G.FRowCount - 1);
        G.MoveCursor();
        return;
    }
    WalkBlock(Backward);
}

// The walk passes over hidden columns of the block: typing into a cell
// nobody sees would change data unnoticed.
int TGridKeys::VisibleIn(int From, int To, int Step) const {
    for (int c = From; Step > 0 ? c <= To : c >= To; c += Step)
        if (c >= 0 && c < G.ColCount() && G.Columns[c].Visible()) return c;
    return -1;
}

void TGridKeys::WalkBlock(bool Backward) {
    TCellCursor& cell = G.FCell;
    const TRect& S = cell.Selection;
    if (!Backward) {
        if (cell.Row < S.Bottom && G.Columns[cell.Col].Visible()) {
            ++cell.Row;
        } else {
            int next = VisibleIn(cell.Col + 1, S.Right, 1);
            if (next < 0) next = VisibleIn(S.Left, S.Right, 1); // wrap to the top-left
            cell.Col = next < 0 ? S.Left : next;
            cell.Row = S.Top;
        }
    } else {
        if (cell.Row > S.Top && G.Columns[cell.Col].Visible()) {
            --cell.Row;
        } else {
            int prev = VisibleIn(cell.Col - 1, S.Left, -1);
            if (prev < 0) prev = VisibleIn(S.Right, S.Left, -1); // wrap to the bottom-right
            cell.Col = prev < 0 ? S.Right : prev;
            cell.Row = S.Bottom;
        }
    }
    G.EndEdit();
    G.FTyping.ClearText();
    G.EnsureVisible(cell.Col, cell.Row);
    G.InvalidateCells();
    if (G.OnColRowChanged) G.OnColRowChanged(cell.Col, cell.Row);
}
