// The window's menus as one table: every item with its name, caption,
// shortcut, image and check or radio group. The builder turns the table into
// QActions; an item of the grid's popup menu and a tool button share the
// action of their menu-bar twin, so one enabled state and one check mark
// serve all of them.
#pragma once

#include <QHash>
#include <QString>

#include <functional>
#include <map>
#include <string>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;

class TMenus {
  public:
    // Command: called with the item's tag when its action is triggered.
    using TCommand = std::function<void(int Tag)>;

    // Builds the menu bar's menus into Bar and the popup menu, with parent
    // Owner; Commands maps handler names to commands.
    TMenus(QMenuBar* Bar, QObject* Owner, const std::map<std::string, TCommand>& Commands);

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
