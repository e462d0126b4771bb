#include "core/update/connectivity.h"
#include "mainwindowprobe.h"
#include "testenvironment.h"

#include <QHostAddress>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using ConnectivityRules::InterfaceState;
using Reachability = QNetworkInformation::Reachability;
using States = QList<InterfaceState>;

namespace {

constexpr auto upRunning = QNetworkInterface::IsUp | QNetworkInterface::IsRunning;

const InterfaceState loopback{upRunning | QNetworkInterface::IsLoopBack, true};
const InterfaceState ethernet{upRunning | QNetworkInterface::CanBroadcast, true};
const InterfaceState cableOut{QNetworkInterface::IsUp | QNetworkInterface::CanBroadcast, true};
const InterfaceState down{QNetworkInterface::CanBroadcast, true};
const InterfaceState noAddress{upRunning, false};

class FakeConnectivity final : public Connectivity
{
public:
    bool isOnline() override
    {
        ++calls;
        return online;
    }
    bool online = false;
    int calls = 0;
};

} // namespace

class TestConnectivity : public QObject
{
    Q_OBJECT

private slots:
    void decision_data();
    void decision();
    void usableAddress_data();
    void usableAddress();
    void replacement_data();
    void replacement();
};

void TestConnectivity::decision_data()
{
    QTest::addColumn<Reachability>("reachability");
    QTest::addColumn<States>("interfaces");
    QTest::addColumn<bool>("online");

    QTest::newRow("online, whatever the interfaces") << Reachability::Online << States{} << true;
    QTest::newRow("site counts as connected") << Reachability::Site << States{} << true;
    QTest::newRow("local network counts as connected") << Reachability::Local << States{} << true;
    QTest::newRow("disconnected wins over an interface")
        << Reachability::Disconnected << States{ethernet} << false;
    QTest::newRow("unknown, no interfaces") << Reachability::Unknown << States{} << false;
    QTest::newRow("unknown, loopback only") << Reachability::Unknown << States{loopback} << false;
    QTest::newRow("unknown, connected ethernet")
        << Reachability::Unknown << States{loopback, ethernet} << true;
    QTest::newRow("unknown, up but no carrier")
        << Reachability::Unknown << States{loopback, cableOut} << false;
    QTest::newRow("unknown, down") << Reachability::Unknown << States{down} << false;
    QTest::newRow("unknown, running without a usable address")
        << Reachability::Unknown << States{noAddress} << false;
    QTest::newRow("unknown, one good interface among bad ones")
        << Reachability::Unknown << States{down, noAddress, ethernet, cableOut} << true;
}

void TestConnectivity::decision()
{
    QFETCH(Reachability, reachability);
    QFETCH(States, interfaces);
    QFETCH(bool, online);

    QCOMPARE(ConnectivityRules::isOnline(reachability, interfaces), online);
}

void TestConnectivity::usableAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("usable");

    QTest::newRow("IPv4 private") << u"192.168.1.20"_s << true;
    QTest::newRow("IPv4 public") << u"203.0.113.7"_s << true;
    QTest::newRow("IPv6 global") << u"2001:db8::5"_s << true;
    QTest::newRow("IPv6 unique local") << u"fd00::1"_s << true;
    QTest::newRow("IPv4 loopback") << u"127.0.0.1"_s << false;
    QTest::newRow("IPv6 loopback") << u"::1"_s << false;
    QTest::newRow("IPv4 link-local (no DHCP answer)") << u"169.254.10.3"_s << false;
    QTest::newRow("IPv6 link-local") << u"fe80::1c2:3ff:fe44:5566"_s << false;
    QTest::newRow("null") << QString() << false;
}

void TestConnectivity::usableAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, usable);

    QCOMPARE(ConnectivityRules::isUsableAddress(QHostAddress(address)), usable);
}

void TestConnectivity::replacement_data()
{
    QTest::addColumn<bool>("online");
    // Whatever the machine's own connection, the window follows the replacement.
    QTest::newRow("online") << true;
    QTest::newRow("offline") << false;
}

void TestConnectivity::replacement()
{
    QFETCH(bool, online);
    TestEnvironment env;
    FakeConnectivity fake;
    fake.online = online;
    setConnectivity(&fake);
    MainWindow window;
    MainWindowProbe probe(window);
    fake.calls = 0;
    // The update check asks the replacement, and sends its request only when that says online.
    window.updateCaption();
    QCOMPARE(fake.calls, 1);
    QCOMPARE(probe.versionReply() != nullptr, online);

    setConnectivity(nullptr);
    QVERIFY(&connectivity() != &fake);
}

QTEST_MAIN(TestConnectivity)
#include "tst_connectivity.moc"
