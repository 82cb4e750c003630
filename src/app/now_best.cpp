#include "app/now_best.h"

#include "model/laptime_sheet.h"

#include "grid/lap_grid.h"

#include <algorithm>

namespace {

// Empties the Now, split and interval columns of every row, also any texts
// kept past the last row.
void EmptyTimeColumns(TLapGrid& g) {
    for (int c = colNow; c <= std::min<int>(colInterval, g.ColCount() - 1); ++c)
        g.Columns[c].Strings().clear();
}

void MoveToFirstNow(TLapGrid& g) {
    if (g.RowCount() == 0) return;
    g.SetCol(colNow);
    g.SetRow(0);
}

} // namespace

bool CopyNowToBest(TLapGrid& Grid, const CellEvaluator& Evaluate) {
    Grid.CommitEdit();
    Grid.EndEdit();
    TUndoBufferList* undo = Grid.CurrentUndo();
    if (!undo || Grid.ColCount() <= colNow) return false;
    const int rows = Grid.RowCount();
    TUndoBuffer* R = undo->Push(btCopyThisTime, TRect{colBest, 0, colNow, rows - 1});
    {
        TUpdateBatch batch(Grid);
        for (int r = 0; r < rows; ++r) {
            R->OldTexts[colBest].push_back(Grid.Cells(colBest, r));
            R->OldTexts[colNow].push_back(Grid.Cells(colNow, r));
            Grid.SetCells(colBest, r, Grid.Cells(colNow, r));
            Grid.SetCells(colNow, r, std::string());
            R->NewTexts[colBest].push_back(Grid.Cells(colBest, r));
            R->NewTexts[colNow].push_back(Grid.Cells(colNow, r));
            if (Evaluate) Evaluate(colBest, r);
        }
        EmptyTimeColumns(Grid);
    }
    if (Grid.OnCellChange) Grid.OnCellChange(-1, -1, btCopyThisTime);
    MoveToFirstNow(Grid);
    return true;
}

bool ClearNow(TLapGrid& Grid) {
    Grid.CommitEdit();
    Grid.EndEdit();
    TUndoBufferList* undo = Grid.CurrentUndo();
    if (!undo || Grid.ColCount() <= colNow) return false;
    const int rows = Grid.RowCount();
    bool anyNow = false;
    for (int r = 0; r < rows && !anyNow; ++r)
        anyNow = !Grid.CellText(colNow, r).empty();
    if (!anyNow) return false;

    TUndoBuffer* R = undo->Push(btDeleteThisTime, TRect{colNow, 0, colNow, rows - 1});
    {
        TUpdateBatch batch(Grid);
        TTimeFormatList* formats = Grid.CurrentFormats();
        if (formats && formats->Count() < rows) formats->AddDefaults(rows - formats->Count());
        for (int r = 0; r < rows; ++r) {
            R->OldTexts[colNow].push_back(Grid.CellText(colNow, r));
            R->NewTexts[colNow].emplace_back();
            if (formats) formats->Items(r) = tfNone;
        }
        EmptyTimeColumns(Grid);
    }
    if (Grid.OnCellChange) Grid.OnCellChange(-1, -1, btDeleteThisTime);
    MoveToFirstNow(Grid);
    Grid.ScrollToTop();
    return true;
}
