#include "ui/color_box.h"

#include "ui/qt_canvas.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

#include <iterator>

namespace {

struct NamedColor {
    const char* Name;
    TColor Color;
};

const NamedColor kNamedColors[] = {
    {"Black", 0x000000},      {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},       {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},     {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},       {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
    {"MoneyGreen", 0xC0DCC0}, {"SkyBlue", 0xF0CAA6}, {"Cream", 0xF0FBFF}, {"MedGray", 0xA4A0A0},
};

// The system colours by their classic index; 25 has no meaning.
const char* const kSystemNames[] = {"ScrollBar",
                                    "Background",
                                    "ActiveCaption",
                                    "InactiveCaption",
                                    "Menu",
                                    "Window",
                                    "WindowFrame",
                                    "MenuText",
                                    "WindowText",
                                    "CaptionText",
                                    "ActiveBorder",
                                    "InactiveBorder",
                                    "AppWorkSpace",
                                    "Highlight",
                                    "HighlightText",
                                    "BtnFace",
                                    "BtnShadow",
                                    "GrayText",
                                    "BtnText",
                                    "InactiveCaptionText",
                                    "BtnHighlight",
                                    "3DDkShadow",
                                    "3DLight",
                                    "InfoText",
                                    "InfoBk",
                                    nullptr,
                                    "HotLight",
                                    "GradientActiveCaption",
                                    "GradientInactiveCaption",
                                    "MenuHighlight",
                                    "MenuBar"};

constexpr int kListWidth = 180;

TColor FromQColor(const QColor& q) {
    return RGB(std::uint8_t(q.red()), std::uint8_t(q.green()), std::uint8_t(q.blue()));
}

TColor ItemColor(const QComboBox& Box, int Index) {
    return Box.itemData(Index).value<TColor>();
}

} // namespace

bool ChooseColor(QWidget* Parent, TColor& Color) {
    QColorDialog dialog(qt_bridge::ToQColor(Color, Parent->palette()), Parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    Color = FromQColor(dialog.selectedColor());
    return true;
}

TColorBox::TColorBox(QWidget* Parent, bool WithDefault, TColor Default) : QComboBox(Parent) {
    AddEntry(QStringLiteral("Custom..."), 0);
    if (WithDefault) {
        FDefaultIndex = count();
        AddEntry(QStringLiteral("Default"), Default);
    }
    for (const NamedColor& c : kNamedColors)
        AddEntry(QString::fromLatin1(c.Name), c.Color);
    for (int i = 0; i < int(std::size(kSystemNames)); ++i)
        if (kSystemNames[i]) AddEntry(QString::fromLatin1(kSystemNames[i]), sys_color::Base + i);
    view()->setMinimumWidth(kListWidth);
    setMaxVisibleItems(16);
    RefreshSwatches();
    connect(this, &QComboBox::activated, this, &TColorBox::Picked);
}

void TColorBox::AddEntry(const QString& Name, TColor Color) {
    addItem(Name, QVariant::fromValue<TColor>(Color));
}

void TColorBox::RefreshSwatches() {
    for (int i = 0; i < count(); ++i) {
        QPixmap swatch(14, 14);
        swatch.fill(qt_bridge::ToQColor(ItemColor(*this, i), palette()));
        setItemIcon(i, QIcon(swatch));
    }
}

void TColorBox::changeEvent(QEvent* Event) {
    QComboBox::changeEvent(Event);
    if (Event->type() == QEvent::PaletteChange) RefreshSwatches();
}

void TColorBox::SetColor(TColor Color) {
    int index = -1;
    // A file's default marker stands for the default entry, where there is one.
    if (FDefaultIndex >= 0 && Color == DefaultMarker) index = FDefaultIndex;
    for (int i = FCustomIndex + 1; i < count() && index < 0; ++i)
        if (ItemColor(*this, i) == Color) index = i;
    if (index < 0) {
        index = FCustomIndex;
        setItemData(index, QVariant::fromValue<TColor>(Color));
        RefreshSwatches();
    }
    FShownIndex = index;
    setCurrentIndex(index);
}

TColor TColorBox::Color() const {
    return ItemColor(*this, currentIndex());
}

void TColorBox::Picked(int Index) {
    if (Index == FCustomIndex) {
        TColor c = FShownIndex >= 0 ? ItemColor(*this, FShownIndex) : 0;
        if (!ChooseColor(this, c)) {
            setCurrentIndex(FShownIndex);
            return;
        }
        setItemData(Index, QVariant::fromValue<TColor>(c));
        RefreshSwatches();
    }
    FShownIndex = Index;
    emit ColorChosen(Color());
}

TColorPanel::TColorPanel(QWidget* Parent) : QFrame(Parent) {
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab and chosen with Space or Enter, as a button is.
    setFocusPolicy(Qt::StrongFocus);
}

void TColorPanel::SetColor(TColor Color) {
    FColor = Color;
    // System colours resolve through the surrounding palette, not the one
    // this panel overrides.
    const QPalette around = parentWidget() ? parentWidget()->palette() : QPalette();
    QPalette p = palette();
    p.setColor(QPalette::Window, qt_bridge::ToQColor(Color, around));
    setPalette(p);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* Event) {
    QFrame::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint())) Choose();
}

void TColorPanel::keyPressEvent(QKeyEvent* Event) {
    switch (Event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Choose();
        break;
    default:
        QFrame::keyPressEvent(Event);
    }
}

void TColorPanel::Choose() {
    TColor c = FColor;
    if (!ChooseColor(this, c)) return;
    SetColor(c);
    emit ColorChosen(c);
}
