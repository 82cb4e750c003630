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
    // With every column hidden there is no column to go to: the current
    // cell and the far corner stay where they are rather than leave the grid.
    auto col = [this](int c) { return c < 0 ? FCol : c; };
    auto far = [this](int c) { return c < 0 ? FFarCol : c; };

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
            return false;
        }
    }

    if (Shift & ssShift) {
        switch (Key) {
        case VK_LEFT:
            FFarCol = far(std::max(PrevVisibleCol(FFarCol), FirstVisibleCol()));
            ExtendSelection();
            return true;
        case VK_RIGHT:
            FFarCol = far(std::min(NextVisibleCol(FFarCol), LastVisibleCol()));
            ExtendSelection();
            return true;
        case VK_UP:
            FFarRow = std::max(0, FFarRow - 1);
            ExtendSelection();
            return true;
        case VK_DOWN:
            FFarRow = std::min(FRowCount - 1, FFarRow + 1);
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
        if (FTypedText.empty()) DeleteSelection();
        return true;
    default:
        return false;
    }
}

void TLapGrid::MoveCursor() {
    EndEdit();
    FTypedText.clear();
    FFarCol = FCol;
    FFarRow = FRow;
    {
        TRepaintHold hold(FUpdating);
        EnsureVisible(FCol, FRow);
    }
    SetSelection(TRect{FCol, FRow, FCol, FRow});
    if (OnColRowChanged) OnColRowChanged(FCol, FRow);
}

void TLapGrid::ExtendSelection() {
    SetSelection(TRect{std::min(FFarCol, FCol), std::min(FFarRow, FRow), std::max(FFarCol, FCol),
                       std::max(FFarRow, FRow)});
    EnsureVisible(FFarCol, FFarRow);
}

void TLapGrid::FinishTyping() {
    // An in-place edit whose box a scroll has hidden ends here as well: left
    // pending, its record would later take the text of another cell.
    const bool editorLeft = FEditorOpen && FPendingEdit && !(FHost && FHost->EditorVisible());
    const bool edited = FCellTyped || editorLeft;
    if (edited && OnCellAssignment) OnCellAssignment(FCol, FRow);
    if (edited) SettleEditRecord();
    if (editorLeft) FEditorOpen = false;
    FCellTyped = false;
}

// Enter and Shift+Enter: one row down (up), or a walk through the selected
// block in column order that keeps the block selected.
void TLapGrid::EnterKey(bool Backward) {
    if (!Backward) {
        const std::string t = CellText(FCol, FRow);
        // A fill folds the typed edit into its own record, so it comes first.
        if (AutoFill(t)) {
            FCellTyped = false;
            return;
        }
    }
    FinishTyping();
    const TRect& S = FSelection;
    if (S.IsSingle()) {
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
    FTypedText.clear();
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
    if (KeysBlocked() || FReadOnly) return;
    const auto first = static_cast<unsigned char>(Char[0]);
    if (Char.size() == 1 && first == static_cast<unsigned char>(KeyBackspace)) {
        FCellTyped = true;
        EndEdit();
        FTypedText = text::DropLastChar(FTypedText);
        WriteTyped(btDelete);
        return;
    }
    if (first < 32) return;
    // A lead byte without its trail byte is half a character: never typed.
    if (Char.size() == 1 && text::IsLeadByte(first)) return;
    FCellTyped = true;
    bool Allowed = true;
    if (OnFilterChar) OnFilterChar(false, FCol, FRow, Char, Allowed);
    if (!Allowed) return;
    EndEdit();
    FTypedText += Char;
    WriteTyped(btEdit);
}

// Writes FTypedText into the current cell. The edit's record is opened only
// by a key that changes the cell: a pushed record, even one dropped later,
// would discard the redo steps, could push the oldest undo step out of a full
// buffer and leaves the sheet marked as changed.
void TLapGrid::WriteTyped(TBufferType typ) {
    if (!FPendingEdit && !Columns[FCol].ReadOnly && CellText(FCol, FRow) != FTypedText)
        OpenEditRecord(typ);
    WriteCell(FCol, FRow, true, FTypedText);
    ShowTypingCaret();
}

void TLapGrid::ShowTypingCaret() {
    EnsureVisible(FCol, FRow);
    const TPoint p = RedrawCell(FCol, FRow, true);
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
    TRect r = ToClient(CellRect(FCol, FRow));
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
    if (!FEnabled || FCol < 0 || FRow < 0 || FCol >= ColCount()) return false;
    if (FCol == 0 || FCol == 3 || FCol == 4) return false;
    if (Columns[FCol].ReadOnly) return false;
    if ((FCol == 1 || FCol == 2) && !Columns[FCol].Visible()) return false;

    CommitEdit();
    EndEdit();
    TUndoBufferList* undo = CurrentUndo();
    if (undo && FCol < RecordedCols) {
        TUndoBuffer* R = undo->Push(btEdit, TRect{FCol, FRow, FCol, FRow});
        R->OldTexts[static_cast<std::size_t>(FCol)].push_back(CellText(FCol, FRow));
        R->NewTexts[static_cast<std::size_t>(FCol)].push_back(text);
    }
    FTypedText = text;
    WriteCell(FCol, FRow, true, text);
    if (OnCellChange) OnCellChange(FCol, FRow, btEdit);
    if (OnCellAssignment) OnCellAssignment(FCol, FRow);
    FCellTyped = false;

    if (Moves < 0) return true;
    // The sender picks the count; a walk never needs more presses than it
    // has cells to visit, so a huge count must not hang the window.
    long long presses = static_cast<long long>(Moves) + 1;
    if (!FSelection.IsSingle()) {
        // From the first press on the block walk repeats after visiting
        // every cell of the block's visible columns once.
        long long cols = 0;
        for (int c = std::max(0, FSelection.Left); c <= FSelection.Right && c < ColCount(); ++c)
            if (Columns[c].Visible()) ++cols;
        const long long period = std::max(1LL, cols) * (FSelection.Bottom - FSelection.Top + 1);
        presses = 1 + (presses - 1) % period;
    } else {
        presses = std::min<long long>(presses, FRowCount + 1);
    }
    for (long long i = 0; i < presses; ++i)
        KeyDown(VK_RETURN, 0);
    return true;
}
