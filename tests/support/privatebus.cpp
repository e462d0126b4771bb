#include "privatebus.h"

#include <QDeadlineTimer>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

PrivateBus::~PrivateBus()
{
    QDBusConnection::disconnectFromBus(m_name);
    stopProcess(m_daemon);
}

bool PrivateBus::start(const QString &daemon, QString *why)
{
    const QString config = m_dir.filePath(u"bus.conf"_s);
    QFile file(config);
    if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly)) {
        *why = u"cannot write the bus configuration"_s;
        return false;
    }
    file.write(u"<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
               "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig>\n"
               "  <type>session</type>\n"
               "  <listen>unix:path=%1</listen>\n"
               "  <auth>EXTERNAL</auth>\n"
               "  <policy context=\"default\">\n"
               "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
               "    <allow eavesdrop=\"true\"/>\n"
               "    <allow own=\"*\"/>\n"
               "  </policy>\n"
               "</busconfig>\n"_s.arg(m_dir.filePath(u"bus"_s))
                   .toUtf8());
    file.close();

    m_daemon.start(daemon, {u"--config-file="_s + config, u"--print-address"_s, u"--nofork"_s});
    QDeadlineTimer deadline(10000);
    while (!m_daemon.canReadLine() && m_daemon.state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        m_daemon.waitForReadyRead(100);
    }
    m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    if (m_address.isEmpty()) {
        *why = u"dbus-daemon printed no address: "_s +
               QString::fromLocal8Bit(m_daemon.readAllStandardError());
        return false;
    }
    static int serial = 0;
    m_name = u"vez-private-bus-%1"_s.arg(++serial);
    if (!connection().isConnected()) {
        *why = u"cannot connect to "_s + m_address;
        return false;
    }
    return true;
}
