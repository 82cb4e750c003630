// Everything the commands ask of the person at the desk: questions, errors,
// file choices and the three dialogs. The Qt layer answers with message
// boxes, file dialogs and its dialog windows; tests answer every call
// themselves, so no command ever reaches for a widget.
#pragma once

#include "model/lap_env.h"
#include "model/laptime_sheet.h"

#include <string>

class TLaptimeProject;

enum class TAnswer { Yes, No, Cancel };

// One of the program's file dialogs. Texts are code-page bytes; FileName and
// InitialDir are paths as the file system spells them.
struct TFileDialog {
    std::string Title;
    std::string Filter;     // "Description|*.ext"
    std::string DefaultExt; // without the dot
    std::string FileName;   // proposed on entry, chosen on return
    std::string InitialDir; // empty: the folder of FileName, else the working folder
    bool ConfirmOverwrite = false;

    friend bool operator==(const TFileDialog&, const TFileDialog&) = default;
};

namespace file_dialogs {
TFileDialog OpenProject();
TFileDialog SaveProject();
TFileDialog OpenSheetText();
TFileDialog SaveSheetText();
TFileDialog OpenSheetSettings();
TFileDialog SaveSheetSettings();
} // namespace file_dialogs

class UserPort {
  public:
    virtual ~UserPort() = default;

    // Questions and messages. Text and Caption are code-page bytes.
    // True on OK.
    virtual bool OkCancel(const std::string& Text, const std::string& Caption) = 0;
    virtual TAnswer YesNoCancel(const std::string& Text, const std::string& Caption) = 0;
    // Yes the default, Escape No. True on Yes.
    virtual bool YesNo(const std::string& Text, const std::string& Caption) {
        return YesNoCancel(Text, Caption) == TAnswer::Yes;
    }
    // OK and Cancel where OK risks data: Cancel the default, Escape too.
    virtual bool CautiousOkCancel(const std::string& Text, const std::string& Caption) {
        return OkCancel(Text, Caption);
    }
    // A message with an OK button only.
    virtual void Inform(const std::string& Text, const std::string& Caption) = 0;
    // A failure: Text is UTF-8, as it names files and carries the system's
    // reasons.
    virtual void Error(const std::string& Text) = 0;

    // File choices. False when the dialog was dismissed; on true,
    // Dialog.FileName holds the chosen file.
    virtual bool ChooseOpenFile(TFileDialog& Dialog) = 0;
    virtual bool ChooseSaveFile(TFileDialog& Dialog) = 0;

    // The sheet settings dialog over a working copy of a sheet's settings
    // (ForDefaults: the default settings, with loading and saving .dsf files;
    // SheetName: the sheet's name otherwise). True when it ended with OK;
    // Work then holds the edited settings.
    virtual bool EditSheetSettings(TLaptimeSheet& Work, bool ForDefaults,
                                   const TLaptimeSheet& StoredDefaults) = 0;
    // The application settings dialog over a copy of the environment record.
    virtual bool EditAppSettings(TLapEnv& Work) = 0;
    // The sort dialog over the project's sheets; it moves them itself
    // (MoveSheet). True when it moved anything.
    virtual bool SortSheets(TLaptimeProject& Project) = 0;
};
