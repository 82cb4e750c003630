// The cell edit in progress: opening its undo record and settling it.
#include "grid/lap_grid.h"

TUndoBuffer* TLapGrid::OpenEditRecord(TBufferType typ) {
    if (FPendingEdit) return FPendingEdit;
    TUndoBufferList* undo = CurrentUndo();
    if (!undo || FCol < 0 || FCol >= RecordedCols || FRow < 0 || FRow >= FRowCount) return nullptr;
    TUndoBuffer* R = undo->Push(typ, TRect{FCol, FRow, FCol, FRow});
    R->OldTexts[static_cast<std::size_t>(FCol)].push_back(CellText(FCol, FRow));
    FPendingEdit = R;
    return R;
}

void TLapGrid::CommitEdit() {
    if (!FPendingEdit) return;
    SettleEditRecord(true);
    // Settled and evaluated here; the next key must not evaluate the cell
    // it lands on as if it had been typed into.
    FCellTyped = false;
    FTypedText.clear();
    EndEdit();
}

bool TLapGrid::SettleEditRecord(bool Assign) {
    TUndoBuffer* R = FPendingEdit;
    if (!R) return false;
    // Cleared first so that a handler settling the edit again finds nothing.
    FPendingEdit = nullptr;
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
    for (int i = 0; i < FUndoList.Count(); ++i)
        FUndoList.Items(i).DropRecord(R);
    return false;
}
