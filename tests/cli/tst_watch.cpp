// `vezudiri --watch` as a file server runs it: the real executable and tools on a folder the test
// writes into while it watches: slow uploads, hostile entries, a replaced PDF, lost events, a kill
// in the middle and a start again.
#include "pdfs.h"
#include "testenvironment.h"

#include <QDirIterator>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class Watcher
{
public:
    Watcher(const TestEnvironment &env, const QString &in, const QString &out)
    {
        process.setProcessEnvironment(TestEnvironment::withoutDisplay());
        process.start(env.executable(), {u"--watch"_s, in, u"-o"_s, out, u"--settle"_s, u"1"_s,
                                         u"-r"_s, u"72"_s, u"-j"_s, u"2"_s});
        process.waitForStarted();
    }
    ~Watcher()
    {
        if (process.state() != QProcess::NotRunning) {
            ::kill(pid_t(process.processId()), SIGTERM);
            process.waitForFinished(10000);
        }
    }
    // Waits until the log holds text count times.
    bool waitFor(const QString &text, int count = 1, int ms = 60000)
    {
        QDeadlineTimer deadline(ms);
        while (log.count(text) < count && !deadline.hasExpired()) {
            process.waitForReadyRead(200);
            log += QString::fromUtf8(process.readAllStandardOutput());
        }
        return log.count(text) >= count;
    }
    void signal(int number) { ::kill(pid_t(process.processId()), number); }

    QProcess process;
    QString log;
};

// The images below out, by path, and any folder named like a second copy.
QStringList imagesBelow(const QString &out)
{
    QStringList found;
    QDirIterator below(out, QDir::Files, QDirIterator::Subdirectories);
    while (below.hasNext())
        found << below.next().mid(out.size());
    found.sort();
    return found;
}

} // namespace

class TestWatch final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        env = std::make_unique<TestEnvironment>();
        in = env->scratch(u"in"_s);
        out = env->scratch(u"out"_s);
        QVERIFY(QDir().mkpath(in + u"/sub"_s));
        QVERIFY(Pdfs::write(env->scratch(u"two.pdf"_s), 2));
    }

    void uploadsAndHostileEntries_data();
    void uploadsAndHostileEntries();
    void replacedAndLostEvents();
    void killedAndStartedAgain();

private:
    std::unique_ptr<TestEnvironment> env;
    QString in;
    QString out;
};

void TestWatch::uploadsAndHostileEntries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("line");
    QTest::newRow("slow upload") << u"slow.pdf"_s << u"chunks"_s << u"ok      "_s;
    QTest::newRow("link") << u"link.pdf"_s << u"link"_s << u"symbolic link"_s;
    QTest::newRow("fifo") << u"fifo.pdf"_s << u"fifo"_s << u"a FIFO"_s;
    QTest::newRow("socket") << u"socket.pdf"_s << u"socket"_s << u"a socket"_s;
    QTest::newRow("not a pdf") << u"text.pdf"_s << u"text"_s << u"not a PDF"_s;
    QTest::newRow("control character") << u"bell\a.pdf"_s << u"copy"_s << u"control character"_s;
    QTest::newRow("other user") << u"theirs.pdf"_s << u"theirs"_s << u"another user"_s;
}

// Each entry is dropped into a watched folder; the watch takes a PDF written slowly only once it
// is complete, and refuses the rest with its reason, never blocking on them.
void TestWatch::uploadsAndHostileEntries()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, line);
    if (kind == u"theirs" && ::geteuid() != 0)
        QSKIP("Giving a file to another user needs root.");
    Watcher watch(*env, in, out);
    QVERIFY(watch.waitFor(u"watching"_s));
    const QString path = in + u"/sub/"_s + name;
    const QByteArray bytes = [&] {
        QFile pdf(env->scratch(u"two.pdf"_s));
        pdf.open(QIODevice::ReadOnly);
        return pdf.readAll();
    }();
    const QByteArray encoded = QFile::encodeName(path);
    if (kind == u"chunks") {
        // Closed after each chunk: every close is an event, only the last one a complete PDF.
        for (int chunk = 0; chunk < 3; ++chunk) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::Append));
            file.write(bytes.mid(chunk * bytes.size() / 3, bytes.size() / 3 + 1));
            file.close();
            QTest::qWait(1500);
        }
    } else if (kind == u"link") {
        QVERIFY(QFile::link(env->scratch(u"two.pdf"_s), path));
    } else if (kind == u"fifo") {
        QCOMPARE(::mkfifo(encoded.constData(), 0600), 0);
    } else if (kind == u"socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, encoded.constData(), sizeof address.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kind == u"text" ? QByteArray("plain text\n%%EOF\n") : bytes);
        file.close();
        if (kind == u"theirs")
            QCOMPARE(::chown(encoded.constData(), 65534, 65534), 0);
    }
    // Links and the like come in by a full look.
    watch.signal(SIGHUP);
    QVERIFY2(watch.waitFor(line), qPrintable(watch.log));
    QTest::qWait(500);
    QCOMPARE(watch.log.count(u"ok      "_s), kind == u"chunks" ? 1 : 0);
    if (kind == u"chunks")
        QCOMPARE(imagesBelow(out),
                 (QStringList{u"/sub/slow/slow-1.bmp"_s, u"/sub/slow/slow-2.bmp"_s}));
}

// A PDF replaced after it was converted is converted again into the same folder; events lost to
// an overflowing kernel queue are made up by a full look.
void TestWatch::replacedAndLostEvents()
{
    QVERIFY(QFile::copy(env->scratch(u"two.pdf"_s), in + u"/a.pdf"_s));
    Watcher watch(*env, in, out);
    QVERIFY(watch.waitFor(u"ok      "_s));
    QVERIFY(Pdfs::write(env->scratch(u"three.pdf"_s), 3));
    QVERIFY(QFile::remove(in + u"/a.pdf"_s));
    QVERIFY(QFile::copy(env->scratch(u"three.pdf"_s), in + u"/a.pdf"_s));
    QVERIFY2(watch.waitFor(u"ok      "_s, 2), qPrintable(watch.log));
    QCOMPARE(imagesBelow(out), (QStringList{u"/a/a-1.bmp"_s, u"/a/a-2.bmp"_s, u"/a/a-3.bmp"_s}));

    // Stopped, the watch reads no events while more arrive than the kernel keeps.
    QFile limit(u"/proc/sys/fs/inotify/max_queued_events"_s);
    if (!limit.open(QIODevice::ReadOnly) || limit.readAll().trimmed().toInt() > 20000)
        QSKIP("The kernel keeps too many events to overflow here.");
    watch.signal(SIGSTOP);
    for (int index = 0; index < 17000; ++index) {
        QFile file(in + u"/sub/note%1.txt"_s.arg(index));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::copy(env->scratch(u"two.pdf"_s), in + u"/sub/late.pdf"_s));
    watch.signal(SIGCONT);
    QVERIFY2(watch.waitFor(u"late.pdf -> "_s), qPrintable(watch.log));
}

// Killed with -9 while converting and started again: everything converted once in the end,
// nothing half-written left, no second folder.
void TestWatch::killedAndStartedAgain()
{
    for (int index = 0; index < 30; ++index)
        QVERIFY(QFile::copy(env->scratch(u"two.pdf"_s), in + u"/sub/p%1.pdf"_s.arg(index)));
    {
        Watcher watch(*env, in, out);
        QVERIFY(watch.waitFor(u"ok      "_s, 5));
        watch.signal(SIGKILL);
        watch.process.waitForFinished(10000);
    }
    Watcher again(*env, in, out);
    QDeadlineTimer deadline(120000);
    while (imagesBelow(out).size() < 60 && !deadline.hasExpired())
        again.waitFor(u"ok      "_s, 1000, 500);
    QStringList expected;
    for (int index = 0; index < 30; ++index)
        expected << u"/sub/p%1/p%1-%2.bmp"_s.arg(index).arg(1)
                 << u"/sub/p%1/p%1-%2.bmp"_s.arg(index).arg(2);
    expected.sort();
    QCOMPARE(imagesBelow(out), expected);
    // The five reported before the kill are not converted again.
    QVERIFY2(again.log.count(u"ok      "_s) <= 25, qPrintable(again.log));
}

QTEST_MAIN(TestWatch)
#include "tst_watch.moc"
