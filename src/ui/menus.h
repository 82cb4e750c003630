// The window's menus as one table: every item with its name, caption,
// shortcut, image and check or radio group. The builder turns the table into
// QActions; an item of the grid's popup menu and a tool button share the
// action of their menu-bar twin, so one enabled state and one check mark
// serve all of them.
#pragma once

#include <QHash>
#include <QString>

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

// The handlers the menu table binds its items to. A name not listed here
// does not build.
enum class TMenuHandler {
    NewProjectClick,
    OpenProjectClick,
    OverWriteClick,
    SavePrjectClick,
    SheetToFileClick,
    AppExitClick,
    UndoClick,
    RedoClick,
    CutClick,
    CopyClick,
    PasteClick,
    DeleteClick,
    SelAllCellClick,
    AddLineClick,
    InsertLineClick,
    DeleteLineClick,
    SetZ,
    CanNotResizeMoveExcute,
    ListPosChangeExecute,
    ShowToolButtonClick,
    ShowMemoClick,
    MemoPosChaneExcute,
    ShowHeaderClick,
    AddSheetClick,
    FileToSheetClick,
    AddFromClipBoardClick,
    CopySheetClick,
    DeleteSheetClick,
    SheetSortClick,
    SheetConfigClick,
    CopyThisToDefClick,
    SpeedButton3Click,
    SpeedButton1Click,
    SpeedButton2Click,
    AppSettingClick,
    Count
};

class TMenus {
  public:
    // Command: called with the item's tag when its action is triggered.
    using TCommand = std::function<void(int Tag)>;

    // One command per handler.
    class TCommands {
      public:
        TCommand& operator[](TMenuHandler H) { return FCommands[static_cast<std::size_t>(H)]; }
        const TCommand& operator[](TMenuHandler H) const {
            return FCommands[static_cast<std::size_t>(H)];
        }

      private:
        std::array<TCommand, static_cast<std::size_t>(TMenuHandler::Count)> FCommands;
    };

    // Builds the menu bar's menus into Bar and the popup menu, with parent
    // Owner. Every handler the table names must have its command, and every
    // command given must be named by an item: std::logic_error otherwise,
    // naming the first handler at fault.
    TMenus(QMenuBar* Bar, QObject* Owner, const TCommands& Commands);

    // The action of an item by name (popup twins and the three tool buttons
    // answer with their twin's action); nullptr for an unknown name.
    QAction* Action(const std::string& Name) const;
    QMenu* Popup() const { return FPopup; }
    QMenu* Menu(const std::string& Name) const;

    // Applies enabled states by item name.
    void SetEnabled(const std::map<std::string, bool>& States);
    void SetChecked(const std::string& Name, bool Checked);

  private:
    std::map<std::string, QAction*> FActions;
    std::map<std::string, QMenu*> FMenus;
    QMenu* FPopup = nullptr;
};

// The picture of image-list entry Index (a compiled-in SVG); a null icon for
// an entry without one.
class QIcon;
QIcon MenuImage(int Index);
