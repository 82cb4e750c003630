// What the grid asks of a drawing surface. The Qt layer implements it over
// QPainter; tests use a recording fake. Like a classic canvas it carries the
// current font, pen and brush as plain state that drawing calls then use.
#pragma once

#include "grid/lap_types.h"

#include <string>
#include <string_view>

enum TPenStyle : std::uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
    TColor Color = RGB(0, 0, 0);
    TPenStyle Style = psSolid;
    int Width = 1;
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
    TColor Color = RGB(255, 255, 255);
    TBrushStyle Style = bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    TFont Font;
    TPen Pen;
    TBrush Brush;

    // ==== drawing operations (painting) ====
    virtual void FillRect(const TRect& r) = 0;
    // ==== end drawing operations ====
};
