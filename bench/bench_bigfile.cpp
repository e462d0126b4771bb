// One big file: a generated 200-page PDF at 120 DPI to BMP through the program's real run with
// its default number of parallel jobs, next to one Ghostscript process rendering the whole file
// with the same command line, measured in the same run, in alternating rounds. Two bare
// Ghostscript processes over the two halves show what the machine allows at that moment.
#include "benchsupport.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/ghostscript.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int pageCount = 200;
constexpr int rounds = 5;

// Bare Ghostscript processes side by side, one for each contiguous range of pages.
double bareProcesses(const QString &pdf, const QString &folder, int processes)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    std::vector<std::unique_ptr<QProcess>> running;
    QList<QStringList> commands;
    for (int at = 0; at < processes; ++at) {
        RenderJob job;
        job.format = u"BMP"_s;
        job.colour = u"16m"_s;
        job.dpi = 120;
        job.pages.clear();
        for (int page = pageCount * at / processes + 1; page <= pageCount * (at + 1) / processes;
             ++page)
            job.pages << page;
        job.outputFolder = folder;
        job.imageName = u".bmp"_s;
        job.countPages = true;
        job.countPrefix = QString::number(at + 1) + u'-';
        job.sourcePath = pdf;
        commands << job.arguments();
    }
    const double seconds = Bench::seconds([&] {
        for (const QStringList &arguments : std::as_const(commands)) {
            running.push_back(std::make_unique<QProcess>());
            running.back()->start(u"gs"_s, arguments);
        }
        for (const auto &gs : running) {
            if (!gs->waitForFinished(600000) || gs->exitCode() != 0)
                qFatal("Ghostscript failed");
        }
    });
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

    bareProcesses(pdf, env.scratch(u"warm"_s), 1);
    const int jobs = ConversionQueue::defaultParallelJobs();
    QList<double> program, single, halves, ratio, bareRatio;
    for (int round = 0; round < rounds; ++round) {
        single << bareProcesses(pdf, env.scratch(u"single"_s), 1);
        program << Bench::convertOneInWindow(pdf, pageCount);
        halves << bareProcesses(pdf, env.scratch(u"halves"_s), jobs);
        ratio << program.last() / single.last();
        bareRatio << halves.last() / single.last();
    }

    QTextStream out(stdout);
    out << "pages:                          " << pageCount << " at 120 DPI to BMP, median of "
        << rounds << " rounds\n"
        << "parallel jobs:                  " << jobs << '\n'
        << "program (real run):             " << Bench::median(program) << " s\n"
        << "one gs process, all pages:      " << Bench::median(single) << " s\n"
        << "bare gs processes, one a range: " << Bench::median(halves) << " s\n"
        << "ratio program / one process:    " << Bench::median(ratio) << " (goal: at most 0.6)\n"
        << "ratio bare ranges / one process: " << Bench::median(bareRatio)
        << " (what the machine allows now)\n";
    return 0;
}
