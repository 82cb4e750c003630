#include "ui/qt_recovery_port.h"

#include <QMetaObject>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

void QtRecoveryPort::StartTimer(int Ms, std::function<void()> Fire) {
    QTimer::singleShot(Ms, FContext, std::move(Fire));
}

void QtRecoveryPort::Post(std::function<void()> F) {
    QMetaObject::invokeMethod(FContext, std::move(F), Qt::QueuedConnection);
}

namespace {

int EndPipe[2] = {-1, -1};
constexpr int EndSignals[] = {SIGTERM, SIGHUP, SIGINT};

extern "C" void OnEndSignal(int) {
    const int saved = errno;
    const char b = 1;
    // A full pipe already holds a wake-up; nothing else is safe here.
    [[maybe_unused]] const ssize_t n = ::write(EndPipe[1], &b, 1);
    errno = saved;
}

} // namespace

TSignalEnds::TSignalEnds(std::function<void()> OnSignal, QObject* Parent)
    : QObject(Parent), FOnSignal(std::move(OnSignal)) {
    if (EndPipe[0] < 0 && ::pipe2(EndPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        EndPipe[0] = EndPipe[1] = -1;
        return;
    }
    FNotifier = new QSocketNotifier(EndPipe[0], QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, [this] {
        char buf[64];
        while (::read(EndPipe[0], buf, sizeof buf) > 0) {
        }
        if (FOnSignal) FOnSignal();
    });
    struct sigaction sa {};
    sa.sa_handler = OnEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : EndSignals)
        ::sigaction(s, &sa, nullptr);
}

TSignalEnds::~TSignalEnds() {
    struct sigaction sa {};
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    for (int s : EndSignals)
        ::sigaction(s, &sa, nullptr);
}
