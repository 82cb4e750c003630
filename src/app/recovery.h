// Keeping the recovery snapshot up to date while the project has unsaved
// changes. The window's thread only builds the bytes; a worker thread of its
// own writes them, so a slow disk never stalls typing. The toolkit gives the
// timer and the way back to the window's thread (RecoveryPort).
#pragma once

#include "model/recovery_store.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// The question offering a snapshot (code-page bytes): the project's file
// name or "a new project", and the snapshot's local time, with its date
// when it is from before Now's day.
std::string RecoverQuestion(const TRecoveryRecord& Record, std::int64_t Now);

class RecoveryPort {
  public:
    virtual ~RecoveryPort() = default;
    // Calls Fire once, on the window's thread, Ms milliseconds from now.
    virtual void StartTimer(int Ms, std::function<void()> Fire) = 0;
    // Runs F on the window's thread soon; callable from any thread.
    virtual void Post(std::function<void()> F) = 0;
};

struct TSnapshot {
    std::string Bytes; // the project file image
    TRecoveryRecord Record;
};

// One worker thread doing the store's writes and removals in the order they
// were asked for. A write not yet begun is replaced by a later one, so a
// stalled disk gets the newest snapshot, not a backlog.
class TSnapshotWriter {
  public:
    // Done runs on the worker after each write: empty, or the reason it failed.
    TSnapshotWriter(TRecoveryStore& Store, std::function<void(const std::string&)> Done);
    ~TSnapshotWriter(); // finishes what was asked, then ends the thread
    TSnapshotWriter(const TSnapshotWriter&) = delete;
    TSnapshotWriter& operator=(const TSnapshotWriter&) = delete;

    void Write(TSnapshot Snapshot);
    // Drops a write not yet begun and removes the snapshot after any begun.
    void Remove();
    // Returns once everything asked before has been done.
    void Flush();

  private:
    void Run();

    TRecoveryStore& FStore;
    std::function<void(const std::string&)> FDone;
    std::mutex FLock;
    std::condition_variable FWake, FIdle;
    std::optional<TSnapshot> FPending;
    bool FRemovePending = false;
    bool FBusy = false;
    bool FStop = false;
    std::thread FThread;
};

// The rule: after a change while there are unsaved changes, one snapshot
// within Delay; changes meanwhile ride along. Nothing is armed while the
// project is saved, so an idle window never wakes.
class TRecoveryKeeper {
  public:
    static constexpr int Delay = 400; // ms

    // Take builds the snapshot on the window's thread. Failed gets the
    // reason a write failed, on the window's thread.
    TRecoveryKeeper(TRecoveryStore& Store, RecoveryPort& Port, std::function<TSnapshot()> Take,
                    std::function<void(const std::string&)> Failed);

    TRecoveryStore& Store() { return FStore; }
    // Something changed; Modified: the project now has unsaved changes.
    void Changed(bool Modified);
    // The snapshot written before this returns (an end that is not a close).
    // False when the write failed.
    bool UpToDateNow(bool Modified);
    // The changes were saved or given up: the snapshot goes, if this run
    // wrote it or restored from it; one it never touched stays.
    void Remove();
    // The snapshot on disk is this run's (the project was restored from it).
    void Adopt() { FOwned = true; }
    // Waits for the worker (tests, and before the program ends).
    void Flush() { FWriter.Flush(); }

  private:
    void Fire();

    TRecoveryStore& FStore;
    RecoveryPort& FPort;
    std::function<TSnapshot()> FTake;
    std::function<void(const std::string&)> FFailed;
    bool FArmed = false;
    bool FDirty = false;
    bool FModified = false;
    bool FOwned = false;
    // Calls that come back later find out whether the keeper is still there.
    std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
    // Last: the worker reaches back into the members above until it ends.
    TSnapshotWriter FWriter;
};
