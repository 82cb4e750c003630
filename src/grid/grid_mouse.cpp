// Mouse handling: what lies under the pointer and the cursor shown there,
// presses and drags that select cells, blocks, rows, columns or everything,
// column border drags, and the double click that opens the in-place editor.
#include "grid/grid_mouse.h"

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

void TGridMouse::SetCursor(TGridCursor C) {
    FCursor = C;
    if (G.FHost) G.FHost->SetCursor(C);
}

int TGridMouse::HitTest(int X, int Y) {
    const TGridLayout& L = G.FLayout;
    const int cx = X + L.ScrollX() - L.GutterW;
    const int cy = Y + L.ScrollY() - L.HeaderH;
    if (!G.FAutoColWidth) {
        for (int i = 1; i <= G.ColCount(); ++i) {
            const int e = G.ColLeft(i);
            if (e - 2 < cx && cx < e + 2 && Y <= L.HeaderH) {
                FResizeCol = i - 1;
                if (G.Columns[FResizeCol].CanResize) return TLapGrid::htBorder;
                break;
            }
        }
    }
    if (X < L.GutterW && Y < L.HeaderH) return TLapGrid::htCorner;
    if (X < L.GutterW && Y > L.HeaderH && cy < L.RowsHeight) return TLapGrid::htGutter;
    if (Y < L.HeaderH && X > L.GutterW && cx < L.ColsWidth) return TLapGrid::htHeader;
    if (X > L.GutterW && Y > L.HeaderH && cx < L.ColsWidth && cy < L.RowsHeight)
        return TLapGrid::htCells;
    return TLapGrid::htNothing;
}

bool TGridMouse::Press(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (!G.FEnabled) return false;
    const bool left = Button == mbLeft;
    switch (FCursor) {
    case crHSplit:
        if (left) PressBorder();
        break;
    case crCornerLeftTop:
        if (left) PressCorner();
        break;
    case crGutterRight:
        if (left) PressGutter(Shift, Y);
        break;
    case crHeaderDown:
        if (left) PressHeader(Shift, X);
        break;
    case crCellPlus:
        if (!PressCells(Button, X, Y)) return true;
        break;
    default:
        break;
    }
    TakeFocus();
    return true;
}

void TGridMouse::TakeFocus() {
    if (!G.FHost) return;
    if (G.FHost->EditorVisible()) {
        G.FHost->SetEditorFocus();
    } else {
        G.FHost->SetCapture();
        G.FHost->SetFocus();
    }
}

bool TGridMouse::PressBorder() {
    G.CommitEdit();
    G.EndEdit();
    FResizeLeft = G.ColLeft(FResizeCol);
    return true;
}

bool TGridMouse::PressCorner() {
    if (G.ColCount() == 0 || G.FRowCount == 0) return false;
    G.CommitEdit();
    G.EndEdit();
    // The first visible column: a hidden current cell would take typing unseen.
    auto m = TLapGrid::TCellMove::To(std::max(0, G.FirstVisibleCol()), 0,
                                     TLapGrid::TCellMove::scKeep);
    m.FarCol = G.ColCount() - 1;
    m.FarRow = G.FRowCount - 1;
    m.Selection = TRect{0, 0, G.ColCount() - 1, G.FRowCount - 1};
    G.MoveCurrentCell(m);
    return true;
}

bool TGridMouse::PressGutter(TShiftState Shift, int Y) {
    const int r = G.RowFromY(Y);
    if (r < 0 || G.ColCount() == 0) return false;
    G.CommitEdit();
    G.EndEdit();
    FDragIndex = r;
    auto m = TLapGrid::TCellMove::To(std::max(0, G.FirstVisibleCol()), r,
                                     TLapGrid::TCellMove::scKeep);
    m.FarCol = G.ColCount() - 1;
    m.Selection = TRect{0, r, G.ColCount() - 1, r};
    m.ForceRepaint = true;
    G.MoveCurrentCell(m);
    if (G.OnGutterClick) G.OnGutterClick(G.FCell.Row, mbLeft, Shift);
    return true;
}

bool TGridMouse::PressHeader(TShiftState Shift, int X) {
    const int c = G.ColFromX(X);
    if (c < 0 || G.FRowCount == 0) return false;
    G.CommitEdit();
    G.EndEdit();
    FDragIndex = c;
    auto m = TLapGrid::TCellMove::To(c, 0, TLapGrid::TCellMove::scKeep);
    m.FarRow = G.FRowCount - 1;
    m.Selection = TRect{c, 0, c, G.FRowCount - 1};
    m.ForceRepaint = true;
    G.MoveCurrentCell(m);
    if (G.OnHeaderClick) G.OnHeaderClick(G.FCell.Col, mbLeft, Shift);
    return true;
}

// Returns false when the press leaves the focus alone (a right press on a
// block, which stays for a context menu).
bool TGridMouse::PressCells(TMouseButton Button, int X, int Y) {
    if (G.ColCount() == 0 || G.FRowCount == 0) return true;
    TTypingState& typing = G.FTyping;
    const bool editing = typing.CellTyped() || G.FEditorOpen;
    if (editing) G.SettleEditRecord();
    typing.ClearText();
    const TPoint t = G.CellFromPoint(X, Y);
    // A click on the cell being typed into ends the typing too, so its
    // text is evaluated as a click elsewhere would have it; an open
    // editor stays and is evaluated when it closes.
    const bool moved = t.X != G.FCell.Col || t.Y != G.FCell.Row;
    const bool typedHere = typing.CellTyped() && !(G.FHost && G.FHost->EditorVisible());
    if (editing && (moved || typedHere) && G.OnCellAssignment) {
        G.OnCellAssignment(G.FCell.Col, G.FCell.Row);
        G.FEditorOpen = false;
        typing.SetTyped(false);
    }
    if (Button == mbRight && !G.FCell.Selection.IsSingle()) {
        typing.SetTyped(false);
        if (G.FHost) G.FHost->SetFocus();
        return false;
    }
    typing.SetTyped(false);
    G.MoveCurrentCell(TLapGrid::TCellMove::To(t.X, t.Y, TLapGrid::TCellMove::scTight));
    return true;
}

bool TGridMouse::Move(TShiftState Shift, int X, int Y) {
    if (!G.FEnabled) {
        SetCursor(crDefault);
        return false;
    }
    const bool dragging = (Shift & ssLeft) && G.FHost && G.FHost->HasCapture();
    if (!dragging) {
        SetCursor(CursorOfArea(HitTest(X, Y)));
        return true;
    }
    const bool editorShown = G.FHost->EditorVisible();
    if (!editorShown) G.FHost->SetFocus();
    switch (FCursor) {
    case crCellPlus:
        DragCells(editorShown, X, Y);
        break;
    case crGutterRight:
        DragRows(Y);
        break;
    case crHeaderDown:
        DragColumns(X);
        break;
    case crHSplit:
        DragBorder(X);
        break;
    default:
        break;
    }
    return true;
}

void TGridMouse::DragCells(bool EditorShown, int X, int Y) {
    if (EditorShown || G.ColCount() == 0 || G.FRowCount == 0) return;
    TCellCursor& cell = G.FCell;
    const TPoint t = G.CellFromPoint(X, Y);
    G.SetSelection(TRect{std::min(t.X, cell.Col), std::min(t.Y, cell.Row),
                         std::max(t.X, cell.Col), std::max(t.Y, cell.Row)});
    cell.FarCol = t.X;
    cell.FarRow = t.Y;
    G.EnsureVisible(t.X, t.Y, 0);
}

void TGridMouse::DragRows(int Y) {
    const int r = G.RowFromY(Y);
    if (r == -1 || r == FDragIndex) return;
    FDragIndex = r;
    G.FCell.FarRow = r;
    G.SetSelection(
        TRect{0, std::min(r, G.FCell.Row), G.ColCount() - 1, std::max(r, G.FCell.Row)}, true);
}

void TGridMouse::DragColumns(int X) {
    const int c = G.ColFromX(X);
    if (c == -1 || c == FDragIndex) return;
    FDragIndex = c;
    G.FCell.FarCol = c;
    G.SetSelection(
        TRect{std::min(c, G.FCell.Col), 0, std::max(c, G.FCell.Col), G.FRowCount - 1}, true);
}

// The pair of columns at a dragged border keeps its combined width under
// FitToWidth; otherwise only the column left of the border changes.
void TGridMouse::DragBorder(int X) {
    if (FResizeCol < 0 || FResizeCol >= G.ColCount()) return;
    const int gutterW = G.FLayout.GutterW;
    const int newW = std::max(5, G.FLayout.ScrollX() + X - FResizeLeft - gutterW);
    if (!G.FFitToWidth) {
        G.SetColWidthQuiet(FResizeCol, newW);
    } else {
        if (FResizeCol == G.ColCount() - 1) return;
        const int next = FResizeCol + 1;
        int S = 0;
        for (int i = 0; i < G.ColCount(); ++i)
            if (G.Columns[i].Visible()) S += G.Columns[i].Width();
        const int room = G.ClientWidth() - gutterW -
                         (S - G.Columns[FResizeCol].Width() - G.Columns[next].Width());
        if (room > 10) {
            G.SetColWidthQuiet(FResizeCol, newW);
            G.SetColWidthQuiet(next, room - newW);
        }
        if (G.Columns[next].Width() < 5) {
            G.SetColWidthQuiet(FResizeCol, room - 5);
            G.SetColWidthQuiet(next, 5);
        }
    }
    G.RecalcLayout();
    G.InvalidateRightOf(gutterW);
}

bool TGridMouse::Release() {
    if (!G.FHost || !G.FHost->HasCapture()) return false;
    G.FHost->ReleaseCapture();
    return true;
}

bool TGridMouse::DoubleClick(int X, int Y) {
    const TCellCursor& cell = G.FCell;
    if (!G.FEnabled || G.ColFromX(X) != cell.Col || G.RowFromY(Y) != cell.Row) return false;
    if (cell.Selection.Right > cell.Selection.Left && cell.Selection.Bottom > cell.Selection.Top)
        return false;
    G.OpenEditor();
    return true;
}

bool TGridMouse::Leave() {
    if (FCursor != crCornerLeftTop && FCursor != crGutterRight && FCursor != crHeaderDown &&
        FCursor != crHSplit)
        return false;
    SetCursor(crCellPlus);
    return true;
}
