// Segmark entry: the window, or a headless subcommand.
#ifdef SEGMARK_WITH_UI
#include "ui/lap_form.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TLaptimeForm window;
    window.show();
    return app.exec();
}
#else
#include <cstdio>
int main() {
    std::fputs("Segmark was built without its window.\n", stderr);
    return 1;
}
#endif
