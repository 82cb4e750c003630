#include "ui/settings_widgets.h"

#include "ui/qt_canvas.h"

#include <QDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxThreeDigits = 999;

std::uint8_t StyleBits(const QFont& F) {
    return std::uint8_t((F.bold() ? fsBold : 0) | (F.italic() ? fsItalic : 0) |
                        (F.underline() ? fsUnderline : 0) | (F.strikeOut() ? fsStrikeOut : 0));
}

// The face and style of Font in the size of Base.
QFont StyledFace(const TFont& Font, const QFont& Base) {
    return qt_bridge::ToQFont(Font, qt_bridge::TFontSizeRule::BaseSize, Base);
}

} // namespace

TNumberEdit::TNumberEdit(QWidget* Parent, int ArrowMin, int ArrowMax)
    : QSpinBox(Parent), FArrowMax(ArrowMax) {
    setRange(ArrowMin, kMaxThreeDigits);
    setAlignment(Qt::AlignRight);
    lineEdit()->setMaxLength(3);
    connect(this, &QSpinBox::valueChanged, this, [this](int v) {
        if (!FShowing) emit Edited(v);
    });
}

void TNumberEdit::Show(int Value) {
    FShowing = true;
    setValue(std::clamp(Value, minimum(), FArrowMax));
    FShowing = false;
}

void TNumberEdit::stepBy(int Steps) {
    const int target = std::clamp(value() + Steps, minimum(), FArrowMax);
    if (target != value()) setValue(target);
}

QAbstractSpinBox::StepEnabled TNumberEdit::stepEnabled() const {
    StepEnabled e = StepNone;
    if (value() > minimum()) e |= StepDownEnabled;
    if (value() < FArrowMax) e |= StepUpEnabled;
    return e;
}

void ShowFontName(QLabel* Label, const TFont& Font) {
    Label->setText(qt_bridge::FromBytes(Font.Name));
    Label->setFont(
        StyledFace(Font, Label->parentWidget() ? Label->parentWidget()->font() : QFont()));
}

QLabel* AddFontRow(QGridLayout* Group, const QString& Prefix, QObject* Context,
                   std::function<void()> Choose) {
    auto* label = new QLabel;
    label->setObjectName(Prefix + QStringLiteral("Name"));
    auto* button = new QPushButton(QStringLiteral(".."));
    button->setObjectName(Prefix + QStringLiteral("Button"));
    button->setFixedWidth(28);
    QObject::connect(button, &QPushButton::clicked, Context, std::move(Choose));
    Group->addWidget(label, 0, 0);
    Group->addWidget(button, 0, 1);
    return label;
}

bool ChooseFont(QWidget* Parent, TFont& Font) {
    QFont start = StyledFace(Font, QFont());
    // A size of 0 is the desktop's default, 9 points.
    start.setPointSize(Font.Size == 0 ? 9 : std::abs(int(Font.Size)));
    QFontDialog dialog(start, Parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QFont chosen = dialog.selectedFont();
    Font.Name = qt_bridge::ToBytes(chosen.family());
    Font.Size = chosen.pointSize() > 0 ? chosen.pointSize() : Font.Size;
    Font.Style = StyleBits(chosen);
    return true;
}

void SetDialogFrame(QDialog* Dialog, const QString& Caption) {
    Dialog->setWindowTitle(Caption);
    Dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

QHBoxLayout* OkCancelRow(QDialog* Dialog, const QString& CancelCaption) {
    auto* ok = new QPushButton(QStringLiteral("OK"));
    auto* cancel = new QPushButton(CancelCaption);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, Dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, Dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}
