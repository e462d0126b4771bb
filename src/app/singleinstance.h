#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>

class QLocalSocket;

// One window per user. The first start holds a lock in the user's runtime folder and listens on a
// local socket beside it; a later start hands its files to it through that socket and ends.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // folder holds the lock and the socket; only its owner can reach them.
    explicit SingleInstance(const QString &folder = runtimeFolder(), QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(SingleInstance)

    // True when this start is the first one and listens from now on. False when a running start
    // took the paths, so this one should end. A running start that cannot be reached is logged
    // and this one goes on with a window of its own.
    bool claim(const QStringList &paths);

    static QString runtimeFolder();

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
