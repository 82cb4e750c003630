#include "ui/remote_server.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QVariant>

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr char Taken = '\x01';
// A sender that stops half-way is dropped after this long.
constexpr int IdleMs = 2000;
// Watchers get at most twenty states a second.
constexpr int CoalesceMs = 50;
constexpr const char* BufferProperty = "segmarkBuffer";

std::string StateFrame(const std::string& Sheet) {
    return EncodeRemoteMessage({rkSheetState, 0, Sheet});
}

// False when Fd is closed or broken.
bool WriteAll(int Fd, std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t n = ::write(Fd, Bytes.data(), Bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        Bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

} // namespace

TRemoteServer::TRemoteServer(THandler Handler, QObject* Parent)
    : QObject(Parent), FHandler(std::move(Handler)), FServer(new QLocalServer(this)) {
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TRemoteServer::Accept);
    FCoalesce.setSingleShot(true);
    FCoalesce.setInterval(CoalesceMs);
    connect(&FCoalesce, &QTimer::timeout, this, &TRemoteServer::SendStates);
}

bool TRemoteServer::Listen(const QString& Name) {
    QLocalServer::removeServer(Name);
    return FServer->listen(Name);
}

void TRemoteServer::Accept() {
    while (QLocalSocket* s = FServer->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, this, [this, s] {
            std::erase_if(FWatchers, [s](const TWatcher& W) { return W.Socket == s; });
            s->deleteLater();
        });
        connect(s, &QLocalSocket::readyRead, this, [this, s] { Read(s); });
        connect(s, &QLocalSocket::bytesWritten, this, [this, s] {
            if (TWatcher* w = WatcherOf(s)) Flush(*w);
        });
        QTimer::singleShot(IdleMs, s, [this, s] {
            if (!WatcherOf(s)) s->abort();
        });
    }
}

TRemoteServer::TWatcher* TRemoteServer::WatcherOf(QLocalSocket* S) {
    for (TWatcher& w : FWatchers)
        if (w.Socket == S) return &w;
    return nullptr;
}

void TRemoteServer::Read(QLocalSocket* S) {
    if (WatcherOf(S)) {
        S->readAll(); // a watcher has said all it may say
        return;
    }
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
    S->setProperty(BufferProperty, QVariant());
    Answer(S, m);
}

void TRemoteServer::Answer(QLocalSocket* S, const TRemoteMessage& M) {
    switch (M.Kind) {
    case rkGetSheet: {
        if ((M.Text != "text" && M.Text != "json") || !FSheetSource) {
            S->abort();
            return;
        }
        const std::string frame = StateFrame(FSheetSource(M.Text == "json"));
        S->write(frame.data(), qint64(frame.size()));
        break;
    }
    case rkWatchSheet:
        if (!FSheetSource) {
            S->abort();
            return;
        }
        Watch(S);
        return;
    case rkSheetState:
        S->abort(); // the window's own answer, never a request
        return;
    default:
        // Answered once the window has acted, so the sender's exit status says so.
        FHandler(M);
        S->write(&Taken, 1);
        break;
    }
    S->flush();
    S->disconnectFromServer();
}

void TRemoteServer::Watch(QLocalSocket* S) {
    FWatchers.push_back({S, std::string(), FSheetSource(true), true});
    Flush(FWatchers.back());
}

void TRemoteServer::SheetChanged() {
    if (!FWatchers.empty() && !FCoalesce.isActive()) FCoalesce.start();
}

void TRemoteServer::SendStates() {
    if (FWatchers.empty() || !FSheetSource) return;
    const std::string state = FSheetSource(true);
    for (TWatcher& w : FWatchers) {
        if (state == (w.HasPending ? w.Pending : w.Sent)) continue;
        w.Pending = state;
        w.HasPending = true;
        Flush(w);
    }
}

// A reader that does not keep up gets the latest state when it reads again,
// never a queue of old ones: nothing more is written while the last frame
// still waits in the socket.
void TRemoteServer::Flush(TWatcher& W) {
    if (!W.HasPending || W.Socket->bytesToWrite() > 0) return;
    const std::string frame = StateFrame(W.Pending);
    W.Sent = std::move(W.Pending);
    W.Pending.clear();
    W.HasPending = false;
    W.Socket->write(frame.data(), qint64(frame.size()));
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

bool GetRemoteSheet(const QString& Name, bool Json, int TimeoutMs, std::string& Sheet,
                    QString& Error) {
    QLocalSocket s;
    s.connectToServer(Name);
    if (!s.waitForConnected(TimeoutMs)) {
        Error = QStringLiteral("no running Segmark to send to");
        return false;
    }
    const std::string bytes = EncodeRemoteMessage({rkGetSheet, 0, Json ? "json" : "text"});
    s.write(bytes.data(), qint64(bytes.size()));
    std::string buffer;
    TRemoteMessage m;
    std::size_t used = 0;
    // The wait is for the window to answer at all; a large sheet may take
    // longer to arrive, as long as it keeps coming.
    if (s.waitForBytesWritten(TimeoutMs)) {
        while (s.waitForReadyRead(TimeoutMs) || s.bytesAvailable() > 0) {
            buffer += s.readAll().toStdString();
            const TRemoteParse r = DecodeRemoteMessage(buffer, m, used, MaxSheetStateText);
            if (r == TRemoteParse::Ok && m.Kind == rkSheetState) {
                Sheet = std::move(m.Text);
                return true;
            }
            if (r != TRemoteParse::Incomplete) break;
        }
    }
    Error = QStringLiteral("the running Segmark did not answer");
    return false;
}

int WatchRemoteSheet(const QString& Name, int Out, int TimeoutMs, QString& Error) {
    QLocalSocket s;
    s.connectToServer(Name);
    if (!s.waitForConnected(TimeoutMs)) {
        Error = QStringLiteral("no running Segmark to send to");
        return 1;
    }
    const std::string request = EncodeRemoteMessage({rkWatchSheet, 0, std::string()});
    s.write(request.data(), qint64(request.size()));
    if (!s.waitForBytesWritten(TimeoutMs)) {
        Error = QStringLiteral("the running Segmark did not answer");
        return 1;
    }
    // A closed output ends the watch through a failed write, not a signal.
    std::signal(SIGPIPE, SIG_IGN);
    const int fd = int(s.socketDescriptor());
    // What the wait for the write may already have read.
    std::string buffer = s.readAll().toStdString();
    bool answered = false;
    for (;;) {
        TRemoteMessage m;
        std::size_t used = 0;
        const TRemoteParse r = DecodeRemoteMessage(buffer, m, used, MaxSheetStateText);
        if (r == TRemoteParse::Ok) {
            if (m.Kind != rkSheetState) break;
            buffer.erase(0, used);
            answered = true;
            if (!WriteAll(Out, m.Text + "\n")) return 0;
            continue;
        }
        if (r == TRemoteParse::Bad) break;
        pollfd fds[2] = {{fd, POLLIN, 0}, {Out, 0, 0}};
        const int n = ::poll(fds, 2, answered ? -1 : TimeoutMs);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        // Nobody reads the output any more.
        if (fds[1].revents & (POLLERR | POLLHUP)) return 0;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            char chunk[65536];
            const ssize_t got = ::read(fd, chunk, sizeof chunk);
            if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            if (got <= 0) break; // the window has ended
            buffer.append(chunk, std::size_t(got));
        }
    }
    Error = QStringLiteral("the running Segmark did not answer");
    return answered ? 0 : 1;
}
