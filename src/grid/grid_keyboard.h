// TGridKeys: the grid's key-down handling beside it: the clipboard
// shortcuts, Enter and its walk through a selected block, the Delete key and
// the keys that move the current cell or extend the selection. KeyDown
// answers whether it took the key.
#pragma once

#include "grid/keys.h"

class TLapGrid;

class TGridKeys {
  public:
    explicit TGridKeys(TLapGrid& G) : G(G) {}

    bool KeyDown(int Key, TShiftState Shift);

  private:
    bool ClipboardKey(int Key);
    bool CursorKey(int Key, TShiftState Shift);
    void Enter(bool Backward);
    void WalkBlock(bool Backward);
    int VisibleIn(int From, int To, int Step) const;

    TLapGrid& G;
};
