// TGridMouse: the grid's pointer handling beside it. It knows what lies
// under the pointer and the cursor shown there, what a press selects, how a
// drag extends the selection or moves a column border, and what a double
// click opens. Each entry point answers whether it took the event.
#pragma once

#include "grid/grid_host.h"
#include "grid/keys.h"
#include "grid/lap_types.h"

class TLapGrid;

class TGridMouse {
  public:
    explicit TGridMouse(TLapGrid& G) : G(G) {}

    // The area under a client point (a TLapGrid::THitArea); sets ResizeCol
    // over a column border.
    int HitTest(int X, int Y);
    bool Press(TMouseButton Button, TShiftState Shift, int X, int Y);
    bool Move(TShiftState Shift, int X, int Y);
    bool Release();
    bool DoubleClick(int X, int Y);
    bool Leave();

    // The column whose right border was last found in the header.
    int ResizeCol() const { return FResizeCol; }
    // The cursor now shown; it also decides what a press does.
    TGridCursor Cursor() const { return FCursor; }

  private:
    bool PressBorder();
    bool PressCorner();
    bool PressGutter(TShiftState Shift, int Y);
    bool PressHeader(TShiftState Shift, int X);
    bool PressCells(TMouseButton Button, int X, int Y);
    void TakeFocus();
    void DragCells(bool EditorShown, int X, int Y);
    void DragRows(int Y);
    void DragColumns(int X);
    void DragBorder(int X);
    void SetCursor(TGridCursor C);

    TLapGrid& G;
    TGridCursor FCursor = crCellPlus;
    int FResizeCol = -1;  // column whose right border was last found in the header
    int FResizeLeft = -1; // content x of FResizeCol's left edge during a border drag
    int FDragIndex = 0;   // last row (gutter drag) or column (header drag) reached
};
