#include "ui/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace {

using H = TMenuHandler;

enum TKind { Command, Check, Radio, Separator, SubBegin, SubEnd, MenuBegin, PopupBegin };

struct TItem {
    TKind Kind;
    const char* Name;
    const char* Caption = "";
    const char* Shortcut = "";
    int Image = -1;
    H Handler = H::Count; // none
    int Tag = 0;
    int Group = 0; // radio group; groups are local to their submenu
};

// clang-format off
const TItem Items[] = {
    {MenuBegin, "File", "File(&F)"},
    {Command, "NewProject", "New Project(&N)", "", 8, H::NewProjectClick},
    {Command, "OpenProject", "Open (&O)...", "Ctrl+F11", 7, H::OpenProjectClick},
    {Separator, ""},
    {Command, "OverWrite", "Save(&S)", "Ctrl+S", 5, H::OverWriteClick},
    {Command, "SavePrject", "Save As        (&E)...", "", 6, H::SavePrjectClick},
    {Command, "SheetToFile", "SaveSheet As(&T)...", "", -1, H::SheetToFileClick},
    {Separator, ""},
    {Command, "AppExit", "Exit (&X)", "", -1, H::AppExitClick},

    {MenuBegin, "Edit", "Edit(&E)"},
    {Command, "UndoMain", "Undo(&U)", "Ctrl+Z", 10, H::UndoClick},
    {Command, "RedoMain", "Redo(&R)", "Shift+Ctrl+Z", 9, H::RedoClick},
    {Separator, ""},
    {Command, "CutMain", "Cut(&T)", "Ctrl+X", 3, H::CutClick},
    {Command, "CopyMain", "Copy    (&C)", "Ctrl+C", 2, H::CopyClick},
    {Command, "PasteMain", "Pste(&V)", "Ctrl+V", 1, H::PasteClick},
    {Command, "DeleteMain", "Delete(&D)", "Del", 0, H::DeleteClick},
    {Separator, ""},
    {Command, "SelAllCellMain", "SlectAll(&A)", "Ctrl+A", -1, H::SelAllCellClick},
    {Separator, ""},
    {Command, "AddLineMain", "+Row(&E)", "", -1, H::AddLineClick},
    {Command, "InsertLineMain", "InsR(&I)", "", -1, H::InsertLineClick},
    {Command, "DeleteLineMain", "-Row(&R)", "", -1, H::DeleteLineClick},

    {MenuBegin, "View", "View(&V)"},
    {SubBegin, "WindowBhvrMenu", "WindowBhvr(&W)"},
    {Radio, "ZNormal", "Norm(&N)", "", -1, H::SetZ, 0, 5},
    {Radio, "StayOnTop", "AlwysTop(&T)", "", -1, H::SetZ, 1, 5},
    {Radio, "StayOnHide", "AlwysBtm(&B)", "", -1, H::SetZ, 2, 5},
    {SubEnd, ""},
    {Check, "CanNotResizeMove", "Mv+Sz OFF (&M)", "", -1, H::CanNotResizeMoveExcute},
    {Separator, ""},
    {SubBegin, "N28", "Title Pos. (&L)"},
    {Radio, "ListPosTop", "Top  (&T)", "", -1, H::ListPosChangeExecute, 0, 1},
    {Radio, "ListPosBottom", "Bottom (&B)", "", -1, H::ListPosChangeExecute, 1, 1},
    {SubEnd, ""},
    {Check, "ShowToolButton", "Tool Button(&T)", "", -1, H::ShowToolButtonClick},
    {Separator, ""},
    {Check, "ShowMemo", "Notes(&M)", "", -1, H::ShowMemoClick},
    {SubBegin, "NotePosMenu", "NotePos(&P)"},
    {Radio, "MemoTop", "Top  (&T)", "", -1, H::MemoPosChaneExcute, 0, 1},
    {Radio, "MemoBottom", "Bottom(&B)", "", -1, H::MemoPosChaneExcute, 1, 1},
    {SubEnd, ""},
    {Separator, ""},
    {Check, "ShowHeader", "Show Headers(&H)", "", -1, H::ShowHeaderClick},

    {MenuBegin, "Sheets", "Sheets  (&S)"},
    {Command, "AddSheet", "AddNew(&A)", "", 4, H::AddSheetClick},
    {Command, "FileToSheet", "Txt File(&F)...", "", -1, H::FileToSheetClick},
    {Command, "AddFromClipBoard", "Paste Sheet(&B)", "", -1, H::AddFromClipBoardClick},
    {Command, "CopySheet", "Copy(&C)", "", 2, H::CopySheetClick},
    {Command, "DeleteSheet", "Delete(&D)", "", 0, H::DeleteSheetClick},
    {Separator, ""},
    {Command, "SheetSort", "Sort (&S)...", "", -1, H::SheetSortClick},
    {Separator, ""},
    {Command, "SheetSetting", "Customize (&C)...", "Ctrl+E", -1, H::SheetConfigClick, 0},
    {Command, "DefaultSheetSetting", "Defaults (&U)...", "", -1, H::SheetConfigClick, 1},
    {Separator, ""},
    {Command, "CopyThisToDef", "Make Default   (&M)", "", -1, H::CopyThisToDefClick},

    {MenuBegin, "Tools", "Tools   (&T)"},
    {Check, "TitleLock", "Lock Title(&L)", "", 14, H::SpeedButton3Click},
    {Separator, ""},
    {Command, "CopyTime", "Copy Now>Best(&S)", "", 12, H::SpeedButton1Click},
    {Command, "DeleteTime", "Clear Now(&D)", "", 11, H::SpeedButton2Click},
    {Separator, ""},
    {Command, "AppSetting", "Config/Prefs(&C)...", "", -1, H::AppSettingClick},

    // The grid's popup menu: each item is its Edit-menu twin.
    {PopupBegin, "PopupMenu1"},
    {Command, "UndoPop", "UndoMain"},
    {Command, "RedoPop", "RedoMain"},
    {Separator, ""},
    {Command, "CutPop", "CutMain"},
    {Command, "CopyPop", "CopyMain"},
    {Command, "PastePop", "PasteMain"},
    {Command, "DeletePop", "DeleteMain"},
    {Separator, ""},
    {Command, "SelAllCellPop", "SelAllCellMain"},
    {Separator, ""},
    {Command, "AddLinePop", "AddLineMain"},
    {Command, "InsertLinePop", "InsertLineMain"},
    {Command, "DeleteLinePop", "DeleteLineMain"},
};
// clang-format on

// The tool buttons and the items whose action they share.
const std::pair<const char*, const char*> ButtonTwins[] = {
    {"SpeedButton1", "CopyTime"},
    {"SpeedButton2", "DeleteTime"},
    {"SpeedButton3", "TitleLock"},
};

QString Text(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

QIcon MenuImage(int Index) {
    if (Index < 0) return QIcon();
    return QIcon(QStringLiteral(":/images/%1.svg").arg(Index));
}

TMenus::TMenus(QMenuBar* Bar, QObject* Owner, const TCommands& Commands) {
    QMenu* top = nullptr;
    QMenu* current = nullptr;
    std::map<int, QActionGroup*> groups;
    std::array<bool, static_cast<std::size_t>(H::Count)> used{};
    for (const TItem& item : Items) {
        switch (item.Kind) {
        case MenuBegin:
            top = current = Bar->addMenu(Text(item.Caption));
            FMenus[item.Name] = top;
            groups.clear();
            continue;
        case PopupBegin:
            FPopup = new QMenu(Bar->parentWidget());
            top = current = FPopup;
            FMenus[item.Name] = FPopup;
            continue;
        case SubBegin:
            current = top->addMenu(Text(item.Caption));
            FMenus[item.Name] = current;
            groups.clear();
            continue;
        case SubEnd:
            current = top;
            groups.clear();
            continue;
        case Separator:
            current->addSeparator();
            continue;
        default:
            break;
        }
        if (current == FPopup) {
            QAction* twin = FActions.at(item.Caption);
            current->addAction(twin);
            FActions[item.Name] = twin;
            continue;
        }
        auto* a = new QAction(Text(item.Caption), Owner);
        a->setObjectName(Text(item.Name));
        a->setIcon(MenuImage(item.Image));
        if (*item.Shortcut) a->setShortcut(QKeySequence(Text(item.Shortcut)));
        if (item.Kind == Check || item.Kind == Radio) a->setCheckable(true);
        if (item.Kind == Radio) {
            QActionGroup*& g = groups[item.Group];
            if (!g) g = new QActionGroup(Owner);
            g->addAction(a);
        }
        // An item that would do nothing when chosen is a mistake in the table.
        if (item.Handler == H::Count || !Commands[item.Handler])
            throw std::logic_error(std::string("menu item ") + item.Name + " has no command");
        used[static_cast<std::size_t>(item.Handler)] = true;
        const TCommand command = Commands[item.Handler];
        const int tag = item.Tag;
        QObject::connect(a, &QAction::triggered, Owner, [command, tag] { command(tag); });
        current->addAction(a);
        FActions[item.Name] = a;
    }
    for (const auto& [button, twin] : ButtonTwins)
        FActions[button] = FActions.at(twin);
    for (std::size_t h = 0; h < used.size(); ++h)
        if (!used[h] && Commands[static_cast<H>(h)])
            throw std::logic_error("menu handler " + std::to_string(h) +
                                   " has a command but no item");
}

QAction* TMenus::Action(const std::string& Name) const {
    auto i = FActions.find(Name);
    return i == FActions.end() ? nullptr : i->second;
}

QMenu* TMenus::Menu(const std::string& Name) const {
    auto i = FMenus.find(Name);
    return i == FMenus.end() ? nullptr : i->second;
}

void TMenus::SetEnabled(const std::map<std::string, bool>& States) {
    for (const auto& [name, on] : States)
        if (QAction* a = Action(name)) a->setEnabled(on);
}

void TMenus::SetChecked(const std::string& Name, bool Checked) {
    if (QAction* a = Action(Name)) a->setChecked(Checked);
}
