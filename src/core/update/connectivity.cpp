#include "core/update/connectivity.h"

#include <QHostAddress>
#include <QNetworkAddressEntry>

#include <algorithm>

namespace {

class PlatformConnectivity final : public Connectivity
{
public:
    PlatformConnectivity() = default;

    bool isOnline() override
    {
        auto reachability = QNetworkInformation::Reachability::Unknown;
        if (QNetworkInformation::loadBackendByFeatures(
                QNetworkInformation::Feature::Reachability)) {
            reachability = QNetworkInformation::instance()->reachability();
        }
        return ConnectivityRules::isOnline(reachability, interfaceStates());
    }

private:
    static QList<ConnectivityRules::InterfaceState> interfaceStates()
    {
        QList<ConnectivityRules::InterfaceState> states;
        const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
        for (const QNetworkInterface &interface : interfaces) {
            const QList<QNetworkAddressEntry> entries = interface.addressEntries();
            const bool usable =
                std::any_of(entries.cbegin(), entries.cend(), [](const QNetworkAddressEntry &e) {
                    return ConnectivityRules::isUsableAddress(e.ip());
                });
            states.append({interface.flags(), usable});
        }
        return states;
    }
};

Connectivity *installed = nullptr;

} // namespace

Connectivity &connectivity()
{
    static PlatformConnectivity platform;
    return installed ? *installed : platform;
}

void setConnectivity(Connectivity *replacement)
{
    installed = replacement;
}

namespace ConnectivityRules {

bool isUsableAddress(const QHostAddress &address)
{
    return !address.isNull() && !address.isLoopback() && !address.isLinkLocal();
}

bool isOnline(QNetworkInformation::Reachability reachability,
              const QList<InterfaceState> &interfaces)
{
    using Reachability = QNetworkInformation::Reachability;
    switch (reachability) {
    case Reachability::Disconnected:
        return false;
    case Reachability::Local:
    case Reachability::Site:
    case Reachability::Online:
        return true;
    case Reachability::Unknown:
        break;
    }
    const QNetworkInterface::InterfaceFlags required =
        QNetworkInterface::IsUp | QNetworkInterface::IsRunning;
    return std::any_of(interfaces.cbegin(), interfaces.cend(), [&](const InterfaceState &state) {
        return (state.flags & required) == required &&
               !state.flags.testFlag(QNetworkInterface::IsLoopBack) && state.hasUsableAddress;
    });
}

} // namespace ConnectivityRules
