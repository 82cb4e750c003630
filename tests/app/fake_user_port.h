// The person at the desk, scripted: every question, file choice and dialog
// answered as the test set up, and every question and message noted. Shared
// by the command, dialog and window tests.
#pragma once

#include "app/user_port.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class FakeUserPort : public UserPort {
  public:
    bool OkCancel(const std::string& Text, const std::string& Caption) override {
        Asked.push_back(Caption + ": " + Text);
        return Next(OkAnswers, Answer);
    }
    TAnswer YesNoCancel(const std::string& Text, const std::string& Caption) override {
        Asked.push_back(Caption + ": " + Text);
        return Next(Answers, TAnswer::Cancel);
    }
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

    // OK or Cancel for questions and dialogs, unless OkAnswers has one.
    bool Answer = true;
    std::deque<bool> OkAnswers;
    // Yes, No or Cancel in turn; Cancel when none is left.
    std::deque<TAnswer> Answers;
    bool Moved = false;
    // The file the next file dialog picks, else FileName; empty: dismissed.
    std::deque<std::string> Files;
    std::string FileName;
    std::function<void(TLaptimeSheet&)> EditSheet;
    std::function<void(TLapEnv&)> EditEnv;
    std::function<void(TLaptimeProject&)> Sort;

    std::vector<std::string> Asked, Messages, Errors;
    std::vector<TFileDialog> Dialogs;
    TLaptimeSheet Given, GivenStored;
    bool GivenForDefaults = false;

  private:
    template <typename T> static T Next(std::deque<T>& Queue, T Otherwise) {
        if (Queue.empty()) return Otherwise;
        T a = Queue.front();
        Queue.pop_front();
        return a;
    }
    bool Choose(TFileDialog& d) {
        Dialogs.push_back(d);
        d.FileName = Next(Files, FileName);
        return !d.FileName.empty();
    }
};
