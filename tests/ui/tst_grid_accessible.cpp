// The grid as assistive technology reads it: a table of the cells as shown,
// headers, the focused cell, the selection and the events that follow keys.
#include "app/fake_user_port.h"
#include "ui/grid_accessible.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/ui_test_helpers.h"

#include <QAccessible>
#include <QSignalSpy>

#include <vector>

namespace {

struct TSeen {
    QAccessible::Event Type;
    int Row, Col;
    QString Value;
};
std::vector<TSeen> Seen;

void Record(QAccessibleEvent* e) {
    QAccessibleInterface* i = e->accessibleInterface();
    QAccessibleTableCellInterface* c = i ? i->tableCellInterface() : nullptr;
    TSeen s{e->type(), c ? c->rowIndex() : -2, c ? c->columnIndex() : -2, QString()};
    if (e->type() == QAccessible::ValueChanged)
        s.Value = static_cast<QAccessibleValueChangeEvent*>(e)->value().toString();
    Seen.push_back(s);
}

bool Saw(QAccessible::Event Type, int Row, int Col, const QString& Value = QString()) {
    for (const TSeen& s : Seen)
        if (s.Type == Type && s.Row == Row && s.Col == Col && (Value.isNull() || s.Value == Value))
            return true;
    return false;
}

QAccessibleTableCellInterface* CellOf(QAccessibleInterface* I) {
    return I ? I->tableCellInterface() : nullptr;
}

} // namespace

class TestGridAccessible : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        // The offscreen platform has no accessibility bridge, so the
        // update handler would never be called; the grid's listener is.
        QAccessible::setActive(true);
        TGridAccessible::EventListener = Record;
    }

    void init() {
        FForm = std::make_unique<TLaptimeForm>(nullptr, &FUser);
        FForm->show();
        FForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
        FWidget = FForm->GridWidget();
        FWidget->setFocus();
        QTRY_VERIFY(FWidget->hasFocus());
        QCoreApplication::processEvents();
        Seen.clear();
    }

    void cleanup() { FForm.reset(); }

    // Shape, every cell's text as shown, the column titles as column headers
    // and the title column as each row's header; children by index.
    void cellsAndHeaders() {
        TLapGrid& g = FForm->Grid();
        g.SetCells(0, 2, "Boss");
        g.SetCells(3, 2, "+0:05");
        QAccessibleInterface* t = QAccessible::queryAccessibleInterface(FWidget);
        QVERIFY(t);
        QCOMPARE(t->role(), QAccessible::Table);
        QAccessibleTableInterface* table = t->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), g.RowCount());
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(t->childCount(), (g.RowCount() + 1) * 5);
        for (int c = 0; c < 5; ++c) {
            QAccessibleInterface* cell = table->cellAt(2, c);
            QVERIFY(cell);
            QCOMPARE(cell->role(), QAccessible::Cell);
            QCOMPARE(cell->text(QAccessible::Name), Cell(g, c, 2));
            QCOMPARE(cell->parent(), t);
            QCOMPARE(t->child(3 * 5 + c), cell);
            QCOMPARE(t->indexOfChild(cell), 3 * 5 + c);
            const QList<QAccessibleInterface*> head = CellOf(cell)->columnHeaderCells();
            QCOMPARE(head.size(), 1);
            QCOMPARE(head[0]->role(), QAccessible::ColumnHeader);
            QCOMPARE(head[0]->text(QAccessible::Name),
                     qt_bridge::FromBytes(g.Columns[c].DisplayName()));
            QCOMPARE(t->child(c), head[0]);
            QCOMPARE(table->columnDescription(c), head[0]->text(QAccessible::Name));
            const QList<QAccessibleInterface*> rowHead = CellOf(cell)->rowHeaderCells();
            QCOMPARE(rowHead.size(), c == 0 ? 0 : 1);
            if (c > 0) QCOMPARE(rowHead[0], table->cellAt(2, 0));
        }
        QCOMPARE(table->rowDescription(2), QStringLiteral("Boss"));
        QCOMPARE(table->cellAt(2, 3)->text(QAccessible::Name), QStringLiteral("+0:05"));
        QCOMPARE(CellOf(table->cellAt(2, 3))->rowIndex(), 2);
        QCOMPARE(CellOf(table->cellAt(2, 3))->columnIndex(), 3);
        QVERIFY(table->cellAt(2, 3)->state().readOnly);
        QVERIFY(!table->cellAt(2, 1)->state().readOnly);
        QVERIFY(!table->cellAt(g.RowCount(), 0));
        QVERIFY(!table->cellAt(0, 5));
        // A cell is found where it is drawn.
        const QPoint at = FWidget->viewport()->mapToGlobal(CellCentre(g, 1, 2));
        QCOMPARE(t->childAt(at.x(), at.y()), table->cellAt(2, 1));
        // A long sheet answers for any cell without making them all.
        g.SetRowCount(1'000'000);
        QCoreApplication::processEvents();
        QCOMPARE(table->rowCount(), 1'000'000);
        QVERIFY(table->cellAt(999'999, 4));
        QVERIFY(Saw(QAccessible::TableModelChanged, -2, -2));
    }

    // The current cell is the focused child and moves with the keys; typing
    // tells of the new texts, the evaluated split included.
    void focusAndValueEvents() {
        TLapGrid& g = FForm->Grid();
        QAccessibleInterface* t = QAccessible::queryAccessibleInterface(FWidget);
        QAccessibleTableInterface* table = t->tableInterface();
        QCOMPARE(t->focusChild(), table->cellAt(0, 0));
        // Readers of the running sheet hear of the move too, once.
        QSignalSpy changed(FWidget, &TGridWidget::Changed);
        QTest::keyClick(FWidget, Qt::Key_Right);
        QTRY_COMPARE(changed.count(), 1);
        QCOMPARE(t->focusChild(), table->cellAt(0, 1));
        QVERIFY(table->cellAt(0, 1)->state().focused);
        QVERIFY(!table->cellAt(0, 0)->state().focused);
        QVERIFY(Saw(QAccessible::Focus, 0, 1));
        QVERIFY(Saw(QAccessible::Selection, 0, 1));

        QTest::keyClicks(FWidget, QStringLiteral("1:23"));
        QTest::keyClick(FWidget, Qt::Key_Return);
        QVERIFY(Saw(QAccessible::ValueChanged, 0, 1, QStringLiteral("0:01:23")));
        QVERIFY(Saw(QAccessible::Focus, 1, 1));
        QCOMPARE(t->focusChild(), table->cellAt(1, 1));
        QCOMPARE(table->cellAt(0, 1)->text(QAccessible::Value), QStringLiteral("0:01:23"));

        QTest::keyClick(FWidget, Qt::Key_Up);
        QTest::keyClick(FWidget, Qt::Key_Right);
        Seen.clear();
        QTest::keyClicks(FWidget, QStringLiteral("1:30"));
        QTest::keyClick(FWidget, Qt::Key_Return);
        QVERIFY(Saw(QAccessible::ValueChanged, 0, 2, QStringLiteral("0:01:30")));
        QVERIFY(Saw(QAccessible::ValueChanged, 0, 3, Cell(g, 3, 0)));
        QVERIFY(!Cell(g, 3, 0).isEmpty());
    }

    // The selection as the table reports it, and its event.
    void selection() {
        QAccessibleInterface* t = QAccessible::queryAccessibleInterface(FWidget);
        QAccessibleTableInterface* table = t->tableInterface();
        QTest::keyClick(FWidget, Qt::Key_Right);
        Seen.clear();
        QTest::keyClick(FWidget, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(FWidget, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(table->selectedCellCount(), 4);
        const QList<QAccessibleInterface*> cells = table->selectedCells();
        QCOMPARE(cells.size(), 4);
        QVERIFY(cells.contains(table->cellAt(1, 2)));
        QVERIFY(CellOf(table->cellAt(1, 2))->isSelected());
        QVERIFY(!CellOf(table->cellAt(2, 2))->isSelected());
        QVERIFY(Saw(QAccessible::SelectionWithin, -2, -2));
        QCOMPARE(table->selectedRowCount(), 0);
        QTest::keyClick(FWidget, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(table->selectedRowCount(), FForm->Grid().RowCount());
        QVERIFY(table->isRowSelected(3));
        QCOMPARE(table->selectedCells().size(), FForm->Grid().RowCount() * 5);
    }

  private:
    TestEnvDir FEnvDir;
    FakeUserPort FUser;
    std::unique_ptr<TLaptimeForm> FForm;
    TGridWidget* FWidget = nullptr;
};

QTEST_MAIN(TestGridAccessible)
#include "tst_grid_accessible.moc"
