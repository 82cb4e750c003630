#include "ui/lap_form.h"

#include "grid/lap_grid.h"
#include "ui/grid_setup.h"
#include "ui/grid_widget.h"
#include "ui/qt_canvas.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const char* const kTitlePrefix = "Segmark v1.7.0 Eng - ";
const char* const kNewProjectTitle = "My New Project";
const char* const kFirstSheetName = "New Sheet    1";

} // namespace

TLaptimeForm::TLaptimeForm(QWidget* parent) : QMainWindow(parent) {
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The sheet title bar: the sheet selector, 2 pixels from the left edge.
    auto* titleBar = new QWidget(client);
    titleBar->setFixedHeight(30);
    auto* barLayout = new QHBoxLayout(titleBar);
    barLayout->setContentsMargins(2, 3, 2, 3);
    FList = new QComboBox(titleBar);
    FList->setEditable(true);
    barLayout->addWidget(FList);
    layout->addWidget(titleBar);

    FGridWidget = new TGridWidget(client);
    layout->addWidget(FGridWidget, 1);
    setCentralWidget(client);

    TLapGrid& grid = Grid();
    grid.ClipboardPort = &FClipboard;
    SetupLapGrid(grid, FEnv);
    FEvaluator = std::make_unique<TTimeEvaluator>(grid, [this]() -> std::optional<TEvalSettings> {
        TEvalSettings s;
        s.TimeFormat = FSheet.TimeFormat;
        s.FontColor = FSheet.FontColor;
        s.PlusColor = FSheet.PlusColor;
        s.MinusColor = FSheet.MinusColor;
        s.EqualColor = FSheet.EqualColor;
        return s;
    });
    FEvaluator->Attach();
    grid.OnCellChange = [this](int, int, TBufferType) { GridCellChange(); };

    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &TLaptimeForm::UndoClick);
    addAction(undo);
    auto* redo = new QAction(this);
    redo->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_Z));
    connect(redo, &QAction::triggered, this, &TLaptimeForm::RedoClick);
    addAction(redo);

    NewProject();
    resize(409, 370);
    FGridWidget->setFocus();
}

TLaptimeForm::~TLaptimeForm() {
    // The grid's events lead back here and to the evaluator.
    TLapGrid& grid = Grid();
    grid.OnCellChange = nullptr;
    grid.OnCellAssignment = nullptr;
    grid.OnDrawCell = nullptr;
    grid.ClipboardPort = nullptr;
}

TLapGrid& TLaptimeForm::Grid() {
    return FGridWidget->Grid();
}

// A project without a file: one new sheet with the default settings.
void TLaptimeForm::NewProject() {
    TLapGrid& grid = Grid();
    grid.ResetSheetBuffers();
    FSheet = DefaultSheetSettings();
    FSheet.Name.assign(kFirstSheetName);
    AddSheetLists(grid, FSheet.RowCount, FEnv.MaxUndoIndex);
    grid.SheetIndex = 0;
    ShowSheetInGrid(grid, FSheet);
    grid.SetCol(std::max(0, grid.FirstVisibleCol()));
    grid.SetRow(0);
    grid.ScrollToTop();
    FList->clear();
    FList->addItem(qt_bridge::FromBytes(FSheet.Name.str()));
    FSheetChange = false;
    FDataChange = false;
    SetTitle(std::string(kTitlePrefix) + kNewProjectTitle);
}

void TLaptimeForm::SetTitle(const std::string& v) {
    FTitle = v;
    ApplyCaption();
}

void TLaptimeForm::SetSheetChange(bool v) {
    FSheetChange = v;
    ApplyCaption();
}

void TLaptimeForm::SetDataChange(bool v) {
    FDataChange = v;
    ApplyCaption();
}

void TLaptimeForm::ApplyCaption() {
    QString caption = qt_bridge::FromBytes(FTitle);
    if (FSheetChange || FDataChange) caption += QLatin1Char('*');
    setWindowTitle(caption);
}

void TLaptimeForm::GridCellChange() {
    if (TUndoBufferList* undo = Grid().CurrentUndo()) SetDataChange(undo->IsModified());
}

void TLaptimeForm::UndoClick() {
    TLapGrid& grid = Grid();
    if (TUndoBufferList* undo = grid.CurrentUndo()) {
        undo->Undo();
        SetDataChange(grid.IsAnyModified());
    }
}

void TLaptimeForm::RedoClick() {
    TLapGrid& grid = Grid();
    if (TUndoBufferList* undo = grid.CurrentUndo()) {
        undo->Redo();
        SetDataChange(grid.IsAnyModified());
    }
}
