// The enabled states of the commands, the Undo/Redo captions and the check
// marks, as plain values computed from the project, the grid, the clipboard
// and the environment record. The window applies them to its menu items and
// buttons by name.
#pragma once

#include "grid/lap_types.h"

#include <map>
#include <string>

class TLapGrid;
class TLaptimeProject;
struct TLapEnv;

// The four cases the enabled states depend on.
enum TMenuCase { mcNoSheet, mcNoRows, mcRows, mcRowsNoVisibleColumn };

TMenuCase MenuCaseOf(const TLaptimeProject* Project, const TLapGrid& Grid);

struct TUndoCaptions {
    std::string Undo = "Undo   (&U)";
    bool UndoEnabled = false;
    std::string Redo = "Redo   (&R)";
    bool RedoEnabled = false;
    friend bool operator==(const TUndoCaptions&, const TUndoCaptions&) = default;
};

// The text after the tab of an Undo or Redo caption for a record kind; empty
// for btNone.
std::string UndoSuffix(TBufferType Kind);

// Undo and Redo of the current sheet's buffer (no current sheet: both
// disabled with their base captions). The Edit menu's and the popup's items
// share these.
TUndoCaptions UndoCaptionsOf(const TLaptimeProject* Project, TLapGrid& Grid);

struct TMenuState {
    TUndoCaptions Undo;
    // Item name -> enabled, for every item whose state depends on the
    // document; items not listed are always enabled.
    std::map<std::string, bool> Enabled;
    // Item name -> check mark (CheckStatesOf).
    std::map<std::string, bool> Checked;
};

// Enabled states and captions; Checked is left empty.
TMenuState ComputeMenuState(const TLaptimeProject* Project, TLapGrid& Grid, bool ClipHasText);

// The check marks of the View menu and the title lock, from the options of
// the environment record: every check item, the three window modes, and of
// the title bar's and the notes pane's position the item that is on. A
// position holding neither known value lists neither item, so that the
// marks stay as they were.
std::map<std::string, bool> CheckStatesOf(const TLapEnv& Env);

// The items the clipboard watch switches by itself.
inline constexpr const char* ClipboardItems[] = {"PasteMain", "PastePop", "AddFromClipBoard"};

// The window caption: Title, with "*" while the sheets or the data changed.
std::string WindowCaption(const std::string& Title, bool SheetChange, bool DataChange);
