#include "core/platform/desktopnotices_dbus.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int callTimeoutMs = 5000;
constexpr int notificationTimeoutMs = -1; // the notification server's own choice

QString desktopId()
{
    return QString::fromUtf8(VEZ_APP_ID);
}

} // namespace

DBusDesktopNotices::DBusDesktopNotices(const QDBusConnection &bus)
    : m_bus(bus)
{}

QString DBusDesktopNotices::applicationUri()
{
    return u"application://"_s + desktopId() + u".desktop"_s;
}

QString DBusDesktopNotices::launcherEntryPath()
{
    return u"/com/canonical/unity/launcherentry/"_s + desktopId().replace(u'.', u'_');
}

void DBusDesktopNotices::notify(const QString &title, const QString &body,
                                const std::function<void()> &unavailable)
{
    if (!m_bus.isConnected()) {
        unavailable();
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        u"org.freedesktop.Notifications"_s, u"/org/freedesktop/Notifications"_s,
        u"org.freedesktop.Notifications"_s, u"Notify"_s);
    const QVariantMap hints{{u"desktop-entry"_s, desktopId()}};
    call.setArguments({u"VEZ ud IRI"_s, uint(0), desktopId(), title, body, QStringList(), hints,
                       notificationTimeoutMs});
    // Asynchronous: a slow notification server never holds up the window.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, callTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher, [watcher, unavailable] {
        if (watcher->isError())
            unavailable();
        watcher->deleteLater();
    });
}

void DBusDesktopNotices::showProgress(std::optional<double> progress)
{
    QDBusMessage update = QDBusMessage::createSignal(
        launcherEntryPath(), u"com.canonical.Unity.LauncherEntry"_s, u"Update"_s);
    const QVariantMap properties{{u"progress"_s, qBound(0.0, progress.value_or(0.0), 1.0)},
                                 {u"progress-visible"_s, progress.has_value()}};
    update.setArguments({applicationUri(), properties});
    m_bus.send(update);
}
