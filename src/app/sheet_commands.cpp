#include "app/sheet_commands.h"

#include "app/session.h"

#include "grid/lap_grid.h"

namespace {

constexpr const char* MakeDefaultQuestion = "Make this sheet's settings the new default?";
constexpr const char* ConfirmCaption = "Cnfm";
constexpr const char* DeleteQuestion = "Delete the current sheet?";
constexpr const char* DeleteQuestionTitle = "Delete Sheet";
constexpr const char* RenameQuestion = "Change this sheet's name?";
constexpr const char* RenameQuestionTitle = "Confirm ";
constexpr const char* DuplicateName = "A sheet already has that name.";
constexpr const char* DuplicateNameTitle = "Cnfm";

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

// ---- the menu ----

void TSheetCommands::AddSheetClick() {
    SettleEdit();
    if (Guard([this] { Project()->AddNewSheet(); })) SheetAdded();
}

void TSheetCommands::FileToSheetClick() {
    SettleEdit();
    TFileDialog d = file_dialogs::OpenSheetText();
    if (!FPort.ChooseOpenFile(d)) return;
    bool added = false;
    Guard([&] { added = Project()->AddSheetFromFile(d.FileName, SheetNameOfFile(d.FileName)); });
    if (added) SheetAdded();
}

void TSheetCommands::AddFromClipBoardClick() {
    SettleEdit();
    bool added = false;
    Guard([&] { added = Project()->AddSheetFromClipboard(); });
    if (added) SheetAdded();
}

void TSheetCommands::CopySheetClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (Guard([this] { Project()->CopyCurrentSheet(); })) SheetAdded();
}

void TSheetCommands::DeleteSheetClick() {
    SettleEdit();
    if (Project()->SheetCount() == 0) return;
    if (!FPort.OkCancel(DeleteQuestion, DeleteQuestionTitle)) return;
    Project()->DeleteSheet(Project()->CurrentIndex);
    FDoc.SheetChange = true;
    Changed();
}

void TSheetCommands::SheetSortClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (SortSheets(*Project(), FPort)) FDoc.SheetChange = true;
    Changed();
}

void TSheetCommands::SheetConfigClick(int Tag) {
    SettleEdit();
    if (Tag == 1) {
        EditDefaultSettings(FEnv.DefaultSettings, FPort);
        return;
    }
    if (!HasSheet() || !CustomizeSheet(*Project(), FPort)) return;
    FDoc.SheetChange = true;
    Changed();
}

void TSheetCommands::CopyThisToDefClick() {
    SettleEdit();
    if (!HasSheet() || !MakeDefault(*Project(), FEnv.DefaultSettings, FPort)) return;
    SetSheetChange(true);
}

bool TSheetCommands::AppSettingClick() {
    SettleEdit();
    if (!EditApplicationSettings(FEnv.Env, Grid(), FPort)) return false;
    Changed();
    return true;
}

void TSheetCommands::SelectSheetClick(int Index) {
    SettleEdit();
    Project()->SelectSheet(Index, true);
    Changed();
}

std::string TSheetCommands::RenameSheet(const std::string& Text) {
    if (FEnv.Env.TitlesLocked || !HasSheet()) return Text;
    TLaptimeProject& p = *Project();
    SheetSelector& list = FSession.Selector();
    const std::string current = list.Item(p.CurrentIndex);
    if (Text.empty() || Text == current) return current;
    if (FEnv.Env.ConfirmRename == 1 && !FPort.OkCancel(RenameQuestion, RenameQuestionTitle))
        return current;
    for (int i = 0; i < list.Count(); ++i)
        if (list.Item(i) == Text) {
            FPort.Inform(DuplicateName, DuplicateNameTitle);
            return Text;
        }
    p.RenameCurrentSheet(Text);
    list.SetItem(p.CurrentIndex, Text);
    // The undo buffers know nothing of names, so DataChange alone would be
    // cleared by the next undo and the new name lost without a question.
    FDoc.SheetChange = true;
    FDoc.DataChange = true;
    Changed();
    return Text;
}

std::string TSheetCommands::SelectorLeft(const std::string& Text) const {
    const TLaptimeProject* p = FSession.Project();
    if (!p || p->CurrentIndex < 0) return Text;
    return p->Sheets[static_cast<std::size_t>(p->CurrentIndex)].Name.str();
}

void TSheetCommands::TitleLockClick() {
    FEnv.Env.TitlesLocked = FEnv.Env.TitlesLocked ? 0 : 1;
    Changed();
}
