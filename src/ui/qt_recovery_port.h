// The snapshot keeper's timer and its way back to the window's thread, and
// the signals that end the program without a close (a logout, kill, Ctrl+C
// in the terminal), turned into a call on the window's thread.
#pragma once

#include "app/recovery.h"

#include <QObject>

#include <functional>

class QSocketNotifier;

class QtRecoveryPort : public RecoveryPort {
  public:
    // Timers and posted calls belong to Context and end with it.
    explicit QtRecoveryPort(QObject* Context) : FContext(Context) {}
    void StartTimer(int Ms, std::function<void()> Fire) override;
    void Post(std::function<void()> F) override;

  private:
    QObject* FContext;
};

// SIGTERM, SIGHUP and SIGINT. The handler only writes a byte to a pipe; the
// notifier on its other end calls OnSignal in the event loop.
class TSignalEnds : public QObject {
    Q_OBJECT
  public:
    explicit TSignalEnds(std::function<void()> OnSignal, QObject* Parent = nullptr);
    ~TSignalEnds() override;
    // False when the pipe could not be made (the signals then end the
    // program as they would without it).
    bool Installed() const { return FNotifier != nullptr; }

  private:
    std::function<void()> FOnSignal;
    QSocketNotifier* FNotifier = nullptr;
};
