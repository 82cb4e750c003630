// The person at the desk, scripted: every question, file choice and dialog
// answered as the test set up, and every message noted. Shared by the
// command tests and the dialog tests.
#pragma once

#include "app/user_port.h"

#include <functional>
#include <string>
#include <vector>

class FakeUserPort : public UserPort {
  public:
    bool OkCancel(const std::string& Text, const std::string& Caption) override {
        Asked.push_back(Caption + ": " + Text);
        return Answer;
    }
    TAnswer YesNoCancel(const std::string&, const std::string&) override { return TAnswer::Cancel; }
    void Inform(const std::string& Text, const std::string& Caption) override {
        Messages.push_back(Caption + ": " + Text);
    }
    void Error(const std::string& Text) override { Errors.push_back(Text); }
    bool ChooseOpenFile(TFileDialog& d) override { return Choose(d); }
    bool ChooseSaveFile(TFileDialog& d) override { return Choose(d); }
    bool EditSheetSettings(TLaptimeSheet& Work, bool ForDefaults,
                           const TLaptimeSheet& StoredDefaults) override {
        Given = Work;
        GivenForDefaults = ForDefaults;
        GivenStored = StoredDefaults;
        if (Answer && EditSheet) EditSheet(Work);
        return Answer;
    }
    bool EditAppSettings(TLapEnv& Work) override {
        if (Answer && EditEnv) EditEnv(Work);
        return Answer;
    }
    bool SortSheets(TLaptimeProject& Project) override {
        if (Sort) Sort(Project);
        return Moved;
    }

    // OK or Cancel for questions and dialogs.
    bool Answer = true;
    bool Moved = false;
    // The file every file dialog picks; empty: the dialog is dismissed.
    std::string FileName;
    std::function<void(TLaptimeSheet&)> EditSheet;
    std::function<void(TLapEnv&)> EditEnv;
    std::function<void(TLaptimeProject&)> Sort;

    std::vector<std::string> Asked, Messages, Errors;
    std::vector<TFileDialog> Dialogs;
    TLaptimeSheet Given, GivenStored;
    bool GivenForDefaults = false;

  private:
    bool Choose(TFileDialog& d) {
        Dialogs.push_back(d);
        d.FileName = FileName;
        return !FileName.empty();
    }
};
