// Other programs reach the running window through its local socket: Clear
// Now, a text for the current cell, a project to open; anything malformed is
// dropped and the window keeps working.
#include "app/fake_user_port.h"
#include "ui/lap_form.h"
#include "ui/remote_server.h"
#include "ui/ui_test_helpers.h"

#include <QLocalSocket>

#include <future>

class TestRemote : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        FForm = std::make_unique<TLaptimeForm>(nullptr, &FUser);
        FServer = std::make_unique<TRemoteServer>(
            [this](const TRemoteMessage& M) { FForm->RemoteCommand(M); });
        QVERIFY(FServer->Listen(Socket()));
    }

    // Malformed messages are dropped unanswered and the window keeps
    // working: a text for the current cell is written and settled by
    // Moves + 1 Enters, and Clear Now empties the Now column.
    void messages() {
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
        TLapGrid& g = FForm->Grid();
        g.SetCol(2);
        QVERIFY(Send({rkCellInput, 2, "1:00"}));
        QCOMPARE(g.Row(), 3);
        QVERIFY(Send({rkCellInput, -1, "2:00"}));
        QCOMPARE(g.Row(), 3);
        QCOMPARE(Cell(g, 2, 0), QStringLiteral("0:01:00"));
        QCOMPARE(Cell(g, 2, 3), QStringLiteral("0:02:00"));
        QVERIFY(Send({rkClearNow, 0, ""}));
        QCOMPARE(Cell(g, 2, 0), QString());
        QCOMPARE(Cell(g, 2, 3), QString());
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

    TestEnvDir FDir;
    FakeUserPort FUser;
    std::unique_ptr<TLaptimeForm> FForm;
    std::unique_ptr<TRemoteServer> FServer;
};

QTEST_MAIN(TestRemote)
#include "tst_remote.moc"
