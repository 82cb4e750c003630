// Split files of other timers dragged from a file manager onto the real grid
// widget: one sheet each after the existing ones, a refused file named once
// through the user port, a project file still opened as before.
#include "app/fake_user_port.h"
#include "ui/grid_widget.h"
#include "ui/lap_form.h"
#include "ui/menus.h"
#include "ui/ui_test_helpers.h"

#include <QComboBox>
#include <QFile>
#include <QMimeData>

namespace {

void Drop(QWidget* Viewport, const QList<QUrl>& Urls) {
    QMimeData data;
    data.setUrls(Urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Viewport, &drop);
}

QUrl Write(const QTemporaryDir& Dir, const QString& Name, const QByteArray& Bytes) {
    const QString path = Dir.filePath(Name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(Bytes) != Bytes.size()) return {};
    return QUrl::fromLocalFile(path);
}

QStringList Items(const QComboBox* List) {
    QStringList out;
    for (int i = 0; i < List->count(); ++i)
        out << List->itemText(i);
    return out;
}

} // namespace

class TestSplitsDrop : public QObject {
    Q_OBJECT
  private slots:
    void splitFilesBecomeSheets() {
        const QUrl lss = Write(FEnvDir, QStringLiteral("森の記録.lss"),
                               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Run version=\"1.8.0\">"
                               "<Segments><Segment><Name>神殿</Name><SplitTimes><SplitTime "
                               "name=\"Personal Best\"><RealTime>00:01:23.4560000</RealTime>"
                               "</SplitTime></SplitTimes></Segment></Segments></Run>");
        const QUrl bad = Write(FEnvDir, QStringLiteral("broken.json"), "{\"splits\":[");
        const QUrl json = Write(FEnvDir, QStringLiteral("castle.json"),
                                R"({"splits":[{"title":"Gate","time":"41.5"},{"title":"Hall"}]})");
        const QUrl project = QUrl::fromLocalFile(FEnvDir.filePath(QStringLiteral("p.sgp")));
        QVERIFY(!lss.isEmpty() && !bad.isEmpty() && !json.isEmpty());

        FakeUserPort user;
        user.Files = {project.toLocalFile().toStdString()};
        TLaptimeForm form(nullptr, &user);
        form.Menus().Action("SavePrject")->trigger();
        const QString caption = form.windowTitle();
        QWidget* viewport = form.GridWidget()->viewport();
        Drop(viewport, {lss, bad, json});

        QCOMPARE(Items(form.List()),
                 (QStringList{QStringLiteral("New Sheet    1"), QStringLiteral("森の記録"),
                              QStringLiteral("castle")}));
        QCOMPARE(form.List()->currentIndex(), 2);
        QCOMPARE(form.windowTitle(), caption + u'*');
        QCOMPARE(user.Errors.size(), std::size_t{1});
        QVERIFY(QString::fromStdString(user.Errors[0])
                    .startsWith(u'"' + bad.toLocalFile() + QStringLiteral("\": not valid JSON")));
        QVERIFY(user.Asked.empty());
        QCOMPARE(Cell(form.Grid(), 0, 0), QStringLiteral("Gate"));
        QCOMPARE(Cell(form.Grid(), 0, 1), QStringLiteral("Hall"));
        QVERIFY(!Cell(form.Grid(), 1, 0).isEmpty());
        QCOMPARE(Cell(form.Grid(), 1, 1), QString());
        form.List()->setCurrentIndex(1);
        emit form.List()->activated(1);
        QCOMPARE(Cell(form.Grid(), 0, 0), QStringLiteral("神殿"));

        // A project file dropped alone keeps its meaning: the save question,
        // then the saved project in place of the changed one.
        user.Answers = {TAnswer::No};
        Drop(viewport, {project});
        QCOMPARE(user.Asked, (std::vector<std::string>{"Cnfm: Data has been edited. Save?"}));
        QCOMPARE(Items(form.List()), QStringList{QStringLiteral("New Sheet    1")});
        QCOMPARE(form.windowTitle(), caption);
    }

  private:
    TestEnvDir FEnvDir;
};

QTEST_MAIN(TestSplitsDrop)
#include "tst_splits_drop.moc"
