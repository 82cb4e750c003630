#include "ui/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace grid_cursors {

namespace {

// Fills the path in black inside a 1-pixel white outline.
QImage Draw(const QPainterPath& path) {
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(path);
    return img;
}

QPainterPath Polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// A thick plus centred on (7, 7).
QImage Plus() {
    return Draw(Polygon({{5, 1},
                         {10, 1},
                         {10, 5},
                         {14, 5},
                         {14, 10},
                         {10, 10},
                         {10, 14},
                         {5, 14},
                         {5, 10},
                         {1, 10},
                         {1, 5},
                         {5, 5}}));
}

// The arrows are laid around their hot spots, so the whole shape marks the
// place: an arrow pointing right around (7, 7).
QImage Right() {
    return Draw(Polygon({{1, 5}, {8, 5}, {8, 1}, {14.5, 7.5}, {8, 14}, {8, 10}, {1, 10}}));
}

// An arrow pointing down around its hot spot (8, 10).
QImage Down() {
    return Draw(Polygon({{6, 3}, {11, 3}, {11, 11}, {15, 11}, {8.5, 17.5}, {2, 11}, {6, 11}}));
}

// An arrow pointing up and left around (11, 10).
QImage LeftTop() {
    return Draw(Polygon({{4, 3}, {13, 3}, {10, 6}, {17, 13}, {14, 16}, {7, 9}, {4, 12}}));
}

} // namespace

QImage Shape(TGridCursor id, QPoint* hotSpot) {
    QPoint hot;
    QImage img;
    switch (id) {
    case crCellPlus:
        img = Plus();
        hot = QPoint(7, 7);
        break;
    case crGutterRight:
        img = Right();
        hot = QPoint(7, 7);
        break;
    case crHeaderDown:
        img = Down();
        hot = QPoint(8, 10);
        break;
    case crCornerLeftTop:
        img = LeftTop();
        hot = QPoint(11, 10);
        break;
    default:
        break;
    }
    if (hotSpot) *hotSpot = hot;
    return img;
}

QCursor Cursor(TGridCursor id) {
    if (id == crHSplit) return QCursor(Qt::SplitHCursor);
    QPoint hot;
    const QImage img = Shape(id, &hot);
    if (img.isNull()) return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(img), hot.x(), hot.y());
}

} // namespace grid_cursors
