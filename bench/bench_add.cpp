// Adding files: 500 generated PDFs through the program's real probe, next to a bare loop of
// pdfinfo over the same files, measured in the same run.
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

double bareLoop(const QStringList &files)
{
    QElapsedTimer clock;
    clock.start();
    for (const QString &file : files) {
        QProcess pdfinfo;
        pdfinfo.start(u"pdfinfo"_s, {file});
        pdfinfo.waitForFinished(30000);
        pdfinfo.readAllStandardOutput();
        pdfinfo.readAllStandardError();
    }
    return clock.nsecsElapsed() / 1e9;
}

double programAdds(const QStringList &files)
{
    MainWindow window;
    MainWindowProbe probe(window);
    QElapsedTimer clock;
    clock.start();
    probe.add(files);
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (probe.files()->rowCount() != files.size())
        qFatal("only %d of %lld files were added", probe.files()->rowCount(),
               qlonglong(files.size()));
    return seconds;
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

    // Warm the caches once, then alternate, so neither side profits from going second.
    bareLoop(files.mid(0, 50));
    const double bareFirst = bareLoop(files);
    const double program = programAdds(files);
    const double bareSecond = bareLoop(files);
    const double bare = (bareFirst + bareSecond) / 2;

    QTextStream out(stdout);
    out << "files:                     " << fileCount << '\n'
        << "program (probe and list):  " << fileCount / program << " files/s\n"
        << "bare pdfinfo loop:         " << fileCount / bare << " files/s\n"
        << "ratio program / bare:      " << program / bare << " (goal: at most 1.15)\n";
    return 0;
}
