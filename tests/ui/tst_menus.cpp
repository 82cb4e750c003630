// The menu table's binding: every item runs the handler it is meant to, with
// its tag, and a table that names a handler without a command, or a command
// no item names, fails when the menus are built.
#include "ui/menus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <stdexcept>
#include <string>
#include <utility>

namespace {

using H = TMenuHandler;
constexpr int HandlerCount = static_cast<int>(H::Count);

// Every handler recording what it was called with.
struct Recorder {
    TMenus::TCommands Commands;
    std::pair<int, int> Last{-1, -1}; // handler, tag
    Recorder() {
        for (int h = 0; h < HandlerCount; ++h)
            Commands[static_cast<H>(h)] = [this, h](int Tag) { Last = {h, Tag}; };
    }
};

} // namespace

class TestMenus : public QObject {
    Q_OBJECT
  private slots:
    void everyItemRunsItsHandler() {
        QMainWindow window;
        Recorder r;
        TMenus menus(window.menuBar(), &window, r.Commands);
        // clang-format off
        const struct { const char* Item; H Handler; int Tag; } items[] = {
            {"NewProject", H::NewProjectClick, 0},        {"OpenProject", H::OpenProjectClick, 0},
            {"OverWrite", H::OverWriteClick, 0},          {"SavePrject", H::SavePrjectClick, 0},
            {"SheetToFile", H::SheetToFileClick, 0},      {"AppExit", H::AppExitClick, 0},
            {"UndoMain", H::UndoClick, 0},                {"RedoMain", H::RedoClick, 0},
            {"CutMain", H::CutClick, 0},                  {"CopyMain", H::CopyClick, 0},
            {"PasteMain", H::PasteClick, 0},              {"DeleteMain", H::DeleteClick, 0},
            {"SelAllCellMain", H::SelAllCellClick, 0},    {"AddLineMain", H::AddLineClick, 0},
            {"InsertLineMain", H::InsertLineClick, 0},    {"DeleteLineMain", H::DeleteLineClick, 0},
            {"UndoPop", H::UndoClick, 0},                 {"RedoPop", H::RedoClick, 0},
            {"CutPop", H::CutClick, 0},                   {"CopyPop", H::CopyClick, 0},
            {"PastePop", H::PasteClick, 0},               {"DeletePop", H::DeleteClick, 0},
            {"SelAllCellPop", H::SelAllCellClick, 0},     {"AddLinePop", H::AddLineClick, 0},
            {"InsertLinePop", H::InsertLineClick, 0},     {"DeleteLinePop", H::DeleteLineClick, 0},
            {"ZNormal", H::SetZ, 0},                      {"StayOnTop", H::SetZ, 1},
            {"StayOnHide", H::SetZ, 2},                   {"CanNotResizeMove", H::CanNotResizeMoveExcute, 0},
            {"ListPosTop", H::ListPosChangeExecute, 0},   {"ListPosBottom", H::ListPosChangeExecute, 1},
            {"ShowToolButton", H::ShowToolButtonClick, 0}, {"ShowMemo", H::ShowMemoClick, 0},
            {"MemoTop", H::MemoPosChaneExcute, 0},        {"MemoBottom", H::MemoPosChaneExcute, 1},
            {"ShowHeader", H::ShowHeaderClick, 0},        {"AddSheet", H::AddSheetClick, 0},
            {"FileToSheet", H::FileToSheetClick, 0},      {"AddFromClipBoard", H::AddFromClipBoardClick, 0},
            {"CopySheet", H::CopySheetClick, 0},          {"DeleteSheet", H::DeleteSheetClick, 0},
            {"SheetSort", H::SheetSortClick, 0},          {"SheetSetting", H::SheetConfigClick, 0},
            {"DefaultSheetSetting", H::SheetConfigClick, 1}, {"CopyThisToDef", H::CopyThisToDefClick, 0},
            {"TitleLock", H::SpeedButton3Click, 0},       {"CopyTime", H::SpeedButton1Click, 0},
            {"DeleteTime", H::SpeedButton2Click, 0},      {"AppSetting", H::AppSettingClick, 0},
            {"SpeedButton1", H::SpeedButton1Click, 0},    {"SpeedButton2", H::SpeedButton2Click, 0},
            {"SpeedButton3", H::SpeedButton3Click, 0},
        };
        // clang-format on
        for (const auto& i : items) {
            QAction* a = menus.Action(i.Item);
            QVERIFY2(a, i.Item);
            r.Last = {-1, -1};
            a->trigger();
            QVERIFY2(r.Last == std::make_pair(static_cast<int>(i.Handler), i.Tag), i.Item);
        }
    }

    // The check the window's start runs: with any one command missing the
    // menus are not built, and the message names the item.
    void aHandlerWithoutItsCommandFailsTheBuild() {
        for (int h = 0; h < HandlerCount; ++h) {
            QMainWindow window;
            Recorder r;
            r.Commands[static_cast<H>(h)] = nullptr;
            bool failed = false;
            try {
                TMenus menus(window.menuBar(), &window, r.Commands);
            } catch (const std::logic_error& e) {
                failed = std::string(e.what()).find("has no command") != std::string::npos;
            }
            QVERIFY2(failed, std::to_string(h).c_str());
        }
        QMainWindow window;
        Recorder r;
        TMenus menus(window.menuBar(), &window, r.Commands); // complete: built
        QVERIFY(menus.Action("AppExit"));
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
