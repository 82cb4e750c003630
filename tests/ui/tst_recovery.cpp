// Unsaved changes kept beside the real window: the snapshot written after
// typing, offered to the next window and restored or put aside, a damaged
// one put aside with one message, the question before overwriting another
// program's write, a state folder that refuses writes, and an end by signal.
#include "app/fake_user_port.h"
#include "model/file_io.h"
#include "model/recovery_store.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/menus.h"
#include "ui/ui_test_helpers.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>

using file_io_detail::SaveStep;

namespace {

QByteArray Bytes(const QString& Path) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Q(const std::string& S) {
    return QString::fromStdString(S);
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        FState = std::make_unique<QTemporaryDir>();
        FStore = std::make_unique<TRecoveryStore>(FState->filePath(QStringLiteral("rec")).toStdString());
        FFault = 0;
        FStore->Options.Fault = [this](SaveStep s) { return s == SaveStep::Write ? FFault.load() : 0; };
        FProject = FEnvDir.filePath(QStringLiteral("run.sgp"));
        QFile::remove(FProject);
    }
    void cleanup() {
        FForm.reset();
        FStore.reset();
        FState.reset();
    }

    // A time typed after the last save survives a window that never closed:
    // the next one asks, restores it under the project's own name, marked
    // changed with nothing to undo, and Ctrl+S saves it and drops the
    // snapshot.
    void typedTimeRestoredAndSaved() {
        FakeUserPort first;
        first.Files = {FProject.toStdString()};
        Open(first);
        FForm->Menus().Action("SavePrject")->trigger();
        QVERIFY(QFile::exists(FProject));
        QVERIFY(!FStore->HasSnapshot());
        TypeBest("1:23");
        const QString typed = Cell(FForm->Grid(), 1, 0);
        QVERIFY(!typed.isEmpty());
        QTRY_VERIFY(FStore->HasSnapshot());
        const TRecoveryRecord record = FStore->ReadRecord();
        QCOMPARE(Q(record.Source), FProject);
        QVERIFY(record.Identity == IdentityOf(FProject.toStdString()));
        FForm.reset(); // as a crash would leave it: no close, no question

        FakeUserPort second;
        second.Answers = {TAnswer::Yes};
        Open(second);
        const QString when =
            QDateTime::fromSecsSinceEpoch(record.Time).toString(QStringLiteral("HH:mm"));
        QCOMPARE(second.Asked,
                 (std::vector<std::string>{
                     "Recover: Segmark was not closed normally. Restore the unsaved changes to "
                     "\"run.sgp\" from " +
                     when.toStdString() + "?"}));
        QCOMPARE(Cell(FForm->Grid(), 1, 0), typed);
        QVERIFY2(FForm->windowTitle().contains(QStringLiteral("run")), qPrintable(FForm->windowTitle()));
        QVERIFY(FForm->windowTitle().endsWith(u'*'));
        QVERIFY(!FForm->Menus().Action("UndoMain")->isEnabled());

        QTest::keyClick(FForm->GridWidget(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!FForm->windowTitle().endsWith(u'*'));
        QVERIFY(second.Asked.size() == 1); // the file on disk was the one recorded
        QTRY_VERIFY(!FStore->HasSnapshot());
        FForm.reset();

        FakeUserPort third;
        Open(third, {FProject});
        QVERIFY(third.Asked.empty());
        QCOMPARE(Cell(FForm->Grid(), 1, 0), typed);
    }

    // No puts the snapshot aside untouched and starts as usual with the
    // project named on the command line; the five newest put aside are kept.
    void declinedSnapshotsPutAsideFiveKept() {
        MakeProject();
        const QString aside = Q(FStore->DiscardFolder());
        for (int run = 1; run <= 6; ++run) {
            const std::string image = "<garbage that is never read " + std::to_string(run) + ">";
            FStore->Write(image, TRecoveryRecord{FProject.toStdString(), 1, {}});
            FakeUserPort user;
            user.Answers = {TAnswer::No};
            Open(user, {FProject});
            QCOMPARE(user.Asked.size(), std::size_t{1});
            QVERIFY(user.Errors.empty());
            QVERIFY(!FStore->HasSnapshot());
            QVERIFY2(FForm->windowTitle().contains(QStringLiteral("run")), qPrintable(FForm->windowTitle()));
            QVERIFY(!FForm->windowTitle().endsWith(u'*'));
            const QStringList kept =
                QDir(aside).entryList({QStringLiteral("*.sgp")}, QDir::Files, QDir::Name);
            QCOMPARE(kept.size(), std::min(run, 5));
            QCOMPARE(Bytes(aside + u'/' + kept.last()), QByteArray::fromStdString(image));
            QCOMPARE(QDir(aside).entryList({QStringLiteral("*.rec")}, QDir::Files).size(),
                     std::min(run, 5));
            FForm.reset();
        }
    }

    // A snapshot the reader refuses, or one whose record is damaged, is put
    // aside with one message naming where it went; start-up goes on.
    void unreadableSnapshotPutAsideWithOneMessage() {
        MakeProject();
        for (const bool damagedRecord : {false, true}) {
            FStore->Write(damagedRecord ? Bytes(FProject).toStdString() : "not a project",
                          TRecoveryRecord{FProject.toStdString(), 1, {}});
            if (damagedRecord) {
                QFile rec(Q(FStore->RecordPath()));
                QVERIFY(rec.open(QIODevice::WriteOnly | QIODevice::Truncate));
                rec.write("\x01\x02 no record");
            }
            FakeUserPort user;
            user.Answers = {TAnswer::Yes};
            Open(user, {FProject});
            QCOMPARE(user.Asked.size(), std::size_t{damagedRecord ? 0u : 1u});
            QCOMPARE(user.Errors.size(), std::size_t{1});
            const QString message = Q(user.Errors[0]);
            QVERIFY2(message.startsWith(QStringLiteral("The recovery snapshot cannot be used: ")),
                     qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("It was moved to \"") +
                                      Q(FStore->DiscardFolder()) + u'/'),
                     qPrintable(message));
            QVERIFY(!FStore->HasSnapshot());
            QVERIFY(!QFile::exists(Q(FStore->RecordPath())));
            QVERIFY2(FForm->windowTitle().contains(QStringLiteral("run")), qPrintable(FForm->windowTitle()));
            FForm.reset();
        }
    }

    // A project rewritten by another program while open: Save asks first;
    // Cancel writes nothing and keeps the changes, their undo and their
    // snapshot, and cancels a close that asked for the save; OK writes.
    void changedOnDiskAsksBeforeOverwriting() {
        MakeProject();
        FakeUserPort user;
        Open(user, {FProject});
        TypeBest("2:05");
        const QString typed = Cell(FForm->Grid(), 1, 0);
        QTRY_VERIFY(FStore->HasSnapshot());

        QByteArray other = Bytes(FProject);
        other.append("\r\n"); // another size: another version
        {
            QFile f(FProject);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(other);
        }
        const std::string question = "Cnfm: \"run.sgp\" was changed by another program since it "
                                     "was opened. Overwrite it?";

        user.OkAnswers = {false};
        QTest::keyClick(FForm->GridWidget(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(user.Asked, std::vector<std::string>{question});
        QCOMPARE(Bytes(FProject), other);
        QVERIFY(FForm->windowTitle().endsWith(u'*'));
        QVERIFY(FForm->Menus().Action("UndoMain")->isEnabled());
        QVERIFY(FStore->HasSnapshot());

        user.Asked.clear();
        user.Answers = {TAnswer::Yes};
        user.OkAnswers = {false};
        QVERIFY(!FForm->close());
        QCOMPARE(user.Asked,
                 (std::vector<std::string>{"Cnfm: Data has been edited. Save?", question}));
        QCOMPARE(Bytes(FProject), other);
        QVERIFY(FStore->HasSnapshot());

        user.Asked.clear();
        user.OkAnswers = {true};
        FForm->Menus().Action("OverWrite")->trigger();
        QCOMPARE(user.Asked, std::vector<std::string>{question});
        QVERIFY(!FForm->windowTitle().endsWith(u'*'));
        QVERIFY(Bytes(FProject) != other);
        QTRY_VERIFY(!FStore->HasSnapshot());
        FForm.reset();

        FakeUserPort again;
        Open(again, {FProject});
        QCOMPARE(Cell(FForm->Grid(), 1, 0), typed);
    }

    // A state folder that cannot be written to: the window goes on, says so
    // once naming the folder and the reason, and writes again once it can.
    void failingSnapshotWriteShownOnceAndRetried() {
        FakeUserPort user;
        Open(user);
        FFault = ENOSPC;
        TypeBest("1:00");
        QTRY_COMPARE(user.Errors.size(), std::size_t{1});
        const QString message = Q(user.Errors[0]);
        QVERIFY2(message.contains(Q(FStore->Folder())), qPrintable(message));
        QVERIFY2(message.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))),
                 qPrintable(message));
        TypeBest("1:01");
        QTest::qWait(900);
        QCOMPARE(user.Errors.size(), std::size_t{1});
        QVERIFY(!FStore->HasSnapshot());
        QCOMPARE(Cell(FForm->Grid(), 1, 0).isEmpty(), false);

        FFault = 0;
        TypeBest("1:02");
        QTRY_VERIFY(FStore->HasSnapshot());
        QCOMPARE(user.Errors.size(), std::size_t{1});
    }

    // An end by signal while a time is still being typed: the snapshot holds
    // it at once and LapEnv.dat is written, with no question.
    void endWithoutCloseKeepsTheTimeBeingTyped() {
        FakeUserPort user;
        Open(user);
        const QString env = FEnvDir.filePath(QStringLiteral("LapEnv.dat"));
        QFile::remove(env);
        QTest::keyClick(FForm->GridWidget(), Qt::Key_PageUp);
        QTest::keyClick(FForm->GridWidget(), Qt::Key_Home);
        QTest::keyClick(FForm->GridWidget(), Qt::Key_Right);
        QTest::keyClicks(FForm->GridWidget(), QStringLiteral("3:21"));
        FForm->EndWithoutClose();
        QVERIFY(FStore->HasSnapshot());
        QVERIFY(QFile::exists(env));
        QVERIFY(user.Asked.empty());
        FForm.reset();

        FakeUserPort next;
        next.Answers = {TAnswer::Yes};
        Open(next);
        QCOMPARE(next.Asked.size(), std::size_t{1});
        QVERIFY(Q(next.Asked[0]).contains(QStringLiteral("\"a new project\"")));
        QCOMPARE(Cell(FForm->Grid(), 1, 0), QStringLiteral("0:03:21"));
        QVERIFY(FForm->windowTitle().endsWith(u'*'));
    }

  private:
    void Open(FakeUserPort& User, const QStringList& Args = {}) {
        FForm = std::make_unique<TLaptimeForm>(nullptr, &User, Args, FStore.get());
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        FForm->GridWidget()->setFocus();
    }
    // The Best cell of the first row, settled with Enter.
    void TypeBest(const char* Time) {
        QWidget* w = FForm->GridWidget();
        QTest::keyClick(w, Qt::Key_PageUp);
        QTest::keyClick(w, Qt::Key_Home);
        QTest::keyClick(w, Qt::Key_Right);
        QTest::keyClicks(w, QLatin1String(Time));
        QTest::keyClick(w, Qt::Key_Return);
    }
    // A saved project at FProject, with no snapshot left behind.
    void MakeProject() {
        FakeUserPort user;
        user.Files = {FProject.toStdString()};
        Open(user);
        FForm->Menus().Action("SavePrject")->trigger();
        FForm.reset();
        QVERIFY(QFile::exists(FProject));
        QVERIFY(!FStore->HasSnapshot());
    }

    TestEnvDir FEnvDir;
    std::unique_ptr<QTemporaryDir> FState;
    std::unique_ptr<TRecoveryStore> FStore;
    std::atomic<int> FFault{0};
    QString FProject;
    std::unique_ptr<TLaptimeForm> FForm;
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
