// The main window's commands without the window. The commands live in one
// group per menu (file_commands, sheet_commands, edit_commands,
// view_commands); TLapCommands owns the groups and the document they work on,
// answers the model's questions, starts and ends the run, keeps the recovery
// snapshot, and passes every command to its group. A command settles the
// cell edit in progress, asks the user through the port, calls the model or
// the grid, and tells the window to refresh (OnChange); the window then reads
// the caption, the menu state and the view options.
#pragma once

#include "app/document_state.h"
#include "app/edit_commands.h"
#include "app/file_commands.h"
#include "app/menu_state.h"
#include "app/recovery.h"
#include "app/session.h"
#include "app/sheet_commands.h"
#include "app/user_port.h"
#include "app/view_commands.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Clipboard;

// The model's questions and settings, answered from the environment record,
// the clipboard and the user; the caption's title it keeps.
class TCommandsHost : public ProjectHost {
  public:
    TCommandsHost(Clipboard& Clip, TLapEnvFile& Env, UserPort& Port,
                  std::function<void()> TitleChanged);
    const std::string& Title() const { return FTitle; }

    void SetTitle(const std::string& v) override;
    bool AskOkCancel(const std::string& Text, const std::string& Caption) override;
    bool ConfirmManyRows() const override;
    int MaxUndoIndex() const override;
    const TLaptimeSheet& DefaultSettings() const override;
    bool ClipboardText(std::string& Text) override;

  private:
    Clipboard& FClip;
    TLapEnvFile& FEnv;
    UserPort& FPort;
    std::function<void()> FTitleChanged;
    std::string FTitle;
};

class TLapCommands {
  public:
    // Env is the window's environment record; it must outlive the commands.
    TLapCommands(TLapGrid& Grid, SheetSelector& Selector, Clipboard& Clip, TLapEnvFile& Env,
                 UserPort& Port);
    ~TLapCommands();
    TLapCommands(const TLapCommands&) = delete;
    TLapCommands& operator=(const TLapCommands&) = delete;

    // The caption, the menu state or a view option may have changed.
    std::function<void()> OnChange;
    // The grid is to take the keyboard focus.
    std::function<void()> OnFocusGrid;

    TSession& Session() { return FSession; }
    TLaptimeProject* Project() { return FSession.Project(); }
    TLapGrid& Grid() { return FSession.Grid(); }
    TLapEnvFile& Env() { return FEnv; }

    const std::string& Title() const { return FHost.Title(); }
    std::string Caption() const;
    const TDocumentState& Document() const { return FDoc; }
    bool SheetChange() const { return FDoc.SheetChange; }
    void SetSheetChange(bool v);
    bool DataChange() const { return FDoc.DataChange; }
    void SetDataChange(bool v);
    bool HasFileName() const { return FDoc.HasFileName; }
    bool ClipHasText() const { return FClipHasText; }
    void SetClipHasText(bool v);
    // The project's file (LastFile at exit) and where Save writes.
    const std::string& OpenFileName() const { return FDoc.OpenFileName; }
    const std::string& SaveFileName() const { return FDoc.SaveFileName; }

    TMenuState MenuState();

    // ---- start and end ----
    // Keeps a recovery snapshot in Store while there are unsaved changes, and
    // offers one left by an earlier run at Start. Called before Start; without
    // it nothing is kept (tests that have no use for it).
    void EnableRecovery(TRecoveryStore& Store, RecoveryPort& Port);
    TRecoveryKeeper* Recovery() { return FKeeper.get(); }
    // The command-line argument that names the start project, if any: one
    // argument naming an existing file that ends exactly in ".sgp".
    static bool IsStartProjectArgument(const std::vector<std::string>& Args);
    // Offers a snapshot an earlier run left; unless it was restored, opens
    // the start project: the argument, else the last file when "Re-open on
    // startup" is set, else a new project.
    void Start(const std::vector<std::string>& Args);
    // The window is about to close: settles the cell edit, then asks.
    bool CloseQuery();
    // Stores what the environment keeps of this run (LastFile).
    void PrepareExit();
    // The window closes after CloseQuery or AppExitClick said yes: what was
    // not saved was given up, so the snapshot goes.
    void Closed();
    // An end that is not a close (a signal, the session ending without
    // asking): the cell edit settled and the snapshot written now. False when
    // it could not be written.
    bool SnapshotNow();
    // The session manager asks for the data to be saved: with Interactive,
    // the save question as at closing (false: the logout is to be cancelled);
    // without, the snapshot is brought up to date.
    bool CommitData(bool Interactive);
    // The project file as last opened or saved here (Size -1: none).
    const TFileIdentity& FileIdentity() const { return FDoc.Identity; }

    bool ConfirmSave();
    bool SaveProject();
    bool SaveProjectAs();
    // Opens FileName in place of the open project; false (with the message
    // shown) when it cannot be read, and then nothing has changed.
    bool ReplaceProject(const std::string& FileName);
    void EvaluateAllRows();

    // ---- File ----
    void NewProjectClick();
    void OpenProjectClick();
    void OverWriteClick();
    void SavePrjectClick();
    void SheetToFileClick();
    // True when the program may end.
    bool AppExitClick();
    // Files dropped on the grid: split files add one sheet each
    // (AddSplitsSheets); else exactly one ".sgp" file opens after the save
    // question. True when it was opened.
    bool DropFiles(const std::vector<std::string>& Files);

    // ---- Sheets ----
    void AddSheetClick();
    void FileToSheetClick();
    void AddFromClipBoardClick();
    void CopySheetClick();
    void DeleteSheetClick();
    void SheetSortClick();
    // Tag 0: the sheet on show; 1: the default settings.
    void SheetConfigClick(int Tag);
    void CopyThisToDefClick();
    // True when the settings changed; the window then gives the notes pane
    // its font and colours.
    bool AppSettingClick();

    // ---- sheet selector ----
    void SelectSheetClick(int Index);
    // Enter in the selector's text field holding Text (code-page bytes).
    // Returns the text the field is to show afterwards.
    std::string RenameSheet(const std::string& Text);
    // The text the field shows when it loses the focus: a typed name not
    // confirmed with Enter is dropped.
    std::string SelectorLeft(const std::string& Text) const;
    void SettleEdit();
    void TitleLockClick();

    // ---- Edit and Tools ----
    void UndoClick();
    void RedoClick();
    // True when the focused text field is to do the action itself.
    bool EditClick(TEditAction Action, TFocusField Focus);
    void SelAllCellClick();
    void AddLineClick();
    void InsertLineClick();
    void DeleteLineClick();
    void CopyNowToBestClick();
    void ClearNowClick();
    void GridCellChange();
    // Another program's text for the current cell (UTF-8), then Moves + 1
    // Enter presses (none when Moves < 0).
    void CellInputCommand(std::string_view Utf8, int Moves);

    // ---- View ----
    void SetZ(int Mode);
    void CanNotResizeMoveClick();
    void TitleBarPosClick(int Pos);
    void ShowToolButtonClick();
    void ShowMemoClick();
    void MemoPosClick(int Pos);
    void ShowHeaderClick(bool Checked);

    // ---- the model's questions and settings ----
    ProjectHost& Host() { return FHost; }
    void SetTitle(const std::string& v) { FHost.SetTitle(v); }
    bool AskOkCancel(const std::string& Text, const std::string& Caption) {
        return FHost.AskOkCancel(Text, Caption);
    }
    bool ConfirmManyRows() const { return FHost.ConfirmManyRows(); }
    int MaxUndoIndex() const { return FHost.MaxUndoIndex(); }
    const TLaptimeSheet& DefaultSettings() const { return FHost.DefaultSettings(); }
    bool ClipboardText(std::string& Text) { return FHost.ClipboardText(Text); }

    // ---- the groups ----
    TFileCommands& File() { return FFile; }
    TSheetCommands& Sheets() { return FSheets; }
    TEditCommands& Edit() { return FEdit; }
    TViewCommands& View() { return FView; }

  private:
    void Changed();
    bool OfferRecovery();
    void ShowNewProject();
    void ChangesSettled();
    TSnapshot TakeSnapshot();
    void SnapshotFailed(const std::string& Reason);
    void FocusGrid();

    TLapEnvFile& FEnv;
    UserPort& FPort;
    TCommandsHost FHost;
    TSession FSession;
    TDocumentState FDoc;
    bool FClipHasText = false;
    bool FSnapshotFailureShown = false;
    std::unique_ptr<TRecoveryKeeper> FKeeper;
    TCommandContext FContext;
    TFileCommands FFile;
    TSheetCommands FSheets;
    TEditCommands FEdit;
    TViewCommands FView;
};
