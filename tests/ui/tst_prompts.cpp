// The window's questions answered through the Prompts port: a clipboard sheet
// of 50 lines asks first, and only OK adds the sheet.
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
    bool OkCancel(QWidget*, const QString& Caption, const QString& Text) override {
        Asked << Caption + QStringLiteral("|") + Text;
        return Answer;
    }
    void Error(QWidget*, const QString&, const QString&) override {}
};

QString Lines(int n) {
    QString text;
    for (int i = 0; i < n; ++i)
        text += QStringLiteral("Stage\t1:00\t0:59\r\n");
    return text;
}
} // namespace

class TestPrompts : public QObject {
    Q_OBJECT
  private slots:
    void manyRowsQuestionGoesThroughThePort() {
        ScriptedPrompts prompts;
        TLaptimeForm form(nullptr, &prompts);
        TLaptimeProject& project = *form.Project();
        const int before = project.SheetCount();

        QApplication::clipboard()->setText(Lines(49));
        QVERIFY(project.AddSheetFromClipboard());
        QCOMPARE(prompts.Asked.size(), 0);
        QCOMPARE(project.SheetCount(), before + 1);

        QApplication::clipboard()->setText(Lines(50));
        prompts.Answer = false;
        QVERIFY(!project.AddSheetFromClipboard());
        QCOMPARE(prompts.Asked.size(), 1);
        QVERIFY(prompts.Asked[0].startsWith(QStringLiteral("確認|")));
        QCOMPARE(project.SheetCount(), before + 1);

        prompts.Answer = true;
        QVERIFY(project.AddSheetFromClipboard());
        QCOMPARE(project.SheetCount(), before + 2);
    }
};

QTEST_MAIN(TestPrompts)
#include "tst_prompts.moc"
