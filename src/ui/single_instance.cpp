#include "ui/single_instance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString UserTag() {
    return QString::number(::getuid());
}

// Ours alone: a folder another user made (in a shared /tmp, say) could let
// that user take the socket.
bool IsPrivateFolder(const QString& Dir) {
    const QFileInfo info(Dir);
    return info.isDir() && info.ownerId() == ::getuid() &&
           !(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther));
}

} // namespace

QString RuntimeFolder() {
    const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!xdg.isEmpty() && IsPrivateFolder(xdg)) return xdg;
    for (const QString& dir :
         {QDir::tempPath() + QStringLiteral("/segmark-runtime-") + UserTag(),
          QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
              QStringLiteral("/segmark-runtime")}) {
        if (!QFileInfo::exists(dir) && QDir().mkpath(dir))
            QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        if (IsPrivateFolder(dir)) return dir;
    }
    return QDir::homePath();
}

TSingleInstance::TSingleInstance()
    : FLock(RuntimeFolder() + QStringLiteral("/segmark-") + UserTag() + QStringLiteral(".lock")) {
    // A lock is stale only when its process is gone, however old it is.
    FLock.setStaleLockTime(0);
}

bool TSingleInstance::TryLock() {
    return FLock.tryLock(0);
}

QString TSingleInstance::SocketName() {
    return RuntimeFolder() + QStringLiteral("/segmark-") + UserTag() + QStringLiteral(".socket");
}
