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
    if (Host) Host->SetCursor(C);
}

int TLapGrid::HitTest(int X, int Y) {
    const int cx = X + ScrollX - GutterW;
    const int cy = Y + ScrollY - HeaderH;
    if (!FAutoColWidth) {
        for (int i = 1; i <= ColCount(); ++i) {
            const int e = ColLeft(i);
            if (e - 2 < cx && cx < e + 2 && Y <= HeaderH) {
                ResizeCol = i - 1;
                if (Columns[ResizeCol].CanResize) return htBorder;
                break;
            }
        }
    }
    if (X < GutterW && Y < HeaderH) return htCorner;
    if (X < GutterW && Y > HeaderH && cy < RowsHeight) return htGutter;
    if (Y < HeaderH && X > GutterW && cx < ColsWidth) return htHeader;
    if (X > GutterW && Y > HeaderH && cx < ColsWidth && cy < RowsHeight) return htCells;
    return htNothing;
}

void TLapGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!Enabled) return;
    const bool left = Button == mbLeft;
    switch (FCursor) {
    case crHSplit:
        if (!left) break;
        CommitEdit();
        EndEdit();
        ResizeLeft = ColLeft(ResizeCol);
        break;
    case crCornerLeftTop:
        if (!left || ColCount() == 0 || FRowCount == 0) break;
        CommitEdit();
        EndEdit();
        FRow = 0;
        FCol = 0;
        TypedText.clear();
        EnsureVisible(0, 0);
        FarCol = ColCount() - 1;
        FarRow = FRowCount - 1;
        SetSelection(TRect{0, 0, ColCount() - 1, FRowCount - 1});
        if (OnColRowChanged) OnColRowChanged(FCol, FRow);
        break;
    case crGutterRight: {
        if (!left) break;
        const int r = RowFromY(Y);
        if (r < 0 || ColCount() == 0) break;
        CommitEdit();
        EndEdit();
        FRow = r;
        FCol = 0;
        DragIndex = FRow;
        TypedText.clear();
        EnsureVisible(FCol, FRow);
        FarCol = ColCount() - 1;
        FarRow = FRow;
        SetSelection(TRect{0, FRow, ColCount() - 1, FRow}, true);
        if (OnColRowChanged) OnColRowChanged(FCol, FRow);
        if (OnGutterClick) OnGutterClick(FRow, Button, Shift);
        break;
    }
    case crHeaderDown: {
        if (!left) break;
        const int c = ColFromX(X);
        if (c < 0 || FRowCount == 0) break;
        CommitEdit();
        EndEdit();
        FCol = c;
        FRow = 0;
        DragIndex = FCol;
        TypedText.clear();
        EnsureVisible(FCol, FRow);
        FarCol = FCol;
        FarRow = FRowCount - 1;
        SetSelection(TRect{FCol, 0, FCol, FRowCount - 1}, true);
        if (OnColRowChanged) OnColRowChanged(FCol, FRow);
        if (OnHeaderClick) OnHeaderClick(FCol, Button, Shift);
        break;
    }
    case crCellPlus: {
        if (ColCount() == 0 || FRowCount == 0) break;
        const bool editing = CellTyped || EditorOpen;
        if (editing) SettleEditRecord();
        TypedText.clear();
        const TPoint t = CellFromPoint(X, Y);
        if (editing && (t.X != FCol || t.Y != FRow) && OnCellAssignment) {
            OnCellAssignment(FCol, FRow);
            EditorOpen = false;
            CellTyped = false;
        }
        if (Button == mbRight &&
            (Selection.Left != Selection.Right || Selection.Top != Selection.Bottom)) {
            // The block stays for a context menu.
            CellTyped = false;
            if (Host) Host->SetFocus();
            return;
        }
        EnsureVisible(t.X, t.Y, 0);
        FCol = t.X;
        FRow = t.Y;
        TypedText.clear();
        FarCol = t.X;
        FarRow = t.Y;
        SetSelection(TRect{FCol, FRow, FCol, FRow});
        CellTyped = false;
        if (OnColRowChanged) OnColRowChanged(FCol, FRow);
        break;
    }
    default:
        break;
    }
    if (!Host) return;
    if (Host->EditorVisible()) {
        Host->SetEditorFocus();
    } else {
        Host->SetCapture();
        Host->SetFocus();
    }
}

void TLapGrid::MouseMove(TShiftState Shift, int X, int Y) {
    if (!Enabled) {
        SetGridCursor(crDefault);
        return;
    }
    const bool dragging = (Shift & ssLeft) && Host && Host->HasCapture();
    if (!dragging) {
        SetGridCursor(CursorOfArea(HitTest(X, Y)));
        return;
    }
    const bool editorShown = Host->EditorVisible();
    if (!editorShown) Host->SetFocus();
    switch (FCursor) {
    case crCellPlus: {
        if (editorShown || ColCount() == 0 || FRowCount == 0) break;
        const TPoint t = CellFromPoint(X, Y);
        SetSelection(TRect{std::min(t.X, FCol), std::min(t.Y, FRow), std::max(t.X, FCol),
                           std::max(t.Y, FRow)});
        FarCol = t.X;
        FarRow = t.Y;
        EnsureVisible(t.X, t.Y, 0);
        break;
    }
    case crGutterRight: {
        const int r = RowFromY(Y);
        if (r == -1 || r == DragIndex) break;
        DragIndex = r;
        FarRow = r;
        SetSelection(TRect{0, std::min(r, FRow), ColCount() - 1, std::max(r, FRow)}, true);
        break;
    }
    case crHeaderDown: {
        const int c = ColFromX(X);
        if (c == -1 || c == DragIndex) break;
        DragIndex = c;
        FarCol = c;
        SetSelection(TRect{std::min(c, FCol), 0, std::max(c, FCol), FRowCount - 1}, true);
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
    if (ResizeCol < 0 || ResizeCol >= ColCount()) return;
    const int newW = std::max(5, ScrollX + X - ResizeLeft - GutterW);
    if (!FFitToWidth) {
        SetColWidthQuiet(ResizeCol, newW);
    } else {
        if (ResizeCol == ColCount() - 1) return;
        const int next = ResizeCol + 1;
        int S = 0;
        for (int i = 0; i < ColCount(); ++i)
            if (Columns[i].Visible()) S += Columns[i].Width();
        const int room =
            ClientWidth() - GutterW - (S - Columns[ResizeCol].Width() - Columns[next].Width());
        if (room > 10) {
            SetColWidthQuiet(ResizeCol, newW);
            SetColWidthQuiet(next, room - newW);
        }
        if (Columns[next].Width() < 5) {
            SetColWidthQuiet(ResizeCol, room - 5);
            SetColWidthQuiet(next, 5);
        }
    }
    RecalcLayout();
    InvalidateRightOf(GutterW);
}

void TLapGrid::MouseUp(TMouseButton, TShiftState, int, int) {
    if (Host && Host->HasCapture()) Host->ReleaseCapture();
}

void TLapGrid::DblClick(int X, int Y) {
    if (!Enabled || ColFromX(X) != FCol || RowFromY(Y) != FRow) return;
    if (Selection.Right > Selection.Left && Selection.Bottom > Selection.Top) return;
    OpenEditor();
}

void TLapGrid::MouseLeave() {
    if (FCursor == crCornerLeftTop || FCursor == crGutterRight || FCursor == crHeaderDown ||
        FCursor == crHSplit)
        SetGridCursor(crCellPlus);
}
