// Segmark entry: the window, or a headless subcommand.
#ifdef SEGMARK_WITH_UI
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Segmark v1.7.0 Eng - My New Project"));
    window.resize(480, 600);
    window.show();
    return app.exec();
}
#else
#include <cstdio>
int main()
{
    std::fputs("Segmark was built without its window.\n", stderr);
    return 1;
}
#endif
