#include "ui/qt_user_port.h"

#include "ui/app_settings_dialog.h"
#include "ui/qt_canvas.h"
#include "ui/sheet_settings_dialog.h"
#include "ui/sheet_sort_dialog.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

QtUserPort::QtUserPort(QWidget* Parent) : FParent(Parent) {}

QtUserPort::~QtUserPort() = default;

namespace {

QString FromBytes(const std::string& s) {
    return qt_bridge::FromBytes(s);
}

} // namespace

bool QtUserPort::OkCancel(const std::string& Text, const std::string& Caption) {
    return QMessageBox::question(FParent, FromBytes(Caption), FromBytes(Text),
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

TAnswer QtUserPort::YesNoCancel(const std::string& Text, const std::string& Caption) {
    switch (QMessageBox::question(FParent, FromBytes(Caption), FromBytes(Text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                  QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

bool QtUserPort::YesNo(const std::string& Text, const std::string& Caption) {
    // Escape is No: the box takes its one No button for it.
    return QMessageBox::question(FParent, FromBytes(Caption), FromBytes(Text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUserPort::CautiousOkCancel(const std::string& Text, const std::string& Caption) {
    return QMessageBox::question(FParent, FromBytes(Caption), FromBytes(Text),
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

void QtUserPort::Inform(const std::string& Text, const std::string& Caption) {
    QMessageBox::information(FParent, FromBytes(Caption), FromBytes(Text));
}

void QtUserPort::Error(const std::string& Text) {
    QMessageBox::critical(FParent, QApplication::applicationName(), QString::fromUtf8(Text));
}

bool QtUserPort::ChooseFile(TFileDialog& Dialog, bool Save) {
    // "Description (*.ext)|*.ext": the part before the bar already carries
    // the pattern in the form the desktop's dialog reads.
    const std::string filter = Dialog.Filter.substr(0, Dialog.Filter.find('|'));
    QString start = QFile::decodeName(Dialog.FileName.c_str());
    if (!Dialog.InitialDir.empty() && !start.contains(QLatin1Char('/')))
        start = QFile::decodeName(Dialog.InitialDir.c_str()) + QLatin1Char('/') + start;
    QFileDialog d(FParent, FromBytes(Dialog.Title), start, FromBytes(filter));
    d.setAcceptMode(Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d.setFileMode(Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    d.setDefaultSuffix(QString::fromUtf8(Dialog.DefaultExt));
    d.setOption(QFileDialog::DontConfirmOverwrite, !Dialog.ConfirmOverwrite);
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return false;
    Dialog.FileName = QFile::encodeName(d.selectedFiles().first()).toStdString();
    return true;
}

bool QtUserPort::ChooseOpenFile(TFileDialog& Dialog) {
    return ChooseFile(Dialog, false);
}

bool QtUserPort::ChooseSaveFile(TFileDialog& Dialog) {
    return ChooseFile(Dialog, true);
}

bool QtUserPort::EditSheetSettings(TLaptimeSheet& Work, bool ForDefaults,
                                   const TLaptimeSheet& StoredDefaults) {
    if (!FSheetSettings) FSheetSettings = std::make_unique<TForm2>(FParent, *this);
    return FSheetSettings->Execute(ForDefaults ? TForm2::mdDefaults : TForm2::mdSheet, Work,
                                   StoredDefaults);
}

bool QtUserPort::EditAppSettings(TLapEnv& Work) {
    TForm3 dialog(FParent);
    return dialog.Execute(Work);
}

bool QtUserPort::SortSheets(TLaptimeProject& Project) {
    TForm4 dialog(FParent);
    return dialog.Execute(Project);
}
