// Small pieces both settings dialogs build from: the three-digit number edit,
// the label that shows a font's face in that face, and the binder that ties
// each control to its field of the working copy.
#pragma once

#include "grid/lap_types.h"
#include "ui/color_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QDialog;
class QGridLayout;
class QHBoxLayout;
class QLabel;

// Digits only, right-aligned, at most three of them. Typing accepts any value
// from the least the arrows give up to 999; the arrows stay within their own
// range.
class TNumberEdit : public QSpinBox {
    Q_OBJECT
  public:
    TNumberEdit(QWidget* Parent, int ArrowMin, int ArrowMax);
    // Shows Value limited to what the edit can show, without reporting it.
    void Show(int Value);
    void stepBy(int Steps) override;

  signals:
    // Only the user's changes.
    void Edited(int Value);

  protected:
    StepEnabled stepEnabled() const override;

  private:
    int FArrowMax;
    bool FShowing = false;
};

// The label shows Font's face name, drawn in that face and style.
void ShowFontName(QLabel* Label, const TFont& Font);

// A font group's first row: the face name label (named Prefix + "Name") and
// the ".." button (Prefix + "Button") that runs Choose. Returns the label.
QLabel* AddFontRow(QGridLayout* Group, const QString& Prefix, QObject* Context,
                   std::function<void()> Choose);

// The font dialog started from Font's face, style and size; on OK those
// three take the choice (the colour is left alone). False when dismissed.
bool ChooseFont(QWidget* Parent, TFont& Font);

// Dialog frames of the settings dialogs: a caption and no close box, as
// they end through their buttons only.
void SetDialogFrame(QDialog* Dialog, const QString& Caption);

// The row of buttons at the foot of a settings dialog: "OK" (the default)
// and the cancel button, on the right.
QHBoxLayout* OkCancelRow(QDialog* Dialog, const QString& CancelCaption);

// Each bound control writes its field of Work as soon as the user changes it
// (never when it is filled), and Fill shows every field again.
template <typename Record> class TFieldBinder {
  public:
    template <typename T> using TField = std::function<T&(Record&)>;

    TFieldBinder(QObject* Context, Record& Work) : FContext(Context), FWork(Work) {}

    void Bind(QCheckBox* Box, TField<std::uint8_t> Field) {
        QObject::connect(Box, &QCheckBox::clicked, FContext,
                         [this, Field](bool on) { Field(FWork) = on ? 1 : 0; });
        OnFill([this, Box, Field] { Box->setChecked(Field(FWork) != 0); });
    }
    // Item i stands for the value i; a value beyond the list shows no entry.
    void Bind(QComboBox* List, TField<std::uint8_t> Field) {
        QObject::connect(List, &QComboBox::activated, FContext,
                         [this, Field](int i) { Field(FWork) = std::uint8_t(i); });
        OnFill([this, List, Field] {
            const int v = Field(FWork);
            List->setCurrentIndex(v < List->count() ? v : -1);
        });
    }
    void Bind(TNumberEdit* Edit, TField<std::int32_t> Field) {
        QObject::connect(Edit, &TNumberEdit::Edited, FContext,
                         [this, Field](int v) { Field(FWork) = v; });
        OnFill([this, Edit, Field] { Edit->Show(Field(FWork)); });
    }
    void Bind(TColorBox* Box, TField<TColor> Field) {
        QObject::connect(Box, &TColorBox::ColorChosen, FContext,
                         [this, Field](TColor c) { Field(FWork) = c; });
        OnFill([this, Box, Field] { Box->SetColor(Field(FWork)); });
    }
    void OnFill(std::function<void()> Show) { FFillers.push_back(std::move(Show)); }
    void Fill() const {
        for (const auto& show : FFillers)
            show();
    }

  private:
    QObject* FContext;
    Record& FWork;
    std::vector<std::function<void()>> FFillers;
};
