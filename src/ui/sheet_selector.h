// The project's sheet selector over a combo box: item i is sheet i's name,
// held as code-page bytes by the model and shown as Unicode.
#pragma once

#include "model/ports.h"

#include <QComboBox>

// The selector's box. Its drop-down list is as wide as the longest name
// (plus room for a scroll bar when there are more names than fit), never
// narrower than the box.
class TSheetCombo : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;
    static constexpr int DropDownCount = 12;
    // The width the drop-down list asks for.
    int DropDownWidth() const;
    void showPopup() override;
};

class TComboSelector : public SheetSelector {
  public:
    explicit TComboSelector(QComboBox* box) : FBox(box) {}

    int Count() const override;
    std::string Item(int Index) const override;
    void Add(const std::string& Name) override;
    void Delete(int Index) override;
    void SetItem(int Index, const std::string& Name) override;
    void Clear() override;
    void Select(int Index) override;
    void SetText(const std::string& Text) override;
    void SetEnabled(bool Enabled) override;

  private:
    QComboBox* FBox;
};
