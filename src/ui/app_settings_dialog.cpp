#include "ui/app_settings_dialog.h"

#include "ui/color_box.h"
#include "ui/qt_canvas.h"

#include <QDesktopServices>
#include <QEnterEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr TColor LinkHoverColor = 0x00FF0000; // blue

const char* const kHeaderLabels[SheetColumnCount] = {"Index", "Best", "Now", "Spl", "Intv"};

QGridLayout* AddGroup(QLayout* Page, const QString& Caption) {
    auto* box = new QGroupBox(Caption);
    auto* grid = new QGridLayout(box);
    Page->addWidget(box);
    return grid;
}

QCheckBox* NewCheck(const QString& Caption, const char* Name) {
    auto* check = new QCheckBox(Caption);
    check->setObjectName(QString::fromLatin1(Name));
    return check;
}

QComboBox* NewList(const QStringList& Items, const char* Name) {
    auto* list = new QComboBox;
    list->setObjectName(QString::fromLatin1(Name));
    list->addItems(Items);
    return list;
}

} // namespace

TLinkLabel::TLinkLabel(const QString& Address, QWidget* Parent) : QLabel(Address, Parent) {
    SetTextColor(palette().color(QPalette::WindowText));
}

void TLinkLabel::SetTextColor(const QColor& Color) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Color);
    setPalette(p);
}

void TLinkLabel::enterEvent(QEnterEvent* Event) {
    QLabel::enterEvent(Event);
    SetTextColor(qt_bridge::ToQColor(LinkHoverColor, palette()));
    setCursor(Qt::PointingHandCursor);
}

void TLinkLabel::leaveEvent(QEvent* Event) {
    QLabel::leaveEvent(Event);
    const QWidget* around = parentWidget();
    SetTextColor((around ? around->palette() : QPalette()).color(QPalette::WindowText));
    unsetCursor();
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* Event) {
    QLabel::mouseReleaseEvent(Event);
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(text()));
}

TForm3::TForm3(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("TForm3"));
    SetDialogFrame(this, QStringLiteral("CNFG"));
    FTabs = new QTabWidget(this);
    FTabs->addTab(BuildGeneralPage(), QStringLiteral("Genral"));
    FTabs->addTab(BuildHeaderPage(), QStringLiteral("Hedr"));
    FTabs->addTab(BuildNotesPage(), QStringLiteral("Notes"));
    FTabs->addTab(BuildVersionPage(), QStringLiteral("Version"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FTabs);
    layout->addLayout(OkCancelRow(this, QStringLiteral("Cancel")));
}

QWidget* TForm3::BuildGeneralPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QCheckBox* reopen = NewCheck(QStringLiteral("Re-open on startup"), "ReopenLast");
    AddGroup(layout, QStringLiteral("File"))->addWidget(reopen, 0, 0);
    FFields.Bind(reopen, &TLapEnv::ReopenLast);

    QStringList steps{QStringLiteral("0 Dfault")};
    for (int i = 1; i <= 10; ++i)
        steps << QString::number(i);
    QComboBox* threshold = NewList(steps, "ScrollThreshold");
    AddGroup(layout, QStringLiteral("Scroll Thshld"))->addWidget(threshold, 0, 0);
    FFields.Bind(threshold, &TLapEnv::ScrollThreshold);

    QStringList depths;
    for (int i = 1; i <= 6; ++i)
        depths << QString::number(i * 5);
    QComboBox* depth = NewList(depths, "MaxUndoIndex");
    QGridLayout* memory = AddGroup(layout, QStringLiteral("Memry(Needs Restrt)"));
    auto* depthLabel = new QLabel(QStringLiteral("Max. Undo/Redo"));
    depthLabel->setBuddy(depth);
    memory->addWidget(depthLabel, 0, 0);
    memory->addWidget(depth, 0, 1);
    FFields.Bind(depth, &TLapEnv::MaxUndoIndex);

    QGridLayout* confirm = AddGroup(layout, QStringLiteral("Confirm"));
    QCheckBox* rename = NewCheck(QStringLiteral("ChngTitle"), "ConfirmRename");
    QCheckBox* manyRows = NewCheck(QStringLiteral("On 50+ rows, etc."), "ConfirmManyRows");
    confirm->addWidget(rename, 0, 0);
    confirm->addWidget(manyRows, 1, 0);
    FFields.Bind(rename, &TLapEnv::ConfirmRename);
    FFields.Bind(manyRows, &TLapEnv::ConfirmManyRows);
    layout->addStretch();
    return page;
}

QWidget* TForm3::BuildHeaderPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QGridLayout* texts = AddGroup(layout, QStringLiteral("Header Text"));
    for (int i = 0; i < SheetColumnCount; ++i) {
        const auto u = std::size_t(i);
        auto* edit = new QLineEdit;
        edit->setObjectName(QStringLiteral("HeaderText%1").arg(i));
        auto* label = new QLabel(QString::fromLatin1(kHeaderLabels[i]));
        label->setBuddy(edit);
        texts->addWidget(label, i, 0);
        texts->addWidget(edit, i, 1);
        // The slot holds 254 bytes of the code page; the rest is cut.
        connect(edit, &QLineEdit::textEdited, this, [this, u](const QString& t) {
            FWork.HeaderTexts[u].assign(qt_bridge::ToBytes(t));
        });
        FFields.OnFill(
            [this, edit, u] { edit->setText(qt_bridge::FromBytes(FWork.HeaderTexts[u].str())); });
    }
    QCheckBox* resizable = NewCheck(QStringLiteral("Cursor-adjust Width"), "ColumnsResizable");
    layout->addWidget(resizable);
    FFields.Bind(resizable, &TLapEnv::ColumnsResizable);
    layout->addStretch();
    return page;
}

QWidget* TForm3::BuildNotesPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    QGridLayout* font = AddGroup(layout, QStringLiteral("Font"));
    FFontLabel = AddFontRow(font, QStringLiteral("NotesFont"), this, [this] { ChooseNotesFont(); });
    FFields.OnFill([this] { ShowFontName(FFontLabel, NotesFont()); });
    // The desktop's font dialog has no colour; the box beside it takes its place.
    auto* color = new TColorBox(page);
    color->setObjectName(QStringLiteral("NotesFontColor"));
    font->addWidget(color, 1, 0, 1, 2);
    FFields.Bind(color, &TLapEnv::NotesFontColor);

    QGridLayout* background = AddGroup(layout, QStringLiteral("BG"));
    FNotesPanel = new TColorPanel(page);
    FNotesPanel->setObjectName(QStringLiteral("NotesColor"));
    FNotesPanel->setMinimumHeight(40);
    background->addWidget(FNotesPanel, 0, 0);
    connect(FNotesPanel, &TColorPanel::ColorChosen, this,
            [this](TColor c) { FWork.NotesColor = c; });
    FFields.OnFill([this] { FNotesPanel->SetColor(FWork.NotesColor); });
    layout->addStretch();
    return page;
}

QWidget* TForm3::BuildVersionPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Segmark   ver" SEGMARK_VERSION)));
    layout->addSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("Support")));
    auto* link = new TLinkLabel(QString::fromLatin1(SupportAddress), page);
    link->setObjectName(QStringLiteral("SupportLink"));
    layout->addWidget(link);
    layout->addStretch();
    return page;
}

TFont TForm3::NotesFont() const {
    TFont f;
    f.Name = FWork.NotesFontName.str();
    f.Size = FWork.NotesFontSize;
    f.Style = FWork.NotesFontStyle;
    f.Color = FWork.NotesFontColor;
    return f;
}

void TForm3::ChooseNotesFont() {
    TFont font = NotesFont();
    if (!ChooseFont(this, font)) return;
    FWork.NotesFontName.assign(font.Name);
    FWork.NotesFontSize = font.Size;
    FWork.NotesFontStyle = font.Style;
    ShowFontName(FFontLabel, font);
}

bool TForm3::Execute(TLapEnv& Env) {
    FWork = Env;
    FFields.Fill();
    FTabs->setCurrentIndex(FLastPage);
    const bool ok = exec() == QDialog::Accepted;
    FLastPage = FTabs->currentIndex();
    if (ok) Env = FWork;
    return ok;
}
