#include "ui/prompts.h"

#include <QMessageBox>

bool QtPrompts::OkCancel(QWidget* Parent, const QString& Caption, const QString& Text) {
    return QMessageBox::question(Parent, Caption, Text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

void QtPrompts::Error(QWidget* Parent, const QString& Caption, const QString& Text) {
    QMessageBox::critical(Parent, Caption, Text);
}
