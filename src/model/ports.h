// What the project model asks of the window around it: the sheet selector and
// the window itself (caption, questions, settings, clipboard text). The Qt
// layer implements both; the command line and the tests use plain versions.
#pragma once

#include "model/laptime_sheet.h"

#include <string>

// The sheet selector: item i is the name of sheet i.
class SheetSelector {
  public:
    virtual ~SheetSelector() = default;

    virtual int Count() const = 0;
    virtual std::string Item(int Index) const = 0;
    virtual void Add(const std::string& Name) = 0;
    virtual void Delete(int Index) = 0;
    virtual void SetItem(int Index, const std::string& Name) = 0;
    virtual void Clear() = 0;
    // Selects item Index (-1: none). Must not call back into the project.
    virtual void Select(int Index) = 0;
    // The text shown in the selector's edit field.
    virtual void SetText(const std::string& Text) = 0;
    virtual void SetEnabled(bool Enabled) = 0;
};

class ProjectHost {
  public:
    virtual ~ProjectHost() = default;

    // The window's Title (shown with its change marker) and the application
    // title.
    virtual void SetTitle(const std::string& Title) = 0;
    // A question with the buttons OK and Cancel; true on OK.
    virtual bool AskOkCancel(const std::string& Text, const std::string& Caption) = 0;
    // "On 50+ rows, etc.": ask before importing a sheet of 50 rows or more.
    virtual bool ConfirmManyRows() const = 0;
    // "Max. Undo/Redo" choice 0..5 for the undo buffers created from now on.
    virtual int MaxUndoIndex() const = 0;
    // The settings new sheets start from (their name and texts are not used).
    virtual const TLaptimeSheet& DefaultSettings() const = 0;
    // The clipboard text; false when the clipboard holds no text.
    virtual bool ClipboardText(std::string& Text) = 0;
};
