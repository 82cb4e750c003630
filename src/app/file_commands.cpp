#include "app/file_commands.h"

#include "app/splits_drop.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "text/codepage.h"

namespace {

constexpr const char* SaveQuestion = "Data has been edited. Save?";
constexpr const char* SaveQuestionTitle = "Cnfm";
constexpr const char* OverwriteTitle = "Cnfm";

std::string FolderOf(const std::string& Path) {
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? std::string() : Path.substr(0, slash);
}

std::string BaseName(const std::string& Path) {
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

} // namespace

void TFileCommands::ShowNewProject() {
    FSession.NewProject();
    FDoc.Reset({}, Project()->Title, {});
    ChangesSettled();
    Changed();
}

bool TFileCommands::MayOverwrite() {
    const TFileIdentity now = IdentityOf(FDoc.SaveFileName);
    // A file that is gone has nothing to lose.
    if (now.Size < 0 || now == FDoc.Identity) return true;
    return FPort.CautiousOkCancel("\"" + text::ToCodePage(BaseName(FDoc.SaveFileName)) +
                                      "\" was changed by another program since it was opened. "
                                      "Overwrite it?",
                                  OverwriteTitle);
}

bool TFileCommands::ConfirmSave() {
    if (!FDoc.Unsaved()) return true;
    switch (FPort.YesNoCancel(SaveQuestion, SaveQuestionTitle)) {
    case TAnswer::Yes:
        return SaveProject();
    case TAnswer::No:
        return true;
    case TAnswer::Cancel:
        break;
    }
    return false;
}

bool TFileCommands::SaveProject() {
    if (!FDoc.HasFileName) return SaveProjectAs();
    if (!MayOverwrite()) return false;
    // The flags and the undo history go only once the file is written: a
    // failed save keeps everything that tells the user there is work to save.
    const std::string file = FDoc.SaveFileName;
    if (!Guard([&] { Project()->SaveToFile(file); })) return false;
    FDoc.Reset(FDoc.OpenFileName, file, IdentityOf(file));
    ClearUndoBuffers();
    ChangesSettled();
    Changed();
    return true;
}

bool TFileCommands::SaveProjectAs() {
    TFileDialog d = file_dialogs::SaveProject();
    d.FileName = FDoc.SaveFileName;
    d.InitialDir = FolderOf(FDoc.OpenFileName);
    if (!FPort.ChooseSaveFile(d)) return false;
    if (!Guard([&] { Project()->SaveToFile(d.FileName); })) return false;
    FDoc.Reset(d.FileName, d.FileName, IdentityOf(d.FileName));
    ClearUndoBuffers();
    ChangesSettled();
    Changed();
    return true;
}

bool TFileCommands::ReplaceProject(const std::string& FileName) {
    // Taken first: a write by another program while it is read then counts
    // as a change since it was opened.
    const TFileIdentity identity = IdentityOf(FileName);
    // The session reads the whole file before it lets the open project go.
    if (!Guard([&] { FSession.OpenProject(FileName); })) return false;
    FDoc.Reset(FileName, FileName, identity);
    ChangesSettled();
    EvaluateAllRows();
    Changed();
    FocusGrid();
    return true;
}

void TFileCommands::ClearUndoBuffers() {
    Grid().ClearUndoBuffers();
}

void TFileCommands::NewProjectClick() {
    SettleEdit();
    if (!ConfirmSave()) return;
    ShowNewProject();
}

void TFileCommands::OpenProjectClick() {
    SettleEdit();
    if (!ConfirmSave()) return;
    TFileDialog d = file_dialogs::OpenProject();
    d.FileName = FDoc.OpenFileName;
    if (!FPort.ChooseOpenFile(d)) return;
    ReplaceProject(d.FileName);
}

void TFileCommands::OverWriteClick() {
    SettleEdit();
    SaveProject();
}

void TFileCommands::SavePrjectClick() {
    SettleEdit();
    SaveProjectAs();
}

void TFileCommands::SheetToFileClick() {
    SettleEdit();
    if (Grid().RowCount() == 0) return;
    TFileDialog d = file_dialogs::SaveSheetText();
    if (!FPort.ChooseSaveFile(d)) return;
    Guard([&] { Project()->ExportToFile(d.FileName); });
}

bool TFileCommands::AppExitClick() {
    SettleEdit();
    return ConfirmSave();
}

bool TFileCommands::DropFiles(const std::vector<std::string>& Files) {
    SettleEdit();
    if (Project() && AddSplitsSheets(*Project(), Files, DefaultSettings(), FPort) > 0) {
        SheetAdded();
        return false;
    }
    if (Files.size() != 1 || !Files[0].ends_with(ProjectExtension)) return false;
    if (!ConfirmSave()) return false;
    return ReplaceProject(Files[0]);
}
