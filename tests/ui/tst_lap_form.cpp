// The main window driven as a user drives it: keys and mouse on the real grid
// widget, offscreen, checked through the grid's cells and the rendered pixels;
// and other programs reaching it through its local socket: Clear Now, a text
// for the current cell; anything malformed is dropped and the window keeps
// working.
#include "app/fake_user_port.h"
#include "model/laptime_project.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/remote_server.h"
#include "ui/ui_test_helpers.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QLocalSocket>

#include <future>
#include <tuple>

namespace {

QRect CellInterior(const TLapGrid& g, int col, int row) {
    const TRect r = g.ToClient(g.CellRect(col, row));
    return QRect(QPoint(r.Left + 3, r.Top + 3), QPoint(r.Right - 3, r.Bottom - 3));
}

// Pixels of the area that are close to the colour (text is anti-aliased, so
// only its solid pixels match).
int CountNear(const QImage& img, const QRect& area, QColor c) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (std::abs(p.red() - c.red()) < 40 && std::abs(p.green() - c.green()) < 40 &&
                std::abs(p.blue() - c.blue()) < 40)
                ++n;
        }
    return n;
}

} // namespace

class TestLapForm : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        FForm = std::make_unique<TLaptimeForm>(nullptr, &FUser);
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        FWidget = FForm->GridWidget();
        FWidget->setFocus();
        QTRY_VERIFY(FWidget->hasFocus());
    }

    void cleanup() { FForm.reset(); }

    // A new window's columns, then a typed run as the grid paints it: the
    // caret, the faster and slower colours, the block selection; a dragged
    // block copied to the clipboard.
    void typedRunShownSelectedAndCopied() {
        TLapGrid& g = FForm->Grid();
        TypeRun();

        // Typing into a cell shows the text at once, with the caret after it.
        QTest::keyClicks(FWidget, QStringLiteral("9:"));
        QCOMPARE(Cell(g, 2, 2), QStringLiteral("9:"));
        QVERIFY(FWidget->CaretOn());
        const TRect cell = g.ToClient(g.CellRect(2, 2));
        const QRect caret = FWidget->CaretRect();
        QVERIFY(caret.left() > cell.Left + 4 && caret.right() < cell.Right);
        QTest::keyClick(FWidget, Qt::Key_Backspace);
        QTest::keyClick(FWidget, Qt::Key_Backspace);

        // Shift+Down makes a block, so the selection colour shows.
        QTest::keyClick(FWidget, Qt::Key_Down, Qt::ShiftModifier);
        const QImage img =
            FWidget->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QColor blue(0, 0, 255), red(255, 0, 0);
        // Now and Diff blue when ahead, red when behind; Best in the font colour.
        for (const auto& [col, row, ink] :
             {std::tuple(2, 0, blue), {3, 0, blue}, {2, 1, red}, {3, 1, red}})
            QVERIFY(CountNear(img, CellInterior(g, col, row), ink) > 5);
        QCOMPARE(CountNear(img, CellInterior(g, 1, 0), blue), 0);

        const TRect f = g.SelectionFrameRect();
        const int midY = (f.Top + f.Bottom) / 2;
        QCOMPARE(img.pixelColor(f.Left + 3, midY + 1), QColor(0xFF, 0xFF, 0xCA));   // selected cell
        QVERIFY(img.pixelColor(f.Left + 3, f.Top + 4) != QColor(0xFF, 0xFF, 0xCA)); // current cell

        // A drag selects a block, which Ctrl+C copies as tab-separated lines.
        QWidget* vp = FWidget->viewport();
        Drag(vp, CellCentre(g, 1, 0), CellCentre(g, 2, 1));
        QCOMPARE(g.Selection(), (TRect{1, 0, 2, 1}));
        QVERIFY(!FWidget->HasCapture());

        QApplication::clipboard()->clear();
        QTest::keyClick(FWidget, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("0:01:23\t0:01:21\r\n0:02:50\t0:02:55\r\n"));

        // Over the header the pointer is the down arrow with its hot spot.
        QMouseEvent hover(QEvent::MouseMove, QPointF(40, 10), vp->mapToGlobal(QPointF(40, 10)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &hover);
        QCOMPARE(vp->cursor().hotSpot(), QPoint(8, 10));
    }

    void pasteUndoRedo() {
        TLapGrid& g = FForm->Grid();
        QTest::keyClick(FWidget, Qt::Key_Right);
        // Text from another program arrives as Unicode; "区間" exists in the code
        // page, the euro sign does not and turns into "?".
        QApplication::clipboard()->setText(QStringLiteral("1:00\t0:59\r\n区間\t2:00€\r\n"));
        // A block selection is filled from the clipboard's block.
        QTest::keyClick(FWidget, Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(FWidget, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(FWidget, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Cell(g, 1, 0), QStringLiteral("0:01:00"));
        QCOMPARE(Cell(g, 1, 1), QStringLiteral("区間"));
        QCOMPARE(Cell(g, 2, 1), QStringLiteral("2:00?"));

        QTest::keyClick(FWidget, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(Cell(g, 2, 1), QString());
        QTest::keyClick(FWidget, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(Cell(g, 2, 1), QStringLiteral("2:00?"));
    }

    void sheetSelectorFollowsTheProject() {
        QComboBox* list = FForm->List();
        QSignalSpy picked(list, &QComboBox::currentIndexChanged);
        TLaptimeProject* project = FForm->Project();
        project->AddNewSheet();
        project->AddNewSheet();
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentText(), QStringLiteral("New Sheet    3"));
        project->SelectSheet(0, true);
        QCOMPARE(list->currentIndex(), 0);
        project->DeleteSheet(1);
        QCOMPARE(list->itemText(1), QStringLiteral("New Sheet    3"));
        // The model's own changes are not the user picking a sheet.
        QCOMPARE(picked.count(), 0);
    }

    // What a screen reader says for the controls that show only an icon.
    void iconControlsHaveNames() {
        const struct {
            const char* object;
            const char* name;
        } cases[] = {{"SpeedButton3", "Lck Titles"},
                     {"SpeedButton1", "Copy Now>Best"},
                     {"SpeedButton2", "Clear Now"},
                     {"Memo1", "Notes"}};
        for (const auto& c : cases) {
            auto* w = FForm->findChild<QWidget*>(QString::fromLatin1(c.object));
            QVERIFY2(w, c.object);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(a, c.object);
            QCOMPARE(a->text(QAccessible::Name), QString::fromLatin1(c.name));
        }
    }

    // Malformed messages are dropped unanswered and the window keeps
    // working: a text for the current cell is written and settled by
    // Moves + 1 Enters, and Clear Now empties the Now column.
    void remoteMessages() {
        auto server = std::make_unique<TRemoteServer>(
            [this](const TRemoteMessage& M) { FForm->RemoteCommand(M); });
        QVERIFY(server->Listen(Socket()));
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
        // With nothing listening the sender says so.
        server.reset();
        QString error;
        QVERIFY(!SendRemoteMessage(Socket(), {rkClearNow, 0, ""}, 500, error));
        QCOMPARE(error, QStringLiteral("no running Segmark to send to"));
    }

  private:
    // Best 1:23 and 2:50; Now 1:21"500 (ahead) and 2:55 (behind).
    void TypeRun() {
        for (const char* column : {"1:23 2:50", "1:21\"500 2:55"}) {
            QTest::keyClick(FWidget, Qt::Key_PageUp);
            QTest::keyClick(FWidget, Qt::Key_Right);
            for (const QString& t : QString::fromLatin1(column).split(QLatin1Char(' '))) {
                QTest::keyClicks(FWidget, t);
                QTest::keyClick(FWidget, Qt::Key_Return);
            }
        }
    }

    QString Socket() const { return FEnvDir.filePath(QStringLiteral("s")); }

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

    TestEnvDir FEnvDir;
    FakeUserPort FUser;
    std::unique_ptr<TLaptimeForm> FForm;
    TGridWidget* FWidget = nullptr;
};

QTEST_MAIN(TestLapForm)
#include "tst_lap_form.moc"
