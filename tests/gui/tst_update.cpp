// The update check against a local server, the updater's command line, the version record and
// the about dialog's version and home page.
#include "core/platform/versionrecord.h"
#include "core/update/updateaddresses.h"
#include "gui/widgets/messagebox.h"
#include "mainwindowprobe.h"
#include "testenvironment.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Serves one canned HTTP/1.0 answer to every request.
class VersionServer final : public QObject
{
public:
    explicit VersionServer(QByteArray answer)
        : answer(std::move(answer))
    {
        server.listen(QHostAddress::LocalHost);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n"))
                        return;
                    ++requests;
                    request.clear();
                    socket->write(this->answer);
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    QUrl url() const
    {
        return QUrl(u"http://127.0.0.1:%1/latest-version.txt"_s.arg(server.serverPort()));
    }

    static QByteArray ok(const QByteArray &body) { return status("200 OK", body); }
    static QByteArray status(const QByteArray &line, const QByteArray &body)
    {
        return "HTTP/1.0 " + line + "\r\nContent-Type: text/plain\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    int requests = 0;

private:
    QTcpServer server;
    QByteArray answer;
    QByteArray request;
};

QString day(int daysAgo)
{
    return QDate::currentDate().addDays(-daysAgo).toString(u"yyyyMMdd"_s);
}

// A fake updater that writes its arguments, one per line, where the test can read them.
QString installUpdater(TestEnvironment &env)
{
    const QString record = env.scratch(u"updater-arguments.txt"_s);
    env.installTool(u"Updates.exe"_s,
                    u"printf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'"_s.arg(record));
    return record;
}

QStringList recordedArguments(const QString &record)
{
    QFile file(record);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// Runs the automatic check to its end and tells whether it started the updater.
bool checkLaunches(MainWindow &window, const QString &record)
{
    MainWindowProbe probe(window);
    window.updateCaption();
    if (!QTest::qWaitFor([&] { return !probe.versionReply(); }, 20000))
        return false;
    // The updater is started detached; give it time to leave its mark.
    return QTest::qWaitFor([&] { return QFile::exists(record); }, 500);
}

void writeHomePages(TestEnvironment &env)
{
    env.writeConfig(u"En_HomePage"_s, u"en.home.test/start"_s);
    env.writeConfig(u"Jp_HomePage"_s, u"jp.home.test/"_s);
    env.writeConfig(u"De_HomePage"_s, u"de.home.test/de?a=1&b=2"_s);
    env.writeConfig(u"Fr_HomePage"_s, u"fr.home.test"_s);
}

// The address behind the about dialog's link, and the text it shows.
QPair<QString, QString> homePageLink(MainWindowProbe &probe)
{
    const QString html = probe.aboutDialog().findChild<QLabel *>(u"label_4"_s)->text();
    QTextDocument document;
    document.setHtml(html);
    const QRegularExpression href(u"href\\s*=\\s*\"?([^\" >]*)"_s);
    QTextDocument address;
    address.setHtml(href.match(html).captured(1));
    return {address.toPlainText(), document.toPlainText()};
}

} // namespace

class tst_Update : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void serverAnswer_data();
    void serverAnswer();
    void interval_data();
    void interval();
    void offlineSendsNothing();
    void startUpArmsCheck_data();
    void startUpArmsCheck();
    void manualCheckStartsUpdater();
    void withoutUpdater_data();
    void withoutUpdater();
    void aboutShowsVersionAndHomePage_data();
    void aboutShowsVersionAndHomePage();
    void aboutFollowsLanguageChange();
    void officialWebsiteOpensHomePage_data();
    void officialWebsiteOpensHomePage();
};

void tst_Update::init()
{
    VersionRecord::write(u"2.2.2.24"_s);
}

void tst_Update::serverAnswer_data()
{
    QTest::addColumn<QString>("installed");
    QTest::addColumn<QByteArray>("answer"); // empty: nothing listens
    QTest::addColumn<bool>("launches");

    const QString installed = u"2.2.2.24"_s;
    QTest::newRow("same version") << installed << VersionServer::ok("2.2.2.24\n") << false;
    QTest::newRow("same version, CR LF") << installed << VersionServer::ok("2.2.2.24\r\n") << false;
    QTest::newRow("same version, more lines")
        << installed << VersionServer::ok("2.2.2.24\nrelease notes\n") << false;
    QTest::newRow("same version, no line end")
        << installed << VersionServer::ok("2.2.2.24") << false;
    QTest::newRow("newer") << installed << VersionServer::ok("2.2.2.25\n") << true;
    QTest::newRow("older") << installed << VersionServer::ok("2.2.1.0\n") << true;
    QTest::newRow("other installed version")
        << u"3.0.0.1"_s << VersionServer::ok("2.2.2.24\n") << true;
    QTest::newRow("other installed version, same answer")
        << u"3.0.0.1"_s << VersionServer::ok("3.0.0.1\n") << false;
    QTest::newRow("server error") << installed
                                  << VersionServer::status("500 Internal Server Error", "9.9\n")
                                  << false;
    QTest::newRow("not found") << installed << VersionServer::status("404 Not Found", "x\n")
                               << false;
    QTest::newRow("connection refused") << installed << QByteArray() << false;
}

void tst_Update::serverAnswer()
{
    QFETCH(QString, installed);
    QFETCH(QByteArray, answer);
    QFETCH(bool, launches);
    TestEnvironment env;
    env.connectivity.online = true;
    const QString record = installUpdater(env);
    VersionRecord::write(installed);
    env.writeConfig(u"updatemodel"_s, 0);
    env.writeConfig(u"updatetime"_s, day(1));

    VersionServer server(answer);
    QUrl endpoint = server.url();
    if (answer.isEmpty()) {
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        endpoint.setPort(closed.serverPort());
    }
    UpdateAddresses::setEndpoint(endpoint);
    MainWindow window;

    QCOMPARE(checkLaunches(window, record), launches);
    QCOMPARE(server.requests, answer.isEmpty() ? 0 : 1);
    QCOMPARE(env.readConfig(u"updatetime"_s).toString(), launches ? day(0) : day(1));
    if (launches)
        QCOMPARE(recordedArguments(record).value(3), installed);
}

void tst_Update::interval_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("lastTime");
    QTest::addColumn<bool>("launches");

    for (int model : {0, 1}) {
        const char *name = model == 0 ? "daily" : "weekly";
        const auto row = [name](const char *when) -> QTestData & {
            return QTest::addRow("%s, %s", name, when);
        };
        row("today") << model << day(0) << false;
        row("yesterday") << model << day(1) << (model == 0);
        row("six days ago") << model << day(6) << (model == 0);
        row("seven days ago") << model << day(7) << true;
        row("tomorrow") << model << day(-1) << (model == 0);
        row("empty") << model << QString() << true;
        row("malformed") << model << u"2024-01-01"_s << true;
        row("impossible date") << model << u"20241340"_s << true;
    }
    QTest::newRow("other model is weekly, six days ago") << 5 << day(6) << false;
    QTest::newRow("other model is weekly, seven days ago") << 5 << day(7) << true;
}

void tst_Update::interval()
{
    QFETCH(int, model);
    QFETCH(QString, lastTime);
    QFETCH(bool, launches);
    TestEnvironment env;
    env.connectivity.online = true;
    const QString record = installUpdater(env);
    env.writeConfig(u"updatemodel"_s, model);
    env.writeConfig(u"updatetime"_s, lastTime);
    VersionServer server(VersionServer::ok("9.9.9.9\n"));
    UpdateAddresses::setEndpoint(server.url());
    MainWindow window;

    QCOMPARE(checkLaunches(window, record), launches);
    QCOMPARE(env.readConfig(u"updatetime"_s).toString(), launches ? day(0) : lastTime);
}

void tst_Update::offlineSendsNothing()
{
    TestEnvironment env;
    env.connectivity.online = false;
    const QString record = installUpdater(env);
    env.writeConfig(u"updatetime"_s, QString());
    VersionServer server(VersionServer::ok("9.9.9.9\n"));
    UpdateAddresses::setEndpoint(server.url());
    MainWindow window;
    MainWindowProbe probe(window);

    window.updateCaption();
    QVERIFY(!probe.versionReply());
    QTest::qWait(300);
    QCOMPARE(server.requests, 0);
    QVERIFY(!QFile::exists(record));
    QCOMPARE(env.readConfig(u"updatetime"_s).toString(), QString());
}

void tst_Update::startUpArmsCheck_data()
{
    QTest::addColumn<QVariant>("isUpdate"); // invalid: a first start without config.ini
    QTest::addColumn<QString>("lastTime");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QString>("lastTimeAfter");

    // A first start stores isUpdate = true before the window reads it: the check is armed.
    QTest::newRow("first start") << QVariant() << QString() << true << QString();
    QTest::newRow("on, never checked") << QVariant(true) << QString() << true << QString();
    QTest::newRow("on, checked before") << QVariant(true) << day(3) << true << day(3);
    QTest::newRow("off, never checked") << QVariant(false) << QString() << false << day(0);
    QTest::newRow("off, checked before") << QVariant(false) << day(3) << false << day(3);
}

void tst_Update::startUpArmsCheck()
{
    QFETCH(QVariant, isUpdate);
    QFETCH(QString, lastTime);
    QFETCH(bool, armed);
    QFETCH(QString, lastTimeAfter);
    TestEnvironment env;
    if (isUpdate.isValid())
        env.writeConfig(u"isUpdate"_s, isUpdate);
    else
        env.removeConfig();
    if (!lastTime.isEmpty())
        env.writeConfig(u"updatetime"_s, lastTime);
    env.connectivity.online = true;
    VersionServer server(VersionServer::ok("2.2.2.24\n"));
    UpdateAddresses::setEndpoint(server.url());

    MainWindow window;
    QCOMPARE(env.readConfig(u"isUpdate"_s).toBool(), armed);
    QCOMPARE(env.readConfig(u"updatetime"_s).toString(), lastTimeAfter);
    auto *check = window.findChild<QTimer *>(u"automaticUpdateCheck"_s);
    QCOMPARE(check && check->isActive(), armed);
    if (!armed)
        return;
    QCOMPARE(check->interval(), 30000);
    QVERIFY(check->isSingleShot());
    // When it runs out, the check asks the server.
    check->start(0);
    QTRY_COMPARE(server.requests, 1);
}

void tst_Update::manualCheckStartsUpdater()
{
    TestEnvironment env;
    env.connectivity.online = true;
    const QString record = installUpdater(env);
    VersionRecord::write(u"2.3.0.1"_s);
    // The manual check consults neither the interval nor the server.
    env.writeConfig(u"updatemodel"_s, 0);
    env.writeConfig(u"updatetime"_s, day(0));
    VersionServer server(VersionServer::ok("2.3.0.1\n"));
    UpdateAddresses::setEndpoint(server.url());
    MainWindow window;
    MainWindowProbe probe(window);

    QAction *check = probe.action(u"Check for Updates"_s);
    QVERIFY(check);
    check->trigger();
    QTRY_VERIFY(QFile::exists(record));

    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(recordedArguments(record),
             QStringList({u"-uv"_s, server.url().toString(), u"-v"_s, u"2.3.0.1"_s, u"-ud"_s,
                          UpdateAddresses::installerDownload().toString(), u"-p"_s,
                          documents + u"/ZEMRA VEZ ud Iri"_s}));
    QCOMPARE(server.requests, 0);
    QCOMPARE(env.readConfig(u"updatetime"_s).toString(), day(0));
}

void tst_Update::withoutUpdater_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("Check for Updates")
        << true << QStringList{u"Updates come from your distribution's package manager."_s};
    // Unasked, nothing is said.
    QTest::newRow("automatic check, other version") << false << QStringList();
}

void tst_Update::withoutUpdater()
{
    QFETCH(bool, manual);
    QFETCH(QStringList, messages);
    TestEnvironment env;
    env.connectivity.online = true;
    env.writeConfig(u"updatemodel"_s, 0);
    env.writeConfig(u"updatetime"_s, day(1));
    VersionServer server(VersionServer::ok("9.9.9.9\n"));
    UpdateAddresses::setEndpoint(server.url());
    MainWindow window;
    MainWindowProbe probe(window);

    if (manual) {
        probe.action(u"Check for Updates"_s)->trigger();
    } else {
        window.updateCaption();
        QTRY_VERIFY(!probe.versionReply());
        QCOMPARE(env.readConfig(u"updatetime"_s).toString(), day(0));
    }
    QStringList shown;
    for (const MessageBox::Shown &message : MessageBox::takeRecorded())
        shown << message.text;
    QCOMPARE(shown, messages);
}

void tst_Update::aboutShowsVersionAndHomePage_data()
{
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QString>("page");
    QTest::newRow("Chinese") << QVariant(1) << u"en.home.test/start"_s;
    QTest::newRow("English") << QVariant(2) << u"en.home.test/start"_s;
    QTest::newRow("Japanese") << QVariant(3) << u"jp.home.test/"_s;
    QTest::newRow("German") << QVariant(4) << u"de.home.test/de?a=1&b=2"_s;
    QTest::newRow("French") << QVariant(5) << u"fr.home.test"_s;
    QTest::newRow("out of range") << QVariant(6) << u"en.home.test/start"_s;
    QTest::newRow("absent") << QVariant() << u"en.home.test/start"_s;
}

void tst_Update::aboutShowsVersionAndHomePage()
{
    QFETCH(QVariant, language);
    QFETCH(QString, page);
    TestEnvironment env;
    writeHomePages(env);
    VersionRecord::write(u"2.2.9.1"_s);
    env.writeConfig(u"Language"_s, language.isValid() ? language : QVariant(2));
    MainWindow window;
    MainWindowProbe probe(window);
    if (!language.isValid()) {
        QSettings(env.path(u"config.ini"_s), QSettings::IniFormat).remove(u"Language"_s);
        probe.aboutDialog().LngChange();
    }

    QCOMPARE(probe.aboutDialog().findChild<QLabel *>(u"versionLabel"_s)->text(), u"2.2.9.1"_s);
    const auto [address, shown] = homePageLink(probe);
    QCOMPARE(address, u"http://"_s + page);
    QCOMPARE(shown, page);

    // Following the link hands exactly that address to the desktop.
    emit probe.aboutDialog().findChild<QLabel *>(u"label_4"_s)->linkActivated(address);
    QCOMPARE(env.desktop.opened, QList<QUrl>{QUrl(u"http://"_s + page)});
}

void tst_Update::aboutFollowsLanguageChange()
{
    TestEnvironment env;
    writeHomePages(env);
    env.writeConfig(u"Language"_s, 2);
    MainWindow window;
    MainWindowProbe probe(window);
    auto *version = probe.aboutDialog().findChild<QLabel *>(u"versionLabel"_s);
    QCOMPARE(version->text(), u"2.2.2.24"_s);

    window.changeGerman();
    QCOMPARE(homePageLink(probe).second, u"de.home.test/de?a=1&b=2"_s);
    QCOMPARE(version->text(), u"2.2.2.24"_s);
    window.changeFrench();
    QCOMPARE(homePageLink(probe).second, u"fr.home.test"_s);
    window.changeChinese();
    QCOMPARE(homePageLink(probe).second, u"en.home.test/start"_s);
    QCOMPARE(version->text(), u"2.2.2.24"_s);
    QVERIFY(!probe.aboutDialog().isVisible());
}

void tst_Update::officialWebsiteOpensHomePage_data()
{
    aboutShowsVersionAndHomePage_data();
}

void tst_Update::officialWebsiteOpensHomePage()
{
    QFETCH(QVariant, language);
    QFETCH(QString, page);
    TestEnvironment env;
    writeHomePages(env);
    env.writeConfig(u"Language"_s, language.isValid() ? language : QVariant(2));
    MainWindow window;
    MainWindowProbe probe(window);
    if (!language.isValid())
        QSettings(env.path(u"config.ini"_s), QSettings::IniFormat).remove(u"Language"_s);

    window.openOfficial();
    QCOMPARE(env.desktop.opened, QList<QUrl>{QUrl(u"http://"_s + page)});
}

QTEST_MAIN(tst_Update)
#include "tst_update.moc"
