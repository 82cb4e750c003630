// The colour choosers of the settings dialogs. A TColorBox lists named
// colours with a swatch, the system colours a setting can hold, an optional
// default entry and "Custom...", which opens the colour dialog; it reports
// the chosen TColor only when the user picks one. A TColorPanel is a plain
// coloured area that opens the colour dialog when clicked.
#pragma once

#include "grid/lap_types.h"

#include <QComboBox>
#include <QFrame>

// The colour dialog over a TColor; false when dismissed. Shared by the box
// and the panel, so both offer the same full dialog.
bool ChooseColor(QWidget* Parent, TColor& Color);

class TColorBox : public QComboBox {
    Q_OBJECT
  public:
    // The marker a file holds for "the default colour".
    static constexpr TColor DefaultMarker = 0x20000000u;

    // WithDefault adds a "Default" entry standing for Default.
    explicit TColorBox(QWidget* Parent, bool WithDefault = false, TColor Default = DefaultMarker);

    // Shows Color: its named entry, else the custom entry with its swatch.
    void SetColor(TColor Color);
    TColor Color() const;

  signals:
    void ColorChosen(TColor Color);

  protected:
    void changeEvent(QEvent* Event) override;

  private:
    void AddEntry(const QString& Name, TColor Color);
    void Picked(int Index);
    void RefreshSwatches();

    int FCustomIndex = 0;
    int FDefaultIndex = -1;
    int FShownIndex = -1;
};

class TColorPanel : public QFrame {
    Q_OBJECT
  public:
    explicit TColorPanel(QWidget* Parent);
    void SetColor(TColor Color);
    TColor Color() const { return FColor; }

  signals:
    void ColorChosen(TColor Color);

  protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;

  private:
    void Choose();

    TColor FColor = 0;
};
