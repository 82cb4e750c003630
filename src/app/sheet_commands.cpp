#include "app/sheet_commands.h"

#include "app/session.h"

#include "grid/lap_grid.h"

namespace {

constexpr const char* MakeDefaultQuestion = "Make this sheet's settings the new default?";
constexpr const char* ConfirmCaption = "Cnfm";

} // namespace

bool CustomizeSheet(TLaptimeProject& Project, UserPort& Port) {
    TLaptimeSheet* sheet = Project.CurrentSheet();
    if (!sheet) return false;
    Project.StoreGridShapeToSheet();
    TLaptimeSheet work;
    CopySheetSettings(&work, sheet, false);
    // The stored defaults only matter to Save, which a sheet's dialog lacks.
    if (!Port.EditSheetSettings(work, false, *sheet)) return false;
    CopySheetSettings(sheet, &work, false);
    TLapGrid& grid = Project.Grid();
    TUpdateBatch batch(grid);
    Project.ApplySettingsToGrid(*sheet);
    Project.ResetCursor();
    return true;
}

bool EditDefaultSettings(TLaptimeSheet& Defaults, UserPort& Port) {
    TLaptimeSheet work;
    CopySheetSettings(&work, &Defaults, false);
    if (!Port.EditSheetSettings(work, true, Defaults)) return false;
    CopySheetSettings(&Defaults, &work, false);
    return true;
}

bool MakeDefault(const TLaptimeProject& Project, TLaptimeSheet& Defaults, UserPort& Port) {
    const TLaptimeSheet* sheet = Project.CurrentSheet();
    if (!sheet || !Port.OkCancel(MakeDefaultQuestion, ConfirmCaption)) return false;
    CopySheetSettings(&Defaults, sheet, false);
    return true;
}

bool EditApplicationSettings(TLapEnv& Env, TLapGrid& Grid, UserPort& Port) {
    TLapEnv work = Env;
    if (!Port.EditAppSettings(work)) return false;
    Env = work;
    ApplyEnvToGrid(Grid, Env);
    return true;
}

bool SortSheets(TLaptimeProject& Project, UserPort& Port) {
    const TLaptimeSheet* shown = Project.CurrentSheet();
    if (!shown) return false;
    const std::string name = shown->Name.str();
    Project.StoreGridToSheet();
    const bool moved = Port.SortSheets(Project);
    SheetSelector& selector = Project.Selector();
    selector.Clear();
    int index = -1;
    for (int i = 0; i < Project.SheetCount(); ++i) {
        const std::string item = Project.Sheets[static_cast<std::size_t>(i)].Name.str();
        selector.Add(item);
        if (index < 0 && item == name) index = i;
    }
    Project.SelectSheet(index, false);
    return moved;
}
