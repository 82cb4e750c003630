#include "ui/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>

namespace {

enum TKind { Command, Check, Radio, Separator, SubBegin, SubEnd, MenuBegin, PopupBegin };

struct TItem {
    TKind Kind;
    const char* Name;
    const char* Caption = "";
    const char* Shortcut = "";
    int Image = -1;
    const char* Handler = "";
    int Tag = 0;
    int Group = 0; // radio group; groups are local to their submenu
};

// clang-format off
const TItem Items[] = {
    {MenuBegin, "File", "File(&F)"},
    {Command, "NewProject", "New Project(&N)", "", 8, "NewProjectClick"},
    {Command, "OpenProject", "Open (&O)...", "Ctrl+F11", 7, "OpenProjectClick"},
    {Separator, ""},
    {Command, "OverWrite", "Save(&S)", "Ctrl+S", 5, "OverWriteClick"},
    {Command, "SavePrject", "Save As        (&E)...", "", 6, "SavePrjectClick"},
    {Command, "SheetToFile", "SaveSheet As(&T)...", "", -1, "SheetToFileClick"},
    {Separator, ""},
    {Command, "AppExit", "Exit (&X)", "", -1, "AppExitClick"},

    {MenuBegin, "Edit", "Edit(&E)"},
    {Command, "UndoMain", "Undo(&U)", "Ctrl+Z", 10, "UndoClick"},
    {Command, "RedoMain", "Redo(&R)", "Shift+Ctrl+Z", 9, "RedoClick"},
    {Separator, ""},
    {Command, "CutMain", "Cut(&T)", "Ctrl+X", 3, "CutClick"},
    {Command, "CopyMain", "Copy    (&C)", "Ctrl+C", 2, "CopyClick"},
    {Command, "PasteMain", "Pste(&V)", "Ctrl+V", 1, "PasteClick"},
    {Command, "DeleteMain", "Delete(&D)", "Del", 0, "DeleteClick"},
    {Separator, ""},
    {Command, "SelAllCellMain", "SlectAll(&A)", "Ctrl+A", -1, "SelAllCellClick"},
    {Separator, ""},
    {Command, "AddLineMain", "+Row(&E)", "", -1, "AddLineClick"},
    {Command, "InsertLineMain", "InsR(&I)", "", -1, "InsertLineClick"},
    {Command, "DeleteLineMain", "-Row(&R)", "", -1, "DeleteLineClick"},

    {MenuBegin, "View", "View(&V)"},
    {SubBegin, "WindowBhvrMenu", "WindowBhvr(&W)"},
    {Radio, "ZNormal", "Norm(&N)", "", -1, "SetZ", 0, 5},
    {Radio, "StayOnTop", "AlwysTop(&T)", "", -1, "SetZ", 1, 5},
    {Radio, "StayOnHide", "AlwysBtm(&B)", "", -1, "SetZ", 2, 5},
    {SubEnd, ""},
    {Check, "CanNotResizeMove", "Mv+Sz OFF (&M)", "", -1, "CanNotResizeMoveExcute"},
    {Separator, ""},
    {SubBegin, "N28", "Title Pos. (&L)"},
    {Radio, "ListPosTop", "Top  (&T)", "", -1, "ListPosChangeExecute", 0, 1},
    {Radio, "ListPosBottom", "Bottom (&B)", "", -1, "ListPosChangeExecute", 1, 1},
    {SubEnd, ""},
    {Check, "ShowToolButton", "Tool Button(&T)", "", -1, "ShowToolButtonClick"},
    {Separator, ""},
    {Check, "ShowMemo", "Notes(&M)", "", -1, "ShowMemoClick"},
    {SubBegin, "NotePosMenu", "NotePos(&P)"},
    {Radio, "MemoTop", "Top  (&T)", "", -1, "MemoPosChaneExcute", 0, 1},
    {Radio, "MemoBottom", "Bottom(&B)", "", -1, "MemoPosChaneExcute", 1, 1},
    {SubEnd, ""},
    {Separator, ""},
    {Check, "ShowHeader", "Show Headers(&H)", "", -1, "ShowHeaderClick"},

    {MenuBegin, "Sheets", "Sheets  (&S)"},
    {Command, "AddSheet", "AddNew(&A)", "", 4, "AddSheetClick"},
    {Command, "FileToSheet", "Txt File(&F)...", "", -1, "FileToSheetClick"},
    {Command, "AddFromClipBoard", "Paste Sheet(&B)", "", -1, "AddFromClipBoardClick"},
    {Command, "CopySheet", "Copy(&C)", "", 2, "CopySheetClick"},
    {Command, "DeleteSheet", "Delete(&D)", "", 0, "DeleteSheetClick"},
    {Separator, ""},
    {Command, "SheetSort", "Sort (&S)...", "", -1, "SheetSortClick"},
    {Separator, ""},
    {Command, "SheetSetting", "Customize (&C)...", "Ctrl+E", -1, "SheetConfigClick", 0},
    {Command, "DefaultSheetSetting", "Defaults (&U)...", "", -1, "SheetConfigClick", 1},
    {Separator, ""},
    {Command, "CopyThisToDef", "Make Default   (&M)", "", -1, "CopyThisToDefClick"},

    {MenuBegin, "Tools", "Tools   (&T)"},
    {Check, "TitleLock", "Lock Title(&L)", "", 14, "SpeedButton3Click"},
    {Separator, ""},
    {Command, "CopyTime", "Copy Now>Best(&S)", "", 12, "SpeedButton1Click"},
    {Command, "DeleteTime", "Clear Now(&D)", "", 11, "SpeedButton2Click"},
    {Separator, ""},
    {Command, "AppSetting", "Config/Prefs(&C)...", "", -1, "AppSettingClick"},

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

TMenus::TMenus(QMenuBar* Bar, QObject* Owner, const std::map<std::string, TCommand>& Commands) {
    QMenu* top = nullptr;
    QMenu* current = nullptr;
    std::map<int, QActionGroup*> groups;
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
        if (auto c = Commands.find(item.Handler); c != Commands.end()) {
            const TCommand command = c->second;
            const int tag = item.Tag;
            QObject::connect(a, &QAction::triggered, Owner, [command, tag] { command(tag); });
        }
        current->addAction(a);
        FActions[item.Name] = a;
    }
    for (const auto& [button, twin] : ButtonTwins)
        FActions[button] = FActions.at(twin);
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
