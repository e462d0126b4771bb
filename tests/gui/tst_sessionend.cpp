#include "core/platform/countdown.h"
#include "core/platform/sessionend.h"
#include "core/platform/sessionend_logind.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "privatebus.h"
#include "testenvironment.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using Action = SessionEnd::Action;

namespace {

const QString login1 = u"org.freedesktop.login1"_s;
const QString managerPath = u"/org/freedesktop/login1"_s;
const QString managerInterface = u"org.freedesktop.login1.Manager"_s;
const QString sessionPath = u"/org/freedesktop/login1/session/c7"_s;
const QString sessionInterface = u"org.freedesktop.login1.Session"_s;
const QString mockInterface = u"org.freedesktop.DBus.Mock"_s;

// A method the test puts on the mock in place of the template's, as Python code.
struct MockMethod
{
    QString path;
    QString interface;
    QString name;
    QString inSignature;
    QString outSignature;
    QString code;
};
using MockMethods = QList<MockMethod>;

QString raising(const QString &errorName)
{
    return u"raise dbus.exceptions.DBusException('refused by the test', name='%1')"_s.arg(
        errorName);
}

QString ownPid()
{
    return QString::number(QCoreApplication::applicationPid());
}

// The Python that has dbusmock installed; empty when none has.
QString dbusmockPython()
{
    QStringList candidates{u"/usr/bin/python3"_s};
    const QString onPath = QStandardPaths::findExecutable(u"python3"_s);
    if (!onPath.isEmpty()) {
        candidates.prepend(onPath);
    }
    for (const QString &python : std::as_const(candidates)) {
        QProcess probe;
        probe.start(python, {u"-c"_s, u"import dbusmock"_s});
        if (probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit &&
            probe.exitCode() == 0) {
            return python;
        }
    }
    return {};
}

// python-dbusmock's logind template on a private bus, with its call log read back over D-Bus.
class LogindMock final
{
public:
    explicit LogindMock(const PrivateBus &bus)
        : m_bus(bus.connection())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DBUS_SYSTEM_BUS_ADDRESS"_s, bus.address());
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, bus.address());
        m_process.setProcessEnvironment(environment);
    }
    ~LogindMock() { stopProcess(m_process); }
    Q_DISABLE_COPY_MOVE(LogindMock)

    bool start(const QString &python, QString *why)
    {
        m_process.start(python,
                        {u"-m"_s, u"dbusmock"_s, u"--system"_s, u"--template"_s, u"logind"_s});
        QDeadlineTimer deadline(20000);
        while (!m_bus.interface()->isServiceRegistered(login1)) {
            if (m_process.state() == QProcess::NotRunning || deadline.hasExpired()) {
                *why = u"dbusmock did not come up: "_s +
                       QString::fromLocal8Bit(m_process.readAllStandardError());
                return false;
            }
            QTest::qWait(50);
        }
        return true;
    }

    bool addSession() const
    {
        return succeeded(
            mock(managerPath, u"AddSession"_s, {u"c7"_s, u"seat0"_s, 1000u, u"tester"_s, true}));
    }

    bool addMethod(const MockMethod &method) const
    {
        return succeeded(mock(
            method.path, u"AddMethod"_s,
            {method.interface, method.name, method.inSignature, method.outSignature, method.code}));
    }

    // Every logged call on the object as "Name(arg, ...)", in order.
    QStringList calls(const QString &path) const
    {
        const QDBusMessage reply = mock(path, u"GetCalls"_s, {});
        if (!succeeded(reply)) {
            return {u"<GetCalls failed: %1>"_s.arg(reply.errorMessage())};
        }
        QStringList calls;
        const auto log = reply.arguments().value(0).value<QDBusArgument>();
        log.beginArray();
        while (!log.atEnd()) {
            qulonglong time = 0;
            QString method;
            QVariantList arguments;
            log.beginStructure();
            log >> time >> method >> arguments;
            log.endStructure();
            QStringList texts;
            for (const QVariant &argument : std::as_const(arguments)) {
                texts.append(describe(argument));
            }
            calls.append(method + u'(' + texts.join(u", "_s) + u')');
        }
        log.endArray();
        return calls;
    }

    void clearCalls(const QString &path) const { mock(path, u"ClearCalls"_s, {}); }

private:
    static bool succeeded(const QDBusMessage &reply)
    {
        return reply.type() == QDBusMessage::ReplyMessage;
    }

    static QString describe(const QVariant &value)
    {
        if (value.typeId() == QMetaType::Bool) {
            return value.toBool() ? u"true"_s : u"false"_s;
        }
        if (value.typeId() == QMetaType::QString) {
            return u'"' + value.toString() + u'"';
        }
        return value.toString();
    }

    QDBusMessage mock(const QString &path, const QString &method, const QVariantList &args) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(login1, path, mockInterface, method);
        message.setArguments(args);
        return m_bus.call(message, QDBus::Block, 10000);
    }

    QDBusConnection m_bus;
    QProcess m_process;
};

// Sets or clears XDG_SESSION_ID for one test and puts the old value back afterwards.
class SessionIdEnvironment final
{
public:
    explicit SessionIdEnvironment(const QString &id)
        : m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
        if (id.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, id.toUtf8());
        }
    }
    ~SessionIdEnvironment()
    {
        if (m_had) {
            qputenv(name, m_old);
        } else {
            qunsetenv(name);
        }
    }
    Q_DISABLE_COPY_MOVE(SessionIdEnvironment)

private:
    static constexpr const char *name = "XDG_SESSION_ID";
    bool m_had;
    QByteArray m_old;
};

class FakeSessionEnd final : public SessionEnd
{
public:
    bool request(Action action) override
    {
        requested.append(action);
        return true;
    }
    QList<Action> requested;
};

} // namespace

class TestSessionEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void request_data();
    void request();
    void hungLogindTimesOut();
    void noLogindOnBus_data();
    void noLogindOnBus();
    void noBus_data();
    void noBus();
    void replacement();

private:
    QString m_daemon;
    QString m_python;
};

void TestSessionEnd::initTestCase()
{
    m_daemon = QStandardPaths::findExecutable(u"dbus-daemon"_s);
    m_python = dbusmockPython();
}

void TestSessionEnd::request_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<MockMethods>("methods");
    QTest::addColumn<QString>("sessionIdVariable");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("managerCalls");
    QTest::addColumn<QStringList>("sessionCalls");

    const QString byPid = u"GetSessionByPID(%1)"_s.arg(ownPid());
    const MockMethod sessionOfThisProcess{
        managerPath, managerInterface, u"GetSessionByPID"_s,
        u"u"_s,      u"o"_s,           u"ret = '%1'"_s.arg(sessionPath)};
    const MockMethod noSessionForPid{
        managerPath, managerInterface, u"GetSessionByPID"_s,
        u"u"_s,      u"o"_s,           raising(u"org.freedesktop.login1.NoSessionForPID"_s)};
    const QString accessDenied = raising(u"org.freedesktop.DBus.Error.AccessDenied"_s);

    QTest::newRow("power off") << Action::PowerOff << MockMethods{} << QString() << true
                               << QStringList{u"PowerOff(false)"_s} << QStringList{};
    QTest::newRow("reboot") << Action::Reboot << MockMethods{} << QString() << true
                            << QStringList{u"Reboot(false)"_s} << QStringList{};
    QTest::newRow("power off refused")
        << Action::PowerOff
        << MockMethods{{managerPath, managerInterface, u"PowerOff"_s, u"b"_s, QString(),
                        accessDenied}}
        << QString() << false << QStringList{u"PowerOff(false)"_s} << QStringList{};
    QTest::newRow("reboot needs a password")
        << Action::Reboot
        << MockMethods{{managerPath, managerInterface, u"Reboot"_s, u"b"_s, QString(),
                        raising(u"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired"_s)}}
        << QString() << false << QStringList{u"Reboot(false)"_s} << QStringList{};
    QTest::newRow("log off: session of this process wins over the environment")
        << Action::LogOff << MockMethods{sessionOfThisProcess} << u"c9"_s << true
        << QStringList{byPid} << QStringList{u"Terminate()"_s};
    QTest::newRow("log off: session from the environment")
        << Action::LogOff << MockMethods{noSessionForPid} << u"c9"_s << true
        << QStringList{byPid, u"TerminateSession(\"c9\")"_s} << QStringList{};
    QTest::newRow("log off: the user's display session")
        << Action::LogOff << MockMethods{noSessionForPid} << QString() << true
        << QStringList{byPid, u"TerminateSession(\"auto\")"_s} << QStringList{};
    QTest::newRow("log off refused by the session")
        << Action::LogOff
        << MockMethods{sessionOfThisProcess,
                       {sessionPath, sessionInterface, u"Terminate"_s, QString(), QString(),
                        accessDenied}}
        << u"c9"_s << false << QStringList{byPid} << QStringList{u"Terminate()"_s};
    QTest::newRow("log off: no session to end")
        << Action::LogOff
        << MockMethods{noSessionForPid,
                       {managerPath, managerInterface, u"TerminateSession"_s, u"s"_s, QString(),
                        raising(u"org.freedesktop.login1.NoSuchSession"_s)}}
        << QString() << false << QStringList{byPid, u"TerminateSession(\"auto\")"_s}
        << QStringList{};
}

void TestSessionEnd::request()
{
    QFETCH(Action, action);
    QFETCH(MockMethods, methods);
    QFETCH(QString, sessionIdVariable);
    QFETCH(bool, accepted);
    QFETCH(QStringList, managerCalls);
    QFETCH(QStringList, sessionCalls);

    if (m_daemon.isEmpty() || m_python.isEmpty()) {
        QSKIP("dbus-daemon or python3-dbusmock is not installed");
    }
    PrivateBus bus;
    QString why;
    QVERIFY2(bus.start(m_daemon, &why), qPrintable(why));
    LogindMock logind(bus);
    QVERIFY2(logind.start(m_python, &why), qPrintable(why));
    QVERIFY(logind.addSession());
    for (const MockMethod &method : std::as_const(methods)) {
        QVERIFY(logind.addMethod(method));
    }
    logind.clearCalls(managerPath);
    logind.clearCalls(sessionPath);
    const SessionIdEnvironment sessionId(sessionIdVariable);

    LogindSessionEnd sessionEnd(bus.connection());
    QCOMPARE(sessionEnd.request(action), accepted);

    QCOMPARE(logind.calls(managerPath), managerCalls);
    QCOMPARE(logind.calls(sessionPath), sessionCalls);
}

void TestSessionEnd::hungLogindTimesOut()
{
    if (m_daemon.isEmpty() || m_python.isEmpty()) {
        QSKIP("dbus-daemon or python3-dbusmock is not installed");
    }
    PrivateBus bus;
    QString why;
    QVERIFY2(bus.start(m_daemon, &why), qPrintable(why));
    LogindMock logind(bus);
    QVERIFY2(logind.start(m_python, &why), qPrintable(why));
    QVERIFY(logind.addMethod(
        {managerPath, managerInterface, u"PowerOff"_s, u"b"_s, QString(), u"time.sleep(30)"_s}));

    LogindSessionEnd sessionEnd(bus.connection());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!sessionEnd.request(Action::PowerOff));
    QCOMPARE_LT(timer.elapsed(), 10000);
}

void TestSessionEnd::noLogindOnBus_data()
{
    QTest::addColumn<Action>("action");

    QTest::newRow("power off") << Action::PowerOff;
    QTest::newRow("log off") << Action::LogOff;
    QTest::newRow("reboot") << Action::Reboot;
}

void TestSessionEnd::noLogindOnBus()
{
    QFETCH(Action, action);

    if (m_daemon.isEmpty()) {
        QSKIP("dbus-daemon is not installed");
    }
    PrivateBus bus;
    QString why;
    QVERIFY2(bus.start(m_daemon, &why), qPrintable(why));
    const SessionIdEnvironment sessionId(u"c9"_s);

    LogindSessionEnd sessionEnd(bus.connection());
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!sessionEnd.request(action));
    QCOMPARE_LT(timer.elapsed(), 1000);
}

void TestSessionEnd::noBus_data()
{
    noLogindOnBus_data();
}

void TestSessionEnd::noBus()
{
    QFETCH(Action, action);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString name = u"vez-absent-bus"_s;
    const QDBusConnection absent =
        QDBusConnection::connectToBus(u"unix:path="_s + dir.filePath(u"absent"_s), name);
    QVERIFY(!absent.isConnected());

    {
        LogindSessionEnd sessionEnd(absent);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!sessionEnd.request(action));
        QCOMPARE_LT(timer.elapsed(), 1000);
    }
    QDBusConnection::disconnectFromBus(name);
}

void TestSessionEnd::replacement()
{
    TestEnvironment env;
    // Should the window bypass the replacement, no bus is there to act on its request.
    const QByteArray systemBus = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    const bool busSet = qEnvironmentVariableIsSet("DBUS_SYSTEM_BUS_ADDRESS");
    const auto restoreBus = qScopeGuard([&] {
        if (busSet)
            qputenv("DBUS_SYSTEM_BUS_ADDRESS", systemBus);
        else
            qunsetenv("DBUS_SYSTEM_BUS_ADDRESS");
    });
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket");
    FakeSessionEnd fake;
    setSessionEnd(&fake);
    env.writeConfig(u"changeOver"_s, 3);
    Countdown::setInterval(60000);
    MainWindow window;
    MainWindowProbe probe(window);
    // "Yes" in the countdown asks the replacement to restart.
    Modal::clickNext(u"Yes"_s, "shutdowndlg");
    probe.startCountdown(3);
    QCOMPARE(fake.requested, QList<Action>{Action::Reboot});
    QCOMPARE(env.sessionEnd.requested, QList<Action>());

    setSessionEnd(nullptr);
    QVERIFY(dynamic_cast<LogindSessionEnd *>(&sessionEnd()));
}

QTEST_MAIN(TestSessionEnd)
#include "tst_sessionend.moc"
