// The main window as a person uses it: menus by their captions and access
// keys, the keyboard in the grid and the sheet selector, the view options,
// and LapEnv.dat written at exit and read at the next start. Every question
// is answered by the scripted user.
#include "app/fake_user_port.h"
#include "model/file_io.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/menus.h"
#include "ui/ui_test_helpers.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolButton>

#include <functional>
#include <tuple>

namespace {

using Strings = std::vector<std::string>;

// A menu's items as captions, "-" for a separator.
QStringList Captions(const QWidget* Menu) {
    QStringList out;
    for (QAction* a : Menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// Files dragged from a file manager and dropped on the grid.
void Drop(QWidget* Viewport, const QList<QUrl>& Urls) {
    QMimeData data;
    data.setUrls(Urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &drop);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void init() { QFile::remove(EnvFile()); }

    // The menus' structure: what the menu state switches is there, the popup
    // is the Edit menu itself, and a first start's check marks and radio
    // groups. (The captions themselves are plain constants.)
    void menusShowTheirItems() {
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        TMenus& m = form.Menus();
        QCOMPARE(Captions(form.menuBar()).join(u'|'),
                 QStringLiteral("File(&F)|Edit(&E)|View(&V)|Sheets  (&S)|Tools   (&T)"));
        for (const auto& [name, on] : form.Commands().MenuState().Enabled)
            QVERIFY2(m.Action(name), name.c_str());
        QCOMPARE(Captions(m.Popup()), Captions(m.Menu("Edit")));
        QCOMPARE(m.Action("DeletePop"), m.Action("DeleteMain"));
        // clang-format off
        const std::pair<const char*, bool> checks[] = {
            {"ZNormal", true}, {"StayOnTop", false}, {"CanNotResizeMove", false},
            {"ListPosTop", true}, {"ShowToolButton", true}, {"ShowMemo", false},
            {"MemoBottom", true}, {"MemoTop", false}, {"ShowHeader", true}, {"TitleLock", false}};
        // clang-format on
        for (const auto& [name, on] : checks)
            QVERIFY2(m.Action(name)->isChecked() == on, name);
        QCOMPARE(form.ToolButtons()->findChildren<QToolButton*>().size(), 3);
    }

    // A saved project opens when dropped on the grid (exactly one local
    // ".sgp" file, after the save question) and from the command line; then
    // a run is typed, saved with Ctrl+S, undone from the popup menu, and the
    // window left.
    void projectSession() {
        const QString project = FEnvDir.filePath(QStringLiteral("run.sgp"));
        {
            FakeUserPort user;
            user.Files = {project.toStdString()};
            TLaptimeForm form(nullptr, &user);
            form.Menus().Action("SavePrject")->trigger();
            form.Menus().Action("NewProject")->trigger();
            form.Menus().Action("AddSheet")->trigger();
            const QUrl file = QUrl::fromLocalFile(project);
            QWidget* vp = form.GridWidget()->viewport();
            Drop(vp, {file, file});
            Drop(vp, {QUrl(QStringLiteral("https://example.org/a.sgp"))});
            QVERIFY(user.Asked.empty());
            Drop(vp, {file});
            QVERIFY(user.Asked == (Strings{"Cnfm: Data has been edited. Save?"}));
            user.Answers = {TAnswer::No};
            Drop(vp, {file});
            QCOMPARE(form.windowTitle(), QStringLiteral("Segmark v1.7.0 Eng - run"));
        }
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user, {project});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("Segmark v1.7.0 Eng - run"));
        TGridWidget* grid = form.GridWidget();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClicks(grid, QStringLiteral("1:23"));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(form.windowTitle(), QStringLiteral("Segmark v1.7.0 Eng - run*"));
        QCOMPARE(form.Menus().Action("UndoMain")->text(),
                 QStringLiteral("Undo   (&U)\t(Cell Edit) "));
        QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(form.windowTitle(), QStringLiteral("Segmark v1.7.0 Eng - run"));

        // The popup's Delete clears the cell through the grid's own key.
        QTest::keyClick(grid, Qt::Key_Up);
        form.Menus().Popup()->actions().at(6)->trigger();
        QCOMPARE(Cell(form.Grid(), 1, 0), QString());
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cell(form.Grid(), 1, 0), QStringLiteral("0:01:23"));

        // Closing settles the cell being typed and asks first; Cancel keeps
        // the window and writes nothing. Alt+F then X, answered No, leaves.
        QTest::keyClicks(grid, QStringLiteral("1:20"));
        QVERIFY(!form.close());
        QVERIFY(user.Asked == (Strings{"Cnfm: Data has been edited. Save?"}));
        QVERIFY(!QFile::exists(EnvFile()));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        user.Answers = {TAnswer::No};
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(user.Asked.size(), std::size_t(2));
        const TLapEnvFile env = ReadLapEnv(ReadWholeFile(EnvFile().toStdString()));
        QCOMPARE(QString::fromStdString(env.Env.LastFile.str()), project);
    }

    // Options changed in one run are where the next run starts from.
    void environmentRoundTrip() {
        TLapEnvFile before;
        TLapEnv& e = before.Env;
        e.Placement.NormalPosition = TRect{30, 40, 530, 440};
        e.TitleBarPos = 1;
        e.ShowNotes = 1;
        e.NotesPos = 0;
        e.NotesHeight = 80;
        e.ShowToolButtons = 0;
        e.HeaderVisible = 0;
        e.TitlesLocked = 1;
        e.HeaderTexts[0].assign(std::string(254, 'h'));
        SaveLapEnv(EnvFile().toStdString(), before);

        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.geometry(), QRect(30, 40, 500, 400));
        auto* layout = form.centralWidget()->layout();
        auto* splitter = qobject_cast<QSplitter*>(form.Notes()->parentWidget());
        QCOMPARE(form.Notes()->height(), 80);
        QCOMPARE(form.Grid().Columns[0].Title(), std::string(254, 'h'));
        QVERIFY(form.Menus().Action("ListPosBottom")->isChecked());
        QVERIFY(form.Menus().Action("MemoTop")->isChecked());

        // Each option as the file left it, then changed through its menu
        // item; the window follows.
        // clang-format off
        const std::tuple<const char*, bool, std::function<bool()>> options[] = {
            {"ListPosTop", false, [&] { return layout->indexOf(form.TitleBar()) == 0; }},
            {"ShowToolButton", false, [&] { return form.ToolButtons()->isVisible(); }},
            {"MemoBottom", false, [&] { return splitter->indexOf(form.Notes()) == 1; }},
            {"ShowHeader", false, [&] { return form.Grid().HeaderLine() == 1; }},
            {"TitleLock", false, [&] { return form.List()->isEditable(); }},
            {"StayOnTop", false,
             [&] { return form.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
            {"CanNotResizeMove", false, [&] { return form.minimumSize() == form.maximumSize(); }},
            {"ShowMemo", true, [&] { return form.Notes()->isVisible(); }}};
        // clang-format on
        for (const auto& [item, on, shown] : options)
            QVERIFY2(shown() == on, item);
        for (const auto& [item, on, shown] : options)
            form.Menus().Action(item)->trigger();
        for (const auto& [item, on, shown] : options)
            QVERIFY2(shown() != on, item);
        QVERIFY(form.close());

        // The file holds the window's options whole, the notes height kept.
        const TLapEnvFile after = ReadLapEnv(ReadWholeFile(EnvFile().toStdString()));
        QVERIFY(after.Env == form.Env().Env);
        QCOMPARE(after.Env.Placement.NormalPosition, (TRect{30, 40, 530, 440}));
        QCOMPARE(after.Env.NotesHeight, 80);
        QVERIFY(after.DefaultSettings == before.DefaultSettings);
    }

    void sheetSelectorRenamesAndKeepsItsOwnClipboard() {
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* name = form.List()->lineEdit();
        name->setFocus();
        QTRY_VERIFY(name->hasFocus());
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Course "));
        name->insert(QStringLiteral("区間")); // as an input method commits it
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(form.List()->itemText(0), QStringLiteral("Course 区間"));

        // Cut in the name field takes from the name, not from the grid.
        form.Grid().SetCells(0, 0, "lap");
        name->setSelection(0, 6);
        form.Menus().Action("CutMain")->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Course"));
        QCOMPARE(name->text(), QStringLiteral(" 区間"));
        QCOMPARE(form.Grid().Cells(0, 0), "lap");

        // A name typed but not confirmed goes when the grid takes the focus.
        form.GridWidget()->setFocus();
        QTRY_COMPARE(name->text(), QStringLiteral("Course 区間"));

        // The clipboard watch switches the paste items by itself.
        QApplication::clipboard()->clear();
        QTRY_VERIFY(!form.Menus().Action("PastePop")->isEnabled());
        QApplication::clipboard()->setText(QStringLiteral("1:00"));
        QTRY_VERIFY(form.Menus().Action("AddFromClipBoard")->isEnabled());
        QVERIFY(form.Menus().Action("PasteMain")->isEnabled());
    }

    // A LapEnv.dat that cannot be read: one message naming it, then the
    // defaults.
    void unreadableEnvironmentStartsWithDefaults() {
        QVERIFY(QDir().mkdir(EnvFile()));
        FakeUserPort user;
        {
            TLaptimeForm form(nullptr, &user);
            QCOMPARE(int(user.Errors.size()), 1);
            QVERIFY(user.Errors[0].find("LapEnv.dat") != std::string::npos);
            QCOMPARE(qt_bridge::FromBytes(form.Grid().Columns[1].Title()), QStringLiteral("最速"));
            QCOMPARE(form.size(), QSize(409, 370));
        }
        QVERIFY(QDir().rmdir(EnvFile()));
        // A file too short to hold a placement keeps the design size rather
        // than a window of no size.
        SaveLapEnv(EnvFile().toStdString(), TLapEnvFile{});
        TLaptimeForm form(nullptr, &user);
        QCOMPARE(form.size(), QSize(409, 370));
    }

  private:
    QString EnvFile() const { return FEnvDir.filePath(QStringLiteral("LapEnv.dat")); }

    TestEnvDir FEnvDir;
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
