// Keyboard handling: the key tables, typing straight into the current cell
// with its caret, the settling of typed text, focus and the input method, and
// cell text sent by another program.
#include "grid/lap_grid.h"
#include "text/sjis.h"

#include <algorithm>

bool TLapGrid::KeysBlocked() const {
    return !FEnabled || ColCount() == 0 || FRowCount == 0;
}

// ---- key down ----

bool TLapGrid::KeyDown(int Key, TShiftState Shift) {
    if (KeysBlocked()) return false;
    const bool ctrl = (Shift & ssCtrl) != 0;
    const bool shift = !ctrl && (Shift & ssShift) != 0;
    const bool arrow = Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;

    if (ctrl) {
        switch (Key) {
        case VK_C:
            CopyToClipboard();
            return true;
        case VK_X:
            if (!FReadOnly) CutToClipboard();
            return true;
        case VK_V:
            // Settled first, as the menu's Paste does: an edit left pending
            // below the paste record would go on typing over the pasted
            // text, and redo would then end in another text than undo began.
            if (!FReadOnly) {
                CommitEdit();
                PasteFromClipboard();
            }
            return true;
        default:
            break;
        }
    } else if (Key == VK_RETURN) {
        EnterKey(shift);
        return true;
    } else if (Key == VK_DELETE && !shift) {
        if (FTyping.TypedText().empty()) DeleteSelection();
        return true;
    }

    const TKeyMove probe = CursorKeyMove(FCell, VisibleColumns(), FRowCount, Key, Shift);
    if (probe.Kind == TKeyMove::kmNone) return false;
    if (probe.Kind == TKeyMove::kmExtend) {
        FCell.FarCol = probe.Col;
        FCell.FarRow = probe.Row;
        ExtendSelection();
        return true;
    }
    // Arrows settle the typing (and an in-place edit a scroll hid); the other
    // moves commit whatever edit is in progress. The move is asked again after
    // settling, as the settling's handlers see the cell before the move.
    if (arrow && !ctrl)
        FinishTyping();
    else
        CommitEdit();
    const bool rowChanged =
        !ctrl && ((Key == VK_UP && AutoShrinkRow()) || (Key == VK_DOWN && AutoGrowRow()));
    if (!rowChanged) {
        const TKeyMove m = CursorKeyMove(FCell, VisibleColumns(), FRowCount, Key, Shift);
        FCell.Col = m.Col;
        FCell.Row = m.Row;
    }
    MoveCursor();
    return true;
}

std::vector<bool> TLapGrid::VisibleColumns() const {
    std::vector<bool> v(static_cast<std::size_t>(ColCount()));
    for (int i = 0; i < ColCount(); ++i)
        v[static_cast<std::size_t>(i)] = Columns[i].Visible();
    return v;
}

void TLapGrid::MoveCursor() {
    MoveCurrentCell(TCellMove::To(FCell.Col, FCell.Row, TCellMove::scKeep));
}

void TLapGrid::ExtendSelection() {
    SetSelection(TRect{std::min(FCell.FarCol, FCell.Col), std::min(FCell.FarRow, FCell.Row),
                       std::max(FCell.FarCol, FCell.Col), std::max(FCell.FarRow, FCell.Row)});
    EnsureVisible(FCell.FarCol, FCell.FarRow);
}

void TLapGrid::FinishTyping() {
    // An in-place edit whose box a scroll has hidden ends here as well: left
    // pending, its record would later take the text of another cell.
    const bool editorLeft =
        FEditorOpen && FTyping.PendingEdit() && !(FHost && FHost->EditorVisible());
    const bool edited = FTyping.CellTyped() || editorLeft;
    if (edited && OnCellAssignment) OnCellAssignment(FCell.Col, FCell.Row);
    if (edited) SettleEditRecord();
    if (editorLeft) FEditorOpen = false;
    FTyping.SetTyped(false);
}

// Enter and Shift+Enter: one row down (up), or a walk through the selected
// block in column order that keeps the block selected.
void TLapGrid::EnterKey(bool Backward) {
    if (!Backward) {
        const std::string t = CellText(FCell.Col, FCell.Row);
        // A fill folds the typed edit into its own record, so it comes first.
        if (AutoFill(t)) {
            FTyping.SetTyped(false);
            return;
        }
    }
    FinishTyping();
    const TRect& S = FCell.Selection;
    if (S.IsSingle()) {
        FCell.Row = Backward ? std::max(0, FCell.Row - 1) : std::min(FCell.Row + 1, FRowCount - 1);
        MoveCursor();
        return;
    }
    // The walk passes over hidden columns of the block: typing into a cell
    // nobody sees would change data unnoticed.
    auto visibleIn = [this](int from, int to, int step) {
        for (int c = from; step > 0 ? c <= to : c >= to; c += step)
            if (c >= 0 && c < ColCount() && Columns[c].Visible()) return c;
        return -1;
    };
    if (!Backward) {
        if (FCell.Row < S.Bottom && Columns[FCell.Col].Visible()) {
            ++FCell.Row;
        } else {
            int next = visibleIn(FCell.Col + 1, S.Right, 1);
            if (next < 0) next = visibleIn(S.Left, S.Right, 1); // wrap to the top-left
            FCell.Col = next < 0 ? S.Left : next;
            FCell.Row = S.Top;
        }
    } else {
        if (FCell.Row > S.Top && Columns[FCell.Col].Visible()) {
            --FCell.Row;
        } else {
            int prev = visibleIn(FCell.Col - 1, S.Left, -1);
            if (prev < 0) prev = visibleIn(S.Right, S.Left, -1); // wrap to the bottom-right
            FCell.Col = prev < 0 ? S.Right : prev;
            FCell.Row = S.Bottom;
        }
    }
    EndEdit();
    FTyping.ClearText();
    EnsureVisible(FCell.Col, FCell.Row);
    InvalidateCells();
    if (OnColRowChanged) OnColRowChanged(FCell.Col, FCell.Row);
}

// ---- typing ----

void TLapGrid::KeyPress(const std::string& Chars) {
    for (std::size_t i = 0; i < Chars.size();) {
        const std::size_t n = text::CharLength(Chars, i);
        TypeChar(Chars.substr(i, n));
        i += n;
    }
}

void TLapGrid::TypeChar(const std::string& Char) {
    if (KeysBlocked() || FReadOnly) return;
    const auto first = static_cast<unsigned char>(Char[0]);
    if (Char.size() == 1 && first == static_cast<unsigned char>(KeyBackspace)) {
        FTyping.SetTyped(true);
        EndEdit();
        FTyping.EraseLastChar();
        WriteTyped(btDelete);
        return;
    }
    if (first < 32) return;
    // A lead byte without its trail byte is half a character: never typed.
    if (Char.size() == 1 && text::IsLeadByte(first)) return;
    FTyping.SetTyped(true);
    bool Allowed = true;
    if (OnFilterChar) OnFilterChar(false, FCell.Col, FCell.Row, Char, Allowed);
    if (!Allowed) return;
    EndEdit();
    FTyping.Append(Char);
    WriteTyped(btEdit);
}

// Writes the typed text into the current cell. The edit's record is opened only
// by a key that changes the cell: a pushed record, even one dropped later,
// would discard the redo steps, could push the oldest undo step out of a full
// buffer and leaves the sheet marked as changed.
void TLapGrid::WriteTyped(TBufferType typ) {
    if (!FTyping.PendingEdit() && !Columns[FCell.Col].ReadOnly &&
        CellText(FCell.Col, FCell.Row) != FTyping.TypedText())
        OpenEditRecord(typ);
    WriteCell(FCell.Col, FCell.Row, true, FTyping.TypedText());
    ShowTypingCaret();
}

void TLapGrid::ShowTypingCaret() {
    EnsureVisible(FCell.Col, FCell.Row);
    const TPoint p = RedrawCell(FCell.Col, FCell.Row, true);
    if (!FHost) return;
    FHost->SetCaretPos(p.X, p.Y);
    if (!FCaretVisible) FHost->ShowCaret();
    FCaretVisible = true;
}

// ---- focus and input method ----

void TLapGrid::FocusIn() {
    if (FHost) FHost->CreateCaret(1, FDefRowHeight - 2);
    FCaretVisible = false;
    InvalidateCells();
}

void TLapGrid::FocusOut(bool ToEditor) {
    if (!ToEditor) {
        CommitEdit();
        EndEdit();
    }
    if (FHost) FHost->DestroyCaret();
    FCaretVisible = false;
    if (!FEditorOpen) InvalidateCells();
}

TRect TLapGrid::CompositionRect() const {
    TRect r = ToClient(CellRect(FCell.Col, FCell.Row));
    return TRect{r.Left + 2, r.Top + 2, r.Right + 14, r.Bottom - 2};
}

void TLapGrid::ImeStartComposition() {
    if (!FHost) return;
    const TRect r = CompositionRect();
    FHost->SetImeComposition(r, TPoint{r.Left, r.Top}, Font());
}

// ---- text from another program ----

bool TLapGrid::CellInput(const std::string& Text, int Moves) {
    // A global atom's name holds at most 255 bytes.
    const std::string text = text::CutToBytes(Text, 255);
    if (FHost && !FHost->OwnerAcceptsInput()) return false;
    if (!FEnabled || FCell.Col < 0 || FCell.Row < 0 || FCell.Col >= ColCount()) return false;
    if (!FColumnPolicy.Has(FCell.Col, cfCellInput)) return false;
    if (Columns[FCell.Col].ReadOnly) return false;
    if (!Columns[FCell.Col].Visible()) return false;

    CommitEdit();
    EndEdit();
    const int col = FCell.Col, row = FCell.Row;
    const std::string old = CellText(col, row);
    FTyping.SetText(text);
    WriteCell(col, row, true, text);
    if (CellText(col, row) != text) {
        // The OnCellChanging handler refused the text. Nothing may be
        // recorded: a redo would write the refused text after all.
        FTyping.ClearText();
        return false;
    }
    // Recorded even when the text was already there, as the sender asked
    // for an entry.
    if (TUndoBufferList* undo = CurrentUndo(); undo && col < RecordedCols) {
        TUndoBuffer* R = undo->Push(btEdit, TRect{col, row, col, row});
        R->OldTexts[static_cast<std::size_t>(col)].push_back(old);
        R->NewTexts[static_cast<std::size_t>(col)].push_back(text);
    }
    if (OnCellChange) OnCellChange(FCell.Col, FCell.Row, btEdit);
    if (OnCellAssignment) OnCellAssignment(FCell.Col, FCell.Row);
    FTyping.SetTyped(false);

    if (Moves < 0) return true;
    // The sender picks the count; a walk never needs more presses than it
    // has cells to visit, so a huge count must not hang the window.
    long long presses = static_cast<long long>(Moves) + 1;
    if (!FCell.Selection.IsSingle()) {
        // From the first press on the block walk repeats after visiting
        // every cell of the block's visible columns once.
        long long cols = 0;
        for (int c = std::max(0, FCell.Selection.Left);
             c <= FCell.Selection.Right && c < ColCount(); ++c)
            if (Columns[c].Visible()) ++cols;
        const long long period =
            std::max(1LL, cols) * (FCell.Selection.Bottom - FCell.Selection.Top + 1);
        presses = 1 + (presses - 1) % period;
    } else {
        presses = std::min<long long>(presses, FRowCount + 1);
    }
    for (long long i = 0; i < presses; ++i)
        KeyDown(VK_RETURN, 0);
    return true;
}
