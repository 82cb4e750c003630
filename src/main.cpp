// Segmark entry: a headless subcommand when one is named, else the window.
#include "app/cli.h"

#ifdef SEGMARK_WITH_UI
#include "ui/lap_form.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (int code = RunCli(argc, argv); code >= 0) return code;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Segmark"));
    TLaptimeForm window(nullptr, nullptr, QApplication::arguments().mid(1));
    window.show();
    return app.exec();
}
#else
#include <cstdio>

int main(int argc, char** argv) {
    if (int code = RunCli(argc, argv); code >= 0) return code;
    std::fputs("Segmark was built without its window; only subcommands are available.\n", stderr);
    return 2;
}
#endif
