// The desktop's side of a run on a private session bus: the notification when it ends and the
// dock's progress while it goes on.
#include "core/platform/desktopnotices_dbus.h"
#include "privatebus.h"

#include <QDBusConnectionInterface>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString notificationService = u"org.freedesktop.Notifications"_s;

// A notification server inside the test, on a connection of its own.
class FakeNotificationServer final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public slots:
    uint Notify(const QString &application, uint replaces, const QString &icon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int timeout)
    {
        calls.append(QStringList{application, QString::number(replaces), icon, summary, body,
                                 actions.join(u','), hints.value(u"desktop-entry"_s).toString(),
                                 QString::number(timeout)}
                         .join(u'|'));
        return uint(calls.size());
    }

public:
    QStringList calls;
};

// Records every LauncherEntry Update as "uri progress visible".
class DockListener final : public QObject
{
    Q_OBJECT

public slots:
    void update(const QString &uri, const QVariantMap &properties)
    {
        updates.append(
            u"%1 %2 %3"_s.arg(uri)
                .arg(properties.value(u"progress"_s).toDouble())
                .arg(properties.value(u"progress-visible"_s).toBool() ? u"true"_s : u"false"_s));
    }

public:
    QStringList updates;
};

} // namespace

class tst_Notices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void notify_data();
    void notify();
    void dockProgress_data();
    void dockProgress();

private:
    QString m_daemon;
};

void tst_Notices::initTestCase()
{
    m_daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
    if (m_daemon.isEmpty())
        QSKIP("dbus-daemon is not installed");
}

void tst_Notices::notify_data()
{
    QTest::addColumn<QString>("bus"); // "server", "no server" or "none"
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<bool>("fellBack");

    QTest::newRow("a notification server")
        << u"server"_s
        << QStringList{u"VEZ ud IRI|0|example.zemra.vezudiri|Some files failed|2 file(s) "
                       "converted, 1 failed||example.zemra.vezudiri|-1"_s}
        << false;
    QTest::newRow("no notification server") << u"no server"_s << QStringList() << true;
    QTest::newRow("no session bus") << u"none"_s << QStringList() << true;
}

void tst_Notices::notify()
{
    QFETCH(QString, bus);
    QFETCH(QStringList, calls);
    QFETCH(bool, fellBack);

    PrivateBus privateBus;
    QString why;
    QVERIFY2(privateBus.start(m_daemon, &why), qPrintable(why));
    const QString serverName = u"vez-notification-server"_s;
    QDBusConnection serverBus = QDBusConnection::connectToBus(privateBus.address(), serverName);
    FakeNotificationServer server;
    if (bus == u"server") {
        QVERIFY(serverBus.registerObject(u"/org/freedesktop/Notifications"_s, &server,
                                         QDBusConnection::ExportAllSlots));
        QVERIFY(serverBus.registerService(notificationService));
    }
    QTemporaryDir dir;
    const QString absentName = u"vez-absent-bus"_s;
    const QDBusConnection connection =
        bus == u"none"
            ? QDBusConnection::connectToBus(u"unix:path="_s + dir.filePath(u"absent"_s), absentName)
            : privateBus.connection();

    bool unavailable = false;
    {
        DBusDesktopNotices notices(connection);
        notices.notify(u"Some files failed"_s, u"2 file(s) converted, 1 failed"_s,
                       [&unavailable] { unavailable = true; });
        QTRY_VERIFY(unavailable || !server.calls.isEmpty());
        // Time for the server's answer, and a fallback that should not come.
        QTest::qWait(100);
    }
    QCOMPARE(server.calls, calls);
    QCOMPARE(unavailable, fellBack);
    QDBusConnection::disconnectFromBus(serverName);
    QDBusConnection::disconnectFromBus(absentName);
}

void tst_Notices::dockProgress_data()
{
    QTest::addColumn<QVariant>("progress"); // invalid: none
    QTest::addColumn<QString>("update");

    const QString uri = u"application://example.zemra.vezudiri.desktop"_s;
    QTest::newRow("under way") << QVariant(0.25) << uri + u" 0.25 true"_s;
    QTest::newRow("beyond the end") << QVariant(1.5) << uri + u" 1 true"_s;
    QTest::newRow("ended") << QVariant() << uri + u" 0 false"_s;
}

void tst_Notices::dockProgress()
{
    QFETCH(QVariant, progress);
    QFETCH(QString, update);

    PrivateBus privateBus;
    QString why;
    QVERIFY2(privateBus.start(m_daemon, &why), qPrintable(why));
    const QString listenerName = u"vez-dock"_s;
    QDBusConnection dock = QDBusConnection::connectToBus(privateBus.address(), listenerName);
    DockListener listener;
    QVERIFY(dock.connect(QString(), DBusDesktopNotices::launcherEntryPath(),
                         u"com.canonical.Unity.LauncherEntry"_s, u"Update"_s, &listener,
                         SLOT(update(QString, QVariantMap))));
    // A round trip on the same connection: the bus has the match rule before the signal comes.
    QVERIFY(dock.interface()->isServiceRegistered(u"org.freedesktop.DBus"_s));

    DBusDesktopNotices(privateBus.connection())
        .showProgress(progress.isValid() ? std::optional(progress.toDouble()) : std::nullopt);
    QTRY_COMPARE(listener.updates, QStringList{update});
    QDBusConnection::disconnectFromBus(listenerName);
}

QTEST_MAIN(tst_Notices)
#include "tst_notices.moc"
