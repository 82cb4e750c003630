// The main window: the sheet title bar over the lap grid, holding one
// project. Its commands are thin: settle the edit, call the grid or the
// model, keep the caption's change marker in step.
#pragma once

#include "app/time_eval.h"
#include "model/lap_env.h"
#include "model/laptime_sheet.h"
#include "ui/qt_clipboard.h"

#include <QMainWindow>

#include <memory>
#include <string>

class QComboBox;
class TGridWidget;
class TLapGrid;

class TLaptimeForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TLaptimeForm(QWidget* parent = nullptr);
    ~TLaptimeForm() override;

    TLapGrid& Grid();
    TGridWidget* GridWidget() const { return FGridWidget; }
    QComboBox* List() const { return FList; }

    // The caption is Title, followed by "*" while the sheets or the data
    // changed since the last save. Title holds code-page bytes.
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& v);
    bool SheetChange() const { return FSheetChange; }
    void SetSheetChange(bool v);
    bool DataChange() const { return FDataChange; }
    void SetDataChange(bool v);

    void UndoClick();
    void RedoClick();

  private:
    void NewProject();
    void ApplyCaption();
    void GridCellChange();

    TGridWidget* FGridWidget = nullptr;
    QComboBox* FList = nullptr;
    QtClipboard FClipboard;
    TLapEnv FEnv;
    TLaptimeSheet FSheet; // the shown sheet, until the project holds it
    std::unique_ptr<TTimeEvaluator> FEvaluator;
    std::string FTitle;
    bool FSheetChange = false;
    bool FDataChange = false;
};
