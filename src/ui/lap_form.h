// The main window: the sheet title bar over the lap grid, holding one
// project. Its commands are thin: settle the edit, call the grid or the
// model, keep the caption's change marker in step.
#pragma once

#include "app/time_eval.h"
#include "model/lap_env.h"
#include "model/ports.h"
#include "ui/prompts.h"
#include "ui/qt_clipboard.h"
#include "ui/sheet_selector.h"

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

class QComboBox;
class TGridWidget;
class TLapGrid;
class TLaptimeProject;

class TLaptimeForm : public QMainWindow, public ProjectHost {
    Q_OBJECT
  public:
    // Questions go to AskUser when given (tests), else to the desktop's boxes.
    explicit TLaptimeForm(QWidget* parent = nullptr, Prompts* AskUser = nullptr);
    ~TLaptimeForm() override;

    TLapGrid& Grid();
    TGridWidget* GridWidget() const { return FGridWidget; }
    QComboBox* List() const { return FList; }
    TLaptimeProject* Project() const { return FProject.get(); }

    // The caption is Title, followed by "*" while the sheets or the data
    // changed since the last save. Title holds code-page bytes.
    const std::string& Title() const { return FTitle; }
    bool SheetChange() const { return FSheetChange; }
    void SetSheetChange(bool v);
    bool DataChange() const { return FDataChange; }
    void SetDataChange(bool v);

    void UndoClick();
    void RedoClick();

    // ---- ProjectHost ----
    void SetTitle(const std::string& v) override;
    bool AskOkCancel(const std::string& Text, const std::string& Caption) override;
    bool ConfirmManyRows() const override;
    int MaxUndoIndex() const override;
    const TLaptimeSheet& DefaultSettings() const override;
    bool ClipboardText(std::string& Text) override;

  private:
    void NewProject();
    void ApplyCaption();
    void GridCellChange();
    std::optional<TEvalSettings> SheetSettings() const;

    QtPrompts FDesktopPrompts;
    Prompts* FPrompts = &FDesktopPrompts;
    TGridWidget* FGridWidget = nullptr;
    QComboBox* FList = nullptr;
    std::unique_ptr<TComboSelector> FSelector;
    QtClipboard FClipboard;
    TLapEnvFile FEnv;
    std::unique_ptr<TLaptimeProject> FProject;
    std::unique_ptr<TTimeEvaluator> FEvaluator;
    std::string FTitle;
    bool FSheetChange = false;
    bool FDataChange = false;
};
