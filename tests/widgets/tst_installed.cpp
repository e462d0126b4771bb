// The program as installed: where its settings go.
#include "app/settings.h"
#include "app/settingsfile.h"
#include "mainwindowprobe.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The user's configuration folder for one test.
class ConfigHome final
{
public:
    explicit ConfigHome(const QString &folder)
        : previous(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder));
    }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", previous); }
    Q_DISABLE_COPY_MOVE(ConfigHome)

private:
    QByteArray previous;
};

} // namespace

class tst_Installed : public QObject
{
    Q_OBJECT

private slots:
    void settingsFollowTheFolderThatCanBeWritten_data();
    void settingsFollowTheFolderThatCanBeWritten();
    void usersFileIsCreatedOnce();
    void brokenUsersFileStartsAgainFromTheDefaults_data();
    void brokenUsersFileStartsAgainFromTheDefaults();
};

void tst_Installed::settingsFollowTheFolderThatCanBeWritten_data()
{
    QTest::addColumn<bool>("folderWritable");
    QTest::newRow("installed, read-only") << false;
    QTest::newRow("build folder or a copy in the home folder") << true;
}

void tst_Installed::settingsFollowTheFolderThatCanBeWritten()
{
    QFETCH(bool, folderWritable);
    TestEnvironment env;
    const ConfigHome home(env.scratch(u"config"_s));
    const QString installed = env.path(u"config.ini"_s);
    const QString user = env.scratch(u"config/vezudiri/config.ini"_s);
    const QByteArray delivered = contents(installed);

    QCOMPARE(SettingsFile::select(installed, folderWritable), folderWritable ? installed : user);
    {
        // A first start writes its first-start values; a language chosen in the menu follows.
        MainWindow window;
        window.changeGerman();
    }
    const QString written = folderWritable ? installed : user;
    QCOMPARE(QSettings(written, QSettings::IniFormat).value(u"Language"_s).toInt(), 4);
    QCOMPARE(QSettings(written, QSettings::IniFormat).value(u"isUpdate"_s).toBool(), true);
    // The delivered home pages came along into the user's file.
    QCOMPARE(QSettings(written, QSettings::IniFormat).value(u"En_HomePage"_s).toString(),
             u"vezudiri.zemra.example/en/"_s);
    if (folderWritable) {
        QVERIFY(!QFileInfo::exists(user));
    } else {
        QCOMPARE(contents(installed), delivered);
    }
}

void tst_Installed::usersFileIsCreatedOnce()
{
    TestEnvironment env;
    const ConfigHome home(env.scratch(u"config"_s));
    const QString installed = env.path(u"config.ini"_s);
    const QString user = SettingsFile::select(installed, false);
    AppSettings().setValue(u"Style"_s, 1);

    env.writeConfig(u"Style"_s, 2);
    QCOMPARE(SettingsFile::select(installed, false), user);
    QCOMPARE(AppSettings().integer(u"Style"_s), 1);
}

void tst_Installed::brokenUsersFileStartsAgainFromTheDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("cut off while written") << QByteArray("[General]\nLanguage=3\n[Gen");
    QTest::newRow("zeroed by a power loss") << QByteArray(64, '\0');
    // Unreadable for root too: a folder where the file should be.
    QTest::newRow("unreadable") << QByteArray();
}

void tst_Installed::brokenUsersFileStartsAgainFromTheDefaults()
{
    QFETCH(QByteArray, content);
    TestEnvironment env;
    const ConfigHome home(env.scratch(u"config"_s));
    const QString user = env.scratch(u"config/vezudiri/config.ini"_s);
    if (content.isEmpty()) {
        QVERIFY(QDir().mkpath(user + u"/inside"_s));
    } else {
        QVERIFY(QDir().mkpath(QFileInfo(user).absolutePath()));
        QFile file(user);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression(u"^Settings file .*config\\.ini .* kept as "_s));
    QCOMPARE(SettingsFile::select(env.path(u"config.ini"_s), false), user);
    QCOMPARE(contents(user), contents(env.path(u"config.ini"_s)));
    QVERIFY(QFileInfo::exists(user + u".broken"_s));
    MainWindow window;
    window.changeFrench();
    QCOMPARE(QSettings(user, QSettings::IniFormat).value(u"Language"_s).toInt(), 5);
}

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
