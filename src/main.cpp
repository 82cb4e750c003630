// Segmark entry: a headless subcommand when one is named, else the window.
#include "app/cli.h"

#ifdef SEGMARK_WITH_UI
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    if (int code = RunCli(argc, argv); code >= 0) return code;
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Segmark v1.7.0 Eng - My New Project"));
    window.resize(409, 370);
    window.show();
    return app.exec();
}
#else
#include <cstdio>

int main(int argc, char** argv)
{
    if (int code = RunCli(argc, argv); code >= 0) return code;
    std::fputs("Segmark was built without its window; only subcommands are available.\n", stderr);
    return 2;
}
#endif
