// Converting a batch: 12 generated PDFs of 10 pages each to BMP through the program's real run in
// the window and through `vezudiri --convert`, next to bare Ghostscript, one process per file,
// one file after the other, with the same device and resolution, measured in alternating rounds.
// While the window runs, the memory of the program and of its renderers is sampled. Also the
// start-up time of `vezudiri --convert --help`.
//
// Usage: bench_batch [--dpi N] [--jobs N] [--rounds N]
#include "benchsupport.h"
#include "core/engine/ghostscript.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QProcess>
#include <QTextStream>
#include <QTimer>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int fileCount = 12;
constexpr int pagesPerFile = 10;

double bareGs(const QStringList &pdfs, int dpi, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return Bench::seconds([&] {
        for (const QString &pdf : pdfs) {
            RenderJob job;
            job.format = u"BMP"_s;
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
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
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

struct WindowRun
{
    double seconds = 0;
    qint64 peakProgramKb = 0;
    qint64 peakRenderersKb = 0;
};

void removeImages(const QStringList &folders)
{
    for (const QString &folder : folders) {
        if (QDir(folder).entryList(QDir::Files).size() != pagesPerFile)
            qFatal("the run did not write %d images into %s", pagesPerFile, qPrintable(folder));
        QDir(folder).removeRecursively();
    }
}

WindowRun windowRun(const QStringList &pdfs, int dpi)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add(pdfs);
    for (QString &value : probe.dpiValues())
        value = QString::number(dpi);
    WindowRun run;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&run] {
        const auto [program, renderers] = memoryNow();
        run.peakProgramKb = std::max(run.peakProgramKb, program);
        run.peakRenderersKb = std::max(run.peakRenderersKb, renderers);
    });
    sampler.start(100);
    run.seconds = Bench::seconds([&probe] { Bench::convertInWindow(probe, 3600000); });
    removeImages(probe.outputFolders());
    return run;
}

// The batch command, everything included: start-up, probing, converting.
double commandRun(const QString &program, const QStringList &arguments, const QString &output)
{
    QProcess batch;
    batch.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double seconds = Bench::seconds([&] {
        batch.start(program, arguments);
        if (!batch.waitForFinished(3600000) || batch.exitCode() != 0)
            qFatal("vezudiri --convert failed: %s", batch.readAllStandardOutput().constData());
    });
    QStringList folders;
    const QStringList names = QDir(output).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names)
        folders << output + u'/' + name;
    if (folders.size() != fileCount)
        qFatal("vezudiri --convert wrote %d folders", int(folders.size()));
    removeImages(folders);
    return seconds;
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
    const QCommandLineOption roundsOption(u"rounds"_s, u"Rounds (default 5)."_s, u"N"_s, u"5"_s);
    parser.addOptions({dpiOption, jobsOption, roundsOption});
    parser.process(application);
    const int dpi = parser.value(dpiOption).toInt();
    const int rounds = std::max(1, parser.value(roundsOption).toInt());

    TestEnvironment env;
    if (parser.isSet(jobsOption))
        env.writeConfig(u"parallelJobs"_s, parser.value(jobsOption).toInt());
    const QString program = env.path(u"vezudiri"_s);
    if (!QFile::copy(QStringLiteral(VEZ_APP_DIR "/vezudiri"), program))
        qFatal("could not copy the program");
    QStringList pdfs;
    for (int file = 1; file <= fileCount; ++file) {
        pdfs << env.scratch(u"batch/file%1.pdf"_s.arg(file, 2, 10, QChar(u'0')));
        if (!Pdfs::write(pdfs.last(), pagesPerFile))
            qFatal("could not write the PDFs");
    }
    const QString output = env.scratch(u"out"_s);
    const QStringList arguments =
        QStringList{u"--convert"_s, u"-r"_s, QString::number(dpi), u"-o"_s, output} + pdfs;

    bareGs(pdfs.mid(0, 1), dpi, env.scratch(u"warm"_s));
    QList<double> window, command, bare, windowRatio, commandRatio, help;
    WindowRun peak;
    for (int round = 0; round < rounds; ++round) {
        bare << bareGs(pdfs, dpi, env.scratch(u"bare"_s));
        const WindowRun run = windowRun(pdfs, dpi);
        command << commandRun(program, arguments, output);
        window << run.seconds;
        windowRatio << run.seconds / bare.last();
        commandRatio << command.last() / bare.last();
        peak.peakProgramKb = std::max(peak.peakProgramKb, run.peakProgramKb);
        peak.peakRenderersKb = std::max(peak.peakRenderersKb, run.peakRenderersKb);
    }
    for (int start = 0; start < 10; ++start) {
        help << Bench::seconds([&program] {
            QProcess helpOnly;
            helpOnly.start(program, {u"--convert"_s, u"--help"_s});
            helpOnly.waitForFinished(30000);
        });
    }

    QTextStream out(stdout);
    out << "batch:                            " << fileCount << " PDFs x " << pagesPerFile
        << " pages at " << dpi << " DPI to BMP, " << QThread::idealThreadCount() << " cores, "
        << (parser.isSet(jobsOption) ? parser.value(jobsOption) : u"default"_s)
        << " files at once, median of " << rounds << " rounds\n"
        << "bare gs, one file after another:  " << Bench::median(bare) << " s\n"
        << "window (real run):                " << Bench::median(window) << " s\n"
        << "vezudiri --convert:               " << Bench::median(command) << " s\n"
        << "ratio window / bare gs:           " << Bench::median(windowRatio)
        << " (goal: at most 0.65)\n"
        << "ratio --convert / bare gs:        " << Bench::median(commandRatio)
        << " (goal: at most 0.65)\n"
        << "vezudiri --convert --help:        " << Bench::median(help) * 1000 << " ms\n"
        << "peak memory, window program:      " << peak.peakProgramKb / 1024 << " MiB\n"
        << "peak memory, its renderers:       " << peak.peakRenderersKb / 1024 << " MiB\n";
    return 0;
}
