#include "app/commands.h"

#include "grid/clipboard.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_project.h"

#include <ctime>
#include <exception>
#include <new>

namespace {

constexpr const char* RecoverTitle = "Recover";
constexpr std::size_t LastFileChars = 511;

} // namespace

TLapCommands::TLapCommands(TLapGrid& Grid, SheetSelector& Selector, Clipboard& Clip,
                           TLapEnvFile& Env, UserPort& Port)
    : FEnv(Env), FPort(Port), FHost(Clip, Env, Port, [this] { Changed(); }),
      FSession(Grid, Selector, FHost), FContext{Clip,
                                                Env,
                                                Port,
                                                FSession,
                                                FDoc,
                                                FClipHasText,
                                                FKeeper,
                                                [this] { Changed(); },
                                                [this] { FocusGrid(); }},
      FFile(FContext), FSheets(FContext), FEdit(FContext), FView(FContext) {
    Grid.OnCellChange = [this](int, int, TBufferType) { GridCellChange(); };
    FClipHasText = Clip.HasText();
}

TLapCommands::~TLapCommands() {
    Grid().OnCellChange = nullptr;
    // The worker finishes a begun write before the project goes.
    FKeeper.reset();
}

// ---- state ----

void TLapCommands::Changed() {
    if (FKeeper) FKeeper->Changed(FDoc.Unsaved());
    if (OnChange) OnChange();
}

void TLapCommands::FocusGrid() {
    if (OnFocusGrid) OnFocusGrid();
}

std::string TLapCommands::Caption() const {
    return WindowCaption(FHost.Title(), FDoc.SheetChange, FDoc.DataChange);
}

void TLapCommands::SetDataChange(bool v) {
    FDoc.DataChange = v;
    Changed();
}

void TLapCommands::SetClipHasText(bool v) {
    FClipHasText = v;
}

TMenuState TLapCommands::MenuState() {
    TMenuState state = ComputeMenuState(Project(), Grid(), FClipHasText);
    state.Checked = CheckStatesOf(FEnv.Env);
    return state;
}

// ---- start and end ----

bool TLapCommands::IsStartProjectArgument(const std::vector<std::string>& Args) {
    return Args.size() == 1 && Args[0].ends_with(ProjectExtension) && FileExists(Args[0]);
}

void TLapCommands::Start(const std::vector<std::string>& Args) {
    if (FKeeper && OfferRecovery()) return;
    std::string file;
    if (IsStartProjectArgument(Args))
        file = Args[0];
    else if (FEnv.Env.ReopenLast == 1 && FileExists(FEnv.Env.LastFile.str()))
        file = FEnv.Env.LastFile.str();
    if (!file.empty() && ReplaceProject(file)) return;
    ShowNewProject();
}

bool TLapCommands::CloseQuery() {
    // A typed time not yet settled would otherwise be lost without a question.
    SettleEdit();
    return ConfirmSave();
}

void TLapCommands::PrepareExit() {
    std::string last = FDoc.OpenFileName;
    if (last.size() > LastFileChars) last.clear(); // a cut path would name another file
    FEnv.Env.LastFile.assign(last);
}

void TLapCommands::Closed() {
    ChangesSettled();
    if (FKeeper) FKeeper->Flush();
}

bool TLapCommands::SnapshotNow() {
    SettleEdit();
    return !FKeeper || FKeeper->UpToDateNow(FDoc.Unsaved());
}

bool TLapCommands::CommitData(bool Interactive) {
    if (Interactive) return CloseQuery();
    return SnapshotNow();
}

// ---- recovery ----

void TLapCommands::EnableRecovery(TRecoveryStore& Store, RecoveryPort& Port) {
    FKeeper = std::make_unique<TRecoveryKeeper>(
        Store, Port, [this] { return TakeSnapshot(); },
        [this](const std::string& Reason) { SnapshotFailed(Reason); });
}

TSnapshot TLapCommands::TakeSnapshot() {
    TSnapshot s;
    s.Bytes = Project()->FileImage();
    s.Record.Source = FDoc.HasFileName ? FDoc.SaveFileName : std::string();
    s.Record.Time = static_cast<std::int64_t>(std::time(nullptr));
    s.Record.Identity = FDoc.Identity;
    return s;
}

void TLapCommands::SnapshotFailed(const std::string& Reason) {
    // Once a run: the next change tries again without a word.
    if (FSnapshotFailureShown) return;
    FSnapshotFailureShown = true;
    FPort.Error("Unsaved changes cannot be kept for recovery in \"" + FKeeper->Store().Folder() +
                "\": " + Reason + "\nSegmark tries again on the next change.");
}

bool TLapCommands::OfferRecovery() {
    TRecoveryStore& store = FKeeper->Store();
    if (!store.HasSnapshot()) {
        // A record alone is a first write cut short: there is nothing to offer.
        if (FileExists(store.RecordPath())) store.Remove();
        return false;
    }
    const auto discard = [&](const std::string& Why) {
        std::string moved;
        try {
            moved = store.Discard();
        } catch (const EFileError& e) {
            FPort.Error(Why + "\n" + e.what());
            return;
        }
        if (!Why.empty()) FPort.Error(Why + "\nIt was moved to \"" + moved + "\".");
    };
    TRecoveryRecord record;
    try {
        record = store.ReadRecord();
    } catch (const EFileError& e) {
        discard(std::string("The recovery snapshot cannot be used: ") + e.what());
        return false;
    }
    if (!FPort.YesNo(RecoverQuestion(record, std::time(nullptr)), RecoverTitle)) {
        discard({});
        return false;
    }
    // Read with the project reader's checks, like any project file.
    try {
        FSession.OpenProject(store.SnapshotPath());
    } catch (const std::bad_alloc&) {
        discard("Not enough memory to restore the recovery snapshot.");
        return false;
    } catch (const std::exception& e) {
        discard(std::string("The recovery snapshot cannot be used: ") + e.what());
        return false;
    }
    Project()->Retitle(record.Source);
    FDoc.Reset(record.Source, record.Source.empty() ? Project()->Title : record.Source,
               record.Identity);
    // Restored changes are unsaved changes, whatever the undo buffers say.
    FDoc.SheetChange = true;
    FKeeper->Adopt();
    EvaluateAllRows();
    Changed();
    FocusGrid();
    return true;
}

void TLapCommands::EvaluateAllRows() {
    FSession.EvaluateAllRows();
}

// ---- File ----

// ---- Sheets ----

// ---- sheet selector ----

// ---- Edit and Tools ----

// ---- View ----

// ---- ProjectHost ----

// ---- the groups' commands ----

void TLapCommands::SetSheetChange(bool v) {
    FFile.SetSheetChange(v);
}
void TLapCommands::SettleEdit() {
    FFile.SettleEdit();
}
void TLapCommands::ShowNewProject() {
    FFile.ShowNewProject();
}
void TLapCommands::ChangesSettled() {
    FFile.ChangesSettled();
}
bool TLapCommands::ConfirmSave() {
    return FFile.ConfirmSave();
}
bool TLapCommands::SaveProject() {
    return FFile.SaveProject();
}
bool TLapCommands::SaveProjectAs() {
    return FFile.SaveProjectAs();
}
bool TLapCommands::ReplaceProject(const std::string& FileName) {
    return FFile.ReplaceProject(FileName);
}
void TLapCommands::NewProjectClick() {
    FFile.NewProjectClick();
}
void TLapCommands::OpenProjectClick() {
    FFile.OpenProjectClick();
}
void TLapCommands::OverWriteClick() {
    FFile.OverWriteClick();
}
void TLapCommands::SavePrjectClick() {
    FFile.SavePrjectClick();
}
void TLapCommands::SheetToFileClick() {
    FFile.SheetToFileClick();
}
bool TLapCommands::AppExitClick() {
    return FFile.AppExitClick();
}
bool TLapCommands::DropFiles(const std::vector<std::string>& Files) {
    return FFile.DropFiles(Files);
}

void TLapCommands::AddSheetClick() {
    FSheets.AddSheetClick();
}
void TLapCommands::FileToSheetClick() {
    FSheets.FileToSheetClick();
}
void TLapCommands::AddFromClipBoardClick() {
    FSheets.AddFromClipBoardClick();
}
void TLapCommands::CopySheetClick() {
    FSheets.CopySheetClick();
}
void TLapCommands::DeleteSheetClick() {
    FSheets.DeleteSheetClick();
}
void TLapCommands::SheetSortClick() {
    FSheets.SheetSortClick();
}
void TLapCommands::SheetConfigClick(int Tag) {
    FSheets.SheetConfigClick(Tag);
}
void TLapCommands::CopyThisToDefClick() {
    FSheets.CopyThisToDefClick();
}
bool TLapCommands::AppSettingClick() {
    return FSheets.AppSettingClick();
}
void TLapCommands::SelectSheetClick(int Index) {
    FSheets.SelectSheetClick(Index);
}
std::string TLapCommands::RenameSheet(const std::string& Text) {
    return FSheets.RenameSheet(Text);
}
std::string TLapCommands::SelectorLeft(const std::string& Text) const {
    return FSheets.SelectorLeft(Text);
}
void TLapCommands::TitleLockClick() {
    FSheets.TitleLockClick();
}

void TLapCommands::UndoClick() {
    FEdit.UndoClick();
}
void TLapCommands::RedoClick() {
    FEdit.RedoClick();
}
bool TLapCommands::EditClick(TEditAction Action, TFocusField Focus) {
    return FEdit.EditClick(Action, Focus);
}
void TLapCommands::SelAllCellClick() {
    FEdit.SelAllCellClick();
}
void TLapCommands::AddLineClick() {
    FEdit.AddLineClick();
}
void TLapCommands::InsertLineClick() {
    FEdit.InsertLineClick();
}
void TLapCommands::DeleteLineClick() {
    FEdit.DeleteLineClick();
}
void TLapCommands::CopyNowToBestClick() {
    FEdit.CopyNowToBestClick();
}
void TLapCommands::ClearNowClick() {
    FEdit.ClearNowClick();
}
void TLapCommands::GridCellChange() {
    FEdit.GridCellChange();
}
void TLapCommands::CellInputCommand(std::string_view Utf8, int Moves) {
    FEdit.CellInputCommand(Utf8, Moves);
}

void TLapCommands::SetZ(int Mode) {
    FView.SetZ(Mode);
}
void TLapCommands::CanNotResizeMoveClick() {
    FView.CanNotResizeMoveClick();
}
void TLapCommands::TitleBarPosClick(int Pos) {
    FView.TitleBarPosClick(Pos);
}
void TLapCommands::ShowToolButtonClick() {
    FView.ShowToolButtonClick();
}
void TLapCommands::ShowMemoClick() {
    FView.ShowMemoClick();
}
void TLapCommands::MemoPosClick(int Pos) {
    FView.MemoPosClick(Pos);
}
void TLapCommands::ShowHeaderClick(bool Checked) {
    FView.ShowHeaderClick(Checked);
}

// ---- the model's questions and settings ----

TCommandsHost::TCommandsHost(Clipboard& Clip, TLapEnvFile& Env, UserPort& Port,
                             std::function<void()> TitleChanged)
    : FClip(Clip), FEnv(Env), FPort(Port), FTitleChanged(std::move(TitleChanged)) {}

void TCommandsHost::SetTitle(const std::string& v) {
    FTitle = v;
    FTitleChanged();
}

bool TCommandsHost::AskOkCancel(const std::string& Text, const std::string& Caption) {
    return FPort.OkCancel(Text, Caption);
}

bool TCommandsHost::ConfirmManyRows() const {
    return FEnv.Env.ConfirmManyRows != 0;
}

int TCommandsHost::MaxUndoIndex() const {
    return FEnv.Env.MaxUndoIndex;
}

const TLaptimeSheet& TCommandsHost::DefaultSettings() const {
    return FEnv.DefaultSettings;
}

bool TCommandsHost::ClipboardText(std::string& Text) {
    if (!FClip.HasText()) return false;
    Text = FClip.GetText();
    return true;
}
