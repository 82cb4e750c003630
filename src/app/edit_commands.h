// The Edit menu and the grid's popup menu, the Tools menu's two time
// commands, and the grid's change notice that keeps DataChange in step.
#pragma once

#include "app/command_group.h"

#include <string_view>

enum class TEditAction { Cut, Copy, Paste, Clear };

// Where the keyboard focus is when an edit command runs.
enum class TFocusField { Grid, Selector, Notes };

class TEditCommands : public TCommandGroup {
  public:
    using TCommandGroup::TCommandGroup;

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
};
