// What the Qt layer tests share: a test folder for LapEnv.dat, cells as the
// window shows them, typing any text and dragging the mouse.
#pragma once

#include "grid/lap_grid.h"
#include "ui/qt_canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QtTest>

// A folder of the test's own, where the window reads and writes LapEnv.dat.
struct TestEnvDir : QTemporaryDir {
    TestEnvDir() { qputenv("SEGMARK_ENV_DIR", path().toUtf8()); }
};

inline QString Cell(const TLapGrid& g, int col, int row) {
    return qt_bridge::FromBytes(g.Cells(col, row));
}

inline QPoint CellCentre(const TLapGrid& g, int col, int row) {
    const TRect r = g.ToClient(g.CellRect(col, row));
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// Key presses carrying any Unicode text, as a desktop keyboard layout sends
// them; keyClicks takes Latin-1 only.
inline void TypeText(QWidget* w, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(w, &press);
    }
}

// Press, one move with the left button held, release.
inline void Drag(QWidget* w, QPoint from, QPoint to) {
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, to);
}
