// The grid widget keeps the promises the tests' FakeHost keeps.
#include "grid/grid_host_contract.h"
#include "ui/grid_widget.h"

#include <QtTest>

class TestGridHost : public QObject {
    Q_OBJECT
  private slots:
    void hiddenWidgetKeepsTheGridHostContract() {
        TGridWidget widget;
        widget.resize(300, 200);
        Check(widget);
    }
    void shownWidgetKeepsTheGridHostContract() {
        TGridWidget widget;
        widget.resize(300, 200);
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        Check(widget);
    }

  private:
    static void Check(GridHost& host) {
        const auto failures = GridHostContractFailures(host);
        for (const std::string& f : failures)
            qWarning("%s", f.c_str());
        QVERIFY(failures.empty());
    }
};

QTEST_MAIN(TestGridHost)
#include "tst_grid_host.moc"
