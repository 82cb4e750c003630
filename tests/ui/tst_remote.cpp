// Other programs reach the running window through its local socket: Clear
// Now, a text for the current cell, a project to open; anything malformed is
// dropped and the window keeps working.
#include "app/fake_user_port.h"
#include "grid/lap_grid.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/remote_server.h"

#include <QLocalSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <future>

class TestRemote : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(FDir.isValid());
        qputenv("SEGMARK_ENV_DIR", FDir.path().toUtf8());
    }

    void init() {
        FUser = std::make_unique<FakeUserPort>();
        FForm = std::make_unique<TLaptimeForm>(nullptr, FUser.get());
        FServer = std::make_unique<TRemoteServer>(
            [this](const TRemoteMessage& M) { FForm->RemoteCommand(M); });
        QVERIFY(FServer->Listen(Socket()));
    }

    void cleanup() {
        FServer.reset();
        FForm.reset();
    }

    void clearNowThenUndo() {
        TLapGrid& g = FForm->Grid();
        g.SetCol(2);
        QVERIFY(Send({rkCellInput, 0, "1:00"}));
        QVERIFY(Send({rkCellInput, 0, "2:00"}));
        QVERIFY(Send({rkClearNow, 0, ""}));
        QCOMPARE(g.Cells(2, 0), std::string());
        QCOMPARE(g.Cells(2, 1), std::string());
        FForm->Commands().UndoClick();
        QCOMPARE(g.Cells(2, 0), std::string("0:01:00"));
        QCOMPARE(g.Cells(2, 1), std::string("0:02:00"));
    }

    void cellInputMoves_data() {
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("row");
        QTest::newRow("none") << -1 << 0;
        QTest::newRow("one Enter") << 0 << 1;
        QTest::newRow("three Enters") << 2 << 3;
    }
    void cellInputMoves() {
        QFETCH(int, moves);
        QFETCH(int, row);
        TLapGrid& g = FForm->Grid();
        g.SetCol(1);
        QVERIFY(Send({rkCellInput, moves, "1:23"}));
        QCOMPARE(g.Cells(1, 0), std::string("0:01:23"));
        QCOMPARE(g.Row(), row);
        QCOMPARE(FForm->Commands().MenuState().Undo.Undo, std::string("Undo   (&U)\t(Cell Edit) "));
    }

    void malformedMessagesAreDropped() {
        for (const QByteArray& junk :
             {QByteArray("hello"), QByteArray("SGMK\x09\x01", 6), QByteArray(70000, 'S')}) {
            auto reply = std::async(std::launch::async, [this, junk] {
                QLocalSocket s;
                s.connectToServer(Socket());
                if (!s.waitForConnected(2000)) return QByteArray("no connection");
                s.write(junk);
                s.waitForBytesWritten(2000);
                s.waitForDisconnected(2000);
                return s.readAll();
            });
            QTRY_VERIFY(reply.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
            QCOMPARE(reply.get(), QByteArray());
        }
        FForm->Grid().SetCol(1);
        QVERIFY(Send({rkCellInput, -1, "1:00"}));
        QCOMPARE(FForm->Grid().Cells(1, 0), std::string("0:01:00"));
    }

    void nothingListening() {
        FServer.reset();
        QString error;
        QVERIFY(!SendRemoteMessage(Socket(), {rkClearNow, 0, ""}, 500, error));
        QCOMPARE(error, QStringLiteral("no running Segmark to send to"));
    }

  private:
    QString Socket() const { return FDir.filePath(QStringLiteral("s")); }

    // Sends from another thread, as another process would, while this one
    // runs the window.
    bool Send(const TRemoteMessage& M) {
        auto sent = std::async(std::launch::async, [this, M] {
            QString error;
            return SendRemoteMessage(Socket(), M, 2000, error);
        });
        while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return sent.get();
    }

    QTemporaryDir FDir;
    std::unique_ptr<FakeUserPort> FUser;
    std::unique_ptr<TLaptimeForm> FForm;
    std::unique_ptr<TRemoteServer> FServer;
};

QTEST_MAIN(TestRemote)
#include "tst_remote.moc"
