// The lap grid as assistive technology reads it: a table of the cells as
// shown, the column titles as column headers and the title column as each
// row's header, the current cell as the focused child. The grid is painted
// by hand, so without this a screen reader finds one empty widget.
#pragma once

#include "grid/lap_types.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

#include <string>
#include <vector>

class TGridWidget;

class TGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit TGridAccessible(TGridWidget* Widget);
    ~TGridAccessible() override;

    // Registers the factory that gives every grid widget this interface.
    static void Install();
    // Hears every event the grid sends besides the platform's bridge, which
    // drops them while no assistive technology listens (and which a
    // platform without one never has).
    static inline void (*EventListener)(QAccessibleEvent*) = nullptr;

    // Tells assistive technology what changed since the last call: the
    // current cell (focus), the selection, texts of the cells in view
    // (value change), the shape or the sheet (the table anew).
    void Sync();
    // The current cell, as the focus moved into the grid.
    void FocusCurrentCell();
    // The widget is being destroyed: from here on it is no grid widget.
    void Detach() { FOwner = nullptr; }

    // ---- QAccessibleInterface ----
    bool isValid() const override;
    QAccessible::Role role() const override;
    int childCount() const override;
    QAccessibleInterface* child(int Index) const override;
    int indexOfChild(const QAccessibleInterface* Child) const override;
    QAccessibleInterface* childAt(int X, int Y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType T) override;

    // ---- QAccessibleTableInterface ----
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int Row, int Column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int Column) const override;
    QString rowDescription(int Row) const override;
    int columnCount() const override;
    int rowCount() const override;
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int Column) const override;
    bool isRowSelected(int Row) const override;
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* Event) override;

    // Row -1 is the column's header.
    QAccessibleInterface* Cell(int Row, int Column) const;
    TGridWidget* Widget() const;

  private:
    struct TWatched {
        int Col, Row;
        std::string Text;
    };
    void DropCells();
    void Watch();

    // Made when asked for, kept until the table's shape changes: a sheet of
    // a million rows never has them all.
    mutable QHash<qint64, QAccessible::Id> FCells;
    TGridWidget* FOwner;
    int FCol = -1, FRow = -1, FRows = 0, FCols = 0, FSheet = 0;
    TRect FSelection{};
    std::vector<TWatched> FWatched;
};

class TGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    TGridCellAccessible(TGridWidget* Widget, int Row, int Column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text T) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType T) override;

    // ---- QAccessibleTableCellInterface ----
    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return FCol; }
    int rowIndex() const override { return FRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

  private:
    TGridAccessible* Table() const;

    QPointer<TGridWidget> FWidget;
    int FRow, FCol;
};
