// The cell edit in progress: opening its undo record and settling it.
#include "grid/lap_grid.h"

TUndoBuffer* TLapGrid::OpenEditRecord(TBufferType typ) {
    if (FTyping.PendingEdit()) return FTyping.PendingEdit();
    TUndoBufferList* undo = CurrentUndo();
    if (!undo || FCell.Col < 0 || FCell.Col >= RecordedCols || FCell.Row < 0 ||
        FCell.Row >= FRowCount)
        return nullptr;
    TUndoBuffer* R = undo->Push(typ, TRect{FCell.Col, FCell.Row, FCell.Col, FCell.Row});
    R->OldTexts[static_cast<std::size_t>(FCell.Col)].push_back(CellText(FCell.Col, FCell.Row));
    FTyping.Open(R);
    return R;
}

void TLapGrid::CommitEdit() {
    if (!FTyping.PendingEdit()) return;
    SettleEditRecord(true);
    // Settled and evaluated here; the next key must not evaluate the cell
    // it lands on as if it had been typed into.
    FTyping.SetTyped(false);
    FTyping.ClearText();
    EndEdit();
}

void TLapGrid::DropRecord(TUndoBuffer* R) {
    // The record may lie in another sheet's buffer than the shown one.
    for (int i = 0; i < FUndoList.Count(); ++i)
        FUndoList.Items(i).DropRecord(R);
}

bool TLapGrid::SettleEditRecord(bool Assign) {
    // Taken first so that a handler settling the edit again finds nothing.
    TUndoBuffer* R = FTyping.Take();
    if (!R) return false;
    // The record names the edited cell; callers settle before moving, so it
    // is the current cell as well.
    const int col = R->Area.Left;
    const int row = R->Area.Top;
    const TStringList& old = R->OldTexts[static_cast<std::size_t>(col)];
    const bool inside = col < ColCount() && row < FRowCount;
    const std::string now = inside ? CellText(col, row) : std::string();
    if (inside && !old.empty() && old.front() != now) {
        R->NewTexts[static_cast<std::size_t>(col)].push_back(now);
        if (OnCellChange) OnCellChange(col, row, btEdit);
        if (Assign && OnCellAssignment) OnCellAssignment(col, row);
        return true;
    }
    DropRecord(R);
    return false;
}

void TLapGrid::PutCell(int ACol, int ARow, const std::string* Text) {
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= FRowCount) return;
    if (Text) SetCells(ACol, ARow, *Text);
    if (OnCellAssignment) OnCellAssignment(ACol, ARow);
}
