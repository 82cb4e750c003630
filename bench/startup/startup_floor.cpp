// The floor for the start-up benchmark: a bare Qt window holding a 20 x 5
// table, reporting its first paint as Segmark does.
#include "ui/startup_probe.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* table = new QTableWidget(20, 5, &window);
    window.setCentralWidget(table);
    WatchFirstPaint(table->viewport());
    window.resize(409, 370);
    window.show();
    return app.exec();
}
