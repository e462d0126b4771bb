#include "core/platform/singleinstance.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QDebug>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// "vezudiri-:0", say; a Wayland display may be a path, so only safe characters are kept.
QString baseName(const QString &display)
{
    QString name = u"vezudiri"_s;
    if (display.isEmpty())
        return name;
    name += u'-';
    for (const QChar character : display)
        name += character.isLetterOrNumber() || character == u'.' || character == u':' ||
                        character == u'-'
                    ? character
                    : u'_';
    return name;
}

constexpr QDataStream::Version streamVersion = QDataStream::Qt_6_4;
// A running start that has the lock but does not listen yet gets this long.
constexpr int connectMs = 3000;
constexpr int transferMs = 3000;

} // namespace

SingleInstance::SingleInstance(const QString &folder, const QString &display, QObject *parent)
    : QObject(parent)
    , socketPath(folder.isEmpty() ? QString() : folder + u'/' + baseName(display) + u".socket"_s)
    , lock(folder.isEmpty() ? QString() : folder + u'/' + baseName(display) + u".lock"_s)
{
    // A lock is stale only when its process is gone, however long the first window stays open
    // (where the file system has no flock() to tell).
    lock.setStaleLockTime(0);
    connect(&server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = server.nextPendingConnection())
            receive(socket);
    });
}

QString SingleInstance::runtimeFolder()
{
    // A folder others can enter or swap would let them take or answer the socket.
    const QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    struct stat info;
    if (folder.isEmpty() || !folder.startsWith('/') || stat(folder.constData(), &info) != 0 ||
        !S_ISDIR(info.st_mode) || info.st_uid != geteuid() || (info.st_mode & 077) != 0)
        return {};
    return QFile::decodeName(folder);
}

QString SingleInstance::displayName()
{
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    return wayland.isEmpty() ? qEnvironmentVariable("DISPLAY") : wayland;
}

bool SingleInstance::claim(const QStringList &paths)
{
    if (socketPath.isEmpty())
        return true;
    if (lock.tryLock()) {
        // A socket left behind by a start that crashed.
        QLocalServer::removeServer(socketPath);
        server.setSocketOptions(QLocalServer::UserAccessOption);
        if (!server.listen(socketPath))
            qWarning().noquote() << "Cannot listen on" << socketPath << "-" << server.errorString()
                                 << "- later starts open windows of their own";
        return true;
    }
    if (lock.error() != QLockFile::LockFailedError) {
        qWarning().noquote() << "Cannot create" << lock.fileName()
                             << "- this window will not receive the files of later starts";
        return true;
    }
    if (handOver(paths))
        return false;
    qWarning().noquote() << "Another start of the program holds" << lock.fileName()
                         << "but cannot be reached; opening a window of its own";
    return true;
}

bool SingleInstance::handOver(const QStringList &paths)
{
    QLocalSocket socket;
    const QDeadlineTimer deadline(connectMs);
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out.setVersion(streamVersion);
    out << paths;
    socket.write(message);
    // Closing waits until everything is written; the running start reads it from the socket.
    socket.disconnectFromServer();
    return socket.state() == QLocalSocket::UnconnectedState ||
           socket.waitForDisconnected(transferMs);
}

void SingleInstance::receive(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        QDataStream in(socket);
        in.setVersion(streamVersion);
        in.startTransaction();
        QStringList paths;
        in >> paths;
        if (!in.commitTransaction())
            return; // the rest is still on its way
        socket->disconnectFromServer();
        emit pathsReceived(paths);
    });
}
