#pragma once

#include "core/platform/sessionend.h"

#include <QDBusConnection>
#include <QVariant>

class QDBusMessage;

// Asks systemd-logind over D-Bus. Each call waits a few seconds at most, so a hung bus cannot
// freeze the window for long.
class LogindSessionEnd final : public SessionEnd
{
public:
    explicit LogindSessionEnd(const QDBusConnection &bus = QDBusConnection::systemBus());

    bool request(Action action) override;

private:
    bool terminateOwnSession() const;
    QDBusMessage call(const QString &path, const QString &interface, const QString &method,
                      const QVariantList &arguments) const;

    QDBusConnection m_bus;
};
