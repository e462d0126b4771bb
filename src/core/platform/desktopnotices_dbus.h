#pragma once

#include "core/platform/desktopnotices.h"

#include <QDBusConnection>

// Notifications through org.freedesktop.Notifications, and the dock's progress through the
// com.canonical.Unity.LauncherEntry signal that KDE Plasma and the common GNOME docks read.
class DBusDesktopNotices final : public DesktopNotices
{
public:
    explicit DBusDesktopNotices(const QDBusConnection &bus = QDBusConnection::sessionBus());

    void notify(const QString &title, const QString &body,
                const std::function<void()> &unavailable) override;
    void showProgress(std::optional<double> progress) override;

    // The desktop entry the dock knows the program by: "application://<id>.desktop".
    static QString applicationUri();
    static QString launcherEntryPath();

private:
    QDBusConnection m_bus;
};
