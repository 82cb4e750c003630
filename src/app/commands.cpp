#include "app/commands.h"

#include "app/now_best.h"
#include "app/remote_message.h"
#include "app/sheet_commands.h"
#include "app/splits_drop.h"
#include "grid/clipboard.h"
#include "grid/keys.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "text/codepage.h"

#include <ctime>
#include <exception>
#include <new>

namespace {

constexpr const char* SaveQuestion = "Data has been edited. Save?";
constexpr const char* SaveQuestionTitle = "Cnfm";
constexpr const char* DeleteQuestion = "Delete the current sheet?";
constexpr const char* DeleteQuestionTitle = "Delete Sheet";
constexpr const char* RenameQuestion = "Change this sheet's name?";
constexpr const char* RenameQuestionTitle = "Confirm ";
constexpr const char* DuplicateName = "A sheet already has that name.";
constexpr const char* DuplicateNameTitle = "Cnfm";
constexpr const char* RecoverTitle = "Recover";
constexpr const char* OverwriteTitle = "Cnfm";
constexpr const char* ProjectExtension = ".sgp";
constexpr std::size_t LastFileChars = 511;

std::string FolderOf(const std::string& Path) {
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? std::string() : Path.substr(0, slash);
}

std::string BaseName(const std::string& Path) {
    const std::size_t slash = Path.rfind('/');
    return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

} // namespace

TLapCommands::TLapCommands(TLapGrid& Grid, SheetSelector& Selector, Clipboard& Clip,
                           TLapEnvFile& Env, UserPort& Port)
    : FClip(Clip), FEnv(Env), FPort(Port), FSession(Grid, Selector, *this) {
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
    return WindowCaption(FTitle, FDoc.SheetChange, FDoc.DataChange);
}

void TLapCommands::SetSheetChange(bool v) {
    FDoc.SheetChange = v;
    Changed();
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

bool TLapCommands::HasSheet() {
    return Project() && Project()->CurrentSheet();
}

void TLapCommands::SettleEdit() {
    Grid().CommitEdit();
    Grid().EndEdit();
}

bool TLapCommands::Guard(const std::function<void()>& F) {
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

void TLapCommands::ClearUndoBuffers() {
    Grid().ClearUndoBuffers();
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

void TLapCommands::ShowNewProject() {
    FSession.NewProject();
    FDoc.Reset({}, Project()->Title, {});
    ChangesSettled();
    Changed();
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

void TLapCommands::ChangesSettled() {
    if (FKeeper) FKeeper->Remove();
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

bool TLapCommands::MayOverwrite() {
    const TFileIdentity now = IdentityOf(FDoc.SaveFileName);
    // A file that is gone has nothing to lose.
    if (now.Size < 0 || now == FDoc.Identity) return true;
    return FPort.CautiousOkCancel("\"" + text::ToCodePage(BaseName(FDoc.SaveFileName)) +
                                      "\" was changed by another program since it was opened. "
                                      "Overwrite it?",
                                  OverwriteTitle);
}

bool TLapCommands::ConfirmSave() {
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

bool TLapCommands::SaveProject() {
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

bool TLapCommands::SaveProjectAs() {
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

bool TLapCommands::ReplaceProject(const std::string& FileName) {
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

void TLapCommands::EvaluateAllRows() {
    FSession.EvaluateAllRows();
}

// ---- File ----

void TLapCommands::NewProjectClick() {
    SettleEdit();
    if (!ConfirmSave()) return;
    ShowNewProject();
}

void TLapCommands::OpenProjectClick() {
    SettleEdit();
    if (!ConfirmSave()) return;
    TFileDialog d = file_dialogs::OpenProject();
    d.FileName = FDoc.OpenFileName;
    if (!FPort.ChooseOpenFile(d)) return;
    ReplaceProject(d.FileName);
}

void TLapCommands::OverWriteClick() {
    SettleEdit();
    SaveProject();
}

void TLapCommands::SavePrjectClick() {
    SettleEdit();
    SaveProjectAs();
}

void TLapCommands::SheetToFileClick() {
    SettleEdit();
    if (Grid().RowCount() == 0) return;
    TFileDialog d = file_dialogs::SaveSheetText();
    if (!FPort.ChooseSaveFile(d)) return;
    Guard([&] { Project()->ExportToFile(d.FileName); });
}

bool TLapCommands::AppExitClick() {
    SettleEdit();
    return ConfirmSave();
}

bool TLapCommands::DropFiles(const std::vector<std::string>& Files) {
    SettleEdit();
    if (Project() && AddSplitsSheets(*Project(), Files, DefaultSettings(), FPort) > 0) {
        SheetAdded();
        return false;
    }
    if (Files.size() != 1 || !Files[0].ends_with(ProjectExtension)) return false;
    if (!ConfirmSave()) return false;
    return ReplaceProject(Files[0]);
}

// ---- Sheets ----

void TLapCommands::SheetAdded() {
    Grid().SetEnabled(true);
    FSession.Selector().SetEnabled(true);
    FDoc.SheetChange = true;
    Changed();
    FocusGrid();
}

void TLapCommands::AddSheetClick() {
    SettleEdit();
    if (Guard([this] { Project()->AddNewSheet(); })) SheetAdded();
}

void TLapCommands::FileToSheetClick() {
    SettleEdit();
    TFileDialog d = file_dialogs::OpenSheetText();
    if (!FPort.ChooseOpenFile(d)) return;
    bool added = false;
    Guard([&] { added = Project()->AddSheetFromFile(d.FileName, SheetNameOfFile(d.FileName)); });
    if (added) SheetAdded();
}

void TLapCommands::AddFromClipBoardClick() {
    SettleEdit();
    bool added = false;
    Guard([&] { added = Project()->AddSheetFromClipboard(); });
    if (added) SheetAdded();
}

void TLapCommands::CopySheetClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (Guard([this] { Project()->CopyCurrentSheet(); })) SheetAdded();
}

void TLapCommands::DeleteSheetClick() {
    SettleEdit();
    if (Project()->SheetCount() == 0) return;
    if (!FPort.OkCancel(DeleteQuestion, DeleteQuestionTitle)) return;
    Project()->DeleteSheet(Project()->CurrentIndex);
    FDoc.SheetChange = true;
    Changed();
}

void TLapCommands::SheetSortClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (SortSheets(*Project(), FPort)) FDoc.SheetChange = true;
    Changed();
}

void TLapCommands::SheetConfigClick(int Tag) {
    SettleEdit();
    if (Tag == 1) {
        EditDefaultSettings(FEnv.DefaultSettings, FPort);
        return;
    }
    if (!HasSheet() || !CustomizeSheet(*Project(), FPort)) return;
    FDoc.SheetChange = true;
    Changed();
}

void TLapCommands::CopyThisToDefClick() {
    SettleEdit();
    if (!HasSheet() || !MakeDefault(*Project(), FEnv.DefaultSettings, FPort)) return;
    SetSheetChange(true);
}

bool TLapCommands::AppSettingClick() {
    SettleEdit();
    if (!EditApplicationSettings(FEnv.Env, Grid(), FPort)) return false;
    Changed();
    return true;
}

// ---- sheet selector ----

void TLapCommands::SelectSheetClick(int Index) {
    SettleEdit();
    Project()->SelectSheet(Index, true);
    Changed();
}

std::string TLapCommands::RenameSheet(const std::string& Text) {
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

std::string TLapCommands::SelectorLeft(const std::string& Text) const {
    const TLaptimeProject* p = FSession.Project();
    if (!p || p->CurrentIndex < 0) return Text;
    return p->Sheets[static_cast<std::size_t>(p->CurrentIndex)].Name.str();
}

void TLapCommands::TitleLockClick() {
    FEnv.Env.TitlesLocked = FEnv.Env.TitlesLocked ? 0 : 1;
    Changed();
}

// ---- Edit and Tools ----

void TLapCommands::UndoClick() {
    if (!HasSheet()) return;
    if (TUndoBufferList* undo = Grid().CurrentUndo()) undo->Undo();
    FDoc.FollowUndo(Grid());
    Changed();
}

void TLapCommands::RedoClick() {
    if (!HasSheet()) return;
    if (TUndoBufferList* undo = Grid().CurrentUndo()) undo->Redo();
    FDoc.FollowUndo(Grid());
    Changed();
}

bool TLapCommands::EditClick(TEditAction Action, TFocusField Focus) {
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

void TLapCommands::SelAllCellClick() {
    SettleEdit();
    TLapGrid& g = Grid();
    if (!HasSheet() || g.RowCount() == 0 || g.ColCount() == 0) return;
    g.SetSelection(TRect{0, 0, g.ColCount() - 1, g.RowCount() - 1});
}

void TLapCommands::AddLineClick() {
    SettleEdit();
    if (!HasSheet()) return;
    Grid().AddRow(true);
    Changed();
}

void TLapCommands::InsertLineClick() {
    SettleEdit();
    if (!HasSheet()) return;
    TLapGrid& g = Grid();
    if (g.RowCount() > 0)
        g.InsertRows(g.Selection().Top, g.Selection().Bottom, true);
    else
        g.AddRow(true);
    Changed();
}

void TLapCommands::DeleteLineClick() {
    SettleEdit();
    TLapGrid& g = Grid();
    if (!HasSheet() || g.RowCount() == 0) return;
    g.DeleteRows(g.Selection().Top, g.Selection().Bottom, true);
    Changed();
}

void TLapCommands::CopyNowToBestClick() {
    SettleEdit();
    if (!HasSheet()) return;
    TTimeEvaluator& e = FSession.Evaluator();
    if (!CopyNowToBest(Grid(), [&e](int Col, int Row) { e.GridCellAssignment(Col, Row); })) return;
    FDoc.FollowUndo(Grid());
    Changed();
}

void TLapCommands::ClearNowClick() {
    SettleEdit();
    if (!HasSheet()) return;
    if (!ClearNow(Grid())) return;
    FDoc.FollowUndo(Grid());
    Changed();
}

void TLapCommands::CellInputCommand(std::string_view Utf8, int Moves) {
    if (!HasSheet()) return;
    Grid().CellInput(CellInputText(Utf8), Moves);
}

void TLapCommands::GridCellChange() {
    if (!Project()) return;
    // Every recorded change the grid reports was pushed on the shown sheet's
    // buffer, so the rule of the commands holds here too.
    if (Grid().CurrentUndo()) FDoc.FollowUndo(Grid());
    Changed();
}

// ---- View ----

void TLapCommands::SetZ(int Mode) {
    SettleEdit();
    FEnv.Env.ZOrderMode = static_cast<std::uint8_t>(Mode);
    Changed();
}

void TLapCommands::CanNotResizeMoveClick() {
    SettleEdit();
    ToggleOption(FEnv.Env.SizeLocked);
    Changed();
}

void TLapCommands::TitleBarPosClick(int Pos) {
    SettleEdit();
    FEnv.Env.TitleBarPos = static_cast<std::uint8_t>(Pos);
    Changed();
}

void TLapCommands::ShowToolButtonClick() {
    ToggleOption(FEnv.Env.ShowToolButtons);
    Changed();
}

void TLapCommands::ShowMemoClick() {
    SettleEdit();
    ToggleOption(FEnv.Env.ShowNotes);
    Changed();
}

void TLapCommands::MemoPosClick(int Pos) {
    SettleEdit();
    FEnv.Env.NotesPos = static_cast<std::uint8_t>(Pos);
    Changed();
}

void TLapCommands::ShowHeaderClick(bool Checked) {
    SettleEdit();
    FEnv.Env.HeaderVisible = Checked ? 1 : 0;
    Grid().SetHeaderLine(FEnv.Env.HeaderVisible);
    Changed();
}

// ---- ProjectHost ----

void TLapCommands::SetTitle(const std::string& v) {
    FTitle = v;
    Changed();
}

bool TLapCommands::AskOkCancel(const std::string& Text, const std::string& Caption) {
    return FPort.OkCancel(Text, Caption);
}

bool TLapCommands::ConfirmManyRows() const {
    return FEnv.Env.ConfirmManyRows != 0;
}

int TLapCommands::MaxUndoIndex() const {
    return FEnv.Env.MaxUndoIndex;
}

const TLaptimeSheet& TLapCommands::DefaultSettings() const {
    return FEnv.DefaultSettings;
}

bool TLapCommands::ClipboardText(std::string& Text) {
    if (!FClip.HasText()) return false;
    Text = FClip.GetText();
    return true;
}
