// The Qt adapters on their own: the canvas's pixels, fonts and colours, the
// grid widget's typing, input method, editor and scroll bars.
#include "app/session.h"
#include "ui/grid_widget.h"
#include "ui/ui_test_helpers.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// Which pixels of a row of the image are not white, as a string of x and .
QString Row(const QImage& img, int y, int from, int to) {
    QString s;
    for (int x = from; x < to; ++x)
        s += img.pixelColor(x, y) == QColor(Qt::white) ? QLatin1Char('.') : QLatin1Char('x');
    return s;
}

// Dark pixels inside a cell, clear of the selection frame around it.
int DarkPixels(QWidget* viewport, const TRect& cell) {
    const QImage img = viewport->grab().toImage();
    int dark = 0;
    for (int x = cell.Left + 3; x < cell.Right - 3; ++x)
        for (int y = cell.Top + 3; y < cell.Bottom - 3; ++y)
            dark += qGray(img.pixel(x, y)) < 96;
    return dark;
}

} // namespace

class TestGridWidget : public QObject {
    Q_OBJECT
  private slots:
    void canvasPixels() {
        QImage img(20, 12, QImage::Format_RGB32);
        img.fill(Qt::white);
        {
            QPainter p(&img);
            QtCanvas c(p, QPalette());
            c.Brush = TBrush{RGB(0, 0, 0), bsSolid};
            c.FillRect(TRect{1, 0, 4, 1}); // right edge excluded
            c.Pen = TPen{RGB(0, 0, 0), psSolid, 1};
            c.Line(1, 2, 5, 2); // end point excluded
            c.Brush.Style = bsClear;
            c.Rectangle(TRect{1, 4, 6, 7}); // outline on the edge pixels 1..5, 4..6
            c.Pen.Width = 3;
            c.Rectangle(TRect{10, 4, 16, 10}); // 3-pixel pen centred on 10..15
            // A clip with a hole keeps the hole clean.
            c.SetClipRect(TRect{0, 11, 20, 12});
            c.ExcludeClipRect(TRect{3, 11, 5, 12});
            c.Brush = TBrush{RGB(0, 0, 0), bsSolid};
            c.FillRect(TRect{1, 11, 7, 12});
            c.RemoveClip();
        }
        QCOMPARE(Row(img, 0, 0, 6), QStringLiteral(".xxx.."));
        QCOMPARE(Row(img, 2, 0, 7), QStringLiteral(".xxxx.."));
        QCOMPARE(Row(img, 4, 0, 8), QStringLiteral(".xxxxx.."));
        QCOMPARE(Row(img, 5, 0, 8), QStringLiteral(".x...x.."));
        QCOMPARE(Row(img, 3, 8, 18), QStringLiteral(".xxxxxxxx."));
        QCOMPARE(Row(img, 7, 8, 18), QStringLiteral(".xxx..xxx."));
        QCOMPARE(Row(img, 11, 0, 8), QStringLiteral(".xx..xx."));
    }

    void fonts() {
        // clang-format off
        const std::pair<const char*, const char*> faces[] = {
            {"ＭＳ ゴシック", "Noto Sans Mono CJK JP"}, {"メイリオ", "Noto Sans CJK JP"},
            {"DejaVu Sans", "DejaVu Sans"}, {"No Such Face", "Noto Sans CJK JP"}};
        // clang-format on
        for (const auto& [name, face] : faces)
            QCOMPARE(qt_bridge::MapFaceName(qt_bridge::ToBytes(QString::fromUtf8(name))),
                     QString::fromLatin1(face));
        const QFont q =
            qt_bridge::ToQFont(TFont{.Name = qt_bridge::ToBytes(QStringLiteral("ＭＳ ゴシック")),
                                     .Size = 11,
                                     .Style = std::uint8_t(fsBold | fsUnderline)});
        QCOMPARE(q.pixelSize(), 15); // 11 points at 96 pixels per inch
        QVERIFY(q.bold() && q.underline() && !q.italic());
        QCOMPARE(QFontInfo(q).family(), QStringLiteral("Noto Sans Mono CJK JP"));
    }

    void init() {
        FWidget = std::make_unique<TGridWidget>();
        TLapGrid& g = FWidget->Grid();
        SetupLapGrid(g, TLapEnv{});
        // One sheet of 20 rows, with its lists as the project would add them.
        g.SetRowCount(20);
        TTimeFormatList formats;
        formats.AddDefaults(20);
        g.AddSheetBuffers(std::move(formats), 1);
        g.SetCol(1);
        FWidget->resize(300, 200);
        FWidget->show();
        FWidget->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FWidget.get()));
        FWidget->setFocus();
        QTRY_VERIFY(FWidget->hasFocus());
    }

    void cleanup() {
        FWidget.reset();
    }

    // Typed keys, the input method and the in-place editor all reach the
    // cell in the code page.
    void typingConvertsToCodePage() {
        TLapGrid& g = FWidget->Grid();
        // "区" is two bytes in the code page; "€" is not in it and becomes "?".
        TypeText(FWidget.get(), QStringLiteral("a区€"));
        QCOMPARE(g.Cells(1, 0), std::string("a\x8B\xE6?"));
        // Backspace takes a two-byte character whole; Ctrl with a letter types
        // nothing.
        QTest::keyClick(FWidget.get(), Qt::Key_Backspace);
        QTest::keyClick(FWidget.get(), Qt::Key_Backspace);
        QTest::keyClick(FWidget.get(), Qt::Key_B, Qt::ControlModifier);
        // The filter sees whole characters and may drop them.
        std::vector<std::string> seen;
        g.OnFilterChar = [&](bool, int, int, const std::string& ch, bool& allowed) {
            seen.push_back(ch);
            allowed = ch != "x";
        };
        TypeText(FWidget.get(), QStringLiteral("x最"));
        QCOMPARE(seen, (std::vector<std::string>{"x", "\x8D\xC5"}));
        QCOMPARE(Cell(g, 1, 0), QStringLiteral("a最"));

        // The input method's window sits on the current cell.
        QTest::keyClick(FWidget.get(), Qt::Key_Down);
        const QPoint origin = FWidget->viewport()->geometry().topLeft();
        const TRect cell = g.ToClient(g.CellRect(1, 1));
        const QRect r = FWidget->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        QCOMPARE(r.topLeft(), QPoint(cell.Left + 2, cell.Top + 2) + origin);

        QCOMPARE(DarkPixels(FWidget->viewport(), cell), 0);
        QInputMethodEvent compose(QStringLiteral("さい"), {});
        QApplication::sendEvent(FWidget.get(), &compose);
        QCOMPARE(Cell(g, 1, 1), QString()); // composing types nothing yet
        // but shows the text being composed over the cell.
        QVERIFY(DarkPixels(FWidget->viewport(), cell) > 10);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("最速"));
        QApplication::sendEvent(FWidget.get(), &commit);
        QCOMPARE(Cell(g, 1, 1), QStringLiteral("最速"));

        // Up settles the typed cell and makes (1, 0) current; a double click
        // on the current cell opens the in-place editor over its editing
        // bounds (the test's double click brings no press of its own).
        QTest::keyClick(FWidget.get(), Qt::Key_Up);
        g.SetCells(1, 0, "1:23");
        QLineEdit* ed = FWidget->Editor();
        QTest::mouseDClick(FWidget->viewport(), Qt::LeftButton, Qt::NoModifier,
                           CellCentre(g, 1, 0));
        QTRY_VERIFY(ed->hasFocus());
        const TRect b = g.EditorBounds(1, 0);
        QCOMPARE(ed->geometry(), QRect(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top));

        // Each change reaches the cell at once; a character the code page lacks
        // is shown as the "?" it is stored as.
        QTest::keyClick(ed, Qt::Key_End);
        TypeText(ed, QStringLiteral("4€"));
        QCOMPARE(Cell(g, 1, 0), QStringLiteral("1:234?"));
        QCOMPARE(ed->text(), QStringLiteral("1:234?"));
        QTest::keyClick(ed, Qt::Key_Return);
        QVERIFY(!FWidget->EditorVisible());
        QTRY_VERIFY(FWidget->hasFocus());
    }

    void scrollBarsDriveTheEngine() {
        TLapGrid& g = FWidget->Grid();
        QScrollBar* vbar = FWidget->verticalScrollBar();
        vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(g.ScrollY(), 22);
        // A dragged thumb lands on whole rows: 30 becomes 44.
        vbar->setSliderDown(true);
        vbar->setSliderPosition(30);
        vbar->setSliderDown(false);
        QCOMPARE(g.ScrollY(), 44);
        QCOMPARE(vbar->value(), 44);

        // One row per wheel notch, whatever the delta.
        QWheelEvent wheel(QPointF(50, 50), FWidget->viewport()->mapToGlobal(QPointF(50, 50)), {},
                          QPoint(0, -240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(FWidget->viewport(), &wheel);
        QCOMPARE(g.ScrollY(), 66);

        // Narrower than the columns: the horizontal bar appears and the engine's
        // client area stays the viewport's.
        FWidget->resize(200, 200);
        QTRY_VERIFY(FWidget->horizontalScrollBar()->isVisible());
        QCOMPARE(FWidget->viewport()->size(), QSize(g.ClientWidth(), g.ClientHeight()));
        QScrollBar* hbar = FWidget->horizontalScrollBar();
        hbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(g.ScrollX(), 5 * 22);
        hbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(g.ScrollX(), g.Layout().MaxScrollX);
        QCOMPARE(hbar->value(), g.Layout().MaxScrollX);
    }

  private:
    std::unique_ptr<TGridWidget> FWidget;
};

QTEST_MAIN(TestGridWidget)
#include "tst_grid_widget.moc"
