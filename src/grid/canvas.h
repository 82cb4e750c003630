// What the grid asks of a drawing surface. The Qt layer implements it over
// QPainter; tests use a recording fake. Like a classic canvas it carries the
// current font, pen and brush as plain state that drawing calls then use.
#pragma once

#include "grid/lap_types.h"

#include <cstdint>
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
    TPoint PenPos; // start of the next LineTo

    // ==== drawing operations (painting) ====
    // Coordinates are client pixels; rectangles exclude Right and Bottom.
    // Colours arrive as TColor (RGB or system colour); the implementation
    // resolves system colours itself.

    // Fills r with the brush colour (whatever the brush style); no outline.
    virtual void FillRect(const TRect& r) = 0;
    // Outline along the edge pixels of r (Left .. Right - 1, Top .. Bottom - 1)
    // in the pen; a pen wider than 1 is centred on that outline; psClear
    // draws no outline. The inside is filled with the brush unless bsClear.
    virtual void Rectangle(const TRect& r) = 0;
    // A line in the pen from (X1, Y1) to (X2, Y2), the end point excluded.
    virtual void Line(int X1, int Y1, int X2, int Y2) = 0;
    void MoveTo(int X, int Y) { PenPos = TPoint{X, Y}; }
    void LineTo(int X, int Y) {
        Line(PenPos.X, PenPos.Y, X, Y);
        PenPos = TPoint{X, Y};
    }

    // Code-page text in Font with its top-left corner at (X, Y); with a solid
    // brush the text's cell is filled with the brush first, with bsClear the
    // text is transparent. TextRect clips the drawing to Clip.
    virtual void TextOut(int X, int Y, const std::string& Text) = 0;
    virtual void TextRect(const TRect& Clip, int X, int Y, const std::string& Text) = 0;
    // Extent of Text in the current Font.
    virtual int TextWidth(const std::string& Text) = 0;
    virtual int TextHeight(const std::string& Text) = 0;

    // Clipping, inside whatever area the platform lets this paint cycle draw:
    // SetClipRect replaces the clip region by r; ExcludeClipRect removes r
    // from it; IntersectClipRect keeps only its part inside r; RemoveClip
    // lifts every clip set here.
    virtual void SetClipRect(const TRect& r) = 0;
    virtual void ExcludeClipRect(const TRect& r) = 0;
    virtual void IntersectClipRect(const TRect& r) = 0;
    virtual void RemoveClip() = 0;

    // The RGB value (0x00BBGGRR) a colour shows as: system colours resolved
    // by the desktop. The default is the classic desktop's table.
    virtual TColor ColorToRGB(TColor c) const;
    // ==== end drawing operations ====
};
