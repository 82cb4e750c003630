#include "ui/sheet_settings_dialog.h"

#include "app/user_port.h"
#include "model/file_io.h"
#include "model/sheet_settings_file.h"
#include "ui/color_box.h"
#include "ui/qt_canvas.h"
#include "ui/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr const char* ConfirmCaption = "Cnfm";

const std::vector<const char*> kGridStyles = {"Ln", "DLn", "Dh", "Dsh2", "2DCh "};
const std::vector<const char*> kHorzAligns = {"Lft", "Md", "Rgt"};
const std::vector<const char*> kVertAligns = {"Top", "Md", "Btm"};
const std::vector<const char*> kTimeFormats = {"[H]:MM:SS",  "[HH]:MM:SS",    "[M]:SS",
                                               "[MM]:SS",    "[H]:MM:SS\"ms", "[HH]:MM:SS\"ms",
                                               "[M]:SS\"ms", "[MM]:SS\"ms",   "No"};
const char* const kColumnGroups[SheetColumnCount] = {"Index", "Bt", "Nw", "S", "In"};

QString Text(const char* Latin1) {
    return QString::fromLatin1(Latin1);
}

// A group box with a grid of caption / control rows.
QGridLayout* AddGroup(QGridLayout* Page, const char* Caption, int Row, int Col) {
    auto* box = new QGroupBox(Text(Caption));
    auto* grid = new QGridLayout(box);
    Page->addWidget(box, Row, Col);
    return grid;
}

// Without a caption the control takes the whole row.
QLabel* AddCaption(QGridLayout* Grid, int Row, const char* Caption, QWidget* Control) {
    if (!Caption) {
        Grid->addWidget(Control, Row, 0, 1, 2);
        return nullptr;
    }
    auto* label = new QLabel(Text(Caption));
    label->setBuddy(Control);
    Grid->addWidget(label, Row, 0);
    Grid->addWidget(Control, Row, 1);
    return label;
}

TFont CellFont(const TLaptimeSheet& s) {
    TFont f;
    f.Name = s.FontName.str();
    f.Size = s.FontSize;
    f.Style = s.FontStyle;
    return f;
}

} // namespace

TForm2::TForm2(QWidget* Parent, UserPort& Port) : QDialog(Parent), FPort(Port) {
    setObjectName(QStringLiteral("TForm2"));
    SetDialogFrame(this, QString());
    auto* tabs = new QTabWidget(this);
    tabs->addTab(BuildGeneralPage(), QStringLiteral("Genrl "));
    tabs->addTab(BuildColumnsPage(), QStringLiteral("Columns"));
    tabs->addTab(BuildMiscPage(), QStringLiteral("Misc."));

    FLoad = new QPushButton(QStringLiteral("Load"));
    FSave = new QPushButton(QStringLiteral("Save"));
    connect(FLoad, &QPushButton::clicked, this, &TForm2::LoadClick);
    connect(FSave, &QPushButton::clicked, this, &TForm2::SaveClick);
    QHBoxLayout* buttons = OkCancelRow(this, QStringLiteral("Cancl"));
    buttons->insertWidget(0, FLoad);
    buttons->insertWidget(1, FSave);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addLayout(buttons);
}

QWidget* TForm2::BuildGeneralPage() {
    auto* page = new QWidget;
    auto* groups = new QGridLayout(page);

    QGridLayout* line = AddGroup(groups, "Line", 0, 0);
    FRowCount = AddNumber(line, 0, "#L", "RowCount", &TLaptimeSheet::RowCount, 0, 999);
    AddNumber(line, 1, "RwHt", "DefRowHeight", &TLaptimeSheet::DefRowHeight, 5, 100);

    QGridLayout* header = AddGroup(groups, "Hdr", 0, 1);
    AddColor(header, 0, "HeadBG", "HeaderColor", &TLaptimeSheet::HeaderColor);
    AddColor(header, 1, "GrdHdClr", "HeaderDarkColor", &TLaptimeSheet::HeaderDarkColor);
    AddColor(header, 2, "HdFntClr", "HeaderFontColor", &TLaptimeSheet::HeaderFontColor);

    QGridLayout* cells = AddGroup(groups, "Cl", 1, 0);
    AddColor(cells, 0, "Cursr", "BoxColor", &TLaptimeSheet::BoxColor);
    AddColor(cells, 1, "CelBG", "CellColor", &TLaptimeSheet::CellColor);
    AddColor(cells, 2, "CelAlt", "AlternateColor", &TLaptimeSheet::AlternateColor);

    QGridLayout* lines = AddGroup(groups, "Grid", 1, 1);
    QCheckBox* show = AddCheck(lines, 0, "Show Grid", "ShowGrid", &TLaptimeSheet::ShowGrid);
    QComboBox* style =
        AddList(lines, 1, "GridStyl", "GridStyle", &TLaptimeSheet::GridStyle, kGridStyles);
    TColorBox* color = AddColor(lines, 2, "GrdClr", "GridColor", &TLaptimeSheet::GridColor, true,
                                DefaultSheetSettings().GridColor);
    FGridControls = {style, lines->itemAtPosition(1, 0)->widget(), color,
                     lines->itemAtPosition(2, 0)->widget()};
    connect(show, &QCheckBox::toggled, this, &TForm2::EnableGridControls);

    QGridLayout* font = AddGroup(groups, "Font", 2, 0);
    FFontLabel = AddFontRow(font, QStringLiteral("Font"), this, [this] { ChooseCellFont(); });
    FFields.OnFill([this] { ShowFontName(FFontLabel, CellFont(FWork)); });
    AddColor(font, 1, nullptr, "FontColor", &TLaptimeSheet::FontColor);

    QGridLayout* fill = AddGroup(groups, "BFill", 2, 1);
    AddColor(fill, 0, "C", "BackColor", &TLaptimeSheet::BackColor);
    return page;
}

QWidget* TForm2::BuildColumnsPage() {
    auto* page = new QWidget;
    auto* groups = new QGridLayout(page);
    for (int i = 0; i < SheetColumnCount; ++i) {
        const auto u = std::size_t(i);
        const std::string n = std::to_string(i);
        QGridLayout* g = AddGroup(groups, kColumnGroups[i], i / 3, i % 3);
        AddCheck(g, 0, "Vw", ("ColVisible" + n).c_str(),
                 [u](TLaptimeSheet& s) -> std::uint8_t& { return s.ColVisible[u]; });
        AddNumber(
            g, 1, "Wd", ("ColWidth" + n).c_str(),
            [u](TLaptimeSheet& s) -> std::int32_t& { return s.ColWidth[u]; }, 5, 999);
        AddList(
            g, 2, "AlignH", ("ColHorzAlign" + n).c_str(),
            [u](TLaptimeSheet& s) -> std::uint8_t& { return s.ColHorzAlign[u]; }, kHorzAligns);
        AddList(
            g, 3, "AlignV", ("ColVertAlign" + n).c_str(),
            [u](TLaptimeSheet& s) -> std::uint8_t& { return s.ColVertAlign[u]; }, kVertAligns);
    }
    return page;
}

QWidget* TForm2::BuildMiscPage() {
    auto* page = new QWidget;
    auto* groups = new QGridLayout(page);
    const TLaptimeSheet factory = DefaultSheetSettings();
    QGridLayout* colors = AddGroup(groups, "Colr", 0, 0);
    AddColor(colors, 0, "+", "PlusColor", &TLaptimeSheet::PlusColor, true, factory.PlusColor);
    AddColor(colors, 1, "-", "MinusColor", &TLaptimeSheet::MinusColor, true, factory.MinusColor);
    AddColor(colors, 2, "=", "EqualColor", &TLaptimeSheet::EqualColor, true, factory.EqualColor);
    QGridLayout* format = AddGroup(groups, "Format", 0, 1);
    AddList(format, 0, nullptr, "TimeFormat", &TLaptimeSheet::TimeFormat, kTimeFormats);
    groups->setRowStretch(1, 1);
    return page;
}

TColorBox* TForm2::AddColor(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                            TField<TColor> Field, bool WithDefault, TColor Default) {
    auto* box = new TColorBox(Grid->parentWidget(), WithDefault, Default);
    box->setObjectName(Text(Name));
    AddCaption(Grid, Row, Caption, box);
    FFields.Bind(box, std::move(Field));
    return box;
}

TNumberEdit* TForm2::AddNumber(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                               TField<std::int32_t> Field, int Min, int Max) {
    auto* edit = new TNumberEdit(Grid->parentWidget(), Min, Max);
    edit->setObjectName(Text(Name));
    AddCaption(Grid, Row, Caption, edit);
    FFields.Bind(edit, std::move(Field));
    return edit;
}

QComboBox* TForm2::AddList(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                           TField<std::uint8_t> Field, const std::vector<const char*>& Items) {
    auto* list = new QComboBox(Grid->parentWidget());
    list->setObjectName(Text(Name));
    for (const char* item : Items)
        list->addItem(Text(item));
    AddCaption(Grid, Row, Caption, list);
    FFields.Bind(list, std::move(Field));
    return list;
}

QCheckBox* TForm2::AddCheck(QGridLayout* Grid, int Row, const char* Caption, const char* Name,
                            TField<std::uint8_t> Field) {
    auto* check = new QCheckBox(Text(Caption), Grid->parentWidget());
    check->setObjectName(Text(Name));
    Grid->addWidget(check, Row, 0, 1, 2);
    FFields.Bind(check, std::move(Field));
    return check;
}

bool TForm2::Execute(int Mode, TLaptimeSheet& Settings, const TLaptimeSheet& StoredDefaults) {
    FMode = Mode;
    CopySheetSettings(&FWork, &Settings, false);
    FStored = StoredDefaults;
    const bool defaults = Mode == mdDefaults;
    setWindowTitle(defaults
                       ? QStringLiteral("Default Sheet Settings")
                       : qt_bridge::FromBytes(Settings.Name.str()) + QStringLiteral(" Settings  "));
    FLoad->setVisible(defaults);
    FLoad->setEnabled(defaults);
    FSave->setVisible(defaults);
    FSave->setEnabled(defaults);
    FRowCount->setEnabled(defaults);
    Fill();
    if (exec() != QDialog::Accepted) return false;
    CopySheetSettings(&Settings, &FWork, false);
    return true;
}

void TForm2::Fill() {
    FFields.Fill();
    EnableGridControls(FWork.ShowGrid != 0);
}

void TForm2::EnableGridControls(bool Enabled) {
    for (QWidget* w : FGridControls)
        w->setEnabled(Enabled);
}

void TForm2::ChooseCellFont() {
    TFont font = CellFont(FWork);
    if (!ChooseFont(this, font)) return;
    FWork.FontName.assign(font.Name);
    FWork.FontSize = font.Size;
    FWork.FontStyle = font.Style;
    ShowFontName(FFontLabel, font);
}

void TForm2::LoadClick() {
    TFileDialog dialog = file_dialogs::OpenSheetSettings();
    if (!FPort.ChooseOpenFile(dialog)) return;
    try {
        if (!LoadSheetSettingsFile(dialog.FileName, FWork)) {
            FPort.Inform(IncompatibleSettingsMessage, ConfirmCaption);
            return;
        }
    } catch (const EFileError& e) {
        FPort.Error(e.what());
        return;
    }
    Fill();
    FPort.Inform(LoadedSettingsMessage, ConfirmCaption);
}

void TForm2::SaveClick() {
    TFileDialog dialog = file_dialogs::SaveSheetSettings();
    if (!FPort.ChooseSaveFile(dialog)) return;
    try {
        SaveSheetSettingsFile(dialog.FileName, FStored);
    } catch (const EFileError& e) {
        FPort.Error(e.what());
    }
}
