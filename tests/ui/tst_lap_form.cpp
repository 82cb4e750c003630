// The main window driven as a user drives it: keys and mouse on the real grid
// widget, offscreen, checked through the grid's cells and the rendered pixels.
#include "model/laptime_project.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/ui_test_helpers.h"

#include <QClipboard>
#include <QComboBox>

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
        FForm = std::make_unique<TLaptimeForm>();
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
        const char* titles[] = {"", "最速", "今回", "差", "区間"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(qt_bridge::FromBytes(g.Columns[i].Title()), QString::fromUtf8(titles[i]));
            QCOMPARE(g.Columns[i].ReadOnly, i >= 3);
        }
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
        QVERIFY(CountNear(img, CellInterior(g, 2, 0), blue) > 5);
        QVERIFY(CountNear(img, CellInterior(g, 3, 0), blue) > 5);
        QVERIFY(CountNear(img, CellInterior(g, 2, 1), red) > 5);
        QVERIFY(CountNear(img, CellInterior(g, 3, 1), red) > 5);
        // Best is drawn in the font colour.
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

  private:
    // Best 1:23 and 2:50; Now 1:21"500 (ahead) and 2:55 (behind).
    void TypeRun() {
        QTest::keyClick(FWidget, Qt::Key_Right);
        QTest::keyClicks(FWidget, QStringLiteral("1:23"));
        QTest::keyClick(FWidget, Qt::Key_Return);
        QTest::keyClicks(FWidget, QStringLiteral("2:50"));
        QTest::keyClick(FWidget, Qt::Key_Return);
        QTest::keyClick(FWidget, Qt::Key_PageUp);
        QTest::keyClick(FWidget, Qt::Key_Right);
        QTest::keyClicks(FWidget, QStringLiteral("1:21\"500"));
        QTest::keyClick(FWidget, Qt::Key_Return);
        QTest::keyClicks(FWidget, QStringLiteral("2:55"));
        QTest::keyClick(FWidget, Qt::Key_Return);
    }

    TestEnvDir FEnvDir;
    std::unique_ptr<TLaptimeForm> FForm;
    TGridWidget* FWidget = nullptr;
};

QTEST_MAIN(TestLapForm)
#include "tst_lap_form.moc"
