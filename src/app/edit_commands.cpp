#include "app/edit_commands.h"

#include "app/now_best.h"
#include "app/remote_message.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "model/laptime_project.h"

void TEditCommands::UndoClick() {
    if (!HasSheet()) return;
    if (TUndoBufferList* undo = Grid().CurrentUndo()) undo->Undo();
    FDoc.FollowUndo(Grid());
    Changed();
}

void TEditCommands::RedoClick() {
    if (!HasSheet()) return;
    if (TUndoBufferList* undo = Grid().CurrentUndo()) undo->Redo();
    FDoc.FollowUndo(Grid());
    Changed();
}

bool TEditCommands::EditClick(TEditAction Action, TFocusField Focus) {
    SettleEdit();
    if (Focus != TFocusField::Grid) return true;
    if (!HasSheet()) return false;
    TLapGrid& g = Grid();
    switch (Action) {
    case TEditAction::Cut:
        g.CutToClipboard();
        break;
    case TEditAction::Copy:
        g.CopyToClipboard();
        break;
    case TEditAction::Paste:
        if (!FClipHasText) return false;
        g.PasteFromClipboard();
        break;
    // The grid's own Delete key, so the clearing is recorded as the key does.
    case TEditAction::Clear:
        g.KeyDown(VK_DELETE, 0);
        break;
    }
    FDoc.FollowUndo(g);
    Changed();
    return false;
}

void TEditCommands::SelAllCellClick() {
    SettleEdit();
    TLapGrid& g = Grid();
    if (!HasSheet() || g.RowCount() == 0 || g.ColCount() == 0) return;
    g.SetSelection(TRect{0, 0, g.ColCount() - 1, g.RowCount() - 1});
}

void TEditCommands::AddLineClick() {
    SettleEdit();
    if (!HasSheet()) return;
    Grid().AddRow(true);
    Changed();
}

void TEditCommands::InsertLineClick() {
    SettleEdit();
    if (!HasSheet()) return;
    TLapGrid& g = Grid();
    if (g.RowCount() > 0)
        g.InsertRows(g.Selection().Top, g.Selection().Bottom, true);
    else
        g.AddRow(true);
    Changed();
}

void TEditCommands::DeleteLineClick() {
    SettleEdit();
    TLapGrid& g = Grid();
    if (!HasSheet() || g.RowCount() == 0) return;
    g.DeleteRows(g.Selection().Top, g.Selection().Bottom, true);
    Changed();
}

void TEditCommands::CopyNowToBestClick() {
    SettleEdit();
    if (!HasSheet()) return;
    TTimeEvaluator& e = FSession.Evaluator();
    if (!CopyNowToBest(Grid(), [&e](int Col, int Row) { e.GridCellAssignment(Col, Row); })) return;
    FDoc.FollowUndo(Grid());
    Changed();
}

void TEditCommands::ClearNowClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (!ClearNow(Grid())) return;
    FDoc.FollowUndo(Grid());
    Changed();
}

void TEditCommands::CellInputCommand(std::string_view Utf8, int Moves) {
    if (!HasSheet()) return;
    Grid().CellInput(CellInputText(Utf8), Moves);
}

void TEditCommands::GridCellChange() {
    if (!Project()) return;
    // Every recorded change the grid reports was pushed on the shown sheet's
    // buffer, so the rule of the commands holds here too.
    if (Grid().CurrentUndo()) FDoc.FollowUndo(Grid());
    Changed();
}
