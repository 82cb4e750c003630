#include "ui/lap_form.h"

#include "grid/lap_grid.h"
#include "model/laptime_project.h"
#include "ui/grid_setup.h"
#include "ui/grid_widget.h"
#include "ui/qt_canvas.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QWidget>

TLaptimeForm::TLaptimeForm(QWidget* parent, Prompts* AskUser) : QMainWindow(parent) {
    if (AskUser) FPrompts = AskUser;
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
    FSelector = std::make_unique<TComboSelector>(FList);

    FGridWidget = new TGridWidget(client);
    layout->addWidget(FGridWidget, 1);
    setCentralWidget(client);

    TLapGrid& grid = Grid();
    grid.ClipboardPort = &FClipboard;
    SetupLapGrid(grid, FEnv.Env);
    FEvaluator = std::make_unique<TTimeEvaluator>(grid, [this] { return SheetSettings(); });
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
    FProject.reset();
}

TLapGrid& TLaptimeForm::Grid() {
    return FGridWidget->Grid();
}

std::optional<TEvalSettings> TLaptimeForm::SheetSettings() const {
    const TLaptimeSheet* sheet = FProject ? FProject->CurrentSheet() : nullptr;
    if (!sheet) return std::nullopt;
    TEvalSettings s;
    s.TimeFormat = sheet->TimeFormat;
    s.FontColor = sheet->FontColor;
    s.PlusColor = sheet->PlusColor;
    s.MinusColor = sheet->MinusColor;
    s.EqualColor = sheet->EqualColor;
    return s;
}

// A project without a file: one new sheet with the default settings.
void TLaptimeForm::NewProject() {
    FProject.reset();
    FProject = TLaptimeProject::Create(std::string(), Grid(), *FSelector, *this);
    FSheetChange = false;
    FDataChange = false;
    ApplyCaption();
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

// ---- ProjectHost ----

bool TLaptimeForm::AskOkCancel(const std::string& Text, const std::string& Caption) {
    return FPrompts->OkCancel(this, qt_bridge::FromBytes(Caption), qt_bridge::FromBytes(Text));
}

bool TLaptimeForm::ConfirmManyRows() const {
    return FEnv.Env.ConfirmManyRows != 0;
}

int TLaptimeForm::MaxUndoIndex() const {
    return FEnv.Env.MaxUndoIndex;
}

const TLaptimeSheet& TLaptimeForm::DefaultSettings() const {
    return FEnv.DefaultSettings;
}

bool TLaptimeForm::ClipboardText(std::string& Text) {
    if (!FClipboard.HasText()) return false;
    Text = FClipboard.GetText();
    return true;
}
