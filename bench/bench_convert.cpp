// Converting one file: a generated 40-page PDF at 120 DPI to BMP through the program's real run,
// next to (a) a bare loop of one Ghostscript process per page with the same device and
// resolution and (b) one Ghostscript process rendering all 40 pages, measured in the same run,
// in alternating rounds.
#include "engine/rendercommand.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pageCount = 40;
constexpr int rounds = 3;

bool runGs(const QStringList &arguments)
{
    QProcess gs;
    gs.start(u"gs"_s, arguments);
    return gs.waitForFinished(120000) && gs.exitCode() == 0;
}

RenderJob jobFor(const QString &pdf, const QString &folder, const QList<int> &pages)
{
    RenderJob job;
    job.format = u"BMP"_s;
    job.colour = u"16m"_s;
    job.dpi = 120;
    job.pages = pages;
    job.outputFolder = folder;
    job.imageName = u".bmp"_s;
    job.countPages = true;
    job.sourcePath = pdf;
    return job;
}

double timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e9;
}

double perPageLoop(const QString &pdf, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return timed([&] {
        for (int page = 1; page <= pageCount; ++page) {
            RenderJob job = jobFor(pdf, folder, {page});
            job.imageName = u"page%1.bmp"_s.arg(page);
            job.countPages = false;
            if (!runGs(job.arguments()))
                qFatal("Ghostscript failed on page %d", page);
        }
    });
}

double singleProcess(const QString &pdf, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QList<int> pages;
    for (int page = 1; page <= pageCount; ++page)
        pages << page;
    return timed([&] {
        if (!runGs(jobFor(pdf, folder, pages).arguments()))
            qFatal("Ghostscript failed");
    });
}

double programRun(const QString &pdf)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    const double seconds = timed([&] {
        // The program's own event loop, as in the real window, until the run is over.
        QEventLoop loop;
        QObject::connect(&probe.engine(), &ConversionQueue::runEnded, &loop, &QEventLoop::quit);
        QTimer::singleShot(600000, &loop, [&loop] { loop.exit(1); });
        probe.ui()->stratBtn->click();
        if (loop.exec() != 0)
            qFatal("the run did not end");
    });
    const QString folder = probe.outputFolders().value(0);
    if (QDir(folder).entryList(QDir::Files).size() != pageCount)
        qFatal("the run did not write %d images", pageCount);
    QDir(folder).removeRecursively();
    return seconds;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
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

    singleProcess(pdf, env.scratch(u"warm"_s));
    QList<double> program, loop, single, toSingle, toLoop;
    for (int round = 0; round < rounds; ++round) {
        single << singleProcess(pdf, env.scratch(u"single"_s));
        program << programRun(pdf);
        loop << perPageLoop(pdf, env.scratch(u"loop"_s));
        toSingle << program.last() / single.last();
        toLoop << program.last() / loop.last();
    }

    QTextStream out(stdout);
    out << "pages:                          " << pageCount << " at 120 DPI to BMP, median of "
        << rounds << " rounds\n"
        << "program (real run):             " << pageCount / median(program) << " pages/s\n"
        << "(a) one gs process per page:    " << pageCount / median(loop) << " pages/s\n"
        << "(b) one gs process, all pages:  " << pageCount / median(single) << " pages/s\n"
        << "ratio program / (a):            " << median(toLoop) << '\n'
        << "ratio program / (b):            " << median(toSingle) << " (goal: at most 1.15)\n";
    return 0;
}
