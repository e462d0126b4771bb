// Values and names from outside: hand-edited settings, names no file system should hold, a reader
// that goes away, and a second display.
#include "core/platform/singleinstance.h"
#include "core/settings/settings.h"
#include "gui/mainwindow/mainwindow.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Finished
{
    int status = -1;
    QString out;
    QString err;
};

// `vezudiri --convert` as a script runs it, without a display; a shell line when given.
Finished runBatch(const TestEnvironment &env, const QStringList &arguments,
                  const QString &shellLine = QString())
{
    QProcess batch;
    batch.setProcessEnvironment(TestEnvironment::withoutDisplay());
    batch.setWorkingDirectory(env.scratch());
    const QStringList command = QStringList{env.executable(), u"--convert"_s} + arguments;
    if (shellLine.isEmpty())
        batch.start(command.first(), command.mid(1));
    else
        batch.start(u"bash"_s, QStringList{u"-c"_s, shellLine, u"bash"_s} + command);
    Finished finished;
    if (!batch.waitForFinished(180000))
        return finished;
    finished.status = batch.exitStatus() == QProcess::NormalExit ? batch.exitCode() : -1;
    finished.out = QString::fromUtf8(batch.readAllStandardOutput());
    finished.err = QString::fromUtf8(batch.readAllStandardError());
    return finished;
}

QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << it.next();
    entries.sort();
    return entries;
}

// Processes other than this test whose command line names the folder.
QStringList processesUsing(const QString &folder)
{
    QStringList found;
    const QStringList pids = QDir(u"/proc"_s).entryList({u"[0-9]*"_s}, QDir::Dirs);
    for (const QString &pid : pids) {
        QFile cmdline(u"/proc/%1/cmdline"_s.arg(pid));
        if (pid.toLongLong() != QCoreApplication::applicationPid() &&
            cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(folder.toUtf8()))
            found << pid;
    }
    return found;
}

// Sets environment variables for one scope.
class Environment final
{
public:
    Environment() = default;
    ~Environment()
    {
        for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
            if (it.value().has_value())
                qputenv(it.key().constData(), *it.value());
            else
                qunsetenv(it.key().constData());
        }
    }
    Q_DISABLE_COPY_MOVE(Environment)

    void set(const char *name, const QString &value)
    {
        if (!saved.contains(name))
            saved.insert(name, qEnvironmentVariableIsSet(name)
                                   ? std::optional<QByteArray>(qgetenv(name))
                                   : std::nullopt);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value.toUtf8());
    }

private:
    QMap<QByteArray, std::optional<QByteArray>> saved;
};

// What the window's add step refuses, answering its list of refused files.
QStringList refusedByWindow(MainWindow &window, const QStringList &paths)
{
    QStringList refused;
    QObject::connect(&window, &MainWindow::SerrFile, &window, [&](const QStringList &lines) {
        refused << lines;
        Modal::clickNext(u"OKButton"_s, "ErrorDialog");
    });
    window.addPaths(paths);
    return refused;
}

} // namespace

class TstHostileInput final : public QObject
{
    Q_OBJECT

private slots:
    void numbersFromConfig_data();
    void numbersFromConfig();
    void folderScanNames_data();
    void folderScanNames();
    void windowRefusesSpecialFiles_data();
    void windowRefusesSpecialFiles();
    void windowRefusesRelativeOutputFolder_data();
    void windowRefusesRelativeOutputFolder();
    void controlCharactersAreEscaped_data();
    void controlCharactersAreEscaped();
    void nameTooLongFailsBeforeAnythingIsMade_data();
    void nameTooLongFailsBeforeAnythingIsMade();
    void closedOutputStopsTheRun();
    void oneWindowPerDisplay_data();
    void oneWindowPerDisplay();
    void privateRuntimeFolderOnly_data();
    void privateRuntimeFolderOnly();
};

void TstHostileInput::numbersFromConfig_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored"); // invalid: absent
    QTest::addColumn<int>("expected");    // -1: the number of cores, within 1 to 64
    QTest::addColumn<bool>("logged");
    const auto row = [](const char *name, const QString &key, const QVariant &stored, int expected,
                        bool logged) {
        QTest::newRow(name) << key << stored << expected << logged;
    };
    const QString timeout = u"rendererTimeout"_s;
    row("timeout absent", timeout, QVariant(), 300, false);
    row("timeout in range", timeout, u"600"_s, 600, false);
    row("timeout not a number", timeout, u"abc"_s, 300, true);
    row("timeout overflowing the timer", timeout, u"4294967"_s, 86400, true);
    row("timeout beyond any integer", timeout, u"99999999999999999999999"_s, 86400, true);
    row("timeout zero", timeout, u"0"_s, 1, true);
    row("timeout negative", timeout, u"-5"_s, 1, true);
    row("timeout fraction", timeout, u"2.5"_s, 300, true);
    const QString jobs = u"parallelJobs"_s;
    row("jobs absent", jobs, QVariant(), -1, false);
    row("jobs in range", jobs, u"3"_s, 3, false);
    row("jobs zero", jobs, u"0"_s, 1, true);
    row("jobs too many", jobs, u"1000"_s, 64, true);
    row("jobs not a number", jobs, u"many"_s, -1, true);
    row("update interval above", u"updatemodel"_s, u"5"_s, 1, true);
    row("update interval text", u"updatemodel"_s, u"weekly"_s, 0, true);
    row("post action unknown", u"changeOver"_s, u"7"_s, 0, true);
    row("post action restart", u"changeOver"_s, u"3"_s, 3, false);
    row("language unknown", u"Language"_s, u"9"_s, 2, true);
    row("language Chinese", u"Language"_s, u"1"_s, 1, false);
    row("skin unknown", u"Style"_s, u"6"_s, 2, true);
    row("close choice unknown", u"radioNum"_s, u"-1"_s, 0, true);
}

void TstHostileInput::numbersFromConfig()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    QFETCH(bool, logged);
    TestEnvironment env;
    if (stored.isValid())
        env.writeConfig(key, stored);
    const QMap<QString, int (AppSettings::*)() const> accessors = {
        {u"rendererTimeout"_s, &AppSettings::rendererTimeout},
        {u"parallelJobs"_s, &AppSettings::parallelJobs},
        {u"updatemodel"_s, &AppSettings::updateModel},
        {u"changeOver"_s, &AppSettings::changeOver},
        {u"Language"_s, &AppSettings::language},
        {u"Style"_s, &AppSettings::style},
        {u"radioNum"_s, &AppSettings::closeChoice}};
    if (expected < 0)
        expected = qBound(1, QThread::idealThreadCount(), 64);
    if (logged)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Settings key "_s + key));
    else
        QTest::failOnWarning(QRegularExpression(u".*"_s));

    QCOMPARE((AppSettings().*accessors.value(key))(), expected);
}

void TstHostileInput::folderScanNames_data()
{
    QTest::addColumn<QString>("hostile");
    QTest::addColumn<QStringList>("listed"); // by the window, in order; --convert converts them
    QTest::addColumn<QString>("refused");    // by the window, after the folder; empty: none
    QTest::addColumn<QString>("failedLine"); // by --convert; empty: none
    const QStringList good = {u"a.pdf"_s, u"sub/b.pdf"_s};
    QTest::newRow("name not UTF-8") << u"bad name"_s << good << u"bad\uFFFD.pdf <Not readable>"_s
                                    << u"failed  %1/in/bad\uFFFD.pdf: not readable"_s;
    QTest::newRow("links out of the folder") << u"link out"_s << good << QString() << QString();
    QTest::newRow("link inside, walked once") << u"link inside"_s << good << QString() << QString();
    QTest::newRow("pipe in the folder") << u"pipe"_s << good << QString() << QString();
}

void TstHostileInput::folderScanNames()
{
    QFETCH(QString, hostile);
    QFETCH(QStringList, listed);
    QFETCH(QString, refused);
    QFETCH(QString, failedLine);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"in/a.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"in/sub/b.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"outside.pdf"_s), 1));
    const QByteArray in = QFile::encodeName(env.scratch(u"in"_s));
    if (hostile == u"bad name") {
        QVERIFY(QFile::copy(env.scratch(u"in/a.pdf"_s), env.scratch(u"in/copy"_s)));
        QCOMPARE(::rename(QByteArray(in + "/copy").constData(),
                          QByteArray(in + "/bad\xff.pdf").constData()),
                 0);
    } else if (hostile == u"link out") {
        QCOMPARE(::symlink("../..", QByteArray(in + "/up").constData()), 0);
        QCOMPARE(::symlink("../outside.pdf", QByteArray(in + "/there.pdf").constData()), 0);
    } else if (hostile == u"link inside") {
        QCOMPARE(::symlink("sub", QByteArray(in + "/zlink").constData()), 0);
        QCOMPARE(::symlink("..", QByteArray(in + "/sub/back").constData()), 0);
    } else {
        QCOMPARE(::mkfifo(QByteArray(in + "/pipe.pdf").constData(), 0600), 0);
    }

    {
        MainWindow window;
        MainWindowProbe probe(window);
        const QStringList refusals = refusedByWindow(window, {env.scratch(u"in"_s)});
        QStringList expected;
        for (const QString &name : listed)
            expected << env.scratch(u"in/"_s + name);
        QCOMPARE(probe.filePaths(), expected);
        QCOMPARE(refusals,
                 refused.isEmpty() ? QStringList() : QStringList{env.scratch(u"in/"_s) + refused});
    }

    const Finished batch = runBatch(env, {u"-r"_s, u"70"_s, u"-o"_s, u"out"_s, u"in"_s});
    QCOMPARE(batch.status, failedLine.isEmpty() ? 0 : 1);
    QVERIFY2(batch.out.endsWith(u"%1 files converted, %2 failed, %1 pages\n"_s.arg(listed.size())
                                    .arg(failedLine.isEmpty() ? 0 : 1)),
             qPrintable(batch.out));
    QVERIFY2(batch.out.contains(failedLine.arg(env.scratch())), qPrintable(batch.out));
}

void TstHostileInput::windowRefusesSpecialFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("pipe") << u"pipe"_s;
    QTest::newRow("socket") << u"socket"_s;
    QTest::newRow("device") << u"device"_s;
}

void TstHostileInput::windowRefusesSpecialFiles()
{
    QFETCH(QString, kind);
    TestEnvironment env;
    QString path = env.scratch(u"special.pdf"_s);
    QLocalServer server;
    if (kind == u"pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == u"socket") {
        QVERIFY(server.listen(path));
    } else {
        path = u"/dev/zero"_s;
    }
    MainWindow window;
    MainWindowProbe probe(window);
    QElapsedTimer clock;
    clock.start();

    const QStringList refused = refusedByWindow(window, {path});

    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(refused, QStringList{path + u" <Not a file>"_s});
    QCOMPARE(probe.filePaths(), QStringList());
}

void TstHostileInput::windowRefusesRelativeOutputFolder_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("bare name") << u"images"_s;
    QTest::newRow("dot") << u"./images"_s;
    QTest::newRow("home sign") << u"~/images"_s;
}

void TstHostileInput::windowRefusesRelativeOutputFolder()
{
    QFETCH(QString, typed);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"doc.pdf"_s), 1));
    const QStringList before = listing(env.folder());
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({env.scratch(u"doc.pdf"_s)});
    probe.ui()->newFileRadio->click();
    probe.ui()->pathEdit->setText(typed);
    QString said;
    Modal::whenShown(
        [&said](QWidget *dialog) {
            said = dialog->findChild<QTextEdit *>()->toPlainText();
            dialog->close();
        },
        "deleteDlg");

    probe.ui()->stratBtn->click();

    QVERIFY2(said.contains(u"full path"_s), qPrintable(said));
    QVERIFY(!probe.ui()->stratBtn->isChecked());
    QVERIFY(probe.idle());
    QStringList after = listing(env.folder());
    after.removeAll(env.path(u"config.ini"_s));
    QStringList expected = before;
    expected.removeAll(env.path(u"config.ini"_s));
    QCOMPARE(after, expected);
}

void TstHostileInput::controlCharactersAreEscaped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("new line") << u"one\ntwo"_s << u"one\\x0atwo"_s;
    QTest::newRow("carriage return") << u"one\rtwo"_s << u"one\\x0dtwo"_s;
    QTest::newRow("escape sequence") << u"red\x1b[31m"_s << u"red\\x1b[31m"_s;
    QTest::newRow("delete") << u"del\x7f"_s << u"del\\x7f"_s;
    QTest::newRow("C1 control") << u"csi\u009b2J"_s << u"csi\\x9b2J"_s;
    QTest::newRow("tab") << u"a\tb"_s << u"a\\x09b"_s;
}

void TstHostileInput::controlCharactersAreEscaped()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(name + u".pdf"_s), 1));

    for (const QStringList &arguments :
         {QStringList{u"--dry-run"_s}, QStringList{u"-r"_s, u"70"_s}}) {
        const Finished batch =
            runBatch(env, arguments + QStringList{u"-o"_s, u"out"_s, env.scratch()});
        QCOMPARE(batch.status, 0);
        static const QRegularExpression control(u"[\\x00-\\x09\\x0b-\\x1f\\x7f-\\x9f]"_s);
        QVERIFY2(!batch.out.contains(control), qPrintable(batch.out));
        QVERIFY2(batch.out.contains(env.scratch(shown + u".pdf"_s)), qPrintable(batch.out));
        QVERIFY2(batch.out.contains(env.scratch(u"out/"_s + shown)), qPrintable(batch.out));
    }
}

void TstHostileInput::nameTooLongFailsBeforeAnythingIsMade_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("name"); // of the PDF, which itself fits
    QTest::addColumn<QString>("reason");
    const QString longPdf = QString(251, u'x') + u".pdf"_s;
    // Without ".pdf" the folder's name is the file's own, taken by it: the next, name(1), is too
    // long.
    const QString longest = QString(255, u'y');
    QTest::newRow("dry run") << QStringList{u"--dry-run"_s} << longPdf << u"of its images"_s;
    QTest::newRow("run") << QStringList{u"-r"_s, u"70"_s} << longPdf << u"of its images"_s;
    QTest::newRow("run, joined TIFF")
        << QStringList{u"-r"_s, u"70"_s, u"-f"_s, u"FAX"_s, u"--merge"_s} << longPdf
        << u"of its images"_s;
    QTest::newRow("dry run, folder name")
        << QStringList{u"--dry-run"_s} << longest << u"of its output folder"_s;
    QTest::newRow("run, folder name")
        << QStringList{u"-r"_s, u"70"_s} << longest << u"of its output folder"_s;
}

void TstHostileInput::nameTooLongFailsBeforeAnythingIsMade()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"in/"_s + name), 2));
    const QStringList before = listing(env.scratch());

    const Finished batch = runBatch(env, arguments + QStringList{env.scratch(u"in/"_s + name)});

    QCOMPARE(batch.status, 1);
    QVERIFY2(batch.out.contains(u"the name %1 is too long for the file system"_s.arg(reason)),
             qPrintable(batch.out));
    QCOMPARE(listing(env.scratch()), before);
}

void TstHostileInput::closedOutputStopsTheRun()
{
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"a-small.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"b-large.pdf"_s), 60));

    // The reader leaves after the small file's line, while the large one still renders.
    const Finished batch = runBatch(env,
                                    {u"-j"_s, u"2"_s, u"-f"_s, u"PNGGRAY"_s, u"-r"_s, u"300"_s,
                                     u"a-small.pdf"_s, u"b-large.pdf"_s},
                                    u"\"$@\" | head -n 1; exit ${PIPESTATUS[0]}"_s);

    QCOMPARE(batch.status, 128 + SIGPIPE);
    QVERIFY2(batch.out.startsWith(u"ok      %1"_s.arg(env.scratch(u"a-small.pdf"_s))),
             qPrintable(batch.out));
    QVERIFY2(batch.err.contains(u"the output was closed"_s), qPrintable(batch.err));
    QCOMPARE(QDir(env.scratch(u"a-small"_s)).entryList(QDir::Files).size(), 1);
    QVERIFY(!QFileInfo::exists(env.scratch(u"b-large"_s)));
    QTRY_COMPARE(processesUsing(env.scratch()), QStringList());
}

void TstHostileInput::oneWindowPerDisplay_data()
{
    QTest::addColumn<QString>("firstWayland");
    QTest::addColumn<QString>("firstX");
    QTest::addColumn<QString>("secondWayland");
    QTest::addColumn<QString>("secondX");
    QTest::addColumn<bool>("handedOver");
    QTest::newRow("same X display") << QString() << u":1"_s << QString() << u":1"_s << true;
    QTest::newRow("two X displays") << QString() << u":1"_s << QString() << u":2"_s << false;
    QTest::newRow("two Wayland displays, one X")
        << u"wayland-0"_s << u":1"_s << u"wayland-1"_s << u":1"_s << false;
    QTest::newRow("Wayland display as a path")
        << u"/tmp/w/0"_s << QString() << u"/tmp/w/0"_s << QString() << true;
}

void TstHostileInput::oneWindowPerDisplay()
{
    QFETCH(QString, firstWayland);
    QFETCH(QString, firstX);
    QFETCH(QString, secondWayland);
    QFETCH(QString, secondX);
    QFETCH(bool, handedOver);
    const QTemporaryDir runtime;
    Environment environment;
    environment.set("XDG_RUNTIME_DIR", runtime.path());
    environment.set("WAYLAND_DISPLAY", firstWayland);
    environment.set("DISPLAY", firstX);
    SingleInstance first;
    QVERIFY(first.claim({}));
    QSignalSpy received(&first, &SingleInstance::pathsReceived);
    environment.set("WAYLAND_DISPLAY", secondWayland);
    environment.set("DISPLAY", secondX);
    SingleInstance second;

    QCOMPARE(!second.claim({u"/a.pdf"_s}), handedOver);

    const QStringList sockets = QDir(runtime.path()).entryList(QDir::System);
    QCOMPARE(sockets.size(), handedOver ? 1 : 2);
    QTRY_COMPARE(received.count(), handedOver ? 1 : 0);
}

void TstHostileInput::privateRuntimeFolderOnly_data()
{
    QTest::addColumn<QString>("folder"); // how $XDG_RUNTIME_DIR is made
    QTest::addColumn<bool>("used");
    QTest::newRow("private") << u"0700"_s << true;
    QTest::newRow("group can enter") << u"0750"_s << false;
    QTest::newRow("others can enter") << u"0701"_s << false;
    QTest::newRow("someone else's") << u"other owner"_s << false;
    QTest::newRow("a file") << u"file"_s << false;
    QTest::newRow("relative") << u"relative"_s << false;
    QTest::newRow("unset") << QString() << false;
}

void TstHostileInput::privateRuntimeFolderOnly()
{
    QFETCH(QString, folder);
    QFETCH(bool, used);
    const QTemporaryDir scratch;
    QString runtime = scratch.filePath(u"run"_s);
    if (folder == u"file") {
        QVERIFY(QFile(runtime).open(QIODevice::WriteOnly));
    } else if (folder == u"relative") {
        runtime = u"run"_s;
    } else if (!folder.isEmpty()) {
        QVERIFY(QDir().mkdir(runtime));
        const QByteArray path = QFile::encodeName(runtime);
        QCOMPARE(
            ::chmod(path.constData(), folder.startsWith(u'0') ? folder.toUInt(nullptr, 8) : 0700),
            0);
        if (folder == u"other owner")
            QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
    } else {
        runtime = QString();
    }
    Environment environment;
    environment.set("XDG_RUNTIME_DIR", runtime);
    environment.set("DISPLAY", u":7"_s);
    const QStringList rootBefore = QDir(u"/"_s).entryList(QDir::AllEntries | QDir::System);

    QCOMPARE(SingleInstance::runtimeFolder(), used ? runtime : QString());
    SingleInstance first;
    SingleInstance second;
    QVERIFY(first.claim({}));
    // Without a private folder no lock is taken: every start has a window of its own.
    QCOMPARE(second.claim({}), !used);
    QCOMPARE(QDir(u"/"_s).entryList(QDir::AllEntries | QDir::System), rootBefore);
    QCOMPARE(QDir(scratch.path()).entryList({u"vezudiri*"_s}, QDir::AllEntries | QDir::System),
             QStringList());
}

QTEST_MAIN(TstHostileInput)
#include "tst_hostile_input.moc"
