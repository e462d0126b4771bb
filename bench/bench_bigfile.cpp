// One big file: a generated 200-page PDF at 120 DPI to BMP through the program's real run with
// its default number of parallel jobs, next to one Ghostscript process rendering the whole file
// with the same command line, measured in the same run, in alternating rounds.
#include "benchsupport.h"
#include "core/engine/ghostscript.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pageCount = 200;
constexpr int rounds = 5;

double singleProcess(const QString &pdf, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    RenderJob job;
    job.format = u"BMP"_s;
    job.colour = u"16m"_s;
    job.dpi = 120;
    job.pages.clear();
    for (int page = 1; page <= pageCount; ++page)
        job.pages << page;
    job.outputFolder = folder;
    job.imageName = u".bmp"_s;
    job.countPages = true;
    job.sourcePath = pdf;
    const double seconds = Bench::seconds([&job] {
        QProcess gs;
        gs.start(u"gs"_s, job.arguments());
        if (!gs.waitForFinished(600000) || gs.exitCode() != 0)
            qFatal("Ghostscript failed");
    });
    QDir(folder).removeRecursively();
    return seconds;
}

double programRun(const QString &pdf)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    probe.dpiValues()[0] = u"120"_s;
    QTest::qWait(300);
    const double seconds = Bench::seconds([&probe] { Bench::convertInWindow(probe, 600000); });
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
    const QString pdf = env.scratch(u"manual.pdf"_s);
    if (!Pdfs::write(pdf, pageCount))
        qFatal("could not write the PDF");

    singleProcess(pdf, env.scratch(u"warm"_s));
    QList<double> program, single, ratio;
    for (int round = 0; round < rounds; ++round) {
        single << singleProcess(pdf, env.scratch(u"single"_s));
        program << programRun(pdf);
        ratio << program.last() / single.last();
    }

    QTextStream out(stdout);
    out << "pages:                          " << pageCount << " at 120 DPI to BMP, median of "
        << rounds << " rounds\n"
        << "parallel jobs:                  " << ConversionQueue::defaultParallelJobs() << '\n'
        << "program (real run):             " << Bench::median(program) << " s\n"
        << "one gs process, all pages:      " << Bench::median(single) << " s\n"
        << "ratio program / one process:    " << Bench::median(ratio) << " (goal: at most 0.6)\n";
    return 0;
}
