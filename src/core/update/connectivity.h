#pragma once

#include <QList>
#include <QNetworkInformation>
#include <QNetworkInterface>

class QHostAddress;

// Whether the machine has a network connection at all; the update check skips the request
// without one.
class Connectivity
{
public:
    virtual ~Connectivity() = default;

    virtual bool isOnline() = 0;

protected:
    Connectivity() = default;

private:
    Q_DISABLE_COPY_MOVE(Connectivity)
};

// The installed implementation; by default the platform's own.
Connectivity &connectivity();

// Installs a replacement, which stays owned by the caller and must outlive its use; nullptr
// restores the platform's implementation.
void setConnectivity(Connectivity *replacement);

// The decision behind the platform implementation, free of any real network so it can be tested.
namespace ConnectivityRules {

struct InterfaceState
{
    QNetworkInterface::InterfaceFlags flags;
    bool hasUsableAddress = false;
};

// Loopback and link-local addresses say nothing about a connection: every interface that is up
// gets an IPv6 link-local address even when no network answers.
bool isUsableAddress(const QHostAddress &address);

// The platform's reachability wins whenever it knows; Unknown (also: no backend) falls back to
// an interface that is up, running, not loopback and has a usable address.
bool isOnline(QNetworkInformation::Reachability reachability,
              const QList<InterfaceState> &interfaces);

} // namespace ConnectivityRules
