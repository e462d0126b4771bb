// `vezudiri --convert` as a script runs it: the real executable without a display, with the real
// Ghostscript and pdfinfo: images identical to the window's, exit statuses, --dry-run, passwords,
// the room estimate, a full disk, a signal in the middle of a run, what --quiet, --verbose and
// --dry-run print, and names that carry the page number.
#include "conversion.h"
#include "core/engine/diskspace.h"
#include "core/engine/encodedsample.h"
#include "core/engine/encodestage.h"
#include "core/engine/ghostscript.h"
#include "core/options/formats.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <sys/mount.h>
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

void startBatch(QProcess &batch, const TestEnvironment &env, const QStringList &arguments)
{
    batch.setProcessEnvironment(TestEnvironment::withoutDisplay());
    batch.setWorkingDirectory(env.scratch());
    batch.start(env.executable(), QStringList{u"--convert"_s} + arguments);
}

Finished runBatch(const TestEnvironment &env, const QStringList &arguments,
                  const QByteArray &input = QByteArray())
{
    QProcess batch;
    startBatch(batch, env, arguments);
    batch.write(input);
    batch.closeWriteChannel();
    Finished finished;
    if (!batch.waitForFinished(120000))
        return finished;
    finished.status = batch.exitStatus() == QProcess::NormalExit ? batch.exitCode() : -1;
    finished.out = QString::fromUtf8(batch.readAllStandardOutput());
    finished.err = QString::fromUtf8(batch.readAllStandardError());
    return finished;
}

// Every file below a folder with its size, to tell that nothing was created.
QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + u' ' + QString::number(it.fileInfo().size());
    }
    entries.sort();
    return entries;
}

// Mounts a small file system of its own, where this machine lets the test do it.
class SmallDisk
{
public:
    SmallDisk(const QString &folder, int megabytes)
        : folder(folder)
    {
        QDir().mkpath(folder);
        const QByteArray options = "size=" + QByteArray::number(megabytes) + "m";
        mounted = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                          options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(folder).constData(), MNT_DETACH);
    }
    Q_DISABLE_COPY_MOVE(SmallDisk)

    QString folder;
    bool mounted = false;
};

} // namespace

class tst_Batch : public QObject
{
    Q_OBJECT

private slots:
    void imagesMatchTheWindow_data();
    void imagesMatchTheWindow();
    void exitStatus_data();
    void exitStatus();
    void dryRunNamesWhatTheRunWrites();
    void outputLevels_data();
    void outputLevels();
    void estimateAgainstTheImages_data();
    void estimateAgainstTheImages();
    void runThatDoesNotFitIsRefused();
    void giantPageFailsAlone_data();
    void giantPageFailsAlone();
    void fullDiskStopsTheRun();
    void signalStopsTheRun();
    void planConvertedInShards();
    void unwritableOutputNamesItsCause_data();
    void unwritableOutputNamesItsCause();
    void folderFailureNamesItsCause_data();
    void folderFailureNamesItsCause();
    void skipExistingTwiceConvertsOnce_data();
    void skipExistingTwiceConvertsOnce();
    void pixelSizesAsPdftoppm_data();
    void pixelSizesAsPdftoppm();
    void measuredRoomBoundsTheImages_data();
    void measuredRoomBoundsTheImages();
};

void tst_Batch::imagesMatchTheWindow_data()
{
    QTest::addColumn<QStringList>("jobs");
    QTest::addColumn<QString>("format");
    QTest::newRow("BMP, files at once as cores") << QStringList() << u"BMP"_s;
    QTest::newRow("BMP, one at a time") << QStringList({u"-j"_s, u"1"_s}) << u"BMP"_s;
    QTest::newRow("GIF, three at once") << QStringList({u"--jobs"_s, u"3"_s}) << u"GIF"_s;
}

void tst_Batch::imagesMatchTheWindow()
{
    QFETCH(QStringList, jobs);
    QFETCH(QString, format);
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"number"_s);
    // The window renders a GIF one dot finer than it says; the batch renders what it is given.
    // Both at resolutions where an A4 page is whole pixels, which both round alike.
    const QString windowDpi = format == u"GIF" ? u"143"_s : u"72"_s;
    const QString dpi = format == u"GIF" ? u"144"_s : u"72"_s;
    QStringList pdfs;
    for (const QString &name : {u"one"_s, u"two"_s, u"three"_s}) {
        pdfs << env.scratch(u"in/"_s + name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdfs.last(), 3));
    }
    // The folder is scanned in name order; the window gets them in that order too.
    pdfs.sort();
    {
        MainWindow window;
        MainWindowProbe probe(window);
        probe.add(pdfs);
        for (int row = 0; row < 3; ++row) {
            probe.files()->selectRow(row);
            probe.ui()->formatCombo->setCurrentIndex(Formats::indexOf(format));
            probe.dpiValues()[row] = windowDpi;
            probe.pageRanges()[row] = u"3,1"_s;
        }
        probe.ui()->newFileRadio->click();
        probe.ui()->pathEdit->setText(env.scratch(u"window"_s));
        QVERIFY(Conversion::run(probe));
    }
    const QStringList choices = {u"-f"_s, format, u"-r"_s, dpi, u"-p"_s, u"3,1"_s, u"in"_s};
    const Finished batch = runBatch(
        env, choices + QStringList{u"--naming"_s, u"number"_s, u"-o"_s, u"batch"_s} + jobs);
    QCOMPARE(batch.status, 0);
    QVERIFY2(batch.out.endsWith(u"3 files converted, 0 failed, 6 pages\n"_s),
             qPrintable(batch.out));
    for (const QString &name : {u"one"_s, u"two"_s, u"three"_s}) {
        const QStringList images = Conversion::filesIn(env.scratch(u"window/"_s + name));
        QCOMPARE(images.size(), 2);
        QCOMPARE(Conversion::filesIn(env.scratch(u"batch/"_s + name)), images);
        for (const QString &image : images)
            QVERIFY(TestEnvironment::contents(env.scratch(u"batch/%1/%2"_s.arg(name, image))) ==
                    TestEnvironment::contents(env.scratch(u"window/%1/%2"_s.arg(name, image))));
    }
    // The naming the window stored leaves the batch's own default alone.
    QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"own"_s}).status, 0);
    const QString extension = format == u"GIF" ? u"gif"_s : u"bmp"_s;
    QCOMPARE(Conversion::filesIn(env.scratch(u"own/one"_s)),
             QStringList({u"one-1."_s + extension, u"one-3."_s + extension}));
}

void tst_Batch::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reported");
    QTest::newRow("converted") << QStringList{u"good.pdf"_s} << QByteArray() << 0
                               << u"1 file converted, 0 failed, 2 pages"_s;
    QTest::newRow("broken PDF") << QStringList{u"good.pdf"_s, u"broken.pdf"_s} << QByteArray() << 1
                                << u"failed  %1/broken.pdf: not a PDF that can be read"_s;
    QTest::newRow("missing file") << QStringList{u"gone.pdf"_s} << QByteArray() << 1
                                  << u"gone.pdf: no such file or folder"_s;
    QTest::newRow("folder without PDFs")
        << QStringList{u"empty"_s} << QByteArray() << 1 << u"empty: no PDF file in this folder"_s;
    QTest::newRow("protected, no password") << QStringList{u"locked.pdf"_s} << QByteArray() << 1
                                            << u"locked.pdf: protected by a password"_s;
    QTest::newRow("protected, passwords from input")
        << QStringList{u"--password-file"_s, u"-"_s, u"locked.pdf"_s}
        << QByteArray("wrong\nsecret\n") << 0 << u"1 file converted, 0 failed, 2 pages"_s;
    QTest::newRow("protected, wrong password")
        << QStringList{u"--password"_s, u"wrong"_s, u"locked.pdf"_s} << QByteArray() << 1
        << u"that none of those given opens"_s;
    QTest::newRow("pages the document lacks")
        << QStringList{u"-p"_s, u"5"_s, u"good.pdf"_s} << QByteArray() << 1
        << u"none of the pages 5 is in this document"_s;
    QTest::newRow("output folder cannot be made")
        << QStringList{u"-o"_s, u"good.pdf/out"_s, u"good.pdf"_s} << QByteArray() << 1
        << u"cannot be written: not a directory"_s;
    QTest::newRow("usage error") << QStringList{u"--dpi"_s, u"1001"_s, u"good.pdf"_s}
                                 << QByteArray() << 2 << u"from 1 to 1000"_s;
}

void tst_Batch::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, status);
    QFETCH(QString, reported);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"good.pdf"_s), 2));
    QVERIFY(Pdfs::truncate(env.scratch(u"good.pdf"_s), env.scratch(u"broken.pdf"_s), 0.3));
    QVERIFY(Pdfs::encrypt(env.scratch(u"good.pdf"_s), env.scratch(u"locked.pdf"_s), u"secret"_s));
    QVERIFY(QDir().mkpath(env.scratch(u"empty/sub"_s)));
    QFile(env.scratch(u"empty/sub/notes.txt"_s)).open(QIODevice::WriteOnly);

    const Finished batch = runBatch(env, arguments, input);
    QCOMPARE(batch.status, status);
    const QString said = batch.out + batch.err;
    QVERIFY2(said.contains(reported.arg(env.scratch())), qPrintable(said));
}

void tst_Batch::dryRunNamesWhatTheRunWrites()
{
    TestEnvironment env;
    for (const QString &name : {u"a.pdf"_s, u"sub/a.pdf"_s, u"b.pdf"_s})
        QVERIFY(Pdfs::write(env.scratch(u"in/"_s + name), 3));
    QVERIFY(QDir().mkpath(env.scratch(u"out/a"_s))); // taken: the first a gets a(1)
    const QStringList arguments = {u"-r"_s,          u"70"_s, u"-p"_s,  u"2,2,3"_s,  u"--naming"_s,
                                   u"template:p-"_s, u"-o"_s, u"out"_s, u"--flat"_s, u"in"_s};
    const QStringList before = listing(env.scratch());

    const Finished plan = runBatch(env, QStringList{u"--dry-run"_s, u"-v"_s} + arguments);
    QCOMPARE(plan.status, 0);
    QCOMPARE(listing(env.scratch()), before);
    QStringList planned;
    for (const QString &line : plan.out.split(u'\n')) {
        if (line.startsWith(u"  image: "))
            planned << line.mid(9);
    }
    QCOMPARE(planned.size(), 9);
    QCOMPARE(planned.first(), env.scratch(u"out/a(1)/p-1.bmp"_s));

    QCOMPARE(runBatch(env, arguments).status, 0);
    QStringList written;
    for (const QString &sub : {u"a"_s, u"a(1)"_s, u"a(2)"_s, u"b"_s}) {
        for (const QString &image : Conversion::filesIn(env.scratch(u"out/"_s + sub)))
            written << env.scratch(u"out/%1/%2"_s.arg(sub, image));
    }
    std::sort(planned.begin(), planned.end());
    QCOMPARE(written, planned);
}

void tst_Batch::outputLevels_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("lines"); // how each line begins; %1 is the scratch folder
    QTest::addColumn<QStringList>("images");
    const QString failed = u"failed  %1/broken.pdf: not a PDF that can be read"_s;
    const QString summary = u"1 file converted, 1 failed, 2 pages"_s;
    const QString plan = u"convert %1/doc.pdf: 2 of 10 pages -> %1/doc, "_s;
    const QString total = u"total: 1 file, 2 images, "_s;
    const QStringList byNumber = {u"doc1.bmp"_s, u"doc2.bmp"_s};
    const QStringList byPage = {u"doc-02(1).bmp"_s, u"doc-02.bmp"_s};
    const QStringList bySource = {u"--naming"_s, u"source"_s};
    QTest::newRow("normal") << bySource << QStringList{failed, u"ok      %1/doc.pdf"_s, summary}
                            << byNumber;
    QTest::newRow("quiet") << QStringList{u"-q"_s} + bySource << QStringList{failed, summary}
                           << byNumber;
    QTest::newRow("verbose") << QStringList{u"--verbose"_s} + bySource
                             << QStringList{failed, u"image   %1/doc/doc1.bmp"_s,
                                            u"image   %1/doc/doc2.bmp"_s, u"ok "_s, summary}
                             << byNumber;
    QTest::newRow("named by page by default")
        << QStringList{u"-v"_s}
        << QStringList{failed, u"image   %1/doc/doc-02.bmp"_s, u"image   %1/doc/doc-02(1).bmp"_s,
                       u"ok "_s, summary}
        << byPage;
    const QString options =
        u"options: --pages 2,2 --format BMP --dpi 70 --jpeg-quality 100 --naming "_s;
    QTest::newRow("dry run") << QStringList{u"--dry-run"_s}
                             << QStringList{options + u"page"_s, failed, plan, total, u"disk "_s}
                             << QStringList();
    QTest::newRow("dry run, quiet")
        << QStringList{u"--dry-run"_s, u"-q"_s} << QStringList{failed, total} << QStringList();
    QTest::newRow("dry run, verbose, named by page")
        << QStringList{u"--dry-run"_s, u"-v"_s, u"--naming"_s, u"page"_s}
        << QStringList{options + u"page"_s,
                       failed,
                       plan,
                       u"  pixels: "_s,
                       u"  image: %1/doc/doc-02.bmp"_s,
                       u"  image: %1/doc/doc-02(1).bmp"_s,
                       total,
                       u"disk "_s}
        << QStringList();
}

void tst_Batch::outputLevels()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, images);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"doc.pdf"_s), 10));
    QVERIFY(Pdfs::truncate(env.scratch(u"doc.pdf"_s), env.scratch(u"broken.pdf"_s), 0.3));

    const Finished batch =
        runBatch(env, arguments + QStringList{u"-r"_s, u"70"_s, u"-p"_s, u"2,2"_s, u"broken.pdf"_s,
                                              u"doc.pdf"_s});
    QCOMPARE(batch.status, 1);
    const QStringList said = batch.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(said.size(), lines.size());
    for (qsizetype index = 0; index < lines.size(); ++index)
        QVERIFY2(said.at(index).startsWith(lines.at(index).arg(env.scratch())),
                 qPrintable(batch.out));
    QCOMPARE(Conversion::filesIn(env.scratch(u"doc"_s)), images);
}

void tst_Batch::estimateAgainstTheImages_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<bool>("exact");
    QTest::newRow("BMP at 72 DPI") << u"BMP"_s << u"72"_s << true;
    QTest::newRow("BMP 256 colours at 150 DPI") << u"BMP"_s << u"150"_s << true;
    QTest::newRow("PNG at 150 DPI") << u"PNG"_s << u"150"_s << false;
}

void tst_Batch::estimateAgainstTheImages()
{
    QFETCH(QString, format);
    QFETCH(QString, dpi);
    QFETCH(bool, exact);
    TestEnvironment env;
    // Pages of two sizes, one of them turned.
    QVERIFY(Pdfs::write(env.scratch(u"a4.pdf"_s), 2));
    QVERIFY(Pdfs::write(env.scratch(u"letter.pdf"_s), 1, QPageSize(QPageSize::Letter)));
    QStringList arguments = {u"-f"_s, format, u"-r"_s, dpi, u"a4.pdf"_s, u"letter.pdf"_s};
    if (dpi == u"150" && format == u"BMP")
        arguments << u"-c"_s << u"256 Color"_s;

    const Finished plan = runBatch(env, QStringList{u"--dry-run"_s} + arguments);
    QCOMPARE(plan.status, 0);
    const QRegularExpression total(u"^total: 2 files, 3 images, (\\d+) "_s,
                                   QRegularExpression::MultilineOption);
    const qint64 estimate = total.match(plan.out).captured(1).toLongLong();
    QVERIFY2(estimate > 0, qPrintable(plan.out));

    QCOMPARE(runBatch(env, arguments).status, 0);
    qint64 written = 0;
    for (const QString &folder : {u"a4"_s, u"letter"_s}) {
        for (const QString &image : Conversion::filesIn(env.scratch(folder)))
            written += QFileInfo(env.scratch(folder + u'/' + image)).size();
    }
    if (exact)
        QCOMPARE(written, estimate);
    else
        QVERIFY2(written <= estimate, qPrintable(u"%1 > %2"_s.arg(written).arg(estimate)));
}

void tst_Batch::runThatDoesNotFitIsRefused()
{
    TestEnvironment env;
    SmallDisk disk(env.scratch(u"small"_s), 2);
    if (!disk.mounted)
        QSKIP("this machine does not let the test mount a small file system");
    // Each takes 1.4 MB: either fits alone, not both.
    QVERIFY(Pdfs::write(env.scratch(u"one.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"two.pdf"_s), 1));
    const QStringList arguments = {u"-r"_s,    u"70"_s,      u"-o"_s,
                                   u"small"_s, u"one.pdf"_s, u"two.pdf"_s};

    const Finished refused = runBatch(env, arguments);
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.err.contains(u"--force"_s), qPrintable(refused.err));
    QVERIFY(listing(disk.folder).isEmpty());
    const Finished plan = runBatch(env, QStringList{u"--dry-run"_s} + arguments);
    QCOMPARE(plan.status, 1);
    QVERIFY(plan.out.contains(u"does not fit"_s));
}

// A page box of 200000 points at 1000 DPI needs terabytes: that PDF fails alone.
void tst_Batch::giantPageFailsAlone_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("converted"); // how the good PDF's line begins
    QTest::newRow("run") << QStringList() << u"ok      "_s;
    QTest::newRow("dry run") << QStringList{u"--dry-run"_s} << u"convert "_s;
    QTest::newRow("planned run") << QStringList{u"--shard"_s, u"0/1"_s} << u"ok      "_s;
}

void tst_Batch::giantPageFailsAlone()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, converted);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"good.pdf"_s), 1));
    QByteArray giant = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (const QByteArray &object :
         {QByteArray("<</Type/Catalog/Pages 2 0 R>>"),
          QByteArray("<</Type/Pages/Kids[3 0 R]/Count 1>>"),
          QByteArray("<</Type/Page/Parent 2 0 R/MediaBox[0 0 200000 200000]>>")}) {
        offsets << giant.size();
        giant += QByteArray::number(offsets.size()) + " 0 obj\n" + object + "\nendobj\n";
    }
    const qsizetype table = giant.size();
    giant += "xref\n0 4\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        giant += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    giant +=
        "trailer\n<</Size 4/Root 1 0 R>>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n";
    QFile file(env.scratch(u"giant.pdf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(giant) == giant.size());
    file.close();

    const Finished batch =
        runBatch(env, arguments + QStringList{u"-r"_s, u"1000"_s, u"-p"_s, u"1"_s, u"-f"_s,
                                              u"PNGGRAY"_s, u"good.pdf"_s, u"giant.pdf"_s});
    QCOMPARE(batch.status, 1);
    QVERIFY2(batch.out.contains(u"%1/giant.pdf: its images need "_s.arg(env.scratch())),
             qPrintable(batch.out + batch.err));
    QVERIFY2(batch.out.contains(converted + env.scratch(u"good.pdf"_s)), qPrintable(batch.out));
    // A planned folder holds its mark and the record of its complete images besides.
    QCOMPARE(Conversion::filesIn(env.scratch(u"good"_s)).size(), arguments.contains(u"--dry-run"_s)
                                                                     ? 0
                                                                 : arguments.isEmpty() ? 1
                                                                                       : 3);
    QVERIFY(!QFileInfo::exists(env.scratch(u"giant"_s)));
}

void tst_Batch::fullDiskStopsTheRun()
{
    TestEnvironment env;
    SmallDisk disk(env.scratch(u"small"_s), 3);
    if (!disk.mounted)
        QSKIP("this machine does not let the test mount a small file system");
    // Each page takes about 1 MB: the first file fits, the second fills the disk.
    QVERIFY(Pdfs::write(env.scratch(u"first.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"second.pdf"_s), 4));
    QVERIFY(Pdfs::write(env.scratch(u"third.pdf"_s), 1));
    const Finished batch =
        runBatch(env, {u"--force"_s, u"-j"_s, u"1"_s, u"-r"_s, u"100"_s, u"-o"_s, u"small"_s,
                       u"first.pdf"_s, u"second.pdf"_s, u"third.pdf"_s});
    QCOMPARE(batch.status, 1);
    QVERIFY2(batch.out.contains(u"is full"_s), qPrintable(batch.out));
    QVERIFY(batch.out.contains(u"1 file converted, 2 failed"_s));
    QCOMPARE(Conversion::filesIn(disk.folder + u"/first"_s), QStringList{u"first-1.bmp"_s});
    // The interrupted file leaves nothing; the third never started.
    QCOMPARE(QDir(disk.folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{u"first"_s});
}

void tst_Batch::signalStopsTheRun()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(3, pid));
    QVERIFY(Pdfs::write(env.scratch(u"doc.pdf"_s), 5));
    QProcess batch;
    startBatch(batch, env, {u"-r"_s, u"70"_s, u"doc.pdf"_s});
    QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(env.scratch(u"doc"_s)).size(), 2, 60000);
    ::kill(pid_t(batch.processId()), SIGTERM);
    QVERIFY(batch.waitForFinished(30000));
    QCOMPARE(batch.exitCode(), 128 + SIGTERM);
    QVERIFY(!QFileInfo::exists(env.scratch(u"doc"_s)));
    QTRY_VERIFY(Conversion::processGone(pid));
}

void tst_Batch::planConvertedInShards()
{
    TestEnvironment env;
    const QStringList names = {u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    for (int index = 0; index < names.size(); ++index)
        QVERIFY(Pdfs::write(env.scratch(u"in/%1.pdf"_s.arg(names.at(index))),
                            index == 0 ? 1 : 3 + index));
    const QStringList choices = {u"-r"_s,        u"70"_s,       u"-p"_s,
                                 u"1,2,2,3-4"_s, u"--naming"_s, u"number"_s};
    // The pages one PDF lacks are left out in the plan as in the plain run.
    QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"one"_s, u"in"_s}).status, 0);
    QCOMPARE(runBatch(env, choices + QStringList{u"-o"_s, u"parts"_s, u"--plan-out"_s,
                                                 u"plan.json"_s, u"in"_s})
                 .status,
             0);
    QVERIFY(!QFileInfo::exists(env.scratch(u"parts"_s)));

    // Each line of every part is a JSON object; the last one sums the part up.
    const auto convert = [&env](const QStringList &arguments) {
        const Finished part =
            runBatch(env, QStringList{u"--plan"_s, u"plan.json"_s, u"--json"_s} + arguments);
        QMap<QString, QJsonObject> files;
        const QStringList lines = part.out.split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines) {
            QJsonParseError error;
            const QJsonObject object = QJsonDocument::fromJson(line.toUtf8(), &error).object();
            if (error.error != QJsonParseError::NoError)
                return std::make_pair(-1, files);
            files.insert(object.value(u"file"_s).toString(u"summary"_s), object);
        }
        return std::make_pair(
            files.value(u"summary"_s).value(u"summary"_s).toBool() ? part.status : -1, files);
    };
    for (const QString &shard : {u"0/3"_s, u"1/3"_s, u"2/3"_s})
        QCOMPARE(convert({u"--shard"_s, shard}).first, 0);
    for (const QString &name : {u"b"_s, u"c"_s}) {
        const QStringList images = Conversion::filesIn(env.scratch(u"one/"_s + name));
        QCOMPARE(images.size(), 5);
        // Besides the images, the plan's mark and the records of what the shards completed.
        QStringList parts = Conversion::filesIn(env.scratch(u"parts/"_s + name));
        QVERIFY(parts.removeIf(
                    [](const QString &file) { return file.startsWith(u".vezudiri-done-"_s); }) > 0);
        QCOMPARE(parts, QStringList{u".vezudiri-plan"_s} + images);
        for (const QString &image : images)
            QVERIFY(TestEnvironment::contents(env.scratch(u"parts/%1/%2"_s.arg(name, image))) ==
                    TestEnvironment::contents(env.scratch(u"one/%1/%2"_s.arg(name, image))));
    }

    // Done is kept; a PDF changed since the plan fails with the reason: its time changed, or its
    // size with the time put back.
    QFile changed(env.scratch(u"in/c.pdf"_s));
    QVERIFY(changed.open(QIODevice::ReadWrite));
    QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                QFileDevice::FileModificationTime));
    QFile grown(env.scratch(u"in/d.pdf"_s));
    const QDateTime planned = QFileInfo(grown).lastModified();
    QVERIFY(grown.open(QIODevice::Append) && grown.write("\n") == 1 && grown.flush());
    QVERIFY(grown.setFileTime(planned, QFileDevice::FileModificationTime));
    grown.close();
    const auto [status, files] = convert({u"--resume"_s});
    QCOMPARE(status, 1);
    // a.pdf, whose pages past its end were left out, and b.pdf were converted before.
    for (const QString &name : {u"a"_s, u"b"_s})
        QCOMPARE(files.value(env.scratch(u"in/%1.pdf"_s.arg(name))).value(u"status"_s),
                 u"skipped"_s);
    for (const QString &name : {u"c"_s, u"d"_s}) {
        const QJsonObject file = files.value(env.scratch(u"in/%1.pdf"_s.arg(name)));
        QCOMPARE(file.value(u"status"_s), u"failed"_s);
        QVERIFY(file.value(u"reason"_s).toString().contains(u"changed since the plan was made"_s));
    }
    const QJsonObject summary = files.value(u"summary"_s);
    QCOMPARE(summary.value(u"files"_s), 4);
    QCOMPARE(summary.value(u"ok"_s), 0);
    QCOMPARE(summary.value(u"failed"_s), 2);
    QCOMPARE(summary.value(u"skipped"_s), 2);
}

void tst_Batch::unwritableOutputNamesItsCause_data()
{
    QTest::addColumn<QStringList>("run");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("cause");
    for (const QStringList &run : {QStringList(), QStringList{u"--dry-run"_s}}) {
        const QString how = run.isEmpty() ? u"run"_s : u"dry run"_s;
        QTest::addRow("%s, read-only mount", qPrintable(how))
            << run << u"mounted/out"_s << u"read-only file system"_s;
        QTest::addRow("%s, a file in the way", qPrintable(how))
            << run << u"file/out"_s << u"not a directory"_s;
    }
}

void tst_Batch::unwritableOutputNamesItsCause()
{
    QFETCH(QStringList, run);
    QFETCH(QString, output);
    QFETCH(QString, cause);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"doc.pdf"_s), 1));
    QVERIFY(QDir().mkpath(env.scratch(u"mounted"_s)));
    QFile(env.scratch(u"file"_s)).open(QIODevice::WriteOnly);
    if (output.startsWith(u"mounted")) {
        if (QProcess::execute(u"mount"_s, {u"--bind"_s, u"-o"_s, u"ro"_s, env.scratch(u"mounted"_s),
                                           env.scratch(u"mounted"_s)}) != 0)
            QSKIP("this machine does not let the test mount a folder read-only");
    }
    const auto unmount =
        qScopeGuard([&env] { QProcess::execute(u"umount"_s, {env.scratch(u"mounted"_s)}); });
    const Finished batch = runBatch(env, run + QStringList{u"-o"_s, output, u"doc.pdf"_s});
    QCOMPARE(batch.status, 1);
    QVERIFY2(batch.err.contains(u"cannot be written: "_s + cause), qPrintable(batch.err));
}

void tst_Batch::folderFailureNamesItsCause_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("cause");
    QTest::newRow("read-only mount") << u"mount"_s << u"read-only file system"_s;
    QTest::newRow("immutable folder") << u"immutable"_s << u"operation not permitted"_s;
    QTest::newRow("another user's folder") << u"foreign"_s << u"permission denied"_s;
}

// Images next to a PDF in a folder that takes none: the engine's own message names the cause.
void tst_Batch::folderFailureNamesItsCause()
{
    QFETCH(QString, kind);
    QFETCH(QString, cause);
    TestEnvironment env;
    const QString folder = env.scratch(u"in"_s);
    QVERIFY(Pdfs::write(folder + u"/doc.pdf"_s, 1));
    QStringList command = {env.executable(), u"--convert"_s, u"in/doc.pdf"_s};
    bool undo = false;
    if (kind == u"mount") {
        undo = QProcess::execute(u"mount"_s, {u"--bind"_s, u"-o"_s, u"ro"_s, folder, folder}) == 0;
    } else if (kind == u"immutable") {
        undo = QProcess::execute(u"chattr"_s, {u"+i"_s, folder}) == 0;
    } else {
        // Root passes every permission check: the run is nobody's, who may read but not write.
        for (const QString &path : {env.folder(), env.scratch()})
            QFile::setPermissions(path,
                                  QFile::permissions(path) | QFile::ReadOther | QFile::ExeOther);
        command =
            QStringList{u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s} +
            command;
        undo = ::geteuid() == 0;
    }
    const auto restore = qScopeGuard([&] {
        if (kind == u"mount")
            QProcess::execute(u"umount"_s, {folder});
        else if (kind == u"immutable")
            QProcess::execute(u"chattr"_s, {u"-i"_s, folder});
    });
    if (!undo)
        QSKIP("this machine does not let the test make a folder unwritable");
    QProcess batch;
    batch.setProcessEnvironment(TestEnvironment::withoutDisplay());
    batch.setWorkingDirectory(env.scratch());
    batch.start(command.constFirst(), command.mid(1));
    QVERIFY(batch.waitForFinished(120000));
    const QString out = QString::fromUtf8(batch.readAllStandardOutput());
    QCOMPARE(batch.exitCode(), 1);
    QVERIFY2(out.contains(u"No output folder could be created in %1: %2."_s.arg(folder, cause)),
             qPrintable(out));
}

void tst_Batch::skipExistingTwiceConvertsOnce_data()
{
    QTest::addColumn<int>("umask");
    QTest::newRow("umask 022") << 022;
    // Group-writable folders and images, in the user's private group as Debian gives one.
    QTest::newRow("umask 002") << 002;
}

void tst_Batch::skipExistingTwiceConvertsOnce()
{
    QFETCH(int, umask);
    const mode_t previous = ::umask(mode_t(umask));
    const auto restore = qScopeGuard([previous] { ::umask(previous); });
    TestEnvironment env;
    for (const QString &name : {u"in/a/doc.pdf"_s, u"in/b/doc.pdf"_s})
        QVERIFY(Pdfs::write(env.scratch(name), 2));
    const QStringList arguments = {u"--skip-existing"_s, u"-o"_s, u"out"_s, u"in"_s,
                                   u"in/a/doc.pdf"_s};
    const Finished first = runBatch(env, arguments);
    QVERIFY2(first.out.endsWith(u"2 files converted, 0 failed, 4 pages\n"_s),
             qPrintable(first.out));
    const Finished second = runBatch(env, arguments);
    QVERIFY2(second.out.endsWith(u"0 files converted, 0 failed, 0 pages, 2 skipped\n"_s),
             qPrintable(second.out));
    for (const QString &tree : {u"a"_s, u"b"_s}) {
        QCOMPARE(QDir(env.scratch(u"out/"_s + tree)).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{u"doc"_s});
        QCOMPARE(Conversion::filesIn(env.scratch(u"out/%1/doc"_s.arg(tree))),
                 QStringList({u"doc-1.bmp"_s, u"doc-2.bmp"_s}));
    }
    // A changed PDF gets a folder of its own again.
    QVERIFY(Pdfs::write(env.scratch(u"in/a/doc.pdf"_s), 3));
    const Finished changed = runBatch(env, arguments);
    QVERIFY2(changed.out.contains(u"1 file converted"_s), qPrintable(changed.out));
    QVERIFY(QFileInfo(env.scratch(u"out/a/doc(1)/doc-3.bmp"_s)).isFile());
}

void tst_Batch::pixelSizesAsPdftoppm_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("sizes"); // A4, then Letter, as pdftoppm 22.12 writes them
    QTest::newRow("-r 300") << QStringList{u"-r"_s, u"300"_s} << u"2480x3509 2550x3300"_s;
    QTest::newRow("scale-to 100") << QStringList{u"--scale-to"_s, u"100"_s} << u"71x100 78x100"_s;
    QTest::newRow("scale-to 1000")
        << QStringList{u"--scale-to"_s, u"1000"_s} << u"707x1000 773x1000"_s;
    QTest::newRow("width") << QStringList{u"--width"_s, u"300"_s} << u"300x425 300x389"_s;
    QTest::newRow("height") << QStringList{u"--height"_s, u"300"_s} << u"212x300 232x300"_s;
}

void tst_Batch::pixelSizesAsPdftoppm()
{
    QFETCH(QStringList, options);
    QFETCH(QString, sizes);
    TestEnvironment env;
    QVERIFY(Pdfs::write(env.scratch(u"a4.pdf"_s), 1));
    QVERIFY(Pdfs::write(env.scratch(u"letter.pdf"_s), 1, QPageSize(QPageSize::Letter)));
    const Finished run =
        runBatch(env, QStringList{u"-f"_s, u"PNG"_s, u"a4.pdf"_s, u"letter.pdf"_s} + options);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QStringList written;
    for (const QString &name : {u"a4/a4-1.png"_s, u"letter/letter-1.png"_s}) {
        // The width and height of the PNG's header.
        const QByteArray header = TestEnvironment::contents(env.scratch(name)).mid(16, 8);
        QCOMPARE(header.size(), 8);
        const auto big = [&header](int at) {
            return qFromBigEndian<quint32>(header.constData() + at);
        };
        written << u"%1x%2"_s.arg(big(0)).arg(big(4));
    }
    QCOMPARE(written.join(u' '), sizes);
}

void tst_Batch::measuredRoomBoundsTheImages_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("photo");
    QTest::addColumn<int>("dpi");
    QTest::newRow("PNG, text") << u"PNG"_s << false << 300;
    QTest::newRow("PNG, photo") << u"PNG"_s << true << 150;
    QTest::newRow("PNGGRAY, text") << u"PNGGRAY"_s << false << 72;
    QTest::newRow("GIF, text") << u"GIF"_s << false << 150;
    QTest::newRow("GIF, photo") << u"GIF"_s << true << 150;
    QTest::newRow("JPG, photo") << u"JPG"_s << true << 150;
}

// The room measured on a page drawn small holds the page drawn finer, and where the page
// compresses well it is far below the encoder's worst case.
void tst_Batch::measuredRoomBoundsTheImages()
{
    QFETCH(QString, format);
    QFETCH(bool, photo);
    QFETCH(int, dpi);
    TestEnvironment env;
    const QString pdf = env.scratch(u"doc.pdf"_s);
    QVERIFY(photo ? Pdfs::writePhoto(pdf) : Pdfs::write(pdf, 1));
    const QList<PdfInfo::PageBox> boxes = {{{595, 842}, 0}};
    const double sample = EncodedSample::bytesPerPixel({pdf, {1}, boxes, format, {}, 100, false});
    QVERIFY(sample > 0);
    ConversionJob job;
    job.format = format;
    job.dpi = dpi;
    job.exactDpi = true;
    job.pages = {1};
    RenderJob render;
    render.format = format;
    const qint64 raw =
        render.encodedByProgram()
            ? (EncodeStage::pagesAtOnce() + 1) *
                  DiskSpace::imageBytes(render.device(), DiskSpace::pixelSize({595, 842}, 0, dpi))
            : 0;
    const qint64 bound = DiskSpace::jobBytes(job, boxes, sample) - raw;
    const qint64 worst = DiskSpace::jobBytes(job, boxes) - raw;

    const Finished run = runBatch(env, {u"-f"_s, format, u"-r"_s, QString::number(dpi), pdf});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    const QString image = u"doc/doc-1."_s + RenderJob::extension(format);
    const qint64 written = QFileInfo(env.scratch(image)).size();
    QVERIFY2(written > 0 && written <= bound, qPrintable(u"%1 > %2"_s.arg(written).arg(bound)));
    if (!photo)
        QVERIFY2(4 * bound < worst, qPrintable(u"%1 of %2"_s.arg(bound).arg(worst)));
}

QTEST_MAIN(tst_Batch)
#include "tst_batch.moc"
