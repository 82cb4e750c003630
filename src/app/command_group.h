// What every group of the window's commands works on: the open project in its
// grid, the document's flags, the environment, the clipboard and the user;
// and the steps most commands share (settle the cell edit, show a failure,
// tell the window to refresh). The groups are owned by TLapCommands.
#pragma once

#include "app/document_state.h"
#include "app/recovery.h"
#include "app/session.h"
#include "app/user_port.h"

#include <functional>
#include <memory>

class Clipboard;

struct TCommandContext {
    Clipboard& Clip;
    TLapEnvFile& Env;
    UserPort& Port;
    TSession& Session;
    TDocumentState& Doc;
    bool& ClipHasText;
    // Null while nothing is kept for recovery.
    std::unique_ptr<TRecoveryKeeper>& Keeper;
    // The caption, the menu state or a view option may have changed.
    std::function<void()> Changed;
    // The grid is to take the keyboard focus.
    std::function<void()> FocusGrid;
};

class TCommandGroup {
  public:
    explicit TCommandGroup(TCommandContext& Context);
    TCommandGroup(const TCommandGroup&) = delete;
    TCommandGroup& operator=(const TCommandGroup&) = delete;

    // Finishes and hides a cell edit in progress.
    void SettleEdit();
    TLaptimeProject* Project() { return FSession.Project(); }
    TLapGrid& Grid() { return FSession.Grid(); }
    const TLaptimeSheet& DefaultSettings() const { return FEnv.DefaultSettings; }
    void Changed() { FContext.Changed(); }
    void FocusGrid() { FContext.FocusGrid(); }
    void SetSheetChange(bool v);
    bool HasSheet();
    // A sheet was added and is on show.
    void SheetAdded();
    void EvaluateAllRows() { FSession.EvaluateAllRows(); }
    // The unsaved changes were saved or given up.
    void ChangesSettled();
    // Runs F, showing any failure it raises instead of passing it on.
    bool Guard(const std::function<void()>& F);

  protected:
    TCommandContext& FContext;
    Clipboard& FClip;
    TLapEnvFile& FEnv;
    UserPort& FPort;
    TSession& FSession;
    TDocumentState& FDoc;
    bool& FClipHasText;
    std::unique_ptr<TRecoveryKeeper>& FKeeper;
};
