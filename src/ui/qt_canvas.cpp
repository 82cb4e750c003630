#include "ui/qt_canvas.h"

#include "text/codepage.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qt_bridge {

QString FromBytes(const std::string& bytes) {
    if (bytes.empty()) return QString();
    return QString::fromStdString(text::FromCodePage(bytes));
}

std::string ToBytes(const QString& s) {
    if (s.isEmpty()) return std::string();
    return text::ToCodePage(s.toStdString());
}

namespace {

// The classic desktop's system colour indices and the palette roles that
// play the same part under Qt.
struct SystemRole {
    int Index;
    QPalette::ColorRole Role;
};
constexpr SystemRole kSystemRoles[] = {
    {0, QPalette::Button},           // scroll bar
    {1, QPalette::Dark},             // desktop
    {2, QPalette::Highlight},        // active caption
    {3, QPalette::Mid},              // inactive caption
    {4, QPalette::Window},           // menu
    {5, QPalette::Base},             // window
    {6, QPalette::Shadow},           // window frame
    {7, QPalette::WindowText},       // menu text
    {8, QPalette::Text},             // window text
    {9, QPalette::HighlightedText},  // caption text
    {10, QPalette::Window},          // active border
    {11, QPalette::Window},          // inactive border
    {12, QPalette::Mid},             // application workspace
    {13, QPalette::Highlight},       // highlight
    {14, QPalette::HighlightedText}, // highlight text
    {15, QPalette::Button},          // button face
    {16, QPalette::Mid},             // button shadow
    {18, QPalette::ButtonText},      // button text
    {19, QPalette::WindowText},      // inactive caption text
    {20, QPalette::Light},           // button highlight
    {21, QPalette::Shadow},          // 3-D dark shadow
    {22, QPalette::Midlight},        // 3-D light
    {23, QPalette::ToolTipText},     // info text
    {24, QPalette::ToolTipBase},     // info background
    {26, QPalette::Link},            // hot-tracked item
    {27, QPalette::Highlight},       // gradient active caption
    {28, QPalette::Mid},             // gradient inactive caption
    {29, QPalette::Highlight},       // menu highlight
    {30, QPalette::Window},          // menu bar
};

TColor FromQColor(const QColor& q) {
    return RGB(std::uint8_t(q.red()), std::uint8_t(q.green()), std::uint8_t(q.blue()));
}

} // namespace

TColor ResolveColor(TColor c, const QPalette& palette) {
    if (!IsSystemColor(c)) return c & 0xFFFFFFu;
    const int index = int(c & 0xFFu);
    if (index == 17) // gray text
        return FromQColor(palette.color(QPalette::Disabled, QPalette::Text));
    for (const SystemRole& r : kSystemRoles)
        if (r.Index == index) return FromQColor(palette.color(QPalette::Active, r.Role));
    return RGB(0, 0, 0);
}

QColor ToQColor(TColor c, const QPalette& palette) {
    const TColor rgb = ResolveColor(c, palette);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

namespace {

const QString kSansCjk = QStringLiteral("Noto Sans CJK JP");
const QString kMonoCjk = QStringLiteral("Noto Sans Mono CJK JP");
const QString kSerifCjk = QStringLiteral("Noto Serif CJK JP");

struct FaceMap {
    const char* Windows; // UTF-8
    const QString* Standin;
};
// Fixed-pitch faces ("ＭＳ ゴシック", "ＭＳ 明朝") keep a fixed-pitch stand-in,
// so that columns of times line up as they do on the classic desktop.
const FaceMap kFaces[] = {
    {"ＭＳ ゴシック", &kMonoCjk}, {"MS Gothic", &kMonoCjk},    {"ＭＳ Ｐゴシック", &kSansCjk},
    {"MS PGothic", &kSansCjk},    {"MS UI Gothic", &kSansCjk}, {"メイリオ", &kSansCjk},
    {"Meiryo", &kSansCjk},        {"Meiryo UI", &kSansCjk},    {"游ゴシック", &kSansCjk},
    {"Yu Gothic", &kSansCjk},     {"Yu Gothic UI", &kSansCjk}, {"ＭＳ 明朝", &kSerifCjk},
    {"MS Mincho", &kSerifCjk},    {"ＭＳ Ｐ明朝", &kSerifCjk}, {"MS PMincho", &kSerifCjk},
    {"游明朝", &kSerifCjk},       {"Yu Mincho", &kSerifCjk},
};

} // namespace

QString MapFaceName(const std::string& name) {
    const QString face = FromBytes(name);
    for (const FaceMap& m : kFaces)
        if (face.compare(QString::fromUtf8(m.Windows), Qt::CaseInsensitive) == 0) return *m.Standin;
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) return face;
    return kSansCjk;
}

QFont ToQFont(const TFont& f, TFontSizeRule rule, const QFont& base) {
    const QString face = MapFaceName(f.Name);
    QFont q;
    switch (rule) {
    case TFontSizeRule::Pixels96: {
        q.setFamilies(face == kSansCjk ? QStringList{face} : QStringList{face, kSansCjk});
        const int points = f.Size == 0 ? 9 : std::abs(f.Size);
        q.setPixelSize(std::max(1, int(std::lround(points * 96.0 / 72.0))));
        break;
    }
    case TFontSizeRule::Points:
        q = QFont(face);
        if (f.Size > 0) q.setPointSize(f.Size);
        break;
    case TFontSizeRule::BaseSize:
        q = base;
        q.setFamilies({face});
        break;
    }
    q.setBold(f.Style & fsBold);
    q.setItalic(f.Style & fsItalic);
    q.setUnderline(f.Style & fsUnderline);
    q.setStrikeOut(f.Style & fsStrikeOut);
    return q;
}

QFont ToQFont(const TFont& f) {
    return ToQFont(f, TFontSizeRule::Pixels96);
}

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

} // namespace qt_bridge

using namespace qt_bridge;

namespace {

Qt::PenStyle ToQPenStyle(TPenStyle s) {
    switch (s) {
    case psDash:
        return Qt::DashLine;
    case psDot:
        return Qt::DotLine;
    case psDashDot:
        return Qt::DashDotLine;
    case psDashDotDot:
        return Qt::DashDotDotLine;
    case psClear:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter, const QPalette& palette)
    : FPainter(painter), FPalette(palette) {
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setRenderHint(QPainter::TextAntialiasing, true);
}

TColor QtCanvas::ColorToRGB(TColor c) const {
    return ResolveColor(c, FPalette);
}

QColor QtCanvas::Color(TColor c) const {
    return ToQColor(c, FPalette);
}

const QFont& QtCanvas::CurrentFont() {
    if (!FFontValid || !(FFontKey == Font)) {
        FFontKey = Font;
        FFont = ToQFont(Font);
        FFontValid = true;
    }
    return FFont;
}

void QtCanvas::FillRect(const TRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    FPainter.fillRect(ToQRect(r), Color(Brush.Color));
}

void QtCanvas::Rectangle(const TRect& r) {
    if (r.Right <= r.Left || r.Bottom <= r.Top) return;
    if (Brush.Style == bsSolid) FPainter.fillRect(ToQRect(r), Color(Brush.Color));
    if (Pen.Style == psClear) return;
    QPen pen(Color(Pen.Color));
    pen.setStyle(ToQPenStyle(Pen.Style));
    pen.setWidth(std::max(1, Pen.Width));
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    FPainter.setPen(pen);
    FPainter.setBrush(Qt::NoBrush);
    // The outline runs through the centres of the edge pixels.
    FPainter.drawRect(
        QRectF(r.Left + 0.5, r.Top + 0.5, r.Right - r.Left - 1.0, r.Bottom - r.Top - 1.0));
}

void QtCanvas::Line(int X1, int Y1, int X2, int Y2) {
    if (Pen.Style == psClear || (X1 == X2 && Y1 == Y2)) return;
    QPen pen(Color(Pen.Color));
    pen.setStyle(ToQPenStyle(Pen.Style));
    pen.setWidth(std::max(1, Pen.Width));
    FPainter.setPen(pen);
    // The end point is not drawn: stop one step short along the longer axis.
    const int dx = X2 - X1;
    const int dy = Y2 - Y1;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    const double f = double(steps - 1) / steps;
    const QPointF a(X1 + 0.5, Y1 + 0.5);
    const QPointF b(X1 + dx * f + 0.5, Y1 + dy * f + 0.5);
    if (steps == 1)
        FPainter.drawPoint(a);
    else
        FPainter.drawLine(a, b);
}

void QtCanvas::DrawText(int X, int Y, const QString& s) {
    const QFont& f = CurrentFont();
    FPainter.setFont(f);
    FPainter.setPen(Color(Font.Color));
    FPainter.drawText(QPoint(X, Y + QFontMetrics(f).ascent()), s);
}

void QtCanvas::TextOut(int X, int Y, const std::string& Text) {
    const QString s = FromBytes(Text);
    if (Brush.Style == bsSolid) {
        const QFontMetrics fm(CurrentFont());
        FPainter.fillRect(QRect(X, Y, fm.horizontalAdvance(s), fm.height()), Color(Brush.Color));
    }
    DrawText(X, Y, s);
}

void QtCanvas::TextRect(const TRect& Clip, int X, int Y, const std::string& Text) {
    if (Clip.Right <= Clip.Left || Clip.Bottom <= Clip.Top) return;
    const QRect clip = ToQRect(Clip);
    if (Brush.Style == bsSolid) FPainter.fillRect(clip, Color(Brush.Color));
    if (Text.empty()) return;
    FPainter.save();
    FPainter.setClipRect(clip, FClipped ? Qt::IntersectClip : Qt::ReplaceClip);
    DrawText(X, Y, FromBytes(Text));
    FPainter.restore();
}

int QtCanvas::TextWidth(const std::string& Text) {
    return QFontMetrics(CurrentFont()).horizontalAdvance(FromBytes(Text));
}

int QtCanvas::TextHeight(const std::string&) {
    return QFontMetrics(CurrentFont()).height();
}

void QtCanvas::ApplyClip() {
    if (FClipped)
        FPainter.setClipRegion(FClip);
    else
        FPainter.setClipping(false);
}

void QtCanvas::SetClipRect(const TRect& r) {
    FClip = QRegion(ToQRect(r));
    FClipped = true;
    ApplyClip();
}

void QtCanvas::ExcludeClipRect(const TRect& r) {
    if (!FClipped) {
        // Everything the device holds, less r.
        const QPaintDevice* d = FPainter.device();
        FClip = QRegion(0, 0, d ? d->width() : 0, d ? d->height() : 0);
        FClipped = true;
    }
    FClip -= QRegion(ToQRect(r));
    ApplyClip();
}

void QtCanvas::IntersectClipRect(const TRect& r) {
    if (FClipped)
        FClip &= QRegion(ToQRect(r));
    else
        FClip = QRegion(ToQRect(r));
    FClipped = true;
    ApplyClip();
}

void QtCanvas::RemoveClip() {
    FClipped = false;
    FClip = QRegion();
    ApplyClip();
}
