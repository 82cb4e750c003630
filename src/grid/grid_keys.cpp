// Keyboard handling: the key tables, typing straight into the current cell
// with its caret, the settling of typed text, focus and the input method, and
// cell text sent by another program.
#include "grid/lap_grid.h"
#include "text/sjis.h"

#include <algorithm>

namespace {

bool SingleCell(const TRect& R) {
    return R.Left == R.Right && R.Top == R.Bottom;
}

} // namespace

bool TLapGrid::KeysBlocked() const {
    return !Enabled || ColCount() == 0 || FRowCount == 0;
}

// ---- key down ----

bool TLapGrid::KeyDown(int Key, TShiftState Shift) {
    if (KeysBlocked()) return false;
    // With every column hidden there is no column to go to: the current
    // cell and the far corner stay where they are rather than leave the grid.
    auto col = [this](int c) { return c < 0 ? FCol : c; };
    auto far = [this](int c) { return c < 0 ? FarCol : c; };

    if (Shift & ssCtrl) {
        switch (Key) {
        case VK_HOME:
            CommitEdit();
            FCol = col(FirstVisibleCol());
            FRow = 0;
            MoveCursor();
            return true;
        case VK_END:
            CommitEdit();
            FCol = col(LastVisibleCol());
            FRow = FRowCount - 1;
            MoveCursor();
            return true;
        case VK_C:
            CopyToClipboard();
            return true;
        case VK_X:
            if (!ReadOnly) CutToClipboard();
            return true;
        case VK_V:
            // Settled first, as the menu's Paste does: an edit left pending
            // below the paste record would go on typing over the pasted
            // text, and redo would then end in another text than undo began.
            if (!ReadOnly) {
                CommitEdit();
                PasteFromClipboard();
            }
            return true;
        default:
            return false;
        }
    }

    if (Shift & ssShift) {
        switch (Key) {
        case VK_LEFT:
            FarCol = far(std::max(PrevVisibleCol(FarCol), FirstVisibleCol()));
            ExtendSelection();
            return true;
        case VK_RIGHT:
            FarCol = far(std::min(NextVisibleCol(FarCol), LastVisibleCol()));
            ExtendSelection();
            return true;
        case VK_UP:
            FarRow = std::max(0, FarRow - 1);
            ExtendSelection();
            return true;
        case VK_DOWN:
            FarRow = std::min(FRowCount - 1, FarRow + 1);
            ExtendSelection();
            return true;
        case VK_RETURN:
            EnterKey(true);
            return true;
        default:
            return false;
        }
    }

    switch (Key) {
    case VK_LEFT:
        FinishTyping();
        FCol = col(std::max(PrevVisibleCol(FCol), FirstVisibleCol()));
        MoveCursor();
        return true;
    case VK_RIGHT:
        FinishTyping();
        FCol = col(std::min(NextVisibleCol(FCol), LastVisibleCol()));
        MoveCursor();
        return true;
    case VK_UP:
        FinishTyping();
        if (!AutoShrinkRow()) FRow = std::max(0, FRow - 1);
        MoveCursor();
        return true;
    case VK_DOWN:
        FinishTyping();
        if (!AutoGrowRow()) FRow = std::min(FRow + 1, FRowCount - 1);
        MoveCursor();
        return true;
    case VK_HOME:
        CommitEdit();
        FCol = col(FirstVisibleCol());
        MoveCursor();
        return true;
    case VK_END:
        CommitEdit();
        FCol = col(LastVisibleCol());
        MoveCursor();
        return true;
    case VK_PRIOR:
        CommitEdit();
        FRow = 0;
        MoveCursor();
        return true;
    case VK_NEXT:
        CommitEdit();
        FRow = FRowCount - 1;
        MoveCursor();
        return true;
    case VK_RETURN:
        EnterKey(false);
        return true;
    case VK_DELETE:
        if (TypedText.empty()) DeleteSelection();
        return true;
    default:
        return false;
    }
}

void TLapGrid::MoveCursor() {
    EndEdit();
    Updating = true;
    TypedText.clear();
    FarCol = FCol;
    FarRow = FRow;
    EnsureVisible(FCol, FRow);
    Updating = false;
    SetSelection(TRect{FCol, FRow, FCol, FRow});
    if (OnColRowChanged) OnColRowChanged(FCol, FRow);
}

void TLapGrid::ExtendSelection() {
    SetSelection(TRect{std::min(FarCol, FCol), std::min(FarRow, FRow), std::max(FarCol, FCol),
                       std::max(FarRow, FRow)});
    EnsureVisible(FarCol, FarRow);
}

void TLapGrid::FinishTyping() {
    // An in-place edit whose box a scroll has hidden ends here as well: left
    // pending, its record would later take the text of another cell.
    const bool editorLeft = EditorOpen && PendingEdit && !(Host && Host->EditorVisible());
    const bool edited = CellTyped || editorLeft;
    if (edited && OnCellAssignment) OnCellAssignment(FCol, FRow);
    if (edited) SettleEditRecord();
    if (editorLeft) EditorOpen = false;
    CellTyped = false;
}

// Enter and Shift+Enter: one row down (up), or a walk through the selected
// block in column order that keeps the block selected.
void TLapGrid::EnterKey(bool Backward) {
    if (!Backward) {
        const std::string t = CellText(FCol, FRow);
        // A fill folds the typed edit into its own record, so it comes first.
        if (AutoFill(t)) {
            CellTyped = false;
            return;
        }
    }
    FinishTyping();
    const TRect& S = Selection;
    if (SingleCell(S)) {
        FRow = Backward ? std::max(0, FRow - 1) : std::min(FRow + 1, FRowCount - 1);
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
        if (FRow < S.Bottom && Columns[FCol].Visible()) {
            ++FRow;
        } else {
            int next = visibleIn(FCol + 1, S.Right, 1);
            if (next < 0) next = visibleIn(S.Left, S.Right, 1); // wrap to the top-left
            FCol = next < 0 ? S.Left : next;
            FRow = S.Top;
        }
    } else {
        if (FRow > S.Top && Columns[FCol].Visible()) {
            --FRow;
        } else {
            int prev = visibleIn(FCol - 1, S.Left, -1);
            if (prev < 0) prev = visibleIn(S.Right, S.Left, -1); // wrap to the bottom-right
            FCol = prev < 0 ? S.Right : prev;
            FRow = S.Bottom;
        }
    }
    EndEdit();
    TypedText.clear();
    EnsureVisible(FCol, FRow);
    InvalidateCells();
    if (OnColRowChanged) OnColRowChanged(FCol, FRow);
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
    if (KeysBlocked() || ReadOnly) return;
    const auto first = static_cast<unsigned char>(Char[0]);
    if (Char.size() == 1 && first == static_cast<unsigned char>(KeyBackspace)) {
        CellTyped = true;
        EndEdit();
        TypedText = text::DropLastChar(TypedText);
        WriteTyped(btDelete);
        return;
    }
    if (first < 32) return;
    // A lead byte without its trail byte is half a character: never typed.
    if (Char.size() == 1 && text::IsLeadByte(first)) return;
    CellTyped = true;
    bool Allowed = true;
    if (OnFilterChar) OnFilterChar(false, FCol, FRow, Char, Allowed);
    if (!Allowed) return;
    EndEdit();
    TypedText += Char;
    WriteTyped(btEdit);
}

// Writes TypedText into the current cell. The edit's record is opened only
// by a key that changes the cell: a pushed record, even one dropped later,
// would discard the redo steps, could push the oldest undo step out of a full
// buffer and leaves the sheet marked as changed.
void TLapGrid::WriteTyped(TBufferType typ) {
    if (!PendingEdit && !Columns[FCol].ReadOnly && CellText(FCol, FRow) != TypedText)
        OpenEditRecord(typ);
    WriteCell(FCol, FRow, true, TypedText);
    ShowTypingCaret();
}

void TLapGrid::ShowTypingCaret() {
    EnsureVisible(FCol, FRow);
    const TPoint p = RedrawCell(FCol, FRow, true);
    if (!Host) return;
    Host->SetCaretPos(p.X, p.Y);
    if (!CaretVisible) Host->ShowCaret();
    CaretVisible = true;
}

// ---- focus and input method ----

void TLapGrid::FocusIn() {
    if (Host) Host->CreateCaret(1, DefRowHeight - 2);
    CaretVisible = false;
    InvalidateCells();
}

void TLapGrid::FocusOut(bool ToEditor) {
    if (!ToEditor) {
        CommitEdit();
        EndEdit();
    }
    if (Host) Host->DestroyCaret();
    CaretVisible = false;
    if (!EditorOpen) InvalidateCells();
}

TRect TLapGrid::CompositionRect() const {
    TRect r = ToClient(CellRect(FCol, FRow));
    return TRect{r.Left + 2, r.Top + 2, r.Right + 14, r.Bottom - 2};
}

void TLapGrid::ImeStartComposition() {
    if (!Host) return;
    const TRect r = CompositionRect();
    Host->SetImeComposition(r, TPoint{r.Left, r.Top}, Font());
}

// ---- text from another program ----

bool TLapGrid::CellInput(const std::string& Text, int Moves) {
    // A global atom's name holds at most 255 bytes.
    const std::string text = text::CutToBytes(Text, 255);
    if (Host && !Host->OwnerAcceptsInput()) return false;
    if (!Enabled || FCol < 0 || FRow < 0 || FCol >= ColCount()) return false;
    if (FCol == 0 || FCol == 3 || FCol == 4) return false;
    if (Columns[FCol].ReadOnly) return false;
    if ((FCol == 1 || FCol == 2) && !Columns[FCol].Visible()) return false;

    CommitEdit();
    EndEdit();
    TUndoBufferList* undo = CurrentUndo();
    if (undo && FCol < 5) { // records hold columns 0 .. 4
        TUndoBuffer* R = undo->Push(btEdit, TRect{FCol, FRow, FCol, FRow});
        R->OldTexts[static_cast<std::size_t>(FCol)].push_back(CellText(FCol, FRow));
        R->NewTexts[static_cast<std::size_t>(FCol)].push_back(text);
    }
    TypedText = text;
    WriteCell(FCol, FRow, true, text);
    if (OnCellChange) OnCellChange(FCol, FRow, btEdit);
    if (OnCellAssignment) OnCellAssignment(FCol, FRow);
    CellTyped = false;

    if (Moves < 0) return true;
    // The sender picks the count; a walk never needs more presses than it
    // has cells to visit, so a huge count must not hang the window.
    long long presses = static_cast<long long>(Moves) + 1;
    if (!SingleCell(Selection)) {
        // From the first press on the block walk repeats after visiting
        // every cell of the block's visible columns once.
        long long cols = 0;
        for (int c = std::max(0, Selection.Left); c <= Selection.Right && c < ColCount(); ++c)
            if (Columns[c].Visible()) ++cols;
        const long long period = std::max(1LL, cols) * (Selection.Bottom - Selection.Top + 1);
        presses = 1 + (presses - 1) % period;
    } else {
        presses = std::min<long long>(presses, FRowCount + 1);
    }
    for (long long i = 0; i < presses; ++i)
        KeyDown(VK_RETURN, 0);
    return true;
}
