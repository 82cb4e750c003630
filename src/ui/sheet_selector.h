// The project's sheet selector over a combo box: item i is sheet i's name,
// held as code-page bytes by the model and shown as Unicode.
#pragma once

#include "model/ports.h"

class QComboBox;

class TComboSelector : public SheetSelector {
  public:
    explicit TComboSelector(QComboBox* box) : FBox(box) {}

    int Count() const override;
    std::string Item(int Index) const override;
    void Add(const std::string& Name) override;
    void Delete(int Index) override;
    void Clear() override;
    void Select(int Index) override;
    void SetText(const std::string& Text) override;
    void SetEnabled(bool Enabled) override;

  private:
    QComboBox* FBox;
};
