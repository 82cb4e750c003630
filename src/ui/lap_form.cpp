#include "ui/lap_form.h"

#include "grid/lap_grid.h"
#include "model/env_location.h"
#include "model/file_io.h"
#include "model/laptime_project.h"
#include "ui/grid_widget.h"
#include "ui/menus.h"
#include "ui/qt_canvas.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSessionManager>
#include <QSplitter>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>
#include <unistd.h>

namespace {

// "ＭＳ ゴシック" in code page 932.
const char* const SelectorFace = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr int SelectorMaxLength = 127;

QFont FontOf(const std::string& Face, int PointSize, std::uint8_t Style) {
    TFont font;
    font.Name = Face;
    font.Size = PointSize;
    font.Style = Style;
    return qt_bridge::ToQFont(font, qt_bridge::TFontSizeRule::Points);
}

} // namespace

TLaptimeForm::TLaptimeForm(QWidget* parent, UserPort* Port, const QStringList& Args,
                           TRecoveryStore* Recovery)
    : QMainWindow(parent) {
    if (Port) FPort = Port;
    LoadEnv();
    BuildWidgets();
    FCommands = std::make_unique<TLapCommands>(Grid(), *FSelector, FClipboard, FEnv, *FPort);
    SetupLapGrid(Grid(), FEnv.Env);
    Grid().SetClipboardPort(&FClipboard);
    BuildMenus();
    FCommands->OnChange = [this] { Refresh(); };
    FCommands->OnFocusGrid = [this] { FGridWidget->setFocus(); };
    if (Recovery) FCommands->EnableRecovery(*Recovery, FRecoveryPort);

    std::vector<std::string> args;
    for (const QString& a : Args)
        args.push_back(QFile::encodeName(a).toStdString());
    FCommands->Start(args);
    ApplyEnvAtStart();
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &TLaptimeForm::ClipboardChanged);
    FGridWidget->setFocus();
}

TLaptimeForm::~TLaptimeForm() {
    // The grid's events lead back into the commands and the window.
    Grid().SetClipboardPort(nullptr);
    FCommands.reset();
}

TLapGrid& TLaptimeForm::Grid() {
    return FGridWidget->Grid();
}

QComboBox* TLaptimeForm::List() const {
    return FList;
}

// ---- start ----

// Where the environment comes from; the defaults when there is no file, and
// after one message when the file is there but cannot be read.
void TLaptimeForm::LoadEnv() {
    FEnvPath = LapEnvPath(ExecutableFolder());
    try {
        FEnv = LoadLapEnv(FEnvPath);
    } catch (const EFileError& e) {
        FEnv = TLapEnvFile{};
        FPort->Error(std::string(e.what()) + "\nThe default settings are used.");
    }
    // The lock holds only once the window is built.
    const TRect& r = FEnv.Env.Placement.NormalPosition;
    if (FileExists(FEnvPath) && r.Right > r.Left && r.Bottom > r.Top)
        setGeometry(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    else
        resize(409, 370);
}

void TLaptimeForm::BuildWidgets() {
    auto* client = new QWidget(this);
    FClientLayout = new QVBoxLayout(client);
    FClientLayout->setContentsMargins(0, 0, 0, 0);
    FClientLayout->setSpacing(0);

    // The sheet title bar: the selector, then the tool-button panel.
    FTitleBar = new QWidget(client);
    FTitleBar->setFixedHeight(30);
    auto* bar = new QHBoxLayout(FTitleBar);
    bar->setContentsMargins(2, 3, 0, 3);
    bar->setSpacing(0);
    FList = new TSheetCombo(FTitleBar);
    FList->setObjectName(QStringLiteral("ComboBox1"));
    FList->setEditable(true);
    FList->setInsertPolicy(QComboBox::NoInsert);
    FList->setCompleter(nullptr);
    FList->setMaxVisibleItems(TSheetCombo::DropDownCount);
    QFont listFont(qt_bridge::MapFaceName(SelectorFace));
    listFont.setPixelSize(15);
    FList->setFont(listFont);
    bar->addWidget(FList, 1);
    FToolPanel = new QWidget(FTitleBar);
    FToolPanel->setFixedWidth(97);
    for (int i = 0; i < 3; ++i) {
        FButtons[i] = new QToolButton(FToolPanel);
        FButtons[i]->setGeometry(8 + 30 * i, 0, 24, 23);
        FButtons[i]->setAutoRaise(true);
    }
    bar->addWidget(FToolPanel);
    FSelector = std::make_unique<TComboSelector>(FList);

    // The client panel: the grid and the notes pane with a splitter.
    FSplitter = new QSplitter(Qt::Vertical, client);
    FSplitter->setHandleWidth(4);
    FSplitter->setChildrenCollapsible(false);
    FGridWidget = new TGridWidget(FSplitter);
    FNotes = new QPlainTextEdit(FSplitter);
    FNotes->setObjectName(QStringLiteral("Memo1"));
    FNotes->setAccessibleName(QStringLiteral("Notes"));
    FNotes->setMinimumHeight(5);
    FNotes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FSplitter->setStretchFactor(0, 1);
    FSplitter->setStretchFactor(1, 0);
    FClientLayout->addWidget(FTitleBar);
    FClientLayout->addWidget(FSplitter, 1);
    setCentralWidget(client);

    FList->installEventFilter(this);
    FList->lineEdit()->installEventFilter(this);
    FNotes->installEventFilter(this);
    connect(FList, &QComboBox::activated, this,
            [this](int Index) { FCommands->SelectSheetClick(Index); });
    FGridWidget->viewport()->setAcceptDrops(true);
    FGridWidget->viewport()->installEventFilter(this);
    FGridWidget->viewport()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FGridWidget->viewport(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& At) {
                FMenus->Popup()->popup(FGridWidget->viewport()->mapToGlobal(At));
            });
}

void TLaptimeForm::BuildMenus() {
    TLapCommands& c = *FCommands;
    using H = TMenuHandler;
    TMenus::TCommands commands;
    commands[H::NewProjectClick] = [&c](int) { c.NewProjectClick(); };
    commands[H::OpenProjectClick] = [&c](int) { c.OpenProjectClick(); };
    commands[H::OverWriteClick] = [&c](int) { c.OverWriteClick(); };
    commands[H::SavePrjectClick] = [&c](int) { c.SavePrjectClick(); };
    commands[H::SheetToFileClick] = [&c](int) { c.SheetToFileClick(); };
    commands[H::AppExitClick] = [this](int) { ExitClick(); };
    commands[H::UndoClick] = [&c](int) { c.UndoClick(); };
    commands[H::RedoClick] = [&c](int) { c.RedoClick(); };
    commands[H::CutClick] = [this](int) { EditCommand(TEditAction::Cut); };
    commands[H::CopyClick] = [this](int) { EditCommand(TEditAction::Copy); };
    commands[H::PasteClick] = [this](int) { EditCommand(TEditAction::Paste); };
    commands[H::DeleteClick] = [this](int) { EditCommand(TEditAction::Clear); };
    commands[H::SelAllCellClick] = [&c](int) { c.SelAllCellClick(); };
    commands[H::AddLineClick] = [&c](int) { c.AddLineClick(); };
    commands[H::InsertLineClick] = [&c](int) { c.InsertLineClick(); };
    commands[H::DeleteLineClick] = [&c](int) { c.DeleteLineClick(); };
    commands[H::SetZ] = [&c](int Tag) { c.SetZ(Tag); };
    commands[H::CanNotResizeMoveExcute] = [&c](int) { c.CanNotResizeMoveClick(); };
    commands[H::ListPosChangeExecute] = [&c](int Tag) { c.TitleBarPosClick(Tag); };
    commands[H::ShowToolButtonClick] = [&c](int) { c.ShowToolButtonClick(); };
    commands[H::ShowMemoClick] = [&c](int) { c.ShowMemoClick(); };
    commands[H::MemoPosChaneExcute] = [&c](int Tag) { c.MemoPosClick(Tag); };
    commands[H::ShowHeaderClick] = [this, &c](int) {
        c.ShowHeaderClick(FMenus->Action("ShowHeader")->isChecked());
    };
    commands[H::AddSheetClick] = [&c](int) { c.AddSheetClick(); };
    commands[H::FileToSheetClick] = [&c](int) { c.FileToSheetClick(); };
    commands[H::AddFromClipBoardClick] = [&c](int) { c.AddFromClipBoardClick(); };
    commands[H::CopySheetClick] = [&c](int) { c.CopySheetClick(); };
    commands[H::DeleteSheetClick] = [&c](int) { c.DeleteSheetClick(); };
    commands[H::SheetSortClick] = [&c](int) { c.SheetSortClick(); };
    commands[H::SheetConfigClick] = [&c](int Tag) { c.SheetConfigClick(Tag); };
    commands[H::CopyThisToDefClick] = [&c](int) { c.CopyThisToDefClick(); };
    commands[H::AppSettingClick] = [this, &c](int) {
        if (c.AppSettingClick()) ApplyNotesFont();
    };
    commands[H::SpeedButton3Click] = [&c](int) { c.TitleLockClick(); };
    commands[H::SpeedButton1Click] = [&c](int) { c.CopyNowToBestClick(); };
    commands[H::SpeedButton2Click] = [&c](int) { c.ClearNowClick(); };
    menuBar()->setNativeMenuBar(false);
    FMenus = std::make_unique<TMenus>(menuBar(), this, commands);

    const char* const buttons[3] = {"SpeedButton3", "SpeedButton1", "SpeedButton2"};
    const char* const hints[3] = {"Lck Titles", "Copy Now>Best", "Clear Now"};
    const int images[3] = {14, 12, 11};
    for (int i = 0; i < 3; ++i) {
        QToolButton* b = FButtons[i];
        QAction* a = FMenus->Action(buttons[i]);
        b->setObjectName(QString::fromLatin1(buttons[i]));
        b->setToolTip(QString::fromLatin1(hints[i]));
        // An icon alone says nothing to a screen reader.
        b->setAccessibleName(QString::fromLatin1(hints[i]));
        b->setIcon(MenuImage(images[i]));
        b->setCheckable(a->isCheckable());
        connect(b, &QToolButton::clicked, a, &QAction::trigger);
        connect(a, &QAction::changed, b, [a, b] {
            b->setEnabled(a->isEnabled());
            b->setChecked(a->isChecked());
        });
    }
}

// What the environment says about the window, in the order the window is
// built: notes pane, tool buttons, header, maximised state, window mode,
// size lock, title bar, title lock. The grid's titles, sizing and scroll
// threshold came with its setup.
void TLaptimeForm::ApplyEnvAtStart() {
    ApplyNotesFont();
    Refresh();
    if (FEnv.Env.Maximized == 1) setWindowState(windowState() | Qt::WindowMaximized);
    if (QLineEdit* e = FList->lineEdit()) e->deselect();
}

void TLaptimeForm::ApplyNotesFont() {
    const TLapEnv& env = FEnv.Env;
    FNotes->setFont(FontOf(env.NotesFontName.str(), env.NotesFontSize, env.NotesFontStyle));
    QPalette p = FNotes->palette();
    p.setColor(QPalette::Text, qt_bridge::ToQColor(env.NotesFontColor, palette()));
    p.setColor(QPalette::Base, qt_bridge::ToQColor(env.NotesColor, palette()));
    FNotes->setPalette(p);
}

// ---- refreshing after a command ----

void TLaptimeForm::Refresh() {
    setWindowTitle(qt_bridge::FromBytes(FCommands->Caption()));
    const TMenuState state = FCommands->MenuState();
    FMenus->SetEnabled(state.Enabled);
    for (const char* name : {"UndoMain", "RedoMain"}) {
        const bool undo = name[0] == 'U';
        QAction* a = FMenus->Action(name);
        a->setText(qt_bridge::FromBytes(undo ? state.Undo.Undo : state.Undo.Redo));
        a->setEnabled(undo ? state.Undo.UndoEnabled : state.Undo.RedoEnabled);
    }
    for (const auto& [name, on] : state.Checked)
        FMenus->SetChecked(name, on);
    ApplyView();
    emit Refreshed();
}

void TLaptimeForm::ApplyView() {
    const TLapEnv& env = FEnv.Env;
    if (env.TitleBarPos <= 1) {
        const int at = env.TitleBarPos == 0 ? 0 : 1;
        if (FClientLayout->indexOf(FTitleBar) != at) {
            FClientLayout->removeWidget(FTitleBar);
            FClientLayout->insertWidget(at, FTitleBar);
        }
    }
    FToolPanel->setVisible(env.ShowToolButtons == 1);
    FNotes->setVisible(env.ShowNotes == 1);
    if (env.NotesPos <= 1) {
        const int at = env.NotesPos == 0 ? 0 : 1;
        if (FSplitter->indexOf(FNotes) != at) {
            const int h = env.NotesHeight;
            FSplitter->insertWidget(at, FNotes);
            FSplitter->setStretchFactor(FSplitter->indexOf(FGridWidget), 1);
            FSplitter->setStretchFactor(FSplitter->indexOf(FNotes), 0);
            FEnv.Env.NotesHeight = h;
            FNotesHeightApplied = false;
            // The grid first in the tab order when the notes sit below it.
            if (at == 0)
                setTabOrder(FNotes, FGridWidget);
            else
                setTabOrder(FGridWidget, FNotes);
        }
    }
    ApplyTitleLock();
    ApplyZOrder();
    ApplySizeLock();
    ApplyNotesHeight();
}

void TLaptimeForm::ApplyTitleLock() {
    const bool locked = FEnv.Env.TitlesLocked == 1;
    if (FList->isEditable() == !locked) return;
    FList->setEditable(!locked);
    if (!locked) {
        FList->setInsertPolicy(QComboBox::NoInsert);
        FList->setCompleter(nullptr);
        FList->lineEdit()->setMaxLength(SelectorMaxLength);
        FList->lineEdit()->installEventFilter(this);
    }
    if (const TLaptimeProject* p = Project(); p && p->CurrentIndex >= 0) {
        const QSignalBlocker block(FList);
        FList->setCurrentIndex(p->CurrentIndex);
    }
}

void TLaptimeForm::ApplyZOrder() {
    const std::uint8_t mode = FEnv.Env.ZOrderMode;
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, mode == 1);
    flags.setFlag(Qt::WindowStaysOnBottomHint, mode == 2);
    if (flags == windowFlags()) return;
    const bool visible = isVisible();
    setWindowFlags(flags);
    if (visible) show();
}

void TLaptimeForm::ApplySizeLock() {
    if (FEnv.Env.SizeLocked == 1) {
        if (minimumSize() != size() || maximumSize() != size()) {
            setFixedSize(size());
            FLockedPos = pos();
        }
    } else if (minimumSize() != QSize(0, 0) ||
               maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

// The splitter shares out its room only once it has some, so the notes
// height is set when the window is shown and after the pane moves.
void TLaptimeForm::ApplyNotesHeight() {
    if (!FShown || FNotesHeightApplied || !FNotes->isVisible()) return;
    const int total = FSplitter->height() - FSplitter->handleWidth();
    const int notes = std::clamp(FEnv.Env.NotesHeight, 5, std::max(5, total - 5));
    QList<int> sizes(2);
    sizes[FSplitter->indexOf(FNotes)] = notes;
    sizes[FSplitter->indexOf(FGridWidget)] = total - notes;
    FSplitter->setSizes(sizes);
    FNotesHeightApplied = true;
}

void TLaptimeForm::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    FShown = true;
    ApplyNotesHeight();
}

// The window system may let the user drag a window whose size is fixed; the
// lock puts it back.
void TLaptimeForm::moveEvent(QMoveEvent* e) {
    QMainWindow::moveEvent(e);
    if (FEnv.Env.SizeLocked == 1 && isVisible() && !isMaximized() && pos() != FLockedPos)
        QTimer::singleShot(0, this, [this] {
            if (FEnv.Env.SizeLocked == 1) move(FLockedPos);
        });
}

void TLaptimeForm::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (QLineEdit* l = FList->lineEdit()) l->deselect();
}

// ---- events of the selector and the notes pane ----

bool TLaptimeForm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == FGridWidget->viewport()) {
        if (e->type() == QEvent::DragEnter) {
            auto* d = static_cast<QDragEnterEvent*>(e);
            if (d->mimeData()->hasUrls()) d->acceptProposedAction();
            return true;
        }
        if (e->type() == QEvent::Drop) {
            DropUrls(static_cast<QDropEvent*>(e)->mimeData()->urls());
            return true;
        }
        return QMainWindow::eventFilter(watched, e);
    }
    if (watched == FNotes && e->type() == QEvent::Resize && FNotes->isVisible() && FShown &&
        FNotesHeightApplied) {
        FEnv.Env.NotesHeight = FNotes->height();
    } else if (watched == FNotes && e->type() == QEvent::Show) {
        ApplyNotesHeight();
    } else if ((watched == FList || watched == FList->lineEdit()) && e->type() == QEvent::FocusIn) {
        FCommands->SettleEdit();
    } else if ((watched == FList || watched == FList->lineEdit()) &&
               e->type() == QEvent::FocusOut && FList->lineEdit()) {
        QLineEdit* edit = FList->lineEdit();
        const std::string kept = FCommands->SelectorLeft(qt_bridge::ToBytes(edit->text()));
        edit->setText(qt_bridge::FromBytes(kept));
        edit->deselect();
    } else if (watched == FList->lineEdit() && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            QLineEdit* edit = FList->lineEdit();
            const std::string shown = FCommands->RenameSheet(qt_bridge::ToBytes(edit->text()));
            edit->setText(qt_bridge::FromBytes(shown));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, e);
}

void TLaptimeForm::EditCommand(TEditAction Action) {
    QWidget* focus = QApplication::focusWidget();
    TFocusField field = TFocusField::Grid;
    // The box hands its focus on to its text field, or the other way round.
    if (FList->lineEdit() && (focus == FList->lineEdit() || focus == FList))
        field = TFocusField::Selector;
    else if (focus == FNotes)
        field = TFocusField::Notes;
    if (!FCommands->EditClick(Action, field)) return;
    if (field == TFocusField::Selector) {
        QLineEdit* e = FList->lineEdit();
        switch (Action) {
        case TEditAction::Cut:
            e->cut();
            break;
        case TEditAction::Copy:
            e->copy();
            break;
        case TEditAction::Paste:
            e->paste();
            break;
        case TEditAction::Clear:
            e->del();
            break;
        }
    } else {
        switch (Action) {
        case TEditAction::Cut:
            FNotes->cut();
            break;
        case TEditAction::Copy:
            FNotes->copy();
            break;
        case TEditAction::Paste:
            FNotes->paste();
            break;
        case TEditAction::Clear:
            FNotes->textCursor().removeSelectedText();
            break;
        }
    }
}

// A remote address counts as a file that is not a project, so that it opens
// nothing, as two files do.
void TLaptimeForm::DropUrls(const QList<QUrl>& Urls) {
    raise();
    activateWindow();
    std::vector<std::string> files;
    for (const QUrl& u : Urls)
        files.push_back(u.isLocalFile() ? QFile::encodeName(u.toLocalFile()).toStdString()
                                        : std::string());
    FCommands->DropFiles(files);
}

void TLaptimeForm::ClipboardChanged() {
    const bool has = FClipboard.HasText();
    FCommands->SetClipHasText(has);
    for (const char* item : ClipboardItems)
        if (QAction* a = FMenus->Action(item)) a->setEnabled(has);
}

// ---- other programs ----

void TLaptimeForm::RemoteCommand(const TRemoteMessage& M) {
    switch (M.Kind) {
    case rkClearNow:
        FCommands->ClearNowClick();
        break;
    case rkCellInput:
        FCommands->CellInputCommand(M.Text, M.Moves);
        break;
    case rkOpenFile: {
        raise();
        activateWindow();
        // After the sender has its answer: the save question may wait on the user.
        const std::string file = M.Text;
        QTimer::singleShot(0, this, [this, file] { FCommands->DropFiles({file}); });
        break;
    }
    default: // the sheet on show is read by the socket itself
        break;
    }
}

// ---- exit ----

void TLaptimeForm::ExitClick() {
    if (!FCommands->AppExitClick()) return;
    FExitConfirmed = true;
    close();
}

void TLaptimeForm::closeEvent(QCloseEvent* e) {
    if (!FExitConfirmed && !FCommands->CloseQuery()) {
        e->ignore();
        return;
    }
    FExitConfirmed = true;
    WriteEnv();
    FCommands->Closed();
    e->accept();
}

void TLaptimeForm::EndWithoutClose() {
    if (!FCommands->SnapshotNow())
        std::fputs("segmark: the recovery snapshot could not be written\n", stderr);
    WriteEnv();
    FExitConfirmed = true;
    // A question or dialog on screen runs a loop of its own, and the command
    // that asked would go on with whatever answer it got back; everything
    // worth keeping is on disk now, so such a program ends here.
    if (QApplication::activeModalWidget() || QThread::currentThread()->loopLevel() > 1) {
        std::fflush(nullptr);
        ::_exit(0);
    }
    QCoreApplication::exit(0);
}

void TLaptimeForm::CommitData(QSessionManager& Manager) {
    if (!Manager.allowsInteraction()) {
        FCommands->CommitData(false);
        return;
    }
    const bool mayEnd = FCommands->CommitData(true);
    Manager.release();
    if (!mayEnd) Manager.cancel();
}

// Placement as the normal (not maximised) rectangle, then the environment
// and the default sheet settings, replacing the file whole.
void TLaptimeForm::WriteEnv() {
    TLapEnv& env = FEnv.Env;
    const QRect r = isMaximized() ? normalGeometry() : geometry();
    env.Placement = TWindowPlacement{};
    env.Placement.NormalPosition =
        TRect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    env.Maximized = isMaximized() ? 1 : 0;
    FCommands->PrepareExit();
    try {
        SaveLapEnv(FEnvPath, FEnv);
    } catch (const EFileError& err) {
        FPort->Error(err.what());
    }
}
