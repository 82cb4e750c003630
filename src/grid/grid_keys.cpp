// Keyboard handling besides the key table (grid_keyboard.cpp): typing
// straight into the current cell with its caret, the settling of typed text,
// focus and the input method, and cell text sent by another program.
#include "grid/cell_input.h"
#include "grid/lap_grid.h"
#include "text/sjis.h"

#include <algorithm>

bool TLapGrid::KeysBlocked() const {
    return !FEnabled || ColCount() == 0 || FRowCount == 0;
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

namespace {

// The Enter presses that follow a cell entry from another program. The
// sender picks the count; a walk never needs more presses than it has cells
// to visit, so a huge count must not hang the window.
long long EntryPresses(const TLapGrid& G, int Moves) {
    long long presses = static_cast<long long>(Moves) + 1;
    const TRect& sel = G.Selection();
    if (sel.IsSingle())
        return std::min<long long>(presses, G.RowCount() + 1);
    // From the first press on the block walk repeats after visiting every
    // cell of the block's visible columns once.
    long long cols = 0;
    for (int c = std::max(0, sel.Left); c <= sel.Right && c < G.ColCount(); ++c)
        if (G.Columns[c].Visible()) ++cols;
    const long long period = std::max(1LL, cols) * (sel.Bottom - sel.Top + 1);
    return 1 + (presses - 1) % period;
}

} // namespace

bool TLapGrid::CellInput(const std::string& Text, int Moves) {
    const std::string text = CutCellInput(Text);
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
    const long long presses = EntryPresses(*this, Moves);
    for (long long i = 0; i < presses; ++i)
        KeyDown(VK_RETURN, 0);
    return true;
}
