// The grid's cursor as a value: the current cell, the far corner that
// Shift+arrows move, and the selection; and the pure answer to "where does
// this key move it". The grid applies the answer (settling the edit,
// scrolling, repainting, events).
#pragma once

#include "grid/keys.h"
#include "grid/lap_types.h"

#include <algorithm>
#include <vector>

struct TCellCursor {
    int Col = 0;
    int Row = 0;
    int FarCol = 0;
    int FarRow = 0;
    TRect Selection;
};

// Visible-column walks over Count columns; Visible(i) tells column i.
// First and Last give -1 when no column is visible; Next and Prev give I
// itself when there is none further.
namespace visible_cols {

template <class F> int First(int Count, F Visible) {
    for (int i = 0; i < Count; ++i)
        if (Visible(i)) return i;
    return -1;
}

template <class F> int Last(int Count, F Visible) {
    for (int i = Count - 1; i >= 0; --i)
        if (Visible(i)) return i;
    return -1;
}

template <class F> int Next(int Count, F Visible, int I) {
    if (Count < 1 || I >= Count) return I;
    for (int i = std::max(I + 1, 0); i < Count; ++i)
        if (Visible(i)) return i;
    return I;
}

template <class F> int Prev(int Count, F Visible, int I) {
    if (Count < 1 || I < 1) return I;
    for (int i = std::min(I - 1, Count - 1); i >= 0; --i)
        if (Visible(i)) return i;
    return I;
}

} // namespace visible_cols

// A navigation key's answer: a new current cell (Move) or a new far corner
// (Extend); None for keys that do not move the cursor.
struct TKeyMove {
    enum TKind { kmNone, kmMove, kmExtend };
    TKind Kind = kmNone;
    int Col = 0;
    int Row = 0;
    friend bool operator==(const TKeyMove&, const TKeyMove&) = default;
};

// Where Key with Shift moves the cursor over columns whose visibility
// Visible gives and RowCount rows. With every column hidden a column move
// keeps the column it had rather than leave the grid.
TKeyMove CursorKeyMove(const TCellCursor& C, const std::vector<bool>& Visible, int RowCount,
                       int Key, TShiftState Shift);
