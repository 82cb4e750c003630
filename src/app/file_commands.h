// The File menu: new, open, save, save as, save the sheet as text, exit, and
// files dropped on the grid; the save question and the saves the other
// commands share.
#pragma once

#include "app/command_group.h"

#include <string>
#include <vector>

// What a project file's name ends in.
inline constexpr const char* ProjectExtension = ".sgp";

class TFileCommands : public TCommandGroup {
  public:
    using TCommandGroup::TCommandGroup;

    // A new project in place of the open one, with every flag reset.
    void ShowNewProject();
    bool ConfirmSave();
    bool SaveProject();
    bool SaveProjectAs();
    // Opens FileName in place of the open project; false (with the message
    // shown) when it cannot be read, and then nothing has changed.
    bool ReplaceProject(const std::string& FileName);

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

  private:
    // Save's check that no other program wrote the file since.
    bool MayOverwrite();
    void ClearUndoBuffers();
};
