// The running window's local socket: later starts of the program send their
// command here (Clear Now, a text for the current cell, a project to open)
// and wait for the answer that it was taken.
#pragma once

#include "app/remote_message.h"

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;

class TRemoteServer : public QObject {
    Q_OBJECT
  public:
    using THandler = std::function<void(const TRemoteMessage&)>;
    TRemoteServer(THandler Handler, QObject* Parent = nullptr);

    // Listens on Name (a path), replacing a socket left by a run that ended
    // without removing it; only the same user can connect.
    bool Listen(const QString& Name);

  private:
    void Accept();
    void Read(QLocalSocket* Socket);

    THandler FHandler;
    QLocalServer* FServer;
};

// Sends M to the window listening on Name and waits up to TimeoutMs for its
// answer. False with Error set when nothing listens or nothing answers.
bool SendRemoteMessage(const QString& Name, const TRemoteMessage& M, int TimeoutMs, QString& Error);
