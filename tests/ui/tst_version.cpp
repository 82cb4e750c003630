// Every place that shows the version shows the same one.
#include "app/launch.h"
#include "model/laptime_project.h"
#include "ui/app_settings_dialog.h"

#include <QLabel>
#include <QtTest>

#include <string>

class TestVersion : public QObject {
    Q_OBJECT
  private slots:
    void oneVersionEverywhere() {
        const std::string version = std::string(VersionText).substr(std::string("Segmark ").size());
        QVERIFY(!version.empty());
        QCOMPARE(std::string(VersionText), "Segmark " + version);
        QCOMPARE(std::string(project_text::CaptionPrefix), "Segmark v" + version + " Eng - ");
        TForm3 dlg(nullptr);
        QStringList shown;
        for (const QLabel* label : dlg.findChildren<QLabel*>())
            if (label->text().startsWith(QStringLiteral("Segmark "))) shown << label->text();
        QCOMPARE(shown,
                 QStringList{QStringLiteral("Segmark   ver") + QString::fromStdString(version)});
    }
};

QTEST_MAIN(TestVersion)
#include "tst_version.moc"
