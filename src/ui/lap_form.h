// The main window: menu bar, the sheet title bar with the sheet selector and
// the tool buttons, the lap grid and the notes pane. It builds the widgets
// and forwards every command to TLapCommands; after each one it reads back
// the caption, the menu state and the view options and shows them.
#pragma once

#include "app/commands.h"
#include "app/remote_message.h"
#include "model/lap_env.h"
#include "ui/qt_clipboard.h"
#include "ui/qt_recovery_port.h"
#include "ui/qt_user_port.h"
#include "ui/sheet_selector.h"

#include <QList>
#include <QMainWindow>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <string>

class QPlainTextEdit;
class QSessionManager;
class QSplitter;
class QToolButton;
class QVBoxLayout;
class TGridWidget;
class TLapGrid;
class TLaptimeProject;
class TMenus;
class TSheetCombo;

class TLaptimeForm : public QMainWindow {
    Q_OBJECT
  public:
    // Reads LapEnv.dat, builds the window and opens the start project named
    // by Args (the command line without the program's name). Questions go to
    // Port when given (tests), else to the desktop's boxes and dialogs. With
    // Recovery, unsaved changes are kept there and one left by an earlier
    // run is offered first.
    explicit TLaptimeForm(QWidget* parent = nullptr, UserPort* Port = nullptr,
                          const QStringList& Args = {}, TRecoveryStore* Recovery = nullptr);
    ~TLaptimeForm() override;

    TLapGrid& Grid();
    TGridWidget* GridWidget() const { return FGridWidget; }
    QComboBox* List() const;
    QPlainTextEdit* Notes() const { return FNotes; }
    QWidget* TitleBar() const { return FTitleBar; }
    QWidget* ToolButtons() const { return FToolPanel; }
    TLaptimeProject* Project() { return FCommands->Project(); }
    TLapCommands& Commands() { return *FCommands; }
    // A command another start of the program sent.
    void RemoteCommand(const TRemoteMessage& Message);
    TMenus& Menus() { return *FMenus; }
    const TLapEnvFile& Env() const { return FEnv; }
    // Where LapEnv.dat is read from and written to.
    const std::string& EnvPath() const { return FEnvPath; }
    // An end that is not a close: the snapshot brought up to date and
    // LapEnv.dat written as at a normal exit, then the program ends with
    // status 0, asking nothing.
    void EndWithoutClose();
    // The session manager's request to save (QGuiApplication::commitDataRequest).
    void CommitData(QSessionManager& Manager);

  signals:
    // The caption, menus and view were brought up to date after a command.
    void Refreshed();

  protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void showEvent(QShowEvent* e) override;

  private:
    void BuildWidgets();
    void BuildMenus();
    void LoadEnv();
    void ApplyEnvAtStart();
    void ApplyNotesFont();
    void Refresh();
    void ApplyView();
    void ApplyZOrder();
    void ApplySizeLock();
    void ApplyNotesHeight();
    void ApplyTitleLock();
    void EditCommand(TEditAction Action);
    void WriteEnv();
    void ExitClick();
    void ClipboardChanged();
    void DropUrls(const QList<QUrl>& Urls);

    QtUserPort FDesktopPort{this};
    UserPort* FPort = &FDesktopPort;
    TLapEnvFile FEnv;
    std::string FEnvPath;
    QtClipboard FClipboard;
    QtRecoveryPort FRecoveryPort{this};
    TGridWidget* FGridWidget = nullptr;
    TSheetCombo* FList = nullptr;
    std::unique_ptr<TComboSelector> FSelector;
    QWidget* FTitleBar = nullptr;
    QWidget* FToolPanel = nullptr;
    QToolButton* FButtons[3] = {};
    QVBoxLayout* FClientLayout = nullptr;
    QSplitter* FSplitter = nullptr;
    QPlainTextEdit* FNotes = nullptr;
    std::unique_ptr<TMenus> FMenus;
    std::unique_ptr<TLapCommands> FCommands;
    bool FExitConfirmed = false;
    bool FShown = false;
    bool FNotesHeightApplied = false;
    QPoint FLockedPos;
};
