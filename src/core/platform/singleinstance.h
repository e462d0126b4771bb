#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

class QLocalSocket;

// One window per display session. The first start holds a lock in the user's private runtime
// folder and listens on a local socket beside it, both named after the display; a later start on
// the same display hands its files to it through that socket and ends. Without a private runtime
// folder every start opens a window of its own.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // folder holds the lock and the socket; only its owner can reach them. An empty folder takes
    // neither.
    explicit SingleInstance(const QString &folder = runtimeFolder(),
                            const QString &display = displayName(), QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(SingleInstance)

    // True when this start is the first one and listens from now on. False when a running start
    // took the paths, so this one should end. A running start that cannot be reached is logged
    // and this one goes on with a window of its own.
    bool claim(const QStringList &paths);

    // $XDG_RUNTIME_DIR when it is a folder of this user that nobody else can enter; else empty.
    static QString runtimeFolder();
    // $WAYLAND_DISPLAY, or $DISPLAY without Wayland.
    static QString displayName();

signals:
    // What a later start named; empty when it named nothing and only wants the window.
    void pathsReceived(const QStringList &paths);

private:
    bool handOver(const QStringList &paths);
    void receive(QLocalSocket *socket);

    QString socketPath;
    QLockFile lock;
    QLocalServer server;
};
