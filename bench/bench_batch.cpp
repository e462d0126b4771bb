// Converting a batch: 12 generated PDFs of 10 pages each to BMP through the program's real run,
// next to bare Ghostscript, one process per file, one file after the other, with the same
// command lines, measured in the same run in alternating rounds. While the program runs, the
// memory of the program and of its renderers is sampled.
//
// Usage: bench_batch [--dpi N] [--jobs N] [--rounds N]
#include "engine/rendercommand.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QEventLoop>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int fileCount = 12;
constexpr int pagesPerFile = 10;

double timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e9;
}

double bareGs(const QStringList &pdfs, int dpi, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return timed([&] {
        for (const QString &pdf : pdfs) {
            RenderJob job;
            job.format = u"BMP"_s;
            job.colour = u"16m"_s;
            job.dpi = dpi;
            job.pages = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
            job.outputFolder = folder;
            job.imageName = QFileInfo(pdf).completeBaseName() + u".bmp"_s;
            job.countPages = true;
            job.sourcePath = pdf;
            QProcess gs;
            gs.start(u"gs"_s, job.arguments());
            if (!gs.waitForFinished(600000) || gs.exitCode() != 0)
                qFatal("Ghostscript failed on %s", qPrintable(pdf));
        }
    });
}

// Resident memory of a process in kilobytes, 0 when it is gone.
qint64 residentKb(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// The program itself and, added up, the renderers it runs at the moment.
std::pair<qint64, qint64> memoryNow()
{
    const qint64 self = getpid();
    qint64 children = 0;
    const QStringList entries = QDir(u"/proc"_s).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        QFile stat(u"/proc/"_s + entry + u"/stat"_s);
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // pid (comm) state ppid ...
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.value(1).toLongLong() == self)
            children += residentKb(entry.toLongLong());
    }
    return {residentKb(self), children};
}

struct ProgramRun
{
    double seconds = 0;
    qint64 peakProgramKb = 0;
    qint64 peakRenderersKb = 0;
};

ProgramRun programRun(const QStringList &pdfs, int dpi)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add(pdfs);
    for (QString &value : probe.dpiValues())
        value = QString::number(dpi);
    ProgramRun run;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&run] {
        const auto [program, renderers] = memoryNow();
        run.peakProgramKb = std::max(run.peakProgramKb, program);
        run.peakRenderersKb = std::max(run.peakRenderersKb, renderers);
    });
    sampler.start(100);
    run.seconds = timed([&] {
        // The program's own event loop, as in the real window, until the run is over.
        QEventLoop loop;
        QObject::connect(&probe.engine(), &ConversionQueue::runEnded, &loop, &QEventLoop::quit);
        QTimer::singleShot(3600000, &loop, [&loop] { loop.exit(1); });
        probe.ui()->stratBtn->click();
        if (loop.exec() != 0)
            qFatal("the run did not end");
    });
    for (const QString &folder : probe.outputFolders()) {
        if (QDir(folder).entryList(QDir::Files).size() != pagesPerFile)
            qFatal("the run did not write %d images into %s", pagesPerFile, qPrintable(folder));
        QDir(folder).removeRecursively();
    }
    return run;
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
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dpiOption(u"dpi"_s, u"Resolution (default 120)."_s, u"N"_s, u"120"_s);
    const QCommandLineOption jobsOption(u"jobs"_s, u"Files at once (default: cores)."_s, u"N"_s);
    const QCommandLineOption roundsOption(u"rounds"_s, u"Rounds (default 3)."_s, u"N"_s, u"3"_s);
    parser.addOptions({dpiOption, jobsOption, roundsOption});
    parser.process(application);
    const int dpi = parser.value(dpiOption).toInt();
    const int rounds = std::max(1, parser.value(roundsOption).toInt());

    TestEnvironment env;
    if (parser.isSet(jobsOption))
        env.writeConfig(u"parallelJobs"_s, parser.value(jobsOption).toInt());
    QStringList pdfs;
    for (int file = 1; file <= fileCount; ++file) {
        pdfs << env.scratch(u"batch/file%1.pdf"_s.arg(file));
        if (!Pdfs::write(pdfs.last(), pagesPerFile))
            qFatal("could not write the PDFs");
    }

    bareGs(pdfs.mid(0, 1), dpi, env.scratch(u"warm"_s));
    QList<double> program, bare, ratio;
    ProgramRun peak;
    for (int round = 0; round < rounds; ++round) {
        bare << bareGs(pdfs, dpi, env.scratch(u"bare"_s));
        const ProgramRun run = programRun(pdfs, dpi);
        program << run.seconds;
        ratio << run.seconds / bare.last();
        peak.peakProgramKb = std::max(peak.peakProgramKb, run.peakProgramKb);
        peak.peakRenderersKb = std::max(peak.peakRenderersKb, run.peakRenderersKb);
    }

    QTextStream out(stdout);
    out << "batch:                          " << fileCount << " PDFs x " << pagesPerFile
        << " pages at " << dpi << " DPI to BMP, " << QThread::idealThreadCount() << " cores, "
        << (parser.isSet(jobsOption) ? parser.value(jobsOption) : u"default"_s)
        << " files at once, median of " << rounds << " rounds\n"
        << "program (real run):             " << median(program) << " s\n"
        << "bare gs, one file after another: " << median(bare) << " s\n"
        << "ratio program / bare gs:        " << median(ratio) << " (goal: at most 0.65)\n"
        << "peak memory, program:           " << peak.peakProgramKb / 1024 << " MiB\n"
        << "peak memory, its renderers:     " << peak.peakRenderersKb / 1024 << " MiB\n";
    return 0;
}
