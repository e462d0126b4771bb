// Converting one file: a generated 40-page PDF at 120 DPI to BMP through the program's real run,
// next to (a) a bare loop of one Ghostscript process per page with the same device and
// resolution and (b) one Ghostscript process rendering all 40 pages, measured in the same run,
// in alternating rounds.
#include "benchsupport.h"
#include "core/engine/ghostscript.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pageCount = 40;
constexpr int rounds = 7;

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

double perPageLoop(const QString &pdf, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return Bench::seconds([&] {
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
    return Bench::seconds([&] {
        if (!runGs(jobFor(pdf, folder, pages).arguments()))
            qFatal("Ghostscript failed");
    });
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
        program << Bench::convertOneInWindow(pdf, pageCount);
        loop << perPageLoop(pdf, env.scratch(u"loop"_s));
        toSingle << program.last() / single.last();
        toLoop << program.last() / loop.last();
    }

    QTextStream out(stdout);
    out << "pages:                          " << pageCount << " at 120 DPI to BMP, median of "
        << rounds << " rounds\n"
        << "program (real run):             " << pageCount / Bench::median(program) << " pages/s\n"
        << "(a) one gs process per page:    " << pageCount / Bench::median(loop) << " pages/s\n"
        << "(b) one gs process, all pages:  " << pageCount / Bench::median(single) << " pages/s\n"
        << "ratio program / (a):            " << Bench::median(toLoop) << '\n'
        << "ratio program / (b):            " << Bench::median(toSingle)
        << " (goal: at most 1.15)\n";
    return 0;
}
