// The grid's Canvas over a QPainter, and the conversions every Qt adapter
// needs: code-page text, TColor through the palette, TFont to QFont.
#pragma once

#include "grid/canvas.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QRegion>
#include <QString>

#include <string>

class QPainter;

namespace qt_bridge {

QString FromBytes(const std::string& bytes);
std::string ToBytes(const QString& s);

// The RGB value a TColor shows as; system colours come from the palette.
TColor ResolveColor(TColor c, const QPalette& palette);
QColor ToQColor(TColor c, const QPalette& palette);

// The face that stands in for a Windows face name (code-page bytes): the
// Japanese system faces map to the Noto CJK faces; a face the system has is
// kept; anything else falls back to the proportional CJK face.
QString MapFaceName(const std::string& name);
// How a TFont's size becomes a QFont's. The uses truly differ, so each keeps
// its own rule:
enum class TFontSizeRule {
    // The grid's: points taken at 96 pixels per inch, as the classic desktop
    // does, so that the pixel layout does not depend on the screen; 0 means
    // 9 points, a negative size counts as positive. The proportional CJK face
    // backs the face up, so that Japanese text in a Latin face finds glyphs.
    Pixels96,
    // A text pane's: points on the screen as the font dialog chose them; a
    // size of 0 or less leaves the size to the widget.
    Points,
    // A font sample's: the size of the base font, whatever the TFont says.
    BaseSize,
};
// Face (see MapFaceName), size by the rule, and the style bits.
QFont ToQFont(const TFont& f, TFontSizeRule rule, const QFont& base = QFont());
// The grid's font: ToQFont(f, TFontSizeRule::Pixels96).
QFont ToQFont(const TFont& f);

QRect ToQRect(const TRect& r);

} // namespace qt_bridge

class QtCanvas : public Canvas {
  public:
    QtCanvas(QPainter& painter, const QPalette& palette);

    void FillRect(const TRect& r) override;
    void Rectangle(const TRect& r) override;
    void Line(int X1, int Y1, int X2, int Y2) override;
    void TextOut(int X, int Y, const std::string& Text) override;
    void TextRect(const TRect& Clip, int X, int Y, const std::string& Text) override;
    int TextWidth(const std::string& Text) override;
    int TextHeight(const std::string& Text) override;
    void SetClipRect(const TRect& r) override;
    void ExcludeClipRect(const TRect& r) override;
    void IntersectClipRect(const TRect& r) override;
    void RemoveClip() override;
    TColor ColorToRGB(TColor c) const override;

  private:
    const QFont& CurrentFont();
    QColor Color(TColor c) const;
    void ApplyClip();
    void DrawText(int X, int Y, const QString& s);

    QPainter& FPainter;
    QPalette FPalette;
    TFont FFontKey; // the TFont FFont was built from
    QFont FFont;
    bool FFontValid = false;
    bool FClipped = false;
    QRegion FClip;
};
