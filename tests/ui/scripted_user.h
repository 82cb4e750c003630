// The person at the desk, scripted: every question, message and file choice
// the window asks is answered from the queues and written down.
#pragma once

#include "app/user_port.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

class ScriptedUser : public UserPort {
  public:
    std::deque<TAnswer> Answers;   // YesNoCancel, in order; Cancel when empty
    std::deque<bool> OkAnswers;    // OkCancel, in order; OK when empty
    std::deque<std::string> Files; // file choices; dismissed when empty
    QStringList Asked;             // "Caption|Text" of every question and message
    QStringList Errors;
    std::vector<TFileDialog> Dialogs;
    // Stand-ins for the dialog windows; not OK when unset.
    std::function<bool(TLaptimeSheet&, bool)> SheetSettings;
    std::function<bool(TLapEnv&)> AppSettings;
    std::function<bool(TLaptimeProject&)> Sort;

    static QString Join(const std::string& Caption, const std::string& Text) {
        return QString::fromStdString(Caption + "|" + Text);
    }
    bool OkCancel(const std::string& Text, const std::string& Caption) override {
        Asked << Join(Caption, Text);
        if (OkAnswers.empty()) return true;
        const bool a = OkAnswers.front();
        OkAnswers.pop_front();
        return a;
    }
    TAnswer YesNoCancel(const std::string& Text, const std::string& Caption) override {
        Asked << Join(Caption, Text);
        if (Answers.empty()) return TAnswer::Cancel;
        const TAnswer a = Answers.front();
        Answers.pop_front();
        return a;
    }
    void Inform(const std::string& Text, const std::string& Caption) override {
        Asked << Join(Caption, Text);
    }
    void Error(const std::string& Text) override { Errors << QString::fromStdString(Text); }
    bool ChooseOpenFile(TFileDialog& D) override { return Choose(D); }
    bool ChooseSaveFile(TFileDialog& D) override { return Choose(D); }
    bool EditSheetSettings(TLaptimeSheet& Work, bool ForDefaults, const TLaptimeSheet&) override {
        return SheetSettings && SheetSettings(Work, ForDefaults);
    }
    bool EditAppSettings(TLapEnv& Work) override { return AppSettings && AppSettings(Work); }
    bool SortSheets(TLaptimeProject& P) override { return Sort && Sort(P); }

  private:
    bool Choose(TFileDialog& D) {
        Dialogs.push_back(D);
        if (Files.empty()) return false;
        D.FileName = Files.front();
        Files.pop_front();
        return true;
    }
};
