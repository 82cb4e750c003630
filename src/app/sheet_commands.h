// The Sheets menu, the sheet selector and the Tools menu's application
// settings (TSheetCommands, at the end); first the commands that run a
// settings or sort dialog, and Make Default. Each asks the user through the port and returns
// whether it changed anything, so that the window can set its flags and menus; the window settles
// the cell edit before calling them.
#pragma once

#include "app/command_group.h"
#include "app/user_port.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"

#include <string>

// "Customize": the sheet on show, its row count and widths taken from the
// grid first. On OK the settings go to the sheet and the grid (rows and
// texts stay), the cursor to the top left; true: the sheets changed.
bool CustomizeSheet(TLaptimeProject& Project, UserPort& Port);

// "Defaults": the settings new sheets start from. True on OK; this sets no
// change flag, as the defaults are not part of the project.
bool EditDefaultSettings(TLaptimeSheet& Defaults, UserPort& Port);

// "Make Default": the sheet as last stored (not the grid's live widths)
// becomes the defaults after the user agrees. True: the sheets changed.
bool MakeDefault(const TLaptimeProject& Project, TLaptimeSheet& Defaults, UserPort& Port);

// "Config/Prefs": on OK Env takes the edited record and the grid its column
// titles, column sizing and scroll threshold at once; the caller gives the
// notes pane its font and colour. The undo depth holds for buffers made
// from now on.
bool EditApplicationSettings(TLapEnv& Env, TLapGrid& Grid, UserPort& Port);

// "Sort": stores the grid into the sheet on show, lets the user reorder,
// refills the selector and shows the sheet that was on show (the first of
// its name) without storing the grid again. True when a sheet moved.
bool SortSheets(TLaptimeProject& Project, UserPort& Port);

// The Sheets menu, the sheet selector (choose, rename, the title lock) and
// the Tools menu's application settings.
class TSheetCommands : public TCommandGroup {
  public:
    using TCommandGroup::TCommandGroup;

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

    void SelectSheetClick(int Index);
    // Enter in the selector's text field holding Text (code-page bytes).
    // Returns the text the field is to show afterwards.
    std::string RenameSheet(const std::string& Text);
    // The text the field shows when it loses the focus: a typed name not
    // confirmed with Enter is dropped.
    std::string SelectorLeft(const std::string& Text) const;
    void TitleLockClick();
};
