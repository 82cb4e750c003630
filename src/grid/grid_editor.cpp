// The in-place editor: an edit box over the current cell, opened by a double
// click, that writes every change straight through to the cell and is
// recorded as one btEdit undo record.
#include "grid/lap_grid.h"

void TLapGrid::EndEdit() {
    if (FCaretVisible) {
        if (FHost) FHost->HideCaret();
        FCaretVisible = false;
    }
    HideEdit();
}

void TLapGrid::HideEdit() {
    if (FHost && FHost->EditorVisible()) FHost->HideEditor();
}

void TLapGrid::OpenEditor() {
    if (FCell.Col < 0 || FCell.Row < 0 || FCell.Col >= ColCount() || FCell.Row >= FRowCount) return;
    EnsureVisible(FCell.Col, FCell.Row);
    if (FReadOnly || Columns[FCell.Col].ReadOnly) return;
    FEditorOpen = true;
    if (!FTyping.PendingEdit()) OpenEditRecord(btEdit);
    ShowEdit(FCell.Col, FCell.Row);
    if (FHost) FHost->SetEditorFocus();
}

TRect TLapGrid::EditorBounds(int ACol, int ARow) const {
    const TLapColumn& col = Columns[ACol];
    TRect r = ToClient(CellRect(ACol, ARow));
    if (col.HorzAlign() == haRight) r.Right += 1;
    r.Left += 4;
    r.Right -= 4;
    r.Top += 3;
    r.Bottom -= 3;
    const int left = r.Left - 2;
    const int top = col.VertAlign() == vaTop      ? r.Top - 1
                    : col.VertAlign() == vaBottom ? r.Top + 1
                                                  : r.Top;
    const int width = r.Right - r.Left + 4;
    const int height = r.Bottom - r.Top + 1;
    return TRect{left, top, left + width, top + height};
}

void TLapGrid::ShowEdit(int ACol, int ARow) {
    if (ACol < 0 || ACol >= ColCount() || ARow < 0) return;
    if (FCaretVisible) {
        if (FHost) FHost->HideCaret();
        FCaretVisible = false;
    }
    FInplace.EditCol = ACol;
    FInplace.EditRow = ARow;
    const TLapColumn& col = Columns[ACol];
    FInplace.Alignment = col.HorzAlign();
    TFont font = col.Font();
    font.Color = RGB(0, 0, 0);
    if (FHost) {
        FHost->ShowEditor(EditorBounds(ACol, ARow), CellText(ACol, ARow), font, EditorColor,
                          FInplace.Alignment);
    }
    InvalidateSelectionBox();
}

void TLapGrid::CloseEditor(bool Open) {
    FEditorOpen = Open;
    if (!Open) SettleEditRecord();
}

void TLapGrid::EditorChanged(const std::string& Text) {
    if (FInplace.EditCol >= ColCount() || FInplace.EditRow >= FRowCount) return;
    // A click on the cell settles the record but leaves the box open: the
    // next change starts a record of its own, or undo and redo would skip it.
    if (FEditorOpen && !FTyping.PendingEdit() && FInplace.EditCol == FCell.Col &&
        FInplace.EditRow == FCell.Row && !Columns[FCell.Col].ReadOnly &&
        CellText(FCell.Col, FCell.Row) != Text)
        OpenEditRecord(btEdit);
    WriteCell(FInplace.EditCol, FInplace.EditRow, true, Text);
}

bool TLapGrid::EditorKeyDown(int Key, TShiftState) {
    if (Key != VK_RETURN && Key != VK_ESCAPE) return false;
    HideEdit();
    CloseEditor(false);
    if (OnCellAssignment) OnCellAssignment(FCell.Col, FCell.Row);
    if (FHost) FHost->SetFocus();
    return true;
}

bool TLapGrid::EditorKeyPress(const std::string& Char) {
    bool Allowed = true;
    if (OnFilterChar) OnFilterChar(true, FInplace.EditCol, FInplace.EditRow, Char, Allowed);
    return Allowed || Char == std::string(1, KeyBackspace);
}
