// The system clipboard keeps the promises the tests' fake keeps.
#include "grid/clipboard_contract.h"
#include "ui/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

class TestQtClipboard : public QObject {
    Q_OBJECT
  private slots:
    void keepsTheClipboardContract() {
        QtClipboard board;
        const auto failures =
            ClipboardContractFailures(board, [] { QGuiApplication::clipboard()->clear(); });
        for (const std::string& f : failures)
            qWarning("%s", f.c_str());
        QVERIFY(failures.empty());
    }
};

QTEST_MAIN(TestQtClipboard)
#include "tst_qt_clipboard.moc"
