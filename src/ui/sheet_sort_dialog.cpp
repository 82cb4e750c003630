#include "ui/sheet_sort_dialog.h"

#include "model/laptime_project.h"
#include "ui/qt_canvas.h"
#include "ui/settings_widgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kItemHeight = 18;

} // namespace

TSortList::TSortList(QWidget* Parent) : QListWidget(Parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void TSortList::mousePressEvent(QMouseEvent* Event) {
    QListWidget::mousePressEvent(Event);
    FDragging = false;
    FPressPos = Event->position().toPoint();
    FDragSource = Event->button() == Qt::LeftButton && itemAt(FPressPos) ? currentRow() : -1;
}

void TSortList::mouseMoveEvent(QMouseEvent* Event) {
    const QPoint pos = Event->position().toPoint();
    if (FDragSource < 0 || !(Event->buttons() & Qt::LeftButton)) {
        QListWidget::mouseMoveEvent(Event);
        return;
    }
    if (!FDragging && (pos - FPressPos).manhattanLength() < QApplication::startDragDistance())
        return;
    FDragging = true;
    // A drop is offered over an existing item only.
    viewport()->setCursor(itemAt(pos) ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TSortList::mouseReleaseEvent(QMouseEvent* Event) {
    const bool dropped = FDragging && Event->button() == Qt::LeftButton;
    const int source = FDragSource;
    FDragging = false;
    FDragSource = -1;
    viewport()->unsetCursor();
    if (!dropped) {
        QListWidget::mouseReleaseEvent(Event);
        return;
    }
    if (QListWidgetItem* target = itemAt(Event->position().toPoint()))
        emit Dropped(source, row(target));
}

TForm4::TForm4(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("TForm4"));
    // No Cancel: every move is already made.
    SetDialogFrame(this, QStringLiteral("Sort Sht"));
    auto* group = new QGroupBox(QStringLiteral("Title List(drag-able)"));
    FList = new TSortList(group);
    auto* up = new QPushButton(QStringLiteral("Up"));
    auto* down = new QPushButton(QStringLiteral("Dn"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(up, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(FList, &TSortList::Dropped, this, [this](int From, int To) {
        Move(From, To);
        FList->setCurrentRow(To);
    });

    auto* listLayout = new QVBoxLayout(group);
    listLayout->addWidget(FList);
    auto* side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch();
    side->addWidget(ok);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(side);
}

bool TForm4::Execute(TLaptimeProject& Project) {
    FProject = &Project;
    FOrderChanged = false;
    FList->clear();
    for (const TLaptimeSheet& s : Project.Sheets) {
        auto* item = new QListWidgetItem(qt_bridge::FromBytes(s.Name.str()), FList);
        item->setSizeHint(QSize(0, kItemHeight));
    }
    FList->setCurrentRow(0);
    exec();
    FProject = nullptr;
    return FOrderChanged;
}

void TForm4::Move(int From, int To) {
    if (From < 0 || To < 0 || From == To) return;
    QListWidgetItem* item = FList->takeItem(From);
    FList->insertItem(To, item);
    FProject->MoveSheet(From, To);
    FOrderChanged = true;
}

void TForm4::Step(int Delta) {
    const int i = FList->currentRow();
    const int to = i + Delta;
    if (i < 0 || FList->count() < 2 || to < 0 || to >= FList->count()) return;
    Move(i, to);
    FList->setCurrentRow(to);
}
