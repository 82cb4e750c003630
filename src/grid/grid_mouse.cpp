// Mouse handling: what lies under the pointer and the cursor shown there,
// presses and drags that select cells, blocks, rows, columns or everything,
// column border drags, and the double click that opens the in-place editor.
#include "grid/lap_grid.h"

#include <algorithm>

namespace {

TGridCursor CursorOfArea(int Area) {
    switch (Area) {
    case TLapGrid::htCorner:
        return crCornerLeftTop;
    case TLapGrid::htGutter:
        return crGutterRight;
    case TLapGrid::htHeader:
        return crHeaderDown;
    case TLapGrid::htCells:
        return crCellPlus;
    case TLapGrid::htBorder:
        return crHSplit;
    default:
        return crDefault;
    }
}

} // namespace

void TLapGrid::SetGridCursor(TGridCursor C) {
    FCursor = C;
    if (FHost) FHost->SetCursor(C);
}

int TLapGrid::HitTest(int X, int Y) {
    const int cx = X + FLayout.ScrollX() - FLayout.GutterW;
    const int cy = Y + FLayout.ScrollY() - FLayout.HeaderH;
    if (!FAutoColWidth) {
        for (int i = 1; i <= ColCount(); ++i) {
            const int e = ColLeft(i);
            if (e - 2 < cx && cx < e + 2 && Y <= FLayout.HeaderH) {
                FResizeCol = i - 1;
                if (Columns[FResizeCol].CanResize) return htBorder;
                break;
            }
        }
    }
    if (X < FLayout.GutterW && Y < FLayout.HeaderH) return htCorner;
    if (X < FLayout.GutterW && Y > FLayout.HeaderH && cy < FLayout.RowsHeight) return htGutter;
    if (Y < FLayout.HeaderH && X > FLayout.GutterW && cx < FLayout.ColsWidth) return htHeader;
    if (X > FLayout.GutterW && Y > FLayout.HeaderH && cx < FLayout.ColsWidth &&
        cy < FLayout.RowsHeight)
        return htCells;
    return htNothing;
}

void TLapGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!FEnabled) return;
    const bool left = Button == mbLeft;
    switch (FCursor) {
    case crHSplit:
        if (!left) break;
        CommitEdit();
        EndEdit();
        FResizeLeft = ColLeft(FResizeCol);
        break;
    case crCornerLeftTop:
        if (!left || ColCount() == 0 || FRowCount == 0) break;
        CommitEdit();
        EndEdit();
        {
            // The first visible column: a hidden current cell would take typing unseen.
            TCellMove m = TCellMove::To(std::max(0, FirstVisibleCol()), 0, TCellMove::scKeep);
            m.FarCol = ColCount() - 1;
            m.FarRow = FRowCount - 1;
            m.Selection = TRect{0, 0, ColCount() - 1, FRowCount - 1};
            MoveCurrentCell(m);
        }
        break;
    case crGutterRight: {
        if (!left) break;
        const int r = RowFromY(Y);
        if (r < 0 || ColCount() == 0) break;
        CommitEdit();
        EndEdit();
        FDragIndex = r;
        {
            TCellMove m = TCellMove::To(std::max(0, FirstVisibleCol()), r, TCellMove::scKeep);
            m.FarCol = ColCount() - 1;
            m.Selection = TRect{0, r, ColCount() - 1, r};
            m.ForceRepaint = true;
            MoveCurrentCell(m);
        }
        if (OnGutterClick) OnGutterClick(FCell.Row, Button, Shift);
        break;
    }
    case crHeaderDown: {
        if (!left) break;
        const int c = ColFromX(X);
        if (c < 0 || FRowCount == 0) break;
        CommitEdit();
        EndEdit();
        FDragIndex = c;
        {
            TCellMove m = TCellMove::To(c, 0, TCellMove::scKeep);
            m.FarRow = FRowCount - 1;
            m.Selection = TRect{c, 0, c, FRowCount - 1};
            m.ForceRepaint = true;
            MoveCurrentCell(m);
        }
        if (OnHeaderClick) OnHeaderClick(FCell.Col, Button, Shift);
        break;
    }
    case crCellPlus: {
        if (ColCount() == 0 || FRowCount == 0) break;
        const bool editing = FTyping.CellTyped() || FEditorOpen;
        if (editing) SettleEditRecord();
        FTyping.ClearText();
        const TPoint t = CellFromPoint(X, Y);
        // A click on the cell being typed into ends the typing too, so its
        // text is evaluated as a click elsewhere would have it; an open
        // editor stays and is evaluated when it closes.
        const bool moved = t.X != FCell.Col || t.Y != FCell.Row;
        const bool typedHere = FTyping.CellTyped() && !(FHost && FHost->EditorVisible());
        if (editing && (moved || typedHere) && OnCellAssignment) {
            OnCellAssignment(FCell.Col, FCell.Row);
            FEditorOpen = false;
            FTyping.SetTyped(false);
        }
        if (Button == mbRight && !FCell.Selection.IsSingle()) {
            // The block stays for a context menu.
            FTyping.SetTyped(false);
            if (FHost) FHost->SetFocus();
            return;
        }
        FTyping.SetTyped(false);
        MoveCurrentCell(TCellMove::To(t.X, t.Y, TCellMove::scTight));
        break;
    }
    default:
        break;
    }
    if (!FHost) return;
    if (FHost->EditorVisible()) {
        FHost->SetEditorFocus();
    } else {
        FHost->SetCapture();
        FHost->SetFocus();
    }
}

void TLapGrid::MouseMove(TShiftState Shift, int X, int Y) {
    if (!FEnabled) {
        SetGridCursor(crDefault);
        return;
    }
    const bool dragging = (Shift & ssLeft) && FHost && FHost->HasCapture();
    if (!dragging) {
        SetGridCursor(CursorOfArea(HitTest(X, Y)));
        return;
    }
    const bool editorShown = FHost->EditorVisible();
    if (!editorShown) FHost->SetFocus();
    switch (FCursor) {
    case crCellPlus: {
        if (editorShown || ColCount() == 0 || FRowCount == 0) break;
        const TPoint t = CellFromPoint(X, Y);
        SetSelection(TRect{std::min(t.X, FCell.Col), std::min(t.Y, FCell.Row),
                           std::max(t.X, FCell.Col), std::max(t.Y, FCell.Row)});
        FCell.FarCol = t.X;
        FCell.FarRow = t.Y;
        EnsureVisible(t.X, t.Y, 0);
        break;
    }
    case crGutterRight: {
        const int r = RowFromY(Y);
        if (r == -1 || r == FDragIndex) break;
        FDragIndex = r;
        FCell.FarRow = r;
        SetSelection(TRect{0, std::min(r, FCell.Row), ColCount() - 1, std::max(r, FCell.Row)},
                     true);
        break;
    }
    case crHeaderDown: {
        const int c = ColFromX(X);
        if (c == -1 || c == FDragIndex) break;
        FDragIndex = c;
        FCell.FarCol = c;
        SetSelection(TRect{std::min(c, FCell.Col), 0, std::max(c, FCell.Col), FRowCount - 1}, true);
        break;
    }
    case crHSplit:
        BorderDrag(X);
        break;
    default:
        break;
    }
}

// The pair of columns at a dragged border keeps its combined width under
// FitToWidth; otherwise only the column left of the border changes.
void TLapGrid::BorderDrag(int X) {
    if (FResizeCol < 0 || FResizeCol >= ColCount()) return;
    const int newW = std::max(5, FLayout.ScrollX() + X - FResizeLeft - FLayout.GutterW);
    if (!FFitToWidth) {
        SetColWidthQuiet(FResizeCol, newW);
    } else {
        if (FResizeCol == ColCount() - 1) return;
        const int next = FResizeCol + 1;
        int S = 0;
        for (int i = 0; i < ColCount(); ++i)
            if (Columns[i].Visible()) S += Columns[i].Width();
        const int room = ClientWidth() - FLayout.GutterW -
                         (S - Columns[FResizeCol].Width() - Columns[next].Width());
        if (room > 10) {
            SetColWidthQuiet(FResizeCol, newW);
            SetColWidthQuiet(next, room - newW);
        }
        if (Columns[next].Width() < 5) {
            SetColWidthQuiet(FResizeCol, room - 5);
            SetColWidthQuiet(next, 5);
        }
    }
    RecalcLayout();
    InvalidateRightOf(FLayout.GutterW);
}

void TLapGrid::MouseUp(TMouseButton, TShiftState, int, int) {
    if (FHost && FHost->HasCapture()) FHost->ReleaseCapture();
}

void TLapGrid::DblClick(int X, int Y) {
    if (!FEnabled || ColFromX(X) != FCell.Col || RowFromY(Y) != FCell.Row) return;
    if (FCell.Selection.Right > FCell.Selection.Left &&
        FCell.Selection.Bottom > FCell.Selection.Top)
        return;
    OpenEditor();
}

void TLapGrid::MouseLeave() {
    if (FCursor == crCornerLeftTop || FCursor == crGutterRight || FCursor == crHeaderDown ||
        FCursor == crHSplit)
        SetGridCursor(crCellPlus);
}
