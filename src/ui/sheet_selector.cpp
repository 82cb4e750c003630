#include "ui/sheet_selector.h"

#include "ui/qt_canvas.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>

int TSheetCombo::DropDownWidth() const {
    const QFontMetrics m(font());
    int w = 0;
    for (int i = 0; i < count(); ++i)
        w = std::max(w, m.horizontalAdvance(itemText(i)));
    w += 6;
    if (count() > DropDownCount) w += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return w;
}

void TSheetCombo::showPopup() {
    view()->setMinimumWidth(std::max(DropDownWidth(), width()));
    QComboBox::showPopup();
}

// The model changes the list itself; none of it is the user choosing a
// sheet, so the box's signals stay quiet.

int TComboSelector::Count() const {
    return FBox->count();
}

std::string TComboSelector::Item(int Index) const {
    return qt_bridge::ToBytes(FBox->itemText(Index));
}

void TComboSelector::Add(const std::string& Name) {
    const QSignalBlocker block(FBox);
    FBox->addItem(qt_bridge::FromBytes(Name));
}

void TComboSelector::Delete(int Index) {
    const QSignalBlocker block(FBox);
    FBox->removeItem(Index);
}

void TComboSelector::SetItem(int Index, const std::string& Name) {
    const QSignalBlocker block(FBox);
    FBox->setItemText(Index, qt_bridge::FromBytes(Name));
}

void TComboSelector::Clear() {
    const QSignalBlocker block(FBox);
    FBox->clear();
}

void TComboSelector::Select(int Index) {
    const QSignalBlocker block(FBox);
    FBox->setCurrentIndex(Index);
}

void TComboSelector::SetText(const std::string& Text) {
    const QSignalBlocker block(FBox);
    if (FBox->isEditable())
        FBox->setEditText(qt_bridge::FromBytes(Text));
    else
        FBox->setPlaceholderText(qt_bridge::FromBytes(Text));
}

void TComboSelector::SetEnabled(bool Enabled) {
    FBox->setEnabled(Enabled);
}
