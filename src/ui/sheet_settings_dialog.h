// TForm2, the sheet settings dialog: one sheet's display settings, or the
// defaults new sheets start from, which can also be loaded from and saved to
// a sheet settings file. Every control writes its field into the dialog's
// working copy at once; the caller takes the copy only on OK.
#pragma once

#include "model/laptime_sheet.h"
#include "ui/settings_widgets.h"

#include <QDialog>

#include <vector>

class QGridLayout;
class QLabel;
class QPushButton;
class UserPort;

class TForm2 : public QDialog {
    Q_OBJECT
  public:
    enum TMode { mdDefaults = 0, mdSheet = 1 };

    // Port answers the file choices and shows the messages of Load and Save.
    TForm2(QWidget* Parent, UserPort& Port);

    // Mode 0 edits the defaults (with Load and Save, the row count editable),
    // mode 1 the sheet Settings names. StoredDefaults is what Save writes:
    // the defaults as they stand now, not this opening's changes. True on
    // OK, Settings then holding the edited settings (its texts untouched).
    bool Execute(int Mode, TLaptimeSheet& Settings, const TLaptimeSheet& StoredDefaults);

    // The working copy as the controls have written it so far.
    const TLaptimeSheet& Work() const { return FWork; }

  private:
    template <typename T> using TField = TFieldBinder<TLaptimeSheet>::TField<T>;

    QWidget* BuildGeneralPage();
    QWidget* BuildColumnsPage();
    QWidget* BuildMiscPage();
    TColorBox* AddColor(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                        TField<TColor> Field, bool WithDefault = false, TColor Default = 0);
    TNumberEdit* AddNumber(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                           TField<std::int32_t> Field, int Min, int Max);
    QComboBox* AddList(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                       TField<std::uint8_t> Field, const std::vector<const char*>& Items);
    QCheckBox* AddCheck(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                        TField<std::uint8_t> Field);
    void Fill();
    void EnableGridControls(bool Enabled);
    void ChooseCellFont();
    void LoadClick();
    void SaveClick();

    UserPort& FPort;
    int FMode = mdDefaults;
    TLaptimeSheet FWork;
    TLaptimeSheet FStored;
    TFieldBinder<TLaptimeSheet> FFields{this, FWork};
    TNumberEdit* FRowCount = nullptr;
    QLabel* FFontLabel = nullptr;
    std::vector<QWidget*> FGridControls; // enabled by "Show Grid"
    QPushButton* FLoad = nullptr;
    QPushButton* FSave = nullptr;
};
