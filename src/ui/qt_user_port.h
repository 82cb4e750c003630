// The user port over the desktop: message boxes, file dialogs and the
// program's dialog windows, each modal over the main window.
#pragma once

#include "app/user_port.h"

#include <memory>

class QWidget;
class TForm2;

class QtUserPort : public UserPort {
  public:
    explicit QtUserPort(QWidget* Parent);
    ~QtUserPort() override;

    bool OkCancel(const std::string& Text, const std::string& Caption) override;
    TAnswer YesNoCancel(const std::string& Text, const std::string& Caption) override;
    bool YesNo(const std::string& Text, const std::string& Caption) override;
    bool CautiousOkCancel(const std::string& Text, const std::string& Caption) override;
    void Inform(const std::string& Text, const std::string& Caption) override;
    void Error(const std::string& Text) override;
    bool ChooseOpenFile(TFileDialog& Dialog) override;
    bool ChooseSaveFile(TFileDialog& Dialog) override;
    bool EditSheetSettings(TLaptimeSheet& Work, bool ForDefaults,
                           const TLaptimeSheet& StoredDefaults) override;
    bool EditAppSettings(TLapEnv& Work) override;
    bool SortSheets(TLaptimeProject& Project) override;

  private:
    bool ChooseFile(TFileDialog& Dialog, bool Save);

    QWidget* FParent;
    // The sheet settings dialog is made on first use and kept to the end.
    std::unique_ptr<TForm2> FSheetSettings;
};
