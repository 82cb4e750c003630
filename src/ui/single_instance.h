// One running window per user: a lock file held from before the window is
// built to the end of the program, and the name of the local socket on which
// the running window takes commands from later starts.
#pragma once

#include <QLockFile>
#include <QString>

// The per-user runtime folder ($XDG_RUNTIME_DIR, or the desktop's fallback).
QString RuntimeFolder();

class TSingleInstance {
  public:
    TSingleInstance();
    // True when this process now holds the lock. A lock left by a process
    // that no longer runs is taken over.
    bool TryLock();
    // Where the running window listens.
    static QString SocketName();

  private:
    QLockFile FLock;
};
