#include "ui/grid_accessible.h"

#include "ui/grid_widget.h"
#include "ui/qt_canvas.h"

#include <QAccessible>
#include <QWidget>
#include <QWindow>

#include <algorithm>

using qt_bridge::FromBytes;

namespace {

// A selection of more cells than this is reported by count; its cells are
// not all made at once.
constexpr int MaxListedCells = 1000;
// The cells in view whose texts are compared for value changes.
constexpr int MaxWatchedRows = 200;

TRect Normalised(const TRect& R) {
    return {std::min(R.Left, R.Right), std::min(R.Top, R.Bottom), std::max(R.Left, R.Right),
            std::max(R.Top, R.Bottom)};
}

QAccessibleInterface* GridFactory(const QString& Key, QObject* Object) {
    if (Key == QLatin1String("TGridWidget") && Object && Object->isWidgetType())
        return new TGridAccessible(static_cast<TGridWidget*>(Object));
    return nullptr;
}

void Send(QAccessibleEvent& E) {
    QAccessible::updateAccessibility(&E);
    if (TGridAccessible::EventListener) TGridAccessible::EventListener(&E);
}

void Post(QAccessibleInterface* Iface, QAccessible::Event Type) {
    if (!Iface) return;
    QAccessibleEvent e(Iface, Type);
    Send(e);
}

} // namespace

// ---- the table ----

TGridAccessible::TGridAccessible(TGridWidget* W)
    : QAccessibleWidget(W, QAccessible::Table), FOwner(W) {
    const TLapGrid& g = W->Grid();
    FCol = g.Col();
    FRow = g.Row();
    FRows = g.RowCount();
    FCols = g.ColCount();
    FSheet = g.SheetIndex();
    FSelection = Normalised(g.Selection());
    Watch();
    W->SetAccessible(this);
}

TGridAccessible::~TGridAccessible() {
    // Dropped while the widget lives on; one that goes with its widget was
    // detached first, as the widget is only a QWidget by then.
    if (FOwner) FOwner->SetAccessible(nullptr);
    DropCells();
}

void TGridAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(GridFactory);
        return true;
    }();
    (void)installed;
}

TGridWidget* TGridAccessible::Widget() const {
    return FOwner;
}

void TGridAccessible::DropCells() {
    for (QAccessible::Id id : std::as_const(FCells))
        QAccessible::deleteAccessibleInterface(id);
    FCells.clear();
}

QAccessibleInterface* TGridAccessible::Cell(int Row, int Column) const {
    const TLapGrid& g = Widget()->Grid();
    if (Column < 0 || Column >= g.ColCount() || Row < -1 || Row >= g.RowCount()) return nullptr;
    const qint64 key = (qint64(Row) + 1) * g.ColCount() + Column;
    const auto it = FCells.constFind(key);
    if (it != FCells.constEnd()) return QAccessible::accessibleInterface(*it);
    auto* cell = new TGridCellAccessible(Widget(), Row, Column);
    FCells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

bool TGridAccessible::isValid() const {
    return FOwner && QAccessibleWidget::isValid();
}

QAccessible::Role TGridAccessible::role() const {
    return QAccessible::Table;
}

// The column headers first, then the cells row by row.
int TGridAccessible::childCount() const {
    const TLapGrid& g = Widget()->Grid();
    return int(std::min<qint64>((qint64(g.RowCount()) + 1) * g.ColCount(), INT_MAX));
}

QAccessibleInterface* TGridAccessible::child(int Index) const {
    const int cols = Widget()->Grid().ColCount();
    if (Index < 0 || cols == 0) return nullptr;
    return Cell(Index / cols - 1, Index % cols);
}

int TGridAccessible::indexOfChild(const QAccessibleInterface* Child) const {
    // Only this table's own cells, which are of one kind.
    const auto* c = dynamic_cast<const TGridCellAccessible*>(Child);
    if (!c || c->parent() != this) return -1;
    return (c->rowIndex() + 1) * Widget()->Grid().ColCount() + c->columnIndex();
}

QAccessibleInterface* TGridAccessible::childAt(int X, int Y) const {
    const QPoint p = Widget()->viewport()->mapFromGlobal(QPoint(X, Y));
    if (!Widget()->viewport()->rect().contains(p)) return nullptr;
    const TLapGrid& g = Widget()->Grid();
    if (p.y() < g.Layout().HeaderH) {
        const int col = g.ColFromX(p.x());
        return col >= 0 ? Cell(-1, col) : nullptr;
    }
    const TPoint c = g.CellFromPoint(p.x(), p.y());
    return Cell(c.Y, c.X);
}

QAccessibleInterface* TGridAccessible::focusChild() const {
    const TLapGrid& g = Widget()->Grid();
    return g.Row() >= 0 ? Cell(g.Row(), g.Col()) : nullptr;
}

void* TGridAccessible::interface_cast(QAccessible::InterfaceType T) {
    if (T == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(T);
}

QAccessibleInterface* TGridAccessible::cellAt(int Row, int Column) const {
    return Row >= 0 ? Cell(Row, Column) : nullptr;
}

int TGridAccessible::selectedCellCount() const {
    const TLapGrid& g = Widget()->Grid();
    if (g.Row() < 0) return 0;
    const TRect s = Normalised(g.Selection());
    return int(std::min<qint64>(qint64(s.Right - s.Left + 1) * (s.Bottom - s.Top + 1), INT_MAX));
}

QList<QAccessibleInterface*> TGridAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    const TLapGrid& g = Widget()->Grid();
    if (g.Row() < 0) return cells;
    const TRect s = Normalised(g.Selection());
    for (int r = s.Top; r <= s.Bottom && cells.size() < MaxListedCells; ++r)
        for (int c = s.Left; c <= s.Right && cells.size() < MaxListedCells; ++c)
            if (QAccessibleInterface* i = Cell(r, c)) cells << i;
    return cells;
}

QString TGridAccessible::columnDescription(int Column) const {
    const TLapGrid& g = Widget()->Grid();
    return Column >= 0 && Column < g.ColCount() ? FromBytes(g.Columns[Column].DisplayName())
                                                : QString();
}

QString TGridAccessible::rowDescription(int Row) const {
    const TLapGrid& g = Widget()->Grid();
    return Row >= 0 && Row < g.RowCount() && g.ColCount() > 0 ? FromBytes(g.CellText(0, Row))
                                                              : QString();
}

int TGridAccessible::columnCount() const {
    return Widget()->Grid().ColCount();
}

int TGridAccessible::rowCount() const {
    return Widget()->Grid().RowCount();
}

QList<int> TGridAccessible::selectedColumns() const {
    QList<int> cols;
    const TLapGrid& g = Widget()->Grid();
    const TRect s = Normalised(g.Selection());
    if (g.Row() >= 0 && s.Top == 0 && s.Bottom == g.RowCount() - 1)
        for (int c = s.Left; c <= s.Right; ++c)
            cols << c;
    return cols;
}

QList<int> TGridAccessible::selectedRows() const {
    QList<int> rows;
    const TLapGrid& g = Widget()->Grid();
    const TRect s = Normalised(g.Selection());
    if (g.Row() >= 0 && s.Left == 0 && s.Right == g.ColCount() - 1)
        for (int r = s.Top; r <= s.Bottom && rows.size() < MaxListedCells; ++r)
            rows << r;
    return rows;
}

int TGridAccessible::selectedColumnCount() const {
    return int(selectedColumns().size());
}

int TGridAccessible::selectedRowCount() const {
    const TLapGrid& g = Widget()->Grid();
    const TRect s = Normalised(g.Selection());
    return g.Row() >= 0 && s.Left == 0 && s.Right == g.ColCount() - 1 ? s.Bottom - s.Top + 1 : 0;
}

bool TGridAccessible::isColumnSelected(int Column) const {
    return selectedColumns().contains(Column);
}

bool TGridAccessible::isRowSelected(int Row) const {
    const TLapGrid& g = Widget()->Grid();
    const TRect s = Normalised(g.Selection());
    return g.Row() >= 0 && s.Left == 0 && s.Right == g.ColCount() - 1 && Row >= s.Top &&
           Row <= s.Bottom;
}

void TGridAccessible::modelChange(QAccessibleTableModelChangeEvent*) {
    DropCells();
}

// ---- what changed ----

void TGridAccessible::Watch() {
    FWatched.clear();
    const TLapGrid& g = Widget()->Grid();
    const int rowH = std::max(1, g.Layout().RowHeight);
    const int top = std::max(0, g.ScrollY() / rowH);
    const int shown = std::min(MaxWatchedRows, g.ClientHeight() / rowH + 2);
    auto add = [&](int r) {
        for (int c = 0; c < g.ColCount(); ++c)
            FWatched.push_back({c, r, g.CellText(c, r)});
    };
    for (int r = top; r < g.RowCount() && r < top + shown; ++r)
        add(r);
    // The current cell may lie outside the view while a scroll catches up.
    if (g.Row() >= 0 && (g.Row() < top || g.Row() >= top + shown)) add(g.Row());
}

void TGridAccessible::Sync() {
    const TLapGrid& g = Widget()->Grid();
    if (g.RowCount() != FRows || g.ColCount() != FCols || g.SheetIndex() != FSheet) {
        FRows = g.RowCount();
        FCols = g.ColCount();
        FSheet = g.SheetIndex();
        QAccessibleTableModelChangeEvent e(Widget(), QAccessibleTableModelChangeEvent::ModelReset);
        Send(e);
        DropCells(); // also without a listener: no cell may outlive its place
    } else {
        for (const TWatched& w : FWatched) {
            if (w.Row >= g.RowCount() || g.CellText(w.Col, w.Row) == w.Text) continue;
            if (QAccessibleInterface* cell = Cell(w.Row, w.Col)) {
                QAccessibleValueChangeEvent e(cell, FromBytes(g.CellText(w.Col, w.Row)));
                Send(e);
            }
        }
    }
    const TRect selection = Normalised(g.Selection());
    const bool moved = g.Col() != FCol || g.Row() != FRow;
    FCol = g.Col();
    FRow = g.Row();
    if (selection != FSelection) {
        FSelection = selection;
        if (selection.IsSingle())
            Post(Cell(g.Row(), g.Col()), QAccessible::Selection);
        else
            Post(this, QAccessible::SelectionWithin);
    }
    if (moved && Widget()->hasFocus()) FocusCurrentCell();
    Watch();
}

void TGridAccessible::FocusCurrentCell() {
    const TLapGrid& g = Widget()->Grid();
    if (g.Row() >= 0) Post(Cell(g.Row(), g.Col()), QAccessible::Focus);
}

// ---- a cell or a column header ----

TGridCellAccessible::TGridCellAccessible(TGridWidget* W, int Row, int Column)
    : FWidget(W), FRow(Row), FCol(Column) {}

TGridAccessible* TGridCellAccessible::Table() const {
    return FWidget ? static_cast<TGridAccessible*>(QAccessible::queryAccessibleInterface(FWidget))
                   : nullptr;
}

bool TGridCellAccessible::isValid() const {
    if (!FWidget) return false;
    const TLapGrid& g = FWidget->Grid();
    return FCol < g.ColCount() && FRow < g.RowCount();
}

QWindow* TGridCellAccessible::window() const {
    const TGridAccessible* t = Table();
    return t ? t->window() : nullptr;
}

QAccessibleInterface* TGridCellAccessible::parent() const {
    return Table();
}

QString TGridCellAccessible::text(QAccessible::Text T) const {
    if (!isValid() || (T != QAccessible::Name && T != QAccessible::Value)) return QString();
    const TLapGrid& g = FWidget->Grid();
    return FromBytes(FRow < 0 ? g.Columns[FCol].DisplayName() : g.CellText(FCol, FRow));
}

QRect TGridCellAccessible::rect() const {
    if (!isValid() || !FWidget->isVisible()) return QRect();
    const TLapGrid& g = FWidget->Grid();
    TRect r = g.ToClient(g.CellRect(FCol, std::max(FRow, 0)));
    if (FRow < 0) {
        r.Top = 0;
        r.Bottom = g.Layout().HeaderH;
    }
    QWidget* view = FWidget->viewport();
    const QRect local = QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top) & view->rect();
    return local.isEmpty() ? QRect() : QRect(view->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role TGridCellAccessible::role() const {
    return FRow < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State TGridCellAccessible::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    const TLapGrid& g = FWidget->Grid();
    const TLapColumn& column = g.Columns[FCol];
    if (!column.Visible()) s.invisible = true;
    if (rect().isEmpty()) s.offscreen = true;
    if (FRow < 0) return s;
    s.focusable = true;
    s.selectable = true;
    s.selected = isSelected();
    s.focused = FWidget->hasFocus() && g.Col() == FCol && g.Row() == FRow;
    s.readOnly = g.ReadOnly() || column.ReadOnly;
    return s;
}

void* TGridCellAccessible::interface_cast(QAccessible::InterfaceType T) {
    if (T == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    return nullptr;
}

bool TGridCellAccessible::isSelected() const {
    return FRow >= 0 && isValid() && Normalised(FWidget->Grid().Selection()).Contains(FCol, FRow);
}

QList<QAccessibleInterface*> TGridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> h;
    if (FRow >= 0 && Table())
        if (QAccessibleInterface* i = Table()->Cell(-1, FCol)) h << i;
    return h;
}

// The title column names the row; its own cells have no other header.
QList<QAccessibleInterface*> TGridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> h;
    if (FRow >= 0 && FCol != 0 && Table())
        if (QAccessibleInterface* i = Table()->Cell(FRow, 0)) h << i;
    return h;
}
