#include "core/platform/sessionend_logind.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int callTimeoutMs = 3000;

const QString service = u"org.freedesktop.login1"_s;
const QString managerPath = u"/org/freedesktop/login1"_s;
const QString managerInterface = u"org.freedesktop.login1.Manager"_s;
const QString sessionInterface = u"org.freedesktop.login1.Session"_s;

bool succeeded(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ReplyMessage;
}

// An error that logind itself sent back, as opposed to logind being absent or not answering:
// only then is another way of finding the session worth a try.
bool answeredByLogind(const QDBusMessage &reply)
{
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
    case QDBusError::Disconnected:
    case QDBusError::NoServer:
    case QDBusError::NoNetwork:
        return false;
    default:
        return true;
    }
}

} // namespace

LogindSessionEnd::LogindSessionEnd(const QDBusConnection &bus)
    : m_bus(bus)
{}

bool LogindSessionEnd::request(Action action)
{
    // interactive = false: a password prompt could appear long after the countdown has ended.
    switch (action) {
    case Action::PowerOff:
        return succeeded(call(managerPath, managerInterface, u"PowerOff"_s, {false}));
    case Action::Reboot:
        return succeeded(call(managerPath, managerInterface, u"Reboot"_s, {false}));
    case Action::LogOff:
        return terminateOwnSession();
    }
    return false;
}

bool LogindSessionEnd::terminateOwnSession() const
{
    const auto pid = static_cast<uint>(QCoreApplication::applicationPid());
    const QDBusMessage bySession = call(managerPath, managerInterface, u"GetSessionByPID"_s, {pid});
    if (succeeded(bySession)) {
        const auto path = bySession.arguments().value(0).value<QDBusObjectPath>();
        return succeeded(call(path.path(), sessionInterface, u"Terminate"_s, {}));
    }
    if (!answeredByLogind(bySession)) {
        return false;
    }
    // Desktops that start programs in a scope of their own, outside the login session, still
    // pass the session on in the environment; failing that, logind's "auto" names the user's
    // graphical session.
    QString id = qEnvironmentVariable("XDG_SESSION_ID");
    if (id.isEmpty()) {
        id = u"auto"_s;
    }
    return succeeded(call(managerPath, managerInterface, u"TerminateSession"_s, {id}));
}

QDBusMessage LogindSessionEnd::call(const QString &path, const QString &interface,
                                    const QString &method, const QVariantList &arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(false);
    return m_bus.call(message, QDBus::Block, callTimeoutMs);
}
