#include "app/now_best.h"

#include "grid/lap_grid.h"

#include <algorithm>

namespace {

constexpr int BestCol = 1;
constexpr int NowCol = 2;
constexpr int LastCol = 4; // the interval column

// Brackets a batch of writes; EndUpdate runs even when a handler throws.
struct UpdateScope {
    TLapGrid& g;
    explicit UpdateScope(TLapGrid& grid) : g(grid) { g.BeginUpdate(); }
    ~UpdateScope() { g.EndUpdate(); }
};

// Empties the Now, split and interval columns of every row, also any texts
// kept past the last row.
void EmptyTimeColumns(TLapGrid& g) {
    for (int c = NowCol; c <= std::min(LastCol, g.ColCount() - 1); ++c)
        g.Columns[c].Strings().clear();
}

void MoveToFirstNow(TLapGrid& g) {
    if (g.RowCount() == 0) return;
    g.SetCol(NowCol);
    g.SetRow(0);
}

} // namespace

namespace app {

bool CopyNowToBest(TLapGrid& Grid, const CellEvaluator& Evaluate) {
    Grid.CommitEdit();
    Grid.EndEdit();
    TUndoBufferList* undo = Grid.CurrentUndo();
    if (!undo || Grid.ColCount() <= NowCol) return false;
    const int rows = Grid.RowCount();
    TUndoBuffer* R = undo->Push(btCopyThisTime, TRect{BestCol, 0, NowCol, rows - 1});
    {
        UpdateScope scope(Grid);
        for (int r = 0; r < rows; ++r) {
            R->OldTexts[BestCol].push_back(Grid.Cells(BestCol, r));
            R->OldTexts[NowCol].push_back(Grid.Cells(NowCol, r));
            Grid.SetCells(BestCol, r, Grid.Cells(NowCol, r));
            Grid.SetCells(NowCol, r, std::string());
            R->NewTexts[BestCol].push_back(Grid.Cells(BestCol, r));
            R->NewTexts[NowCol].push_back(Grid.Cells(NowCol, r));
            if (Evaluate) Evaluate(BestCol, r);
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
    if (!undo || Grid.ColCount() <= NowCol) return false;
    const int rows = Grid.RowCount();
    bool anyNow = false;
    for (int r = 0; r < rows && !anyNow; ++r)
        anyNow = !Grid.CellText(NowCol, r).empty();
    if (!anyNow) return false;

    TUndoBuffer* R = undo->Push(btDeleteThisTime, TRect{NowCol, 0, NowCol, rows - 1});
    {
        UpdateScope scope(Grid);
        TTimeFormatList* formats = Grid.CurrentFormats();
        if (formats && formats->Count() < rows) formats->AddDefaults(rows - formats->Count());
        for (int r = 0; r < rows; ++r) {
            R->OldTexts[NowCol].push_back(Grid.CellText(NowCol, r));
            R->NewTexts[NowCol].emplace_back();
            if (formats) formats->Items(r) = tfNone;
        }
        EmptyTimeColumns(Grid);
    }
    if (Grid.OnCellChange) Grid.OnCellChange(-1, -1, btDeleteThisTime);
    MoveToFirstNow(Grid);
    Grid.ScrollToTop();
    return true;
}

} // namespace app
