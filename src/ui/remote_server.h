// The running window's local socket: later starts of the program send their
// command here (Clear Now, a text for the current cell, a project to open)
// and wait for the answer that it was taken; others read the sheet on show,
// once or after every change.
#pragma once

#include "app/remote_message.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

class TRemoteServer : public QObject {
    Q_OBJECT
  public:
    using THandler = std::function<void(const TRemoteMessage&)>;
    // The sheet on show: as export-text prints it, or as JSON.
    using TSheetSource = std::function<std::string(bool Json)>;
    TRemoteServer(THandler Handler, QObject* Parent = nullptr);

    // Listens on Name (a path), replacing a socket left by a run that ended
    // without removing it; only the same user can connect.
    bool Listen(const QString& Name);

    void SetSheetSource(TSheetSource Source) { FSheetSource = std::move(Source); }
    // The sheet on show, the current cell or the shown sheet may have
    // changed: watchers get the new state once the burst is over, at most
    // twenty times a second.
    void SheetChanged();
    int WatcherCount() const { return int(FWatchers.size()); }

  private:
    struct TWatcher {
        QLocalSocket* Socket;
        std::string Sent;    // the last state written
        std::string Pending; // a newer one, waiting until the socket takes more
        bool HasPending = false;
    };

    void Accept();
    void Read(QLocalSocket* Socket);
    void Answer(QLocalSocket* Socket, const TRemoteMessage& M);
    void Watch(QLocalSocket* Socket);
    void SendStates();
    void Flush(TWatcher& W);
    TWatcher* WatcherOf(QLocalSocket* Socket);

    THandler FHandler;
    TSheetSource FSheetSource;
    QLocalServer* FServer;
    std::vector<TWatcher> FWatchers;
    QTimer FCoalesce;
};

// Sends M to the window listening on Name and waits up to TimeoutMs for its
// answer. False with Error set when nothing listens or nothing answers.
bool SendRemoteMessage(const QString& Name, const TRemoteMessage& M, int TimeoutMs, QString& Error);

// Asks the window for the sheet on show and waits up to TimeoutMs for it.
bool GetRemoteSheet(const QString& Name, bool Json, int TimeoutMs, std::string& Sheet,
                    QString& Error);

// Prints the sheet on show as one JSON line to the file descriptor Out, now
// and after every change, until the window ends (0) or Out is closed (0).
// 1 with Error set when no window answers.
int WatchRemoteSheet(const QString& Name, int Out, int TimeoutMs, QString& Error);
