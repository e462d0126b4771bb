// The conversion engine on its own, without a window, with the real Ghostscript and tiffcp:
// images identical to one renderer run per page, names independent of how many files render at
// once or how many renderers share a file, a renderer that hangs, and what Stop and a failed join
// leave behind.
#include "conversion.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/diskspace.h"
#include "core/engine/ghostscript.h"
#include "core/engine/gifwriter.h"
#include "core/engine/sharedrender.h"
#include "core/platform/tools.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace {

// What one run reported, by row.
struct Outcome
{
    QMap<int, QString> folders;
    QList<int> finished;
    QMap<int, QString> failures;
    QMap<int, FileConversion::Failure> kinds;
    bool ended = false;
};

class Runner
{
public:
    explicit Runner(int parallelJobs = 2, int timeoutSeconds = 300)
    {
        queue.setParallelJobs(parallelJobs);
        queue.setRendererTimeout(timeoutSeconds);
        QObject::connect(&queue, &ConversionQueue::fileStarted,
                         [this](int row, const QString &folder) { outcome.folders[row] = folder; });
        QObject::connect(&queue, &ConversionQueue::fileFinished,
                         [this](int row) { outcome.finished << row; });
        QObject::connect(&queue, &ConversionQueue::fileFailed,
                         [this](int row, const QString &reason, FileConversion::Failure kind) {
                             outcome.failures[row] = reason;
                             outcome.kinds[row] = kind;
                         });
        QObject::connect(&queue, &ConversionQueue::runEnded, [this] { outcome.ended = true; });
    }

    bool run(const QList<ConversionJob> &jobs, int timeoutMs = 120000)
    {
        for (const ConversionJob &job : jobs)
            queue.enqueue(job);
        return QTest::qWaitFor([this] { return outcome.ended; }, timeoutMs);
    }

    ConversionQueue queue;
    Outcome outcome;
};

ConversionJob job(int row, const QString &pdf, const QList<int> &pages,
                  const QString &format = u"BMP"_s, const QString &colour = QString())
{
    ConversionJob job;
    job.row = row;
    job.sourcePath = pdf;
    job.parentFolder = QFileInfo(pdf).absolutePath();
    job.baseName = QFileInfo(pdf).completeBaseName();
    job.prefix = job.baseName;
    job.format = format;
    job.colour = colour;
    job.dpi = 70;
    job.pages = pages;
    return job;
}

// The file's bytes; a TIFF's DateTime fields say when it was rendered and are left out.
QByteArray contents(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    static const QRegularExpression renderedAt(u"\\d{4}:\\d\\d:\\d\\d \\d\\d:\\d\\d:\\d\\d"_s);
    if (path.endsWith(u".tiff"_s)) {
        for (QRegularExpressionMatchIterator match =
                 renderedAt.globalMatch(QString::fromLatin1(bytes));
             match.hasNext();) {
            const QRegularExpressionMatch at = match.next();
            bytes.replace(at.capturedStart(), at.capturedLength(), QByteArray(19, '0'));
        }
    }
    return bytes;
}

// The image one renderer run for that page alone writes.
QByteArray onePageRun(const ConversionJob &file, int page, const QString &folder)
{
    RenderJob render;
    render.format = file.format;
    render.colour = file.colour;
    render.dpi = file.dpi;
    render.pageDpi = file.pageDpi;
    render.pages = {page};
    render.outputFolder = folder;
    render.imageName = u"page%1.%2"_s.arg(page).arg(render.renderedExtension());
    render.sourcePath = file.sourcePath;
    QProcess renderer;
    renderer.start(Tools::locate(RenderJob::toolName()), render.arguments());
    if (!renderer.waitForFinished(60000) || renderer.exitCode() != 0)
        return {};
    const QString raw = folder + u'/' + render.imageName;
    if (!render.encodedByProgram())
        return contents(raw);
    const QString image = raw + u'.' + RenderJob::extension(file.format);
    return GifWriter::convertFile(raw, image) ? contents(image) : QByteArray();
}

// Ghostscript's own PNG of the page, which vezudiri-render's stands in for.
QImage renderersPng(const ConversionJob &file, int page, const QString &folder)
{
    RenderJob render;
    render.format = file.format;
    render.dpi = file.dpi;
    render.pages = {page};
    render.outputFolder = folder;
    render.imageName = u"own%1.png"_s.arg(page);
    render.sourcePath = file.sourcePath;
    QProcess gs;
    gs.start(u"gs"_s, render.arguments());
    if (!gs.waitForFinished(60000) || gs.exitCode() != 0)
        return {};
    return QImage(folder + u'/' + render.imageName);
}

} // namespace

class tst_Engine : public QObject
{
    Q_OBJECT

private slots:
    void imagesMatchOnePageRuns_data();
    void imagesMatchOnePageRuns();
    void pngHasTheRenderersPixels_data();
    void pngHasTheRenderersPixels();
    void namesDoNotDependOnParallelJobs_data();
    void namesDoNotDependOnParallelJobs();
    void splitFileMatchesOneRenderer_data();
    void splitFileMatchesOneRenderer();
    void freedWorkerTakesPagesNotBegun();
    void rawPagesWaitingAreBounded_data();
    void rawPagesWaitingAreBounded();
    void stopEndsAWaitingRenderer();
    void stopEndsEveryRenderer();
    void hangingRendererIsStopped();
    void rendererDrawingPagesIsNotStopped();
    void stopRemovesWhatTheRunWrote();
    void stopEndsTheJoin();
    void pagesStayUntilTheJoinedFileIsInPlace();
    void fullDiskStopsTheRun();
    void sharedRunFailsOneFileAlone_data();
    void sharedRunFailsOneFileAlone();
    void stopEndsTheSharedRenderer();
};

void tst_Engine::imagesMatchOnePageRuns_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QList<int>>("pages");
    const QList<int> scattered = {1, 3, 7, 8, 9}; // the selection 3,1,7-9
    QTest::newRow("BMP 16m, scattered pages") << u"BMP"_s << u"16m"_s << scattered;
    QTest::newRow("BMP 16m, a page twice") << u"BMP"_s << u"16m"_s << QList<int>{2, 2};
    QTest::newRow("TIFF 24nc, scattered pages") << u"TIFF"_s << u"24nc"_s << scattered;
    QTest::newRow("FAX g4, a range") << u"FAX"_s << u"g4"_s << QList<int>{4, 5, 6};
    QTest::newRow("GIF, scattered pages") << u"GIF"_s << QString() << scattered;
    QTest::newRow("GIF, a page twice") << u"GIF"_s << QString() << QList<int>{2, 2};
}

void tst_Engine::imagesMatchOnePageRuns()
{
    QFETCH(QString, format);
    QFETCH(QString, colour);
    QFETCH(QList<int>, pages);
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 9));
    const ConversionJob file = job(0, pdf, pages, format, colour);

    Runner runner;
    QVERIFY(runner.run({file}));
    QCOMPARE(runner.outcome.finished, QList<int>{0});
    const QString folder = runner.outcome.folders.value(0);
    QStringList expectedNames;
    for (int number = 1; number <= pages.size(); ++number)
        expectedNames << RenderJob::imageFileName(u"report"_s, number, format);
    expectedNames.sort();
    QCOMPARE(Conversion::filesIn(folder), expectedNames);
    QVERIFY(!QFileInfo::exists(folder + u"/.rendering"_s));

    QVERIFY(QDir().mkpath(env.scratch(u"alone"_s)));
    for (int index = 0; index < pages.size(); ++index) {
        const QByteArray alone = onePageRun(file, pages.at(index), env.scratch(u"alone"_s));
        QVERIFY(!alone.isEmpty());
        const QString image =
            folder + u'/' + RenderJob::imageFileName(u"report"_s, index + 1, format);
        QVERIFY2(contents(image) == alone, qPrintable(image));
    }
}

void tst_Engine::pngHasTheRenderersPixels_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QImage::Format>("decoded");
    QTest::newRow("PNG") << u"PNG"_s << QImage::Format_RGB32;
    QTest::newRow("PNGGRAY") << u"PNGGRAY"_s << QImage::Format_Grayscale8;
}

// The program's PNG decodes to the renderer's own PNG of the page: pixels, colour type and
// resolution.
void tst_Engine::pngHasTheRenderersPixels()
{
    QFETCH(QString, format);
    QFETCH(QImage::Format, decoded);
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 3));
    ConversionJob file = job(0, pdf, {1, 2, 3}, format);
    file.dpi = 150;

    Runner runner;
    QVERIFY(runner.run({file}));
    QCOMPARE(runner.outcome.finished, QList<int>{0});
    const QString folder = runner.outcome.folders.value(0);
    for (int page = 1; page <= 3; ++page) {
        const QImage own = renderersPng(file, page, env.scratch());
        const QImage ours(folder + u'/' + RenderJob::imageFileName(u"report"_s, page, format));
        QVERIFY(!own.isNull());
        QCOMPARE(ours.format(), decoded);
        QCOMPARE(ours.dotsPerMeterX(), own.dotsPerMeterX());
        QVERIFY2(ours.convertToFormat(own.format()) == own, qPrintable(QString::number(page)));
    }
}

void tst_Engine::namesDoNotDependOnParallelJobs_data()
{
    QTest::addColumn<int>("parallelJobs");
    QTest::newRow("one file at a time") << 1;
    QTest::newRow("two at once") << 2;
    QTest::newRow("three at once") << 3;
}

void tst_Engine::namesDoNotDependOnParallelJobs()
{
    QFETCH(int, parallelJobs);
    TestEnvironment env;
    QStringList pdfs;
    for (const QString &name : {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}) {
        pdfs << env.scratch(name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdfs.last(), 3));
    }
    QList<ConversionJob> jobs = {job(0, pdfs[0], {1, 2, 3}), job(1, pdfs[1], {2, 2}),
                                 job(2, pdfs[2], {1, 2}, u"TIFF"_s), job(3, pdfs[3], {}),
                                 job(4, pdfs[4], {3})};
    jobs[2].merge = true;
    for (ConversionJob &file : jobs)
        file.prefix.clear();

    Runner runner(parallelJobs);
    QVERIFY(runner.run(jobs));
    QCOMPARE(Conversion::filesIn(env.scratch(u"a"_s)),
             QStringList({u"1.bmp"_s, u"2.bmp"_s, u"3.bmp"_s}));
    QCOMPARE(Conversion::filesIn(env.scratch(u"b"_s)), QStringList({u"4.bmp"_s, u"5.bmp"_s}));
    QCOMPARE(Conversion::filesIn(env.scratch(u"c"_s)), QStringList{u"c.tiff"_s});
    // A joined file passes its last number on; a file without pages takes none.
    QCOMPARE(Conversion::filesIn(env.scratch(u"e"_s)), QStringList{u"7.bmp"_s});
    QVERIFY(runner.outcome.failures.contains(3));
    // The last file of a run does not advance the counter.
    QCOMPARE(runner.queue.imageNumber(), 7);
}

void tst_Engine::splitFileMatchesOneRenderer_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("merge");
    QTest::newRow("BMP 16m") << u"BMP"_s << u"16m"_s << false;
    QTest::newRow("PNG") << u"PNG"_s << QString() << false;
    QTest::newRow("JPG") << u"JPG"_s << QString() << false;
    QTest::newRow("PCX 24bit") << u"PCX"_s << u"24bit"_s << false;
    QTest::newRow("PSD cmyk") << u"PSD"_s << u"cmyk"_s << false;
    QTest::newRow("TIFF sep") << u"TIFF"_s << u"sep"_s << false;
    QTest::newRow("TIFF 24nc joined") << u"TIFF"_s << u"24nc"_s << true;
    QTest::newRow("GIF") << u"GIF"_s << QString() << false;
}

// Three renderers for one file's page ranges write the images, names and numbers of one.
void tst_Engine::splitFileMatchesOneRenderer()
{
    QFETCH(QString, format);
    QFETCH(QString, colour);
    QFETCH(bool, merge);
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 12));
    ConversionJob file = job(0, pdf, {1, 2, 3, 4, 5, 6, 6, 7, 8, 9, 10, 11, 12}, format, colour);
    file.merge = merge;

    Runner one(1);
    QVERIFY(one.run({file}));
    Runner three(3);
    QSignalSpy started(&three.queue, &ConversionQueue::fileStarted);
    QSignalSpy progress(&three.queue, &ConversionQueue::fileProgress);
    QVERIFY(three.run({file}));
    QCOMPARE(three.outcome.finished, QList<int>{0});
    // Renderers of raw pages for the encoders are fewer than the raw pages that may wait.
    const bool encoded = format == u"GIF";
    QCOMPARE(started.first().at(2).toString().count(u'\n') + 1,
             encoded ? qMin(3, EncodeStage::pagesAtOnce()) : 3);
    QList<int> percents;
    for (const QList<QVariant> &report : std::as_const(progress))
        percents << report.at(1).toInt();
    QVERIFY(std::is_sorted(percents.cbegin(), percents.cend()) && percents.last() == 100);

    const QString expected = one.outcome.folders.value(0);
    const QString split = three.outcome.folders.value(0);
    const QStringList names = Conversion::filesIn(expected);
    QCOMPARE(names.size(), merge ? 1 : format == u"TIFF" ? 13 * 5 : 13);
    QCOMPARE(Conversion::filesIn(split), names);
    QVERIFY(!QFileInfo::exists(split + u"/.rendering"_s));
    for (const QString &name : names)
        QVERIFY2(contents(split + u'/' + name) == contents(expected + u'/' + name),
                 qPrintable(name));
}

// A worker that comes free while one file renders takes the later half of its pages not begun;
// the first renderer stops after its own, having begun at most the one page after them that told
// it its last was complete. The images are still those of one renderer, and the row's bar counts
// each image once.
void tst_Engine::freedWorkerTakesPagesNotBegun()
{
    TestEnvironment env;
    const QString log = env.scratch(u"runs.log"_s);
    const QString drawn = env.scratch(u"pages.log"_s);
    // Slow enough that the big file has most of its pages ahead when the small one ends. Each
    // page line waits until the page before it has left the rendering folder: a renderer stopped
    // there is stopped before it can pass on another.
    env.installTool(u"P2I.exe"_s, uR"sh(echo "$*" >> '%1'
for arg; do case $arg in -sOutputFile=*) out=${arg#-sOutputFile=} ;; esac; done
gs "$@" | { pages=0; while IFS= read -r line; do
  printf '%s\n' "$line"
  case $line in Page*)
    case "$*" in *big.pdf*) echo "$line" >> '%2' ;; esac
    pages=$((pages + 1)) tries=0
    while [ $pages -gt 1 ] && [ -e "$(printf "$out" $((pages - 1)))" ] && [ $tries -lt 100 ]; do
      sleep 0.02; tries=$((tries + 1))
    done
    sleep 0.1 ;;
  esac
done; })sh"_s.arg(log, drawn));
    const QString big = env.scratch(u"big.pdf"_s);
    const QString small = env.scratch(u"small.pdf"_s);
    QVERIFY(Pdfs::write(big, 24));
    QVERIFY(Pdfs::write(small, 1));
    QList<int> pages;
    for (int page = 1; page <= 24; ++page)
        pages << page;
    ConversionJob file = job(0, big, pages, u"TIFF"_s, u"sep"_s);

    Runner two(2);
    QSignalSpy progress(&two.queue, &ConversionQueue::fileProgress);
    QVERIFY(two.run({file, job(1, small, {1})}));
    QCOMPARE(two.outcome.finished.size(), 2);
    QFile runs(log);
    QVERIFY(runs.open(QIODevice::ReadOnly));
    QCOMPARE(runs.readAll().count("big.pdf"), 2);
    QFile pagesLog(drawn);
    QVERIFY(pagesLog.open(QIODevice::ReadOnly));
    const QList<QByteArray> begun = pagesLog.readAll().split('\n');
    for (int page = 1; page <= 24; ++page)
        QVERIFY2(begun.contains("Page " + QByteArray::number(page)),
                 qPrintable(QString::number(page)));
    // One cut: one page more than the file's, at most.
    QVERIFY2(begun.size() - 1 <= 24 + 1, begun.join(' ').constData());
    QList<int> percents;
    for (const QList<QVariant> &report : std::as_const(progress)) {
        if (report.at(0).toInt() == 0)
            percents << report.at(1).toInt();
    }
    QVERIFY(!percents.isEmpty());
    QCOMPARE(percents.last(), 100);
    QVERIFY(std::adjacent_find(percents.cbegin(), percents.cend(), std::greater_equal<int>()) ==
            percents.cend());
    env.installTool(u"P2I.exe"_s, u"exec gs \"$@\""_s);
    Runner one(1);
    QVERIFY(one.run({file}));

    const QString expected = one.outcome.folders.value(0);
    const QString split = two.outcome.folders.value(0);
    const QStringList names = Conversion::filesIn(expected);
    QCOMPARE(names.size(), 24 * 5);
    QCOMPARE(Conversion::filesIn(split), names);
    QVERIFY(!QFileInfo::exists(split + u"/.rendering"_s));
    for (const QString &name : names)
        QVERIFY2(contents(split + u'/' + name) == contents(expected + u'/' + name),
                 qPrintable(name));
}

void tst_Engine::rawPagesWaitingAreBounded_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("PNG") << u"PNG"_s;
    QTest::newRow("GIF") << u"GIF"_s;
}

// A renderer faster than the encoders waits for them: the raw pages in the rendering folder never
// outnumber those the room estimate counts, and the images are those of one renderer run a page.
void tst_Engine::rawPagesWaitingAreBounded()
{
    QFETCH(QString, format);
    TestEnvironment env;
    const QString pdf = env.scratch(u"long.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 30));
    QList<int> pages(30);
    std::iota(pages.begin(), pages.end(), 1);
    ConversionJob file = job(0, pdf, pages, format);
    file.dpi = 150;

    const QDir rendering(env.scratch(u"long/.rendering"_s));
    qsizetype most = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout,
                     [&] { most = qMax(most, rendering.entryList({u"*.ppm"_s}).size()); });
    poll.start(1);
    Runner runner(1);
    QVERIFY(runner.run({file}));
    poll.stop();
    QCOMPARE(runner.outcome.finished, QList<int>{0});
    QVERIFY2(most <= EncodeStage::pagesAtOnce() + 1, qPrintable(QString::number(most)));

    const QString folder = runner.outcome.folders.value(0);
    QCOMPARE(Conversion::filesIn(folder).size(), 30);
    QVERIFY(QDir().mkpath(env.scratch(u"alone"_s)));
    for (const int page : {1, 17, 30}) {
        const QString image = folder + u'/' + RenderJob::imageFileName(u"long"_s, page, format);
        QVERIFY2(contents(image) == onePageRun(file, page, env.scratch(u"alone"_s)),
                 qPrintable(image));
    }
}

// Stop ends a renderer that waits for the encoders, and leaves nothing of the file.
void tst_Engine::stopEndsAWaitingRenderer()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, u"echo $$ > '%1'\nexec gs \"$@\""_s.arg(pid));
    const QString pdf = env.scratch(u"long.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 30));
    QList<int> pages(30);
    std::iota(pages.begin(), pages.end(), 1);
    ConversionJob file = job(0, pdf, pages, u"GIF"_s);
    file.dpi = 150;

    Runner runner(1);
    runner.queue.enqueue(file);
    const QDir rendering(env.scratch(u"long/.rendering"_s));
    QTRY_VERIFY_WITH_TIMEOUT(
        rendering.entryList({u"*.ppm"_s}).size() == EncodeStage::pagesAtOnce() + 1, 60000);
    QVERIFY(!Conversion::processGone(pid));
    runner.queue.stop();
    QVERIFY(!runner.queue.isRunning());
    QTRY_VERIFY(Conversion::processGone(pid));
    QVERIFY(!QFileInfo::exists(env.scratch(u"long"_s)));
}

// Stop ends the renderers of every range and leaves nothing of the file.
void tst_Engine::stopEndsEveryRenderer()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(3, pid));
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 8));

    Runner runner;
    runner.queue.enqueue(job(0, pdf, {1, 2, 3, 4, 5, 6, 7, 8}));
    // Pages 1 and 2 of the first range are in place, the second range has ended.
    const QString folder = env.scratch(u"report"_s);
    QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(folder).size(), 6, 60000);
    runner.queue.stop();
    QVERIFY(!runner.queue.isRunning());
    QVERIFY2(!QFileInfo::exists(folder), qPrintable(Conversion::filesIn(folder).join(u' ')));
    QTRY_VERIFY(Conversion::processGone(pid));
}

void tst_Engine::hangingRendererIsStopped()
{
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s,
                    u"case \"$*\" in *hangs.pdf*) exec sleep 60 ;; esac\nexec gs \"$@\""_s);
    const QString hangs = env.scratch(u"hangs.pdf"_s);
    const QString fine = env.scratch(u"fine.pdf"_s);
    QVERIFY(Pdfs::write(hangs, 1));
    QVERIFY(Pdfs::write(fine, 1));

    Runner runner(1, 1);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(runner.run({job(0, hangs, {1}), job(1, fine, {1})}, 30000));
    QVERIFY(clock.elapsed() < 20000);
    QCOMPARE(runner.outcome.kinds.value(0), FileConversion::Failure::Timeout);
    QVERIFY(runner.outcome.failures.value(0).contains(u"1 seconds"_s));
    QCOMPARE(runner.outcome.finished, QList<int>{1});
    QVERIFY(Conversion::filesIn(env.scratch(u"hangs"_s)).isEmpty());
    QVERIFY(!QFileInfo::exists(env.scratch(u"hangs/.rendering"_s)));
}

// The timeout counts from the last page begun, not from the renderer's start.
void tst_Engine::rendererDrawingPagesIsNotStopped()
{
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s, u"gs \"$@\" | while IFS= read -r line; do\n"
                                  "  printf '%s\\n' \"$line\"\n"
                                  "  case $line in Page*) sleep 0.7 ;; esac\n"
                                  "done"_s);
    const QString pdf = env.scratch(u"steady.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 6));

    Runner runner(1, 2);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(runner.run({job(0, pdf, {1, 2, 3, 4, 5, 6})}, 60000));
    QCOMPARE(runner.outcome.failures, (QMap<int, QString>()));
    QCOMPARE(runner.outcome.finished, QList<int>{0});
    QVERIFY2(clock.elapsed() > 3000, "the renderer must outlast its timeout");
    QCOMPARE(Conversion::filesIn(env.scratch(u"steady"_s)).size(), 6);
}

void tst_Engine::stopRemovesWhatTheRunWrote()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(3, pid));
    const QString pdf = env.scratch(u"sep.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 4));
    QVERIFY(QDir().mkpath(env.scratch(u"sep"_s)));

    Runner runner;
    QSignalSpy interrupted(&runner.queue, &ConversionQueue::fileInterrupted);
    runner.queue.enqueue(job(0, pdf, {1, 2, 3, 4}, u"TIFF"_s, u"sep"_s));
    const QString folder = env.scratch(u"sep(1)"_s);
    // Two pages with their colour separations are in place, the third is under way.
    QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(folder).size(), 10, 60000);
    runner.queue.stop();
    QCOMPARE(interrupted.size(), 1);
    QVERIFY2(!QFileInfo::exists(folder), qPrintable(Conversion::filesIn(folder).join(u' ')));
    QVERIFY(QFileInfo(env.scratch(u"sep"_s)).isDir());
    QTRY_VERIFY(Conversion::processGone(pid));
    QVERIFY(!runner.outcome.ended);
}

void tst_Engine::stopEndsTheJoin()
{
    TestEnvironment env;
    env.installTool(u"tiffcp.exe"_s,
                    u"echo $$ > '%1'; exec sleep 60"_s.arg(env.scratch(u"tiffcp.pid"_s)));
    const QString pdf = env.scratch(u"joined.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    ConversionJob file = job(0, pdf, {1, 2}, u"TIFF"_s);
    file.merge = true;

    Runner runner;
    runner.queue.enqueue(file);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(env.scratch(u"tiffcp.pid"_s)), 60000);
    runner.queue.stop();
    QVERIFY(!runner.queue.isRunning());
    QTRY_VERIFY(Conversion::processGone(env.scratch(u"tiffcp.pid"_s)));
    QVERIFY(!QFileInfo::exists(env.scratch(u"joined"_s)));
}

void tst_Engine::pagesStayUntilTheJoinedFileIsInPlace()
{
    TestEnvironment env;
    // The join succeeds, but its file cannot take its name: a folder sits there.
    env.installTool(u"tiffcp.exe"_s, u"mkdir -p ../report.tiff/x\nexec tiffcp \"$@\""_s);
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    ConversionJob file = job(0, pdf, {1, 2}, u"TIFF"_s);
    file.merge = true;

    Runner runner;
    QVERIFY(runner.run({file}));
    QVERIFY(runner.outcome.failures.value(0).contains(u"joined"_s));
    const QStringList left = Conversion::filesIn(env.scratch(u"report"_s));
    QCOMPARE(left, QStringList({u"report1.tiff"_s, u"report2.tiff"_s}));
}

void tst_Engine::fullDiskStopsTheRun()
{
    TestEnvironment env;
    // The renderer cannot finish page 2 of the second file: the disk has no room left.
    env.installTool(u"P2I.exe"_s, u"case \"$*\" in\n"
                                  "*fills.pdf*) gs \"$@\" | sed 's/^Page 2$/   **** Error: Page "
                                  "drawing error occurred.\\nPage 2/' ;;\n"
                                  "*) exec gs \"$@\" ;;\nesac"_s);
    QStringList pdfs;
    // Pages enough for the second file not to share a renderer.
    QList<int> allPages;
    for (int page = 1; page <= SharedRender::mostPages + 1; ++page)
        allPages << page;
    for (const QString &name : {u"done"_s, u"fills"_s, u"later"_s}) {
        pdfs << env.scratch(name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdfs.last(), int(allPages.size())));
    }
    Runner runner(1);
    QSignalSpy stopped(&runner.queue, &ConversionQueue::runStopped);
    QSignalSpy interrupted(&runner.queue, &ConversionQueue::fileInterrupted);
    connect(&runner.queue, &ConversionQueue::fileFinished, this,
            [] { DiskSpace::setAvailableForTests([](const QString &) { return 0; }); });
    for (int row = 0; row < 3; ++row) {
        // Its renderer fails it wherever its page 2 comes: too many pages to share a run.
        ConversionJob file = job(row, pdfs[row], row == 1 ? allPages : QList<int>{1, 2, 3});
        runner.queue.enqueue(file);
    }
    QTRY_COMPARE_WITH_TIMEOUT(stopped.size(), 1, 60000);
    QVERIFY(stopped.first().first().toString().contains(u"full"_s));
    QCOMPARE(interrupted.size(), 1);
    QCOMPARE(interrupted.first().first().toInt(), 1);
    QVERIFY(!runner.queue.isRunning());
    QVERIFY(!runner.outcome.ended);
    QCOMPARE(Conversion::filesIn(env.scratch(u"done"_s)).size(), 3);
    QVERIFY(!QFileInfo::exists(env.scratch(u"fills"_s)));
    QVERIFY(!QFileInfo::exists(env.scratch(u"later"_s)));
    // The files not converted get the same names when they run again.
    QCOMPARE(runner.queue.imageNumber(), 4);
}

void tst_Engine::sharedRunFailsOneFileAlone_data()
{
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<bool>("broken");
    QTest::addColumn<FileConversion::Failure>("kind");
    QTest::addColumn<int>("starts");
    QTest::addColumn<QString>("format");
    const QString crash =
        u"n=0\ngs \"$@\" | while IFS= read -r line; do\n  printf '%s\\n' \"$line\"\n"
        "  case $line in Page*) n=$((n + 1)); [ $n != 3 ] || kill -SEGV 0 ;; esac\ndone"_s;
    // One renderer for all four, going on after the broken one.
    QTest::newRow("broken PDF in the middle")
        << u"exec gs \"$@\""_s << true << FileConversion::Failure::Error << 1 << u"BMP"_s;
    // The same for a renderer the files' encoders pace, one after the other.
    QTest::newRow("broken PDF in the middle, paced")
        << u"exec gs \"$@\""_s << true << FileConversion::Failure::Error << 1 << u"GIF"_s;
    // At its third page the renderer crashes inside the second file; the last two get renderers
    // of their own.
    QTest::newRow("renderer crashes in the middle")
        << crash << false << FileConversion::Failure::Crash << 3 << u"BMP"_s;
    QTest::newRow("renderer crashes in the middle, paced")
        << crash << false << FileConversion::Failure::Crash << 3 << u"GIF"_s;
    // The second file's last page cannot be drawn, as the renderer reports after the page: the
    // run is ended there, and one more renderer renders the last two.
    QTest::newRow("page drawing error in the middle")
        << u"n=0\ngs \"$@\" | while IFS= read -r line; do\n"
           "  case $line in Page*) n=$((n + 1)) ;; *) [ $n != 3 ] || { echo '**** Error: Page "
           "drawing error occurred.'; n=4; } ;; esac\n  printf '%s\\n' \"$line\"\ndone"_s
        << false << FileConversion::Failure::Error << 2 << u"BMP"_s;
}

// Small files share one renderer; the one that fails there fails alone, as in a run of its own,
// and every other file's images are those of its own renderer.
void tst_Engine::sharedRunFailsOneFileAlone()
{
    QFETCH(QString, renderer);
    QFETCH(bool, broken);
    QFETCH(FileConversion::Failure, kind);
    QFETCH(int, starts);
    QFETCH(QString, format);
    TestEnvironment env;
    const QString log = env.scratch(u"starts.log"_s);
    QList<ConversionJob> jobs;
    for (const QString &name : {u"a"_s, u"b"_s, u"c"_s, u"d"_s}) {
        const QString pdf = env.scratch(name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdf, 2));
        jobs << job(int(jobs.size()), pdf, {jobs.size() == 1 ? 1 : 2, 2}, format);
        // Pages the encoders are still at when the shared renderer has ended.
        if (format == u"GIF")
            jobs.last().dpi = 300;
    }
    jobs[0].pages = {1};
    // A resolution of its own, as a size in pixels gives: the run sets it for this file only.
    jobs[2].pageDpi = {{2, QPointF(71.5, 68.25)}};
    if (broken)
        QVERIFY(Pdfs::truncate(jobs[1].sourcePath, jobs[1].sourcePath, 0.3));
    QString alone;
    if (broken) {
        Runner own(1);
        QVERIFY(own.run({jobs[1]}));
        alone = own.outcome.failures.value(1);
        QVERIFY(!alone.isEmpty());
    }
    env.installTool(u"P2I.exe"_s, u"echo >> '%1'\n"_s.arg(log) + renderer);
    Runner runner(1);
    QSignalSpy started(&runner.queue, &ConversionQueue::fileStarted);
    QVERIFY(runner.run(jobs));

    QFile runs(log);
    QVERIFY(runs.open(QIODevice::ReadOnly));
    QCOMPARE(runs.readAll().count('\n'), starts);
    QCOMPARE(runner.outcome.failures.keys(), QList<int>{1});
    // Files end as their encoders do.
    QList<int> finished = runner.outcome.finished;
    std::sort(finished.begin(), finished.end());
    QCOMPARE(finished, QList<int>({0, 2, 3}));
    QCOMPARE(runner.outcome.kinds.value(1), kind);
    if (broken)
        QCOMPARE(runner.outcome.failures.value(1), alone);
    if (broken)
        QVERIFY(Conversion::filesIn(env.scratch(u"b"_s)).isEmpty());
    // Each file is shown its own command.
    for (const QList<QVariant> &report : std::as_const(started)) {
        const QString command = report.at(2).toString();
        QCOMPARE(command.count(u".pdf"_s), 1);
    }
    QVERIFY(QDir().mkpath(env.scratch(u"alone"_s)));
    for (const int row : {0, 2, 3}) {
        const ConversionJob &file = jobs.at(row);
        const QString folder = runner.outcome.folders.value(row);
        const QStringList names = Conversion::filesIn(folder);
        QCOMPARE(names.size(), file.pages.size());
        QVERIFY(!QFileInfo::exists(folder + u"/.rendering"_s));
        for (int index = 0; index < names.size(); ++index)
            QVERIFY2(contents(folder + u'/' + names.at(index)) ==
                         onePageRun(file, file.pages.at(index), env.scratch(u"alone"_s)),
                     qPrintable(names.at(index)));
    }
}

// Stop ends a renderer several files share and leaves nothing of any of them.
void tst_Engine::stopEndsTheSharedRenderer()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(2, pid));
    Runner runner(1);
    for (const QString &name : {u"a"_s, u"b"_s, u"c"_s}) {
        const QString pdf = env.scratch(name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdf, 2));
        runner.queue.enqueue(job(int(name.front().unicode() - u'a'), pdf,
                                 name == u"a" ? QList<int>{1} : QList<int>{1, 2}));
    }
    // The first file is done, the second one's page 2 is under way, the third waits.
    QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(env.scratch(u"b"_s)).size(), 1, 60000);
    QCOMPARE(Conversion::filesIn(env.scratch(u"a"_s)).size(), 1);
    runner.queue.stop();
    QCOMPARE(Conversion::filesIn(env.scratch(u"a"_s)).size(), 1);
    for (const QString &name : {u"b"_s, u"c"_s})
        QVERIFY2(!QFileInfo::exists(env.scratch(name)), qPrintable(name));
    QTRY_VERIFY(Conversion::processGone(pid));
}

QTEST_MAIN(tst_Engine)
#include "tst_engine.moc"
