// The program as installed: where its settings go, the files named on its command line, and one
// window per user that later starts hand their files to.
#include "core/platform/commandline.h"
#include "core/platform/singleinstance.h"
#include "core/settings/settings.h"
#include "core/settings/settingsfile.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

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

QString pdf(const TestEnvironment &env, const QString &relative)
{
    const QString path = env.scratch(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!Pdfs::write(path, 1))
        qFatal("could not write %s", qPrintable(path));
    return path;
}

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
    void commandLinePathsAreAbsolute_data();
    void commandLinePathsAreAbsolute();
    void onlyHelpAndVersionGoWithoutWindow_data();
    void onlyHelpAndVersionGoWithoutWindow();
    void filesAndFoldersGivenAtStartAreListed();
    void secondStartHandsItsFilesToTheFirstWindow();
    void filesHandedOverDuringABatchFollowIt();
    void startAfterACrashIsTheFirstAgain();
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
    const QByteArray delivered = TestEnvironment::contents(installed);

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
        QCOMPARE(TestEnvironment::contents(installed), delivered);
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
    QCOMPARE(AppSettings().style(), 1);
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
    QCOMPARE(TestEnvironment::contents(user), TestEnvironment::contents(env.path(u"config.ini"_s)));
    QVERIFY(QFileInfo::exists(user + u".broken"_s));
    MainWindow window;
    window.changeFrench();
    QCOMPARE(QSettings(user, QSettings::IniFormat).value(u"Language"_s).toInt(), 5);
}

void tst_Installed::commandLinePathsAreAbsolute_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("none") << QStringList() << QStringList();
    QTest::newRow("relative file and folder")
        << QStringList{u"a.pdf"_s, u"sub/folder"_s}
        << QStringList{u"/start/here/a.pdf"_s, u"/start/here/sub/folder"_s};
    QTest::newRow("absolute and upwards") << QStringList{u"/data/b.pdf"_s, u"../c.pdf"_s}
                                          << QStringList{u"/data/b.pdf"_s, u"/start/c.pdf"_s};
    QTest::newRow("names that look like options")
        << QStringList{u"--"_s, u"--help"_s, u"-v.pdf"_s}
        << QStringList{u"/start/here/--help"_s, u"/start/here/-v.pdf"_s};
    QTest::newRow("spaces and non-ASCII") << QStringList{u"Ünïcode folder/a b.pdf"_s}
                                          << QStringList{u"/start/here/Ünïcode folder/a b.pdf"_s};
}

void tst_Installed::commandLinePathsAreAbsolute()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, expected);
    TestEnvironment env;
    const CommandLine commandLine(u"/start/here"_s, QStringList{u"vezudiri"_s} + arguments);
    QCOMPARE(commandLine.paths(), expected);
}

void tst_Installed::onlyHelpAndVersionGoWithoutWindow_data()
{
    QTest::addColumn<QByteArrayList>("arguments");
    QTest::addColumn<bool>("window");
    QTest::newRow("nothing") << QByteArrayList() << true;
    QTest::newRow("files") << QByteArrayList{"a.pdf", "folder"} << true;
    QTest::newRow("--help") << QByteArrayList{"--help"} << false;
    QTest::newRow("-h") << QByteArrayList{"-h"} << false;
    QTest::newRow("--help-all") << QByteArrayList{"--help-all"} << false;
    QTest::newRow("--version") << QByteArrayList{"a.pdf", "--version"} << false;
    QTest::newRow("a file called --help") << QByteArrayList{"--", "--help"} << true;
    // Reported by the parser once the program runs, Qt's own options (-platform) included.
    QTest::newRow("unknown option") << QByteArrayList{"--bogus", "--help"} << true;
}

void tst_Installed::onlyHelpAndVersionGoWithoutWindow()
{
    QFETCH(QByteArrayList, arguments);
    QFETCH(bool, window);
    arguments.prepend("vezudiri");
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    QCOMPARE(CommandLine::opensWindow(int(argv.size()), argv.data()), window);
}

void tst_Installed::filesAndFoldersGivenAtStartAreListed()
{
    TestEnvironment env;
    const QString single = pdf(env, u"single.pdf"_s);
    pdf(env, u"folder/one.pdf"_s);
    pdf(env, u"folder/sub/two.pdf"_s);
    const QString missing = env.scratch(u"missing.pdf"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    QString rejected;
    Modal::whenShown(
        [&](QWidget *dialog) {
            rejected = dialog->findChild<QTextEdit *>(u"errEdit"_s)->toPlainText().trimmed();
            dialog->findChild<QPushButton *>(u"OKButton"_s)->click();
        },
        "ErrorDialog");

    window.addPaths({single, env.scratch(u"folder"_s), missing});

    QCOMPARE(probe.fileNames(), QStringList({u"single.pdf"_s, u"one.pdf"_s, u"two.pdf"_s}));
    QCOMPARE(rejected, missing + u" <Format error>"_s);
}

void tst_Installed::secondStartHandsItsFilesToTheFirstWindow()
{
    TestEnvironment env;
    const QTemporaryDir runtime;
    const QString handed = pdf(env, u"handed over.pdf"_s);
    SingleInstance first(runtime.path());
    QVERIFY(first.claim({}));
    MainWindow window;
    MainWindowProbe probe(window);
    connect(&first, &SingleInstance::pathsReceived, &window, &MainWindow::bringToFront);
    connect(&first, &SingleInstance::pathsReceived, &window, &MainWindow::addPaths);
    // Hidden to the tray, say.
    window.hide();

    SingleInstance second(runtime.path());
    QVERIFY(!second.claim({handed}));

    QTRY_COMPARE(probe.filePaths(), QStringList{handed});
    QVERIFY(window.isVisible());
}

void tst_Installed::filesHandedOverDuringABatchFollowIt()
{
    TestEnvironment env;
    const QTemporaryDir runtime;
    const QString locked = env.scratch(u"locked.pdf"_s);
    QVERIFY(Pdfs::encrypt(pdf(env, u"plain.pdf"_s), locked, u"secret"_s));
    const QString handed = pdf(env, u"handed.pdf"_s);
    SingleInstance first(runtime.path());
    QVERIFY(first.claim({}));
    MainWindow window;
    MainWindowProbe probe(window);
    connect(&first, &SingleInstance::pathsReceived, &window, &MainWindow::addPaths);
    QSignalSpy received(&first, &SingleInstance::pathsReceived);
    QList<int> announced;
    connect(&window, &MainWindow::SaddFile, [&](int total) { announced << total; });

    // The files arrive while the batch waits for a password.
    Modal::whenShown(
        [&](QWidget *dialog) {
            SingleInstance second(runtime.path());
            QVERIFY(!second.claim({handed}));
            QTRY_COMPARE(received.count(), 1);
            dialog->findChild<QLineEdit *>(u"password"_s)->setText(u"secret"_s);
            dialog->findChild<QPushButton *>(u"pushButton"_s)->click();
        },
        "passWordPDF");
    window.addPaths({locked});

    QTRY_COMPARE(probe.filePaths(), QStringList({locked, handed}));
    // Two batches of one file each, one after the other.
    QCOMPARE(announced, QList<int>({1, 1}));
}

void tst_Installed::startAfterACrashIsTheFirstAgain()
{
    const QTemporaryDir runtime;
    // The lock and the socket of a start that is gone.
    QProcess gone;
    gone.start(u"true"_s, {});
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile lock(runtime.filePath(u"vezudiri.lock"_s));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nvezudiri\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    QFile socket(runtime.filePath(u"vezudiri.socket"_s));
    QVERIFY(socket.open(QIODevice::WriteOnly));
    socket.close();

    SingleInstance restarted(runtime.path(), QString());
    QVERIFY(restarted.claim({}));
    QSignalSpy received(&restarted, &SingleInstance::pathsReceived);
    SingleInstance later(runtime.path(), QString());
    QVERIFY(!later.claim({u"/a.pdf"_s}));
    QTRY_COMPARE(received.count(), 1);
    QCOMPARE(received.at(0).at(0).toStringList(), QStringList{u"/a.pdf"_s});
}

QTEST_MAIN(tst_Installed)
#include "tst_installed.moc"
