// The main window as a person uses it: menus by their captions and access
// keys, the keyboard in the grid and the sheet selector, the view options,
// and LapEnv.dat written at exit and read at the next start. Every question
// is answered by the scripted user.
#include "app/fake_user_port.h"
#include "grid/lap_grid.h"
#include "model/file_io.h"
#include "model/lap_env.h"
#include "model/laptime_project.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/menus.h"
#include "ui/qt_canvas.h"

#include <QAction>
#include <QApplication>
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
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {

QString Cell(TLapGrid& g, int col, int row) {
    return qt_bridge::FromBytes(g.Cells(col, row));
}

using Strings = std::vector<std::string>;

QStringList L(std::initializer_list<const char*> Items) {
    QStringList out;
    for (const char* i : Items)
        out << QString::fromUtf8(i);
    return out;
}

std::string Local(const QString& s) {
    return s.toStdString();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(FEnvDir.isValid());
        qputenv("SEGMARK_ENV_DIR", FEnvDir.path().toUtf8());
    }

    void init() { QFile::remove(EnvFile()); }

    void menusShowTheirItems() {
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        QStringList titles;
        for (QAction* a : form.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, L({"File(&F)", "Edit(&E)", "View(&V)", "Sheets  (&S)", "Tools   (&T)"}));
        // name, caption, shortcut
        const char* const items[][3] = {
            {"NewProject", "New Project(&N)", ""},
            {"OpenProject", "Open (&O)...", "Ctrl+F11"},
            {"OverWrite", "Save(&S)", "Ctrl+S"},
            {"SavePrject", "Save As        (&E)...", ""},
            {"SheetToFile", "SaveSheet As(&T)...", ""},
            {"AppExit", "Exit (&X)", ""},
            {"UndoMain", "Undo   (&U)", "Ctrl+Z"},
            {"RedoMain", "Redo   (&R)", "Ctrl+Shift+Z"},
            {"CutMain", "Cut(&T)", "Ctrl+X"},
            {"CopyMain", "Copy    (&C)", "Ctrl+C"},
            {"PasteMain", "Pste(&V)", "Ctrl+V"},
            {"DeleteMain", "Delete(&D)", "Del"},
            {"SelAllCellMain", "SlectAll(&A)", "Ctrl+A"},
            {"AddLineMain", "+Row(&E)", ""},
            {"InsertLineMain", "InsR(&I)", ""},
            {"DeleteLineMain", "-Row(&R)", ""},
            {"ZNormal", "Norm(&N)", ""},
            {"StayOnTop", "AlwysTop(&T)", ""},
            {"StayOnHide", "AlwysBtm(&B)", ""},
            {"CanNotResizeMove", "Mv+Sz OFF (&M)", ""},
            {"ListPosTop", "Top  (&T)", ""},
            {"ListPosBottom", "Bottom (&B)", ""},
            {"ShowToolButton", "Tool Button(&T)", ""},
            {"ShowMemo", "Notes(&M)", ""},
            {"MemoTop", "Top  (&T)", ""},
            {"MemoBottom", "Bottom(&B)", ""},
            {"ShowHeader", "Show Headers(&H)", ""},
            {"AddSheet", "AddNew(&A)", ""},
            {"FileToSheet", "Txt File(&F)...", ""},
            {"AddFromClipBoard", "Paste Sheet(&B)", ""},
            {"CopySheet", "Copy(&C)", ""},
            {"DeleteSheet", "Delete(&D)", ""},
            {"SheetSort", "Sort (&S)...", ""},
            {"SheetSetting", "Customize (&C)...", "Ctrl+E"},
            {"DefaultSheetSetting", "Defaults (&U)...", ""},
            {"CopyThisToDef", "Make Default   (&M)", ""},
            {"TitleLock", "Lock Title(&L)", ""},
            {"CopyTime", "Copy Now>Best(&S)", ""},
            {"DeleteTime", "Clear Now(&D)", ""},
            {"AppSetting", "Config/Prefs(&C)...", ""},
        };
        for (const auto& item : items) {
            QAction* a = form.Menus().Action(item[0]);
            QVERIFY2(a, item[0]);
            QCOMPARE(a->text(), QString::fromUtf8(item[1]));
            QCOMPARE(a->shortcut().toString(), QString::fromUtf8(item[2]));
        }
        QCOMPARE(form.Menus().Menu("WindowBhvrMenu")->title(), QStringLiteral("WindowBhvr(&W)"));
        QCOMPARE(form.Menus().Menu("N28")->title(), QStringLiteral("Title Pos. (&L)"));
        QCOMPARE(form.Menus().Menu("NotePosMenu")->title(), QStringLiteral("NotePos(&P)"));
        // The popup holds the Edit menu's own items, in its order.
        QStringList popup;
        for (QAction* a : form.Menus().Popup()->actions())
            popup << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(popup, L({"UndoMain", "RedoMain", "-", "CutMain", "CopyMain", "PasteMain",
                           "DeleteMain", "-", "SelAllCellMain", "-", "AddLineMain",
                           "InsertLineMain", "DeleteLineMain"}));
        // Check marks and radio groups as a first start leaves them.
        const std::pair<const char*, bool> checks[] = {
            {"ZNormal", true},    {"StayOnTop", false},     {"CanNotResizeMove", false},
            {"ListPosTop", true}, {"ShowToolButton", true}, {"ShowMemo", false},
            {"MemoBottom", true}, {"MemoTop", false},       {"ShowHeader", true},
            {"TitleLock", false},
        };
        for (const auto& [name, on] : checks)
            QVERIFY2(form.Menus().Action(name)->isChecked() == on, name);
        QStringList hints;
        for (QToolButton* b : form.ToolButtons()->findChildren<QToolButton*>())
            hints << b->toolTip();
        QCOMPARE(hints, L({"Lck Titles", "Copy Now>Best", "Clear Now"}));
        QVERIFY(!form.Menus().Action("UndoMain")->isEnabled());
        QVERIFY(!form.Menus().Action("OverWrite")->icon().isNull());
    }

    // Open a project from the command line, type a run, save with Ctrl+S,
    // leave with Alt+F then X.
    void keyboardSession() {
        const QString project = FEnvDir.filePath(QStringLiteral("run.sgp"));
        {
            FakeUserPort user;
            user.Files = {Local(project)};
            TLaptimeForm form(nullptr, &user);
            form.Menus().Action("SavePrject")->trigger();
            QVERIFY(QFile::exists(project));
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
        QVERIFY(user.Dialogs.empty());
        QVERIFY(!form.Menus().Action("UndoMain")->isEnabled());

        // The popup's Delete clears the cell through the grid's own key.
        QTest::keyClick(grid, Qt::Key_Up);
        form.Menus().Popup()->actions().at(6)->trigger();
        QCOMPARE(Cell(form.Grid(), 1, 0), QString());
        QTest::keyClick(grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cell(form.Grid(), 1, 0), QStringLiteral("0:01:23"));

        QTest::keyClicks(grid, QStringLiteral("1:20"));
        QTest::keyClick(&form, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        user.Answers = {TAnswer::No};
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_X);
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(user.Asked == (Strings{"Cnfm: Data has been edited. Save?"}));
        const TLapEnvFile env = ReadLapEnv(ReadWholeFile(Local(EnvFile())));
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
        e.ScrollThreshold = 4;
        e.ColumnsResizable = 0;
        e.HeaderTexts[0].assign(std::string(254, 'h'));
        SaveLapEnv(Local(EnvFile()), before);

        FakeUserPort user;
        auto form = std::make_unique<TLaptimeForm>(nullptr, &user);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        QCOMPARE(form->geometry(), QRect(30, 40, 500, 400));
        auto* layout = form->centralWidget()->layout();
        QCOMPARE(layout->indexOf(form->TitleBar()), 1);
        QVERIFY(form->Notes()->isVisible());
        auto* splitter = qobject_cast<QSplitter*>(form->Notes()->parentWidget());
        QCOMPARE(splitter->indexOf(form->Notes()), 0);
        QCOMPARE(form->Notes()->height(), 80);
        QVERIFY(!form->ToolButtons()->isVisible());
        QCOMPARE(form->Grid().HeaderLine(), 0);
        QCOMPARE(form->Grid().VertScrollThreshold(), 4);
        QVERIFY(!form->Grid().Columns[1].CanResize);
        QCOMPARE(form->Grid().Columns[0].Title(), std::string(254, 'h'));
        QVERIFY(!form->List()->isEditable());
        QVERIFY(form->Menus().Action("ListPosBottom")->isChecked());
        QVERIFY(form->Menus().Action("MemoTop")->isChecked());

        // Change each option through its menu item, then leave.
        TMenus& m = form->Menus();
        m.Action("ListPosTop")->trigger();
        m.Action("ShowToolButton")->trigger();
        m.Action("MemoBottom")->trigger();
        m.Action("ShowHeader")->trigger();
        m.Action("TitleLock")->trigger();
        m.Action("StayOnTop")->trigger();
        m.Action("CanNotResizeMove")->trigger();
        QCOMPARE(layout->indexOf(form->TitleBar()), 0);
        QVERIFY(form->ToolButtons()->isVisible());
        QCOMPARE(splitter->indexOf(form->Notes()), 1);
        QCOMPARE(form->Grid().HeaderLine(), 1);
        QVERIFY(form->List()->isEditable());
        QVERIFY(form->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        m.Action("ShowMemo")->trigger();
        QVERIFY(!form->Notes()->isVisible());
        QVERIFY(form->close());

        const std::string bytes = ReadWholeFile(Local(EnvFile()));
        QCOMPARE(bytes.size(), LapEnvFileSize);
        TLapEnvFile after = ReadLapEnv(bytes);
        TLapEnv expected = e;
        expected.TitleBarPos = 0;
        expected.ShowToolButtons = 1;
        expected.NotesPos = 1;
        expected.HeaderVisible = 1;
        expected.TitlesLocked = 0;
        expected.ZOrderMode = 1;
        expected.SizeLocked = 1;
        expected.ShowNotes = 0;
        QCOMPARE(after.Env.Placement.NormalPosition, (TRect{30, 40, 530, 440}));
        QVERIFY(after.Env == expected);
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
        QVERIFY(user.Asked == (Strings{"Confirm : Change this sheet's name?"}));
        QCOMPARE(form.List()->itemText(0), QStringLiteral("Course 区間"));
        QVERIFY(form.windowTitle().endsWith(QLatin1Char('*')));

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

    // Closing settles the cell being typed and asks; Cancel keeps the window.
    void closeAsksAboutATypedCell() {
        FakeUserPort user;
        TLaptimeForm form(nullptr, &user);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.GridWidget()->setFocus();
        QTest::keyClicks(form.GridWidget(), QStringLiteral("Stage"));
        QVERIFY(!form.close());
        QVERIFY(user.Asked == (Strings{"Cnfm: Data has been edited. Save?"}));
        QCOMPARE(Cell(form.Grid(), 0, 0), QStringLiteral("Stage"));
        QVERIFY(!QFile::exists(EnvFile()));
        user.Answers = {TAnswer::No};
        QVERIFY(form.close());
        QVERIFY(QFile::exists(EnvFile()));
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
        SaveLapEnv(Local(EnvFile()), TLapEnvFile{});
        TLaptimeForm form(nullptr, &user);
        QCOMPARE(form.size(), QSize(409, 370));
    }

    // Exactly one local ".sgp" file opens, after the save question.
    void droppedFiles() {
        const QString project = FEnvDir.filePath(QStringLiteral("drop.sgp"));
        FakeUserPort user;
        user.Files = {Local(project)};
        TLaptimeForm form(nullptr, &user);
        form.Menus().Action("SavePrject")->trigger();
        form.Menus().Action("NewProject")->trigger();
        form.Menus().Action("AddSheet")->trigger();
        QWidget* vp = form.GridWidget()->viewport();
        const auto drop = [vp](const QList<QUrl>& urls) {
            QMimeData data;
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(vp, &enter);
            QDropEvent e(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(vp, &e);
        };
        const QUrl file = QUrl::fromLocalFile(project);
        drop({file, file});
        drop({QUrl::fromLocalFile(FEnvDir.filePath(QStringLiteral("a.txt")))});
        drop({QUrl(QStringLiteral("https://example.org/drop.sgp"))});
        QVERIFY(user.Asked.empty());
        drop({file});
        QVERIFY(user.Asked == (Strings{"Cnfm: Data has been edited. Save?"}));
        QCOMPARE(form.Project()->SheetCount(), 2);
        user.Answers = {TAnswer::No};
        drop({file});
        QCOMPARE(form.windowTitle(), QStringLiteral("Segmark v1.7.0 Eng - drop"));
        QCOMPARE(form.Project()->SheetCount(), 1);
    }

  private:
    QString EnvFile() const { return FEnvDir.filePath(QStringLiteral("LapEnv.dat")); }

    QTemporaryDir FEnvDir;
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
