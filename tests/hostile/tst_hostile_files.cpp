// Someone else on the machine, or a crash, against the run's file work: a folder swapped and a
// link planted while a file renders, work killed half-way and met again by the next run, the
// images of a protected document, names too long for the file system.
#include "conversion.h"
#include "core/engine/conversionqueue.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

ConversionJob jobFor(const QString &pdf, const QString &parent, int pages)
{
    ConversionJob job;
    job.row = 0;
    job.sourcePath = pdf;
    job.parentFolder = parent;
    job.baseName = QFileInfo(pdf).completeBaseName();
    job.prefix = job.baseName;
    job.format = u"PNG"_s;
    job.dpi = 40;
    for (int page = 1; page <= pages; ++page)
        job.pages << page;
    return job;
}

QStringList everythingIn(const QString &folder)
{
    QStringList found;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
    for (const QFileInfo &entry : entries)
        found << entry.fileName();
    return found;
}

bool signal(const QString &pidFile, int number)
{
    QFile pid(pidFile);
    return pid.open(QIODevice::ReadOnly) && ::kill(pid.readAll().trimmed().toInt(), number) == 0;
}

int modeOf(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777)
                                                                     : -1;
}

} // namespace

class TestHostileFiles final : public QObject
{
    Q_OBJECT

private slots:
    void swappedFolderRedirectsNothing_data();
    void swappedFolderRedirectsNothing();
    void killedRunIsCleanedByTheNext_data();
    void killedRunIsCleanedByTheNext();
    void protectedImagesAreTheOwners();
    void tooLongNameMakesNothing();
};

void TestHostileFiles::swappedFolderRedirectsNothing_data()
{
    QTest::addColumn<QString>("attack");
    // The fresh folder renamed away and one of the attacker's own put in its place, its
    // ".rendering" a link to the converting user's private folder.
    QTest::newRow("folder swapped") << u"swap"_s;
    // A link where the run's next image goes, to a file of the user's.
    QTest::newRow("link at an image's name") << u"link"_s;
    // A page of a TIFF to be joined swapped for a link to a private TIFF of the user's.
    QTest::newRow("link for a page of the join") << u"join"_s;
}

// The run never writes to, deletes from or empties a folder another process put in its way:
// the file fails and the private folder stays whole.
void TestHostileFiles::swappedFolderRedirectsNothing()
{
    QFETCH(QString, attack);
    TestEnvironment env;
    const QString pidFile = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(3, pidFile));
    QDir(env.scratch()).mkpath(u"private"_s);
    QDir(env.scratch()).mkpath(u"shared"_s);
    const bool join = attack == u"join";
    QFile secret(env.scratch(join ? u"private/secret.tiff"_s : u"private/secret.txt"_s));
    if (join)
        QCOMPARE(QProcess::execute(u"gs"_s, {u"-q"_s, u"-sDEVICE=tiffgray"_s, u"-o"_s,
                                             secret.fileName(), u"-c"_s, u"showpage"_s}),
                 0);
    else
        QVERIFY(secret.open(QIODevice::WriteOnly) && secret.write("mine") == 4);
    secret.close();
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 5));

    ConversionQueue queue;
    QSignalSpy failed(&queue, &ConversionQueue::fileFailed);
    QSignalSpy finished(&queue, &ConversionQueue::fileFinished);
    QSignalSpy written(&queue, &ConversionQueue::imageWritten);
    ConversionJob job = jobFor(pdf, env.scratch(u"shared"_s), 5);
    if (join) {
        job.format = u"TIFF"_s;
        job.merge = true;
    }
    queue.enqueue(job);
    // Page 2 is in place once page 3 begins, where the renderer waits.
    QTRY_VERIFY_WITH_TIMEOUT(written.size() >= 2, 60000);

    const QString folder = env.scratch(u"shared/report"_s);
    if (attack == u"swap") {
        QVERIFY(QDir().rename(folder, env.scratch(u"shared/moved"_s)));
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(QFile::link(env.scratch(u"private"_s), folder + u"/.rendering"_s));
    } else if (join) {
        QVERIFY(QFile::remove(folder + u"/report1.tiff"_s));
        QVERIFY(QFile::link(secret.fileName(), folder + u"/report1.tiff"_s));
    } else {
        QVERIFY(QFile::link(secret.fileName(), folder + u"/report3.png"_s));
    }
    QVERIFY(signal(pidFile, SIGCONT));
    QTRY_VERIFY_WITH_TIMEOUT(failed.size() + finished.size() == 1, 60000);

    QCOMPARE(failed.size(), 1);
    const QString expected = attack == u"swap" ? u"moved or replaced"_s
                             : join            ? u"not the page this run wrote"_s
                                               : u"report3.png"_s;
    QVERIFY2(failed.first().at(1).toString().contains(expected),
             qPrintable(failed.first().at(1).toString()));
    QCOMPARE(everythingIn(env.scratch(u"private"_s)),
             QStringList{QFileInfo(secret.fileName()).fileName()});
    QVERIFY(!join || !QFileInfo::exists(folder + u"/report.tiff"_s));
    QVERIFY(secret.open(QIODevice::ReadOnly));
    if (!join)
        QCOMPARE(secret.readAll(), QByteArray("mine"));
    if (attack == u"swap") {
        // The attacker's folder got nothing, the run's own keeps its complete pages.
        QCOMPARE(everythingIn(folder), QStringList{u".rendering"_s});
        QVERIFY(everythingIn(env.scratch(u"shared/moved"_s)).contains(u"report1.png"_s));
    }
}

void TestHostileFiles::killedRunIsCleanedByTheNext_data()
{
    QTest::addColumn<bool>("againFromTheCommandLine");
    QTest::newRow("window's engine") << false;
    QTest::newRow("command line") << true;
}

// A run killed outright leaves pages that look finished; the next run removes exactly those,
// says so, and takes the folder's name again.
void TestHostileFiles::killedRunIsCleanedByTheNext()
{
    QFETCH(bool, againFromTheCommandLine);
    TestEnvironment env;
    const QString pidFile = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(3, pidFile));
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 4));
    const QString executable = env.executable();
    const QProcessEnvironment noDisplay = TestEnvironment::withoutDisplay();

    QProcess first;
    first.setProcessEnvironment(noDisplay);
    first.start(executable, {u"--convert"_s, u"-f"_s, u"PNG"_s, u"-r"_s, u"70"_s, pdf});
    const QString folder = env.scratch(u"report"_s);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder + u"/report-2.png"_s), 60000);
    first.kill();
    QVERIFY(first.waitForFinished(10000));
    // The paused renderer was the wrapper's child, out of reach of the program's death signal.
    QVERIFY(signal(pidFile, SIGKILL));
    QTRY_VERIFY(Conversion::processGone(pidFile));
    QVERIFY(QFileInfo::exists(folder + u"/.rendering/journal"_s));
    env.installTool(u"P2I.exe"_s, u"exec gs \"$@\""_s);

    if (againFromTheCommandLine) {
        // A dry run foresees the folder the real run will clean and take, and touches nothing.
        QProcess dry;
        dry.setProcessEnvironment(noDisplay);
        dry.start(executable,
                  {u"--convert"_s, u"--dry-run"_s, u"-f"_s, u"PNG"_s, u"-r"_s, u"70"_s, pdf});
        QVERIFY(dry.waitForFinished(60000));
        const QString plan = QString::fromUtf8(dry.readAllStandardOutput());
        QVERIFY2(plan.contains(folder) && !plan.contains(u"report(1)"_s), qPrintable(plan));
        QVERIFY(QFileInfo::exists(folder + u"/.rendering/journal"_s));

        QProcess again;
        again.setProcessEnvironment(noDisplay);
        again.start(executable, {u"--convert"_s, u"-f"_s, u"PNG"_s, u"-r"_s, u"70"_s, pdf});
        QVERIFY(again.waitForFinished(120000));
        QCOMPARE(again.exitCode(), 0);
        const QString said = QString::fromUtf8(again.readAllStandardOutput());
        QVERIFY2(said.contains(u"cleaned %1: removed 2 "_s.arg(folder)), qPrintable(said));
    } else {
        ConversionQueue queue;
        QSignalSpy cleaned(&queue, &ConversionQueue::leftoverRemoved);
        QSignalSpy ended(&queue, &ConversionQueue::runEnded);
        queue.enqueue(jobFor(pdf, env.scratch(), 4));
        QTRY_VERIFY_WITH_TIMEOUT(ended.size() == 1, 60000);
        QCOMPARE(cleaned.size(), 1);
        QCOMPARE(cleaned.first().at(1).toString(), folder);
        QCOMPARE(cleaned.first().at(2).toInt(), 2);
    }
    // The command line names images by page; the window numbers them.
    const QStringList images =
        againFromTheCommandLine
            ? QStringList{u"report-1.png"_s, u"report-2.png"_s, u"report-3.png"_s,
                          u"report-4.png"_s}
            : QStringList{u"report1.png"_s, u"report2.png"_s, u"report3.png"_s, u"report4.png"_s};
    QCOMPARE(everythingIn(folder), images);
    QVERIFY(!QFileInfo::exists(env.scratch(u"report(1)"_s)));
}

// Images of a password-protected document, and their folder, are readable by their owner only.
void TestHostileFiles::protectedImagesAreTheOwners()
{
    TestEnvironment env;
    const QString plain = env.scratch(u"plain.pdf"_s);
    QVERIFY(Pdfs::write(plain, 2));
    const QString pdf = env.scratch(u"locked.pdf"_s);
    QVERIFY(Pdfs::encrypt(plain, pdf, u"pw"_s));
    ConversionJob job = jobFor(pdf, env.scratch(), 2);
    job.pages = {1, 2, 2};
    job.password = u"pw"_s;

    ConversionQueue queue;
    QSignalSpy finished(&queue, &ConversionQueue::fileFinished);
    QSignalSpy ended(&queue, &ConversionQueue::runEnded);
    queue.enqueue(job);
    QTRY_VERIFY_WITH_TIMEOUT(ended.size() == 1, 60000);
    QCOMPARE(finished.size(), 1);
    const QString folder = env.scratch(u"locked"_s);
    QCOMPARE(modeOf(folder), 0700);
    const QStringList images = everythingIn(folder);
    QCOMPARE(images.size(), 3);
    for (const QString &image : images)
        QCOMPARE(modeOf(folder + u'/' + image), 0600);
}

// A name the file system cannot hold fails the file before anything is made.
void TestHostileFiles::tooLongNameMakesNothing()
{
    TestEnvironment env;
    const QString pdf = env.scratch(QString(251, u'n') + u".pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    ConversionQueue queue;
    QSignalSpy failed(&queue, &ConversionQueue::fileFailed);
    QSignalSpy started(&queue, &ConversionQueue::fileStarted);
    queue.enqueue(jobFor(pdf, env.scratch(u"out"_s), 1));
    QTRY_VERIFY(failed.size() == 1);
    QVERIFY(failed.first().at(1).toString().contains(u"too long"_s));
    QCOMPARE(started.size(), 0);
    QVERIFY(!QFileInfo::exists(env.scratch(u"out"_s)));
}

QTEST_MAIN(TestHostileFiles)
#include "tst_hostile_files.moc"
