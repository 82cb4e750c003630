// The two sheet-wide commands that close a run: Copy Now>Best makes the
// current run the new best, Clear Now empties the current times. Both act on
// the sheet the grid shows and record their own undo record.
#pragma once

#include <functional>

class TLapGrid;

// Evaluates the row of a written cell (the window's cell-assignment handler).
using CellEvaluator = std::function<void(int Col, int Row)>;

// Settles the edit in progress, then moves every row's Now text (column 2)
// into Best (column 1), evaluating each row for column 1, and empties the Now,
// split and interval columns. One btCopyThisTime record; OnCellChange fires
// with that kind; the current cell becomes column 2, row 0. Returns false,
// doing nothing more, when the grid shows no sheet. The caller then sets its
// data-changed flag from the grid's IsAnyModified.
bool CopyNowToBest(TLapGrid& Grid, const CellEvaluator& Evaluate);

// Settles the edit in progress, then empties the Now, split and interval
// columns and resets every split result, with one btDeleteThisTime record;
// OnCellChange fires with that kind, the current cell becomes column 2, row 0
// and the grid scrolls back to its first row. Returns false, recording
// nothing, when no sheet is shown or every Now cell is already empty.
bool ClearNow(TLapGrid& Grid);
