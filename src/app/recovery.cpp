#include "app/recovery.h"

#include "text/codepage.h"

#include <ctime>
#include <exception>
#include <new>

std::string RecoverQuestion(const TRecoveryRecord& Record, std::int64_t Now) {
    std::string name = "a new project";
    if (!Record.Source.empty()) {
        const std::size_t slash = Record.Source.rfind('/');
        name = text::ToCodePage(slash == std::string::npos ? Record.Source
                                                           : Record.Source.substr(slash + 1));
    }
    const std::time_t taken = static_cast<std::time_t>(Record.Time);
    const std::time_t now = static_cast<std::time_t>(Now);
    std::tm t{}, today{};
    ::localtime_r(&taken, &t);
    ::localtime_r(&now, &today);
    char when[32];
    const bool sameDay = t.tm_year == today.tm_year && t.tm_yday == today.tm_yday;
    std::strftime(when, sizeof when, sameDay ? "%H:%M" : "%Y-%m-%d %H:%M", &t);
    return "Segmark was not closed normally. Restore the unsaved changes to \"" + name +
           "\" from " + when + "?";
}

// ---- the worker ----

TSnapshotWriter::TSnapshotWriter(TRecoveryStore& Store,
                                 std::function<void(const std::string&)> Done)
    : FStore(Store), FDone(std::move(Done)), FThread([this] { Run(); }) {}

TSnapshotWriter::~TSnapshotWriter() {
    {
        std::lock_guard<std::mutex> l(FLock);
        FStop = true;
    }
    FWake.notify_one();
    FThread.join();
}

void TSnapshotWriter::Write(TSnapshot Snapshot) {
    {
        std::lock_guard<std::mutex> l(FLock);
        FPending = std::move(Snapshot);
    }
    FWake.notify_one();
}

void TSnapshotWriter::Remove() {
    {
        std::lock_guard<std::mutex> l(FLock);
        FPending.reset();
        FRemovePending = true;
    }
    FWake.notify_one();
}

void TSnapshotWriter::Flush() {
    std::unique_lock<std::mutex> l(FLock);
    FIdle.wait(l, [this] { return !FBusy && !FPending && !FRemovePending; });
}

void TSnapshotWriter::Run() {
    std::unique_lock<std::mutex> l(FLock);
    for (;;) {
        FWake.wait(l, [this] { return FStop || FPending || FRemovePending; });
        // A removal asked for after a write replaced that write, so whichever
        // is waiting is the latest word.
        if (FRemovePending) {
            FRemovePending = false;
            FBusy = true;
            l.unlock();
            FStore.Remove();
            l.lock();
        } else if (FPending) {
            TSnapshot s = std::move(*FPending);
            FPending.reset();
            FBusy = true;
            l.unlock();
            std::string error;
            try {
                FStore.Write(s.Bytes, s.Record);
            } catch (const std::bad_alloc&) {
                error = "not enough memory";
            } catch (const std::exception& e) {
                error = e.what();
            }
            if (FDone) FDone(error);
            l.lock();
        } else if (FStop) {
            return;
        }
        FBusy = false;
        FIdle.notify_all();
    }
}

// ---- the rule ----

TRecoveryKeeper::TRecoveryKeeper(TRecoveryStore& Store, RecoveryPort& Port,
                                 std::function<TSnapshot()> Take,
                                 std::function<void(const std::string&)> Failed)
    : FStore(Store), FPort(Port), FTake(std::move(Take)), FFailed(std::move(Failed)),
      FWriter(Store, [this, alive = std::weak_ptr<bool>(FAlive)](const std::string& Error) {
          if (Error.empty()) return;
          FPort.Post([this, alive, Error] {
              if (alive.lock() && FFailed) FFailed(Error);
          });
      }) {}

void TRecoveryKeeper::Changed(bool Modified) {
    FModified = Modified;
    // Undone back to what is on disk: there is nothing left to recover, and
    // the snapshot would bring back what was undone.
    if (!Modified) return Remove();
    FDirty = true;
    if (FArmed) return;
    FArmed = true;
    FPort.StartTimer(Delay, [this, alive = std::weak_ptr<bool>(FAlive)] {
        if (alive.lock()) Fire();
    });
}

void TRecoveryKeeper::Fire() {
    FArmed = false;
    if (!FDirty || !FModified) return;
    FDirty = false;
    FOwned = true;
    FWriter.Write(FTake());
}

bool TRecoveryKeeper::UpToDateNow(bool Modified) {
    FModified = Modified;
    FWriter.Flush();
    if (!Modified) return true;
    FDirty = false;
    FOwned = true;
    const TSnapshot s = FTake();
    try {
        FStore.Write(s.Bytes, s.Record);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TRecoveryKeeper::Remove() {
    FDirty = false;
    if (!FOwned) return;
    FOwned = false;
    FWriter.Remove();
}
