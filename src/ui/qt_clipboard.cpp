#include "ui/qt_clipboard.h"

#include "ui/qt_canvas.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QtClipboard::QtClipboard(QClipboard* board)
    : FBoard(board ? board : QGuiApplication::clipboard()) {}

bool QtClipboard::HasText() const {
    const QMimeData* data = FBoard->mimeData();
    return data && data->hasText();
}

std::string QtClipboard::GetText() const {
    return qt_bridge::ToBytes(FBoard->text());
}

void QtClipboard::SetText(const std::string& bytes) {
    FBoard->setText(qt_bridge::FromBytes(bytes));
}
