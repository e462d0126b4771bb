// Adding files: 500 generated PDFs through the window, which probes parallelJobs at once, next
// to a bare serial loop of pdfinfo with the same command lines over the same files, measured in
// the same run.
#include "core/pdf/pdfinfo.h"
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

double seconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return clock.nsecsElapsed() / 1e9;
}

void bareLoop(const QStringList &files)
{
    for (const QString &file : files) {
        QProcess pdfinfo;
        pdfinfo.start(u"pdfinfo"_s, PdfInfoCommand::probe(file).command.arguments);
        pdfinfo.waitForFinished(30000);
        pdfinfo.readAllStandardOutput();
        pdfinfo.readAllStandardError();
    }
}

// One round: the files go into one window in two batches of 250, each batch timed right after a
// bare loop over the same files, so a busy moment of the machine weighs on both sides alike.
std::pair<double, double> round(const QStringList &files)
{
    MainWindow window;
    MainWindowProbe probe(window);
    double bare = 0;
    double program = 0;
    for (qsizetype first = 0; first < files.size(); first += 250) {
        const QStringList batch = files.mid(first, 250);
        bare += seconds([&] { bareLoop(batch); });
        program += seconds([&] { probe.add(batch); });
    }
    if (probe.files()->rowCount() != files.size())
        qFatal("only %d of %lld files were added", probe.files()->rowCount(),
               qlonglong(files.size()));
    return {bare, program};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The number of files can be given on the command line; 500 by default.
    const int fileCount = argc > 1 ? QByteArray(argv[1]).toInt() : 500;
    TestEnvironment env;
    QStringList files;
    for (int index = 0; index < fileCount; ++index) {
        files << env.scratch(u"pdfs/document %1.pdf"_s.arg(index, 3, 10, QLatin1Char('0')));
        if (!Pdfs::write(files.last(), 1 + index % 5))
            qFatal("could not write %s", qPrintable(files.last()));
    }

    // Warm the caches once; the median of three rounds is reported.
    bareLoop(files.mid(0, 50));
    QList<double> bare;
    QList<double> program;
    for (int index = 0; index < 3; ++index) {
        const auto [bareSeconds, programSeconds] = round(files);
        bare << bareSeconds;
        program << programSeconds;
    }
    std::sort(bare.begin(), bare.end());
    std::sort(program.begin(), program.end());

    QTextStream out(stdout);
    out << "files:                     " << fileCount << " (median of 3 rounds)\n"
        << "program (probe and list):  " << fileCount / program[1] << " files/s\n"
        << "bare pdfinfo loop:         " << fileCount / bare[1] << " files/s\n"
        << "ratio program / bare:      " << program[1] / bare[1] << " (goal: at most 0.6)\n";
    return 0;
}
