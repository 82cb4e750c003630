// The window's questions go through the Prompts port: a clipboard sheet of 50
// lines asks first, and only OK adds the sheet.
#include "model/laptime_project.h"
#include "ui/lap_form.h"
#include "ui/prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QtTest>

namespace {
class ScriptedPrompts : public Prompts {
  public:
    bool Answer = false;
    QStringList Asked;
    bool OkCancel(QWidget*, const QString& Caption, const QString&) override {
        Asked << Caption;
        return Answer;
    }
    void Error(QWidget*, const QString&, const QString&) override {}
};
} // namespace

class TestPrompts : public QObject {
    Q_OBJECT
  private slots:
    void manyRowsQuestionGoesThroughThePort() {
        ScriptedPrompts prompts;
        TLaptimeForm form(nullptr, &prompts);
        TLaptimeProject& project = *form.Project();
        QApplication::clipboard()->setText(QStringLiteral("Stage\t1:00\t0:59\r\n").repeated(50));
        QVERIFY(!project.AddSheetFromClipboard());
        QCOMPARE(prompts.Asked, QStringList{QStringLiteral("確認")});
        QCOMPARE(project.SheetCount(), 1);
        prompts.Answer = true;
        QVERIFY(project.AddSheetFromClipboard());
        QCOMPARE(project.SheetCount(), 2);
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
