// The grid's own mouse cursors: 32 x 32 black shapes with a white outline,
// drawn at run time, with their hot spots.
#pragma once

#include "grid/grid_host.h"

#include <QCursor>
#include <QImage>
#include <QPoint>

namespace grid_cursors {

// The image and hot spot of one of the numbered shapes (101, 103, 104, 105);
// a null image for any other id.
QImage Shape(TGridCursor id, QPoint* hotSpot = nullptr);
// The cursor to show for id: the numbered shapes, the split cursor, or the
// platform's arrow.
QCursor Cursor(TGridCursor id);

} // namespace grid_cursors
