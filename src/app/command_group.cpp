#include "app/command_group.h"

#include "grid/lap_grid.h"
#include "model/laptime_project.h"

#include <exception>
#include <new>

TCommandGroup::TCommandGroup(TCommandContext& Context)
    : FContext(Context), FClip(Context.Clip), FEnv(Context.Env), FPort(Context.Port),
      FSession(Context.Session), FDoc(Context.Doc), FClipHasText(Context.ClipHasText),
      FKeeper(Context.Keeper) {}

void TCommandGroup::SettleEdit() {
    Grid().CommitEdit();
    Grid().EndEdit();
}

void TCommandGroup::SetSheetChange(bool v) {
    FDoc.SheetChange = v;
    Changed();
}

bool TCommandGroup::HasSheet() {
    return Project() && Project()->CurrentSheet();
}

void TCommandGroup::SheetAdded() {
    Grid().SetEnabled(true);
    FSession.Selector().SetEnabled(true);
    FDoc.SheetChange = true;
    Changed();
    FocusGrid();
}

void TCommandGroup::ChangesSettled() {
    if (FKeeper) FKeeper->Remove();
}

bool TCommandGroup::Guard(const std::function<void()>& F) {
    try {
        F();
        return true;
    } catch (const std::bad_alloc&) {
        FPort.Error("Not enough memory to finish the command.");
    } catch (const std::exception& e) {
        FPort.Error(e.what());
    }
    return false;
}
