// Every item of the window's menus does something: each is triggered on a
// window holding a typed run, with the clipboard full and the option it
// switches away from its choice, and something the user can see or the
// files keep must change. An item bound to nothing fails here.
#include "app/fake_user_port.h"
#include "grid/keys.h"
#include "model/laptime_project.h"
#include "ui/lap_form.h"
#include "ui/menus.h"
#include "ui/ui_test_helpers.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

#include <functional>
#include <string>
#include <set>
#include <sstream>
#include <vector>

namespace {

// The leaf items under a menu, by object name.
void CollectItems(const QWidget* Menu, std::set<std::string>& Out) {
    for (QAction* a : Menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu())
            CollectItems(a->menu(), Out);
        else
            Out.insert(a->objectName().toStdString());
    }
}

void Type(TLapGrid& G, int Col, int Row, const std::string& Text) {
    G.SetCol(Col);
    G.SetRow(Row);
    for (char ch : Text)
        G.KeyPress(std::string(1, ch));
    G.KeyDown(VK_RETURN, 0);
}

// What an item may change, as one text: the caption, the sheets and the
// shown sheet's cells and selection, the options, the clipboard, every
// question, message, dialog and settings edit, and whether the window is up.
std::string Observed(TLaptimeForm& Form, const FakeUserPort& User, int Edits) {
    std::ostringstream s;
    TLapGrid& g = Form.Grid();
    s << Form.windowTitle().toStdString() << '|' << Form.isVisible() << '|';
    const TLaptimeProject* p = Form.Project();
    s << (p ? p->SheetCount() : -1) << ',' << (p ? p->CurrentIndex : -1) << '|';
    for (int i = 0; p && i < p->SheetCount(); ++i)
        s << p->Sheets[static_cast<std::size_t>(i)].Name.str() << ';';
    s << g.RowCount() << ',' << g.Col() << ',' << g.Row() << ',' << g.Selection().Left << ','
      << g.Selection().Top << ',' << g.Selection().Right << ',' << g.Selection().Bottom << '|';
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            s << g.Cells(c, r) << '\t';
    const TLapEnv& e = Form.Env().Env;
    s << '|' << int(e.ZOrderMode) << int(e.SizeLocked) << int(e.TitleBarPos)
      << int(e.ShowToolButtons) << int(e.ShowNotes) << int(e.NotesPos) << int(e.HeaderVisible)
      << int(e.TitlesLocked) << '|';
    s << QApplication::clipboard()->text().toStdString() << '|' << User.Asked.size() << ','
      << User.Messages.size() << ',' << User.Errors.size() << ',' << User.Dialogs.size() << ','
      << Edits;
    return s.str();
}

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT
  private slots:
    void init() { QFile::remove(FEnvDir.filePath(QStringLiteral("LapEnv.dat"))); }

    void everyItemDoesSomething() {
        using Setup = std::function<void(TLaptimeForm&)>;
        const Setup none = [](TLaptimeForm&) {};
        // Setup: brings the window to where the item has something to do.
        // clang-format off
        const struct { const char* Item; Setup Before; } cases[] = {
            {"NewProject", none}, {"OpenProject", none}, {"OverWrite", none},
            {"SavePrject", none}, {"SheetToFile", none}, {"AppExit", none},
            {"UndoMain", none},
            {"RedoMain", [](TLaptimeForm& F) { F.Commands().UndoClick(); }},
            {"CutMain", none},
            {"CopyMain", none}, {"PasteMain", none}, {"DeleteMain", none},
            {"SelAllCellMain", none}, {"AddLineMain", none}, {"InsertLineMain", none},
            {"DeleteLineMain", none},
            {"ZNormal", [](TLaptimeForm& F) { F.Commands().SetZ(1); }},
            {"StayOnTop", none}, {"StayOnHide", none}, {"CanNotResizeMove", none},
            {"ListPosTop", [](TLaptimeForm& F) { F.Commands().TitleBarPosClick(1); }},
            {"ListPosBottom", none}, {"ShowToolButton", none}, {"ShowMemo", none},
            {"MemoTop", none},
            {"MemoBottom", [](TLaptimeForm& F) { F.Commands().MemoPosClick(0); }},
            {"ShowHeader", none},
            {"AddSheet", none}, {"FileToSheet", none}, {"AddFromClipBoard", none},
            {"CopySheet", none}, {"DeleteSheet", none},
            {"SheetSort", [](TLaptimeForm& F) { F.Commands().AddSheetClick(); }},
            {"SheetSetting", none}, {"DefaultSheetSetting", none}, {"CopyThisToDef", none},
            {"TitleLock", none}, {"CopyTime", none}, {"DeleteTime", none},
            {"AppSetting", none},
        };
        // clang-format on

        std::set<std::string> named;
        for (const auto& c : cases)
            named.insert(c.Item);
        {
            FakeUserPort user;
            TLaptimeForm form(nullptr, &user);
            std::set<std::string> items;
            CollectItems(form.menuBar(), items);
            QCOMPARE(items, named); // a new item needs its row here
        }

        for (const auto& c : cases) {
            QApplication::clipboard()->setText(QStringLiteral("2:00"));
            FakeUserPort user;
            int edits = 0;
            user.EditSheet = [&edits](TLaptimeSheet&) { ++edits; };
            user.EditEnv = [&edits](TLapEnv&) { ++edits; };
            user.Sort = [&edits](TLaptimeProject&) { ++edits; };
            TLaptimeForm form(nullptr, &user);
            TLapGrid& g = form.Grid();
            Type(g, 1, 0, "1:00");
            Type(g, 2, 0, "0:59");
            Type(g, 1, 1, "2:00");
            g.SetCol(1);
            g.SetRow(0);
            c.Before(form);
            QAction* a = form.Menus().Action(c.Item);
            QVERIFY2(a, c.Item);
            QVERIFY2(a->isEnabled(), c.Item);
            const std::string before = Observed(form, user, edits);
            a->trigger();
            QVERIFY2(Observed(form, user, edits) != before, c.Item);
        }
    }

    // The marks of the View and Tools items follow the options: a choice is
    // the one marked item of its group, a switch is marked while on, and
    // both ways the option follows.
    void marksFollowTheOptions() {
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        TMenus& m = form.Menus();
        const TLapEnv& e = form.Env().Env;
        using Field = std::uint8_t TLapEnv::*;
        const std::vector<const char*> zOrder{"ZNormal", "StayOnTop", "StayOnHide"};
        const std::vector<const char*> titleBar{"ListPosTop", "ListPosBottom"};
        const std::vector<const char*> notes{"MemoTop", "MemoBottom"};
        // clang-format off
        const struct { const char* Item; const std::vector<const char*>* Group; Field Option; int Value; } choices[] = {
            {"StayOnTop", &zOrder, &TLapEnv::ZOrderMode, 1}, {"StayOnHide", &zOrder, &TLapEnv::ZOrderMode, 2},
            {"ZNormal", &zOrder, &TLapEnv::ZOrderMode, 0},
            {"ListPosBottom", &titleBar, &TLapEnv::TitleBarPos, 1}, {"ListPosTop", &titleBar, &TLapEnv::TitleBarPos, 0},
            {"MemoTop", &notes, &TLapEnv::NotesPos, 0}, {"MemoBottom", &notes, &TLapEnv::NotesPos, 1},
        };
        // clang-format on
        for (const auto& c : choices) {
            m.Action(c.Item)->trigger();
            QVERIFY2(e.*c.Option == c.Value, c.Item);
            for (const char* other : *c.Group)
                QVERIFY2(m.Action(other)->isChecked() == (std::string(other) == c.Item), other);
        }
        // clang-format off
        const struct { const char* Item; Field Option; } switches[] = {
            {"CanNotResizeMove", &TLapEnv::SizeLocked}, {"ShowToolButton", &TLapEnv::ShowToolButtons},
            {"ShowMemo", &TLapEnv::ShowNotes}, {"ShowHeader", &TLapEnv::HeaderVisible},
            {"TitleLock", &TLapEnv::TitlesLocked},
        };
        // clang-format on
        for (const auto& c : switches) {
            QAction* a = m.Action(c.Item);
            for (int i = 0; i < 2; ++i) {
                const bool was = a->isChecked();
                QVERIFY2(int(e.*c.Option) == int(was), c.Item);
                a->trigger();
                QVERIFY2(a->isChecked() == !was, c.Item);
                QVERIFY2(int(e.*c.Option) == int(!was), c.Item);
            }
        }
    }

  private:
    TestEnvDir FEnvDir;
};

QTEST_MAIN(TestMenuItems)
#include "tst_menu_items.moc"
