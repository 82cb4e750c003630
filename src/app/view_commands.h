// The View menu: window mode, size lock, where the title bar and the notes
// pane sit, and what is shown. Each sets its option in the environment
// record; the window shows it on the refresh that follows.
#pragma once

#include "app/command_group.h"

class TViewCommands : public TCommandGroup {
  public:
    using TCommandGroup::TCommandGroup;

    void SetZ(int Mode);
    void CanNotResizeMoveClick();
    void TitleBarPosClick(int Pos);
    void ShowToolButtonClick();
    void ShowMemoClick();
    void MemoPosClick(int Pos);
    void ShowHeaderClick(bool Checked);
};
