#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Ends a helper process, politely first.
void stopProcess(QProcess &process);

// A dbus-daemon of the test's own, listening on a socket in a temporary folder. It is stopped
// however the test ends.
class PrivateBus final
{
public:
    PrivateBus() = default;
    ~PrivateBus();
    Q_DISABLE_COPY_MOVE(PrivateBus)

    bool start(const QString &daemon, QString *why);

    QString address() const { return m_address; }
    QDBusConnection connection() const { return QDBusConnection::connectToBus(m_address, m_name); }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QString m_name = QStringLiteral("vez-private-bus-unused");
};
