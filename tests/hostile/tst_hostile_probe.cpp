// A protected PDF is read by a child of its own, vezudiri-probe. Whatever that child does with a
// hostile document (crash, SIGBUS, hang, allocate without end, print garbage or too much) fails
// that one file: nothing is left running, and the next protected PDF still opens. pdfinfo's output
// is read with a limit.
#include "core/pdf/pdfprobe.h"
#include "core/pdf/probeanswer.h"
#include "core/pdf/protectedprobe.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/widgets/messagebox.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString password = u"pw 1"_s;
const QString crashed = u"could not be read: its reader crashed or ran out of memory"_s;
const QString noAnswer = u"could not be read: its reader gave no valid answer"_s;
const QString tooLate = u"could not be read in time"_s;

// This process's children, zombies included, from /proc.
QStringList childProcesses()
{
    QStringList found;
    const QStringList processes = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processes) {
        QFile stat(u"/proc/"_s + pid + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // "pid (name) state ppid ...": the name may hold spaces and parentheses.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toInt() == int(::getpid()))
            found << pid;
    }
    return found;
}

qsizetype threads()
{
    return QDir(u"/proc/self/task"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

QString protectedPdf(const TestEnvironment &env, const QString &name, int pages)
{
    const QString plain = env.scratch(u"plain-"_s + name);
    const QString locked = env.scratch(name);
    if (!Pdfs::write(plain, pages) || !Pdfs::encrypt(plain, locked, password))
        return {};
    return locked;
}

// The built child again in place of a fake.
void restoreChild(const TestEnvironment &env)
{
    QFile::remove(env.path(u"vezudiri-probe"_s));
    QVERIFY(
        QFile::copy(QStringLiteral(VEZ_APP_DIR "/vezudiri-probe"), env.path(u"vezudiri-probe"_s)));
}

QString described(const PdfProbe::Result &result)
{
    QStringList boxes;
    for (const PdfInfo::PageBox &box : result.boxes)
        boxes << u"%1x%2@%3"_s.arg(box.points.width()).arg(box.points.height()).arg(box.rotation);
    return u"%1 %2 pages %3 bytes [%4] %5"_s.arg(int(result.outcome))
        .arg(result.pageCount)
        .arg(result.fileSizeBytes)
        .arg(boxes.join(u' '), result.failure);
}

void verifyNextOpens(const QString &locked)
{
    const PdfProbe::Result next = PdfProbe::probe(locked, password);
    QCOMPARE(next.outcome, PdfProbe::Outcome::Opened);
    QCOMPARE(next.pageCount, 2);
    QCOMPARE(next.boxes.size(), 2);
}

} // namespace

class TstHostileProbe final : public QObject
{
    Q_OBJECT

private slots:
    void childFailsAlone_data();
    void childFailsAlone();
    void truncatedWhileProbed();
    void pdfinfoOutputIsLimited_data();
    void pdfinfoOutputIsLimited();
    void windowRunsWhileProbing();
    void listFailsOnlyItsFiles_data();
    void listFailsOnlyItsFiles();
};

void TstHostileProbe::childFailsAlone_data()
{
    QTest::addColumn<QString>("child"); // empty: the real one, on a pipe nobody writes
    QTest::addColumn<QString>("failure");
    ProbeAnswer::Answer opened;
    opened.outcome = ProbeAnswer::Outcome::Opened;
    opened.info.pages = u"1"_s;
    opened.info.fileSize = u"10 bytes"_s;
    opened.info.fileSizeBytes = 10;
    const QString answer =
        u"printf '%s' '"_s + QString::fromUtf8(ProbeAnswer::encode(opened)) + u"'"_s;
    QTest::newRow("crashes") << u"kill -SEGV $$"_s << crashed;
    QTest::newRow("SIGBUS") << u"kill -BUS $$"_s << crashed;
    QTest::newRow("hangs") << u"exec sleep 60"_s << tooLate;
    QTest::newRow("real reader on a pipe") << QString() << tooLate;
    // Each would answer well after its excess, were it not stopped.
    QTest::newRow("allocates without end")
        << u"x=$(head -c 300000000 /dev/zero | tr '\\0' x); "_s + answer << crashed;
    // Stopped at its limit, long before its time is up.
    QTest::newRow("writes without end") << answer + u"; exec yes"_s << noAnswer;
    QTest::newRow("garbage") << u"echo 'Pages: 1'"_s << noAnswer;
    QTest::newRow("exits 1 after an answer") << answer + u"; exit 1"_s << noAnswer;
}

void TstHostileProbe::childFailsAlone()
{
    QFETCH(QString, child);
    QFETCH(QString, failure);
    TestEnvironment env;
    PdfInfoCommand::setTimeout(3000);
    const QString locked = protectedPdf(env, u"locked.pdf"_s, 2);
    QVERIFY(!locked.isEmpty());
    QString probed = locked;
    if (child.isEmpty()) {
        probed = env.scratch(u"never.pdf"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(probed).constData(), 0600), 0);
    } else {
        env.installTool(u"vezudiri-probe"_s, child);
    }
    const qsizetype threadsBefore = threads();
    // The fakes get a small limit; the real reader keeps the build's own (none under
    // AddressSanitizer, which reserves terabytes as it starts).
    const qint64 memory = ProtectedProbe::memoryLimit();
    if (!child.isEmpty())
        ProtectedProbe::setMemoryLimit(64 * 1024 * 1024);
    const PdfProbe::Result result = PdfProbe::probe(probed, password);
    ProtectedProbe::setMemoryLimit(memory);

    QCOMPARE(result.outcome, PdfProbe::Outcome::NotFinished);
    QCOMPARE(result.failure, failure);
    QCOMPARE(childProcesses(), QStringList());
    QCOMPARE(threads(), threadsBefore);
    restoreChild(env);
    verifyNextOpens(locked);
}

// A large protected PDF cut short while its reader scans it: the reader dies of SIGBUS, this
// process lives on. Its one reference to the encryption is at the front (a linearized file), so
// the scan for it runs through the whole file; the cut comes later each round until it hits.
void TstHostileProbe::truncatedWhileProbed()
{
    TestEnvironment env;
    const QString locked = protectedPdf(env, u"locked.pdf"_s, 2);
    QVERIFY(!locked.isEmpty());
    const QString padding = env.scratch(u"padding.bin"_s);
    QFile file(padding);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QList<quint32> noise(10 * 1024 * 1024);
    QRandomGenerator::global()->fillRange(noise.data(), noise.size());
    file.write(reinterpret_cast<const char *>(noise.constData()), noise.size() * 4);
    file.close();
    const QString whole = env.scratch(u"whole.pdf"_s);
    QProcess qpdf;
    qpdf.start(u"qpdf"_s,
               {env.scratch(u"plain-locked.pdf"_s), u"--add-attachment"_s, padding, u"--"_s,
                u"--linearize"_s, u"--encrypt"_s, password, u"owner"_s, u"256"_s, u"--"_s, whole});
    QVERIFY(qpdf.waitForFinished(60000) && qpdf.exitCode() == 0);

    const QString cut = env.scratch(u"cut.pdf"_s);
    QString failure;
    for (int delay = 0; delay < 400 && failure != crashed; delay += 10) {
        QFile::remove(cut);
        QVERIFY(QFile::copy(whole, cut));
        int truncated = -1;
        std::thread truncating([&cut, &truncated, delay] {
            QThread::msleep(ulong(delay));
            truncated = ::truncate(QFile::encodeName(cut).constData(), 4096);
        });
        failure = PdfProbe::probe(cut, password).failure;
        truncating.join();
        QCOMPARE(truncated, 0);
    }
    QCOMPARE(failure, crashed);
    QCOMPARE(childProcesses(), QStringList());
    verifyNextOpens(locked);
}

void TstHostileProbe::pdfinfoOutputIsLimited_data()
{
    QTest::addColumn<QString>("filler"); // what pdfinfo writes after its lines
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("pages");
    const QString excess = u"head -c 20000000 /dev/zero | tr '\\0' ' '"_s;
    QTest::newRow("page boxes beyond the limit: the page count alone")
        << u"case \"$1\" in -box) "_s + excess + u";; esac"_s << int(PdfProbe::Outcome::Opened)
        << 3;
    QTest::newRow("too much without them too") << excess << int(PdfProbe::Outcome::Unreadable) << 0;
}

void TstHostileProbe::pdfinfoOutputIsLimited()
{
    QFETCH(QString, filler);
    QFETCH(int, outcome);
    QFETCH(int, pages);
    TestEnvironment env;
    env.installTool(u"pdfinfo"_s, u"printf 'Pages: 3\\nFile size: 9 bytes\\n'\n"_s
                                  u"for n in 1 2 3; do printf 'Page %s MediaBox: 0 0 612 792\\n"_s
                                  u"Page %s rot: 0\\n' $n $n; done\n"_s +
                                      filler);
    const PdfProbe::Result result = PdfProbe::probe(env.scratch(u"any.pdf"_s));
    QCOMPARE(int(result.outcome), outcome);
    QCOMPARE(result.pageCount, pages);
    QCOMPARE(result.boxes.size(), 0);
}

// The window waits for a protected file's probe with its event loop running, and a reader that
// hangs gives the "Open Error" box; the next protected file opens.
void TstHostileProbe::windowRunsWhileProbing()
{
    TestEnvironment env;
    PdfInfoCommand::setTimeout(1500);
    env.writeConfig(u"havePSW"_s, true);
    env.writeConfig(u"Psword"_s, password);
    const QString locked = protectedPdf(env, u"locked.pdf"_s, 2);
    QVERIFY(!locked.isEmpty());
    env.installTool(u"vezudiri-probe"_s, u"exec sleep 60"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(50);
    probe.add({locked});
    QVERIFY2(ticks >= 10, QByteArray::number(ticks));
    const QList<MessageBox::Shown> shown = MessageBox::takeRecorded();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, u"Open Error"_s);
    QCOMPARE(probe.files()->rowCount(), 0);

    restoreChild(env);
    probe.add({locked});
    QCOMPARE(probe.files()->rowCount(), 1);
}

void TstHostileProbe::listFailsOnlyItsFiles_data()
{
    QTest::addColumn<QString>("child"); // empty: one that cannot be started
    QTest::addColumn<int>("asked");     // files pdfinfo is asked about besides
    const QString real = QStringLiteral("\"" VEZ_APP_DIR "/vezudiri-probe\"");
    // head -n 2: the first answer whole, and the second one's length alone.
    const QString firstAnswer = real + u" | head -n 2; "_s;
    // The broken, missing and unreadable files, and the good one after the last.
    QTest::newRow("real child") << u"exec "_s + real << 4;
    QTest::newRow("crashes after an answer") << firstAnswer + u"kill -SEGV $$"_s << 5;
    QTest::newRow("hangs after an answer") << firstAnswer + u"exec sleep 60"_s << 5;
    QTest::newRow("answers garbage") << u"printf '5\\nhello'"_s << 6;
    QTest::newRow("writes without end") << u"exec yes"_s << 6;
    QTest::newRow("cannot be started") << QString() << 6;
}

// A list's answers are each file's own probe, whatever its child does: a file the child does not
// answer for is asked of pdfinfo alone. The FIFO holds the real child and pdfinfo until their time
// is up.
void TstHostileProbe::listFailsOnlyItsFiles()
{
    QFETCH(QString, child);
    QFETCH(int, asked);
    TestEnvironment env;
    PdfInfoCommand::setTimeout(1000);
    const QString good = env.scratch(u"good.pdf"_s);
    const QString broken = env.scratch(u"broken.pdf"_s);
    const QString never = env.scratch(u"never.pdf"_s);
    const QString last = env.scratch(u"last.pdf"_s);
    QVERIFY(Pdfs::write(good, 2) && Pdfs::truncate(good, broken, 0.5) &&
            Pdfs::write(last, 3, QPageSize(QPageSize::Letter)));
    QCOMPARE(::mkfifo(QFile::encodeName(never).constData(), 0600), 0);
    const QStringList files = {good,   protectedPdf(env, u"locked.pdf"_s, 1),
                               broken, env.scratch(u"missing.pdf"_s),
                               never,  last};
    env.installTool(u"vezudiri-probe"_s, child);
    if (child.isEmpty())
        QVERIFY(QFile::setPermissions(env.path(u"vezudiri-probe"_s), QFile::ReadOwner));
    const QString log = env.scratch(u"asked.log"_s);
    env.installTool(u"pdfinfo"_s, u"echo >> '"_s + log + u"'; exec /usr/bin/pdfinfo \"$@\""_s);

    const QList<PdfProbe::Result> results = PdfProbe::probeAll(files);
    QFile asking(log);
    QVERIFY(asking.open(QIODevice::ReadOnly));
    QCOMPARE(asking.readAll().count('\n'), asked);
    QCOMPARE(results.size(), files.size());
    for (qsizetype at = 0; at < files.size(); ++at)
        QCOMPARE(described(results.at(at)), described(PdfProbe::probe(files.at(at))));
    QCOMPARE(childProcesses(), QStringList());
}

QTEST_MAIN(TstHostileProbe)
#include "tst_hostile_probe.moc"
