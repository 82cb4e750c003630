#include "ui/startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long ResidentKiB() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

class TFirstPaint : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* Watched, QEvent* E) override {
        if (E->type() == QEvent::Paint && !FSeen) {
            FSeen = true;
            // Once the paint is done and on its way to the screen.
            QTimer::singleShot(0, this, [] {
                timespec t{};
                ::clock_gettime(CLOCK_MONOTONIC, &t);
                std::printf("painted %lld %ld\n",
                            static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec,
                            ResidentKiB());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(Watched, E);
    }

  private:
    bool FSeen = false;
};

} // namespace

void WatchFirstPaint(QWidget* Painted) {
    if (!qEnvironmentVariableIsSet("SEGMARK_STARTUP_PROBE")) return;
    Painted->installEventFilter(new TFirstPaint(Painted));
}
