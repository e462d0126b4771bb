// Converting: a generated 40-page PDF at 120 DPI to BMP through the program's real run, next to
// (a) a bare loop of one Ghostscript process per page with the same command lines and (b) one
// Ghostscript process rendering all 40 pages, measured in the same run.
#include "engine/rendercommand.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pageCount = 40;

bool runGs(const QStringList &arguments)
{
    QProcess gs;
    gs.start(u"gs"_s, arguments);
    return gs.waitForFinished(120000) && gs.exitCode() == 0;
}

RenderJob jobFor(const QString &pdf, const QString &folder, int page)
{
    RenderJob job;
    job.format = u"BMP"_s;
    job.colour = u"16m"_s;
    job.dpi = 120;
    job.pages = {page};
    job.outputFolder = folder;
    job.imageName = RenderJob::imageFileName(u"page"_s, page, job.format);
    job.sourcePath = pdf;
    return job;
}

double perPageLoop(const QString &pdf, const QString &folder)
{
    QDir().mkpath(folder);
    QElapsedTimer clock;
    clock.start();
    for (int page = 1; page <= pageCount; ++page) {
        if (!runGs(jobFor(pdf, folder, page).arguments()))
            qFatal("Ghostscript failed on page %d", page);
    }
    return clock.nsecsElapsed() / 1e9;
}

double singleProcess(const QString &pdf, const QString &folder)
{
    QDir().mkpath(folder);
    QStringList arguments = jobFor(pdf, folder, 1).arguments();
    arguments.replaceInStrings(u"-dLastPage=1"_s, u"-dLastPage=%1"_s.arg(pageCount));
    arguments.replaceInStrings(QRegularExpression(u"^-sOutputFile=.*"_s),
                               u"-sOutputFile="_s + folder + u"/page%d.bmp"_s);
    QElapsedTimer clock;
    clock.start();
    if (!runGs(arguments))
        qFatal("Ghostscript failed");
    return clock.nsecsElapsed() / 1e9;
}

double programRun(const QString &pdf)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    QElapsedTimer clock;
    clock.start();
    probe.ui()->stratBtn->click();
    if (!QTest::qWaitFor([&probe] { return probe.idle(); }, 600000))
        qFatal("the run did not end");
    const double seconds = clock.nsecsElapsed() / 1e9;
    const QString folder = probe.outputFolders().value(0);
    if (QDir(folder).entryList(QDir::Files).size() != pageCount)
        qFatal("the run did not write %d images", pageCount);
    QDir(folder).removeRecursively();
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    if (!Pdfs::write(pdf, pageCount))
        qFatal("could not write the PDF");

    // Warm up, then alternate the program and the bare loop.
    singleProcess(pdf, env.scratch(u"warm"_s));
    const double loopFirst = perPageLoop(pdf, env.scratch(u"loop1"_s));
    const double program = programRun(pdf);
    const double loopSecond = perPageLoop(pdf, env.scratch(u"loop2"_s));
    const double single = singleProcess(pdf, env.scratch(u"single"_s));
    const double loop = (loopFirst + loopSecond) / 2;

    QTextStream out(stdout);
    out << "pages:                          " << pageCount << " at 120 DPI to BMP\n"
        << "program (real run):             " << pageCount / program << " pages/s\n"
        << "(a) one gs process per page:    " << pageCount / loop << " pages/s\n"
        << "(b) one gs process, all pages:  " << pageCount / single << " pages/s\n"
        << "ratio program / (a):            " << program / loop << " (goal: at most 1.10)\n"
        << "ratio program / (b):            " << program / single << '\n';
    return 0;
}
