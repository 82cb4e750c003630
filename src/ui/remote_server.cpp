#include "ui/remote_server.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QVariant>

namespace {

constexpr char Taken = '\x01';
// A sender that stops half-way is dropped after this long.
constexpr int IdleMs = 2000;
constexpr const char* BufferProperty = "segmarkBuffer";

} // namespace

TRemoteServer::TRemoteServer(THandler Handler, QObject* Parent)
    : QObject(Parent), FHandler(std::move(Handler)), FServer(new QLocalServer(this)) {
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TRemoteServer::Accept);
}

bool TRemoteServer::Listen(const QString& Name) {
    QLocalServer::removeServer(Name);
    return FServer->listen(Name);
}

void TRemoteServer::Accept() {
    while (QLocalSocket* s = FServer->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] { Read(s); });
        QTimer::singleShot(IdleMs, s, [s] { s->abort(); });
    }
}

void TRemoteServer::Read(QLocalSocket* S) {
    QByteArray buffer = S->property(BufferProperty).toByteArray() + S->readAll();
    TRemoteMessage m;
    std::size_t used = 0;
    switch (DecodeRemoteMessage(std::string_view(buffer.constData(), std::size_t(buffer.size())), m,
                                used)) {
    case TRemoteParse::Incomplete:
        S->setProperty(BufferProperty, buffer);
        return;
    case TRemoteParse::Bad:
        S->abort();
        return;
    case TRemoteParse::Ok:
        break;
    }
    // Answered once the window has acted, so the sender's exit status says so.
    FHandler(m);
    S->write(&Taken, 1);
    S->flush();
    S->disconnectFromServer();
}

bool SendRemoteMessage(const QString& Name, const TRemoteMessage& M, int TimeoutMs,
                       QString& Error) {
    QLocalSocket s;
    s.connectToServer(Name);
    if (!s.waitForConnected(TimeoutMs)) {
        Error = QStringLiteral("no running Segmark to send to");
        return false;
    }
    const std::string bytes = EncodeRemoteMessage(M);
    s.write(bytes.data(), qint64(bytes.size()));
    if (!s.waitForBytesWritten(TimeoutMs) || !s.waitForReadyRead(TimeoutMs) ||
        s.read(1) != QByteArray(1, Taken)) {
        Error = QStringLiteral("the running Segmark did not answer");
        return false;
    }
    return true;
}
