// Converting many small files: 130 generated one-page PDFs to BMP at 120 DPI through
// `vezudiri --convert` with its default jobs, next to what a user would run instead, two at a time
// with GNU parallel: one Ghostscript per file with the program's own device and resolution, and
// `mutool draw` to PNM where it is installed. Images go to /dev/shm where there is one; rounds
// alternate the tools, each phase's images are removed before the next. The program's BMPs are
// checked byte for byte against those of Ghostscript run on each file alone.
//
// Usage: bench_small [--files N] [--rounds N]
#include "benchsupport.h"
#include "cli/plan.h"
#include "core/engine/ghostscript.h"
#include "core/pdf/pdfinfo.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QPageSize>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int dpi = 120;

void runOrDie(const QString &program, const QStringList &arguments, const char *what)
{
    QProcess process;
    // The peers' notes (mutool's missing colour management) would drown the figures.
    if (program == u"parallel")
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(3600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        qFatal("%s failed", what);
}

// GNU parallel, two at a time, given the PDFs in a list file: a PDF a line, with its renderer
// resolution after a tab for Ghostscript.
double peer(const QString &list, const QStringList &command, const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return Bench::seconds([&] {
        runOrDie(u"parallel"_s,
                 QStringList{u"-j2"_s, u"--colsep"_s, u"\t"_s, u"-a"_s, list} + command,
                 "parallel");
    });
}

// The renderer's resolution option the command line gives a page of these points: pdftoppm's
// pixels, which on some page sizes are not those of the plain resolution.
QString resolutionFor(const QString &pdf)
{
    QProcess pdfinfo;
    pdfinfo.start(u"pdfinfo"_s, {u"-box"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf});
    pdfinfo.waitForFinished();
    ConversionJob job;
    job.pages = {1};
    BatchChoices choices;
    choices.dpi = dpi;
    if (!Plans::sizePages(job, choices, PdfInfo::parsePageBoxes(pdfinfo.readAllStandardOutput())))
        qFatal("no size for a page");
    RenderJob render;
    render.format = u"BMP"_s;
    render.dpi = dpi;
    render.exactDpi = true;
    render.pages = {1};
    render.pageDpi = job.pageDpi;
    for (const QString &option : render.sharedOptions()) {
        if (option.startsWith(u"-r"_s))
            return option;
    }
    qFatal("no resolution option");
}

// Ghostscript as the program runs it for a whole BMP file at this resolution, one per file.
QStringList gsCommand(const QString &folder)
{
    RenderJob job;
    job.format = u"BMP"_s;
    job.dpi = dpi;
    job.exactDpi = true;
    job.pages = {1};
    job.outputFolder = folder;
    job.imageName = u"{1/.}.bmp"_s;
    job.sourcePath = u"{1}"_s;
    QStringList command = QStringList{u"gs"_s} + job.arguments();
    for (QString &argument : command) {
        if (argument.startsWith(u"-r"_s))
            argument = u"{2}"_s;
    }
    return command;
}

// The program's image of each PDF, by the PDF's name; fatal unless there is exactly one each.
QMap<QString, QString> imagesOf(const QString &output, int files)
{
    QMap<QString, QString> images;
    const QStringList folders = QDir(output).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : folders) {
        const QStringList inside = QDir(output + u'/' + name).entryList(QDir::Files);
        if (inside.size() != 1)
            qFatal("%s holds %d images", qPrintable(name), int(inside.size()));
        images[name] = output + u'/' + name + u'/' + inside.first();
    }
    if (images.size() != files)
        qFatal("vezudiri --convert wrote %d folders", int(images.size()));
    return images;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption filesOption(u"files"_s, u"PDFs (default 130)."_s, u"N"_s, u"130"_s);
    const QCommandLineOption roundsOption(u"rounds"_s, u"Rounds (default 3)."_s, u"N"_s, u"3"_s);
    parser.addOptions({filesOption, roundsOption});
    parser.process(application);
    const int files = std::max(1, parser.value(filesOption).toInt());
    const int rounds = std::max(1, parser.value(roundsOption).toInt());
    if (QStandardPaths::findExecutable(u"parallel"_s).isEmpty())
        qFatal("GNU parallel is not installed");
    const bool mutool = !QStandardPaths::findExecutable(u"mutool"_s).isEmpty();

    TestEnvironment env;
    const QString program = env.path(u"vezudiri"_s);
    if (!QFile::copy(QStringLiteral(VEZ_APP_DIR "/vezudiri"), program))
        qFatal("could not copy the program");
    // Pages of several sizes and orientations, each with its own number and drawing.
    const QList<QPageSize> sizes = {QPageSize(QPageSize::A4), QPageSize(QPageSize::Letter),
                                    QPageSize(QPageSize::A5), QPageSize(QPageSize::Legal)};
    QStringList pdfs;
    for (int file = 1; file <= files; ++file) {
        pdfs << env.scratch(u"small/file%1.pdf"_s.arg(file, 3, 10, QChar(u'0')));
        if (!Pdfs::write(pdfs.last(), 1, sizes.at(file % sizes.size())))
            qFatal("could not write the PDFs");
    }
    QStringList lines;
    for (const QString &pdf : std::as_const(pdfs)) {
        const int size = int(lines.size() % sizes.size());
        lines << pdf + u'\t' +
                     (lines.size() < sizes.size() ? resolutionFor(pdf)
                                                  : lines.at(size).section(u'\t', 1));
    }
    const QString list = env.scratch(u"pdfs.txt"_s);
    QFile listFile(list);
    if (!listFile.open(QIODevice::WriteOnly) || listFile.write(lines.join(u'\n').toUtf8()) < 0)
        qFatal("could not write the list of PDFs");
    listFile.close();

    QTemporaryDir shm(QDir(u"/dev/shm"_s).exists() ? u"/dev/shm/bench_small-XXXXXX"_s
                                                   : env.scratch(u"images-XXXXXX"_s));
    if (!shm.isValid())
        qFatal("no folder for the images");
    const QString output = shm.filePath(u"program"_s);
    const QString bareFolder = shm.filePath(u"gs"_s);
    const QString mutoolFolder = shm.filePath(u"mutool"_s);
    const QStringList arguments =
        QStringList{u"--convert"_s,       u"-q"_s, u"-f"_s, u"BMP"_s, u"-r"_s,
                    QString::number(dpi), u"-o"_s, output} +
        pdfs;
    const QStringList mutoolCommand = {u"mutool"_s,
                                       u"draw"_s,
                                       u"-q"_s,
                                       u"-r"_s,
                                       u"120"_s,
                                       u"-o"_s,
                                       mutoolFolder + u"/{1/.}-%d.pnm"_s,
                                       u"{1}"_s};
    const auto programRun = [&] {
        QDir(output).removeRecursively();
        return Bench::seconds([&] { runOrDie(program, arguments, "vezudiri --convert"); });
    };

    // Untimed: the first touch of the files and of the memory.
    programRun();
    peer(list, gsCommand(bareFolder), bareFolder);
    const QMap<QString, QString> images = imagesOf(output, files);
    int identical = 0;
    for (auto it = images.cbegin(); it != images.cend(); ++it) {
        const QByteArray alone = bytesOf(bareFolder + u'/' + it.key() + u".bmp"_s);
        if (alone.isEmpty() || alone != bytesOf(it.value()))
            qFatal("%s differs from Ghostscript's image of that file alone", qPrintable(it.key()));
        ++identical;
    }

    QList<double> mine, bare, withMutool, bareRatio, mutoolRatio;
    for (int round = 0; round < rounds; ++round) {
        bare << peer(list, gsCommand(bareFolder), bareFolder);
        QDir(bareFolder).removeRecursively();
        mine << programRun();
        imagesOf(output, files);
        QDir(output).removeRecursively();
        bareRatio << mine.last() / bare.last();
        if (mutool) {
            withMutool << peer(list, mutoolCommand, mutoolFolder);
            QDir(mutoolFolder).removeRecursively();
            mutoolRatio << mine.last() / withMutool.last();
        }
    }

    QTextStream out(stdout);
    out << "small files:                      " << files << " one-page PDFs at " << dpi
        << " DPI to BMP, " << QThread::idealThreadCount() << " cores, default jobs, median of "
        << rounds << " rounds\n"
        << "BMPs identical to gs alone:       " << identical << " of " << files << "\n"
        << "parallel -j2 gs, one per file:    " << Bench::median(bare) << " s\n"
        << "vezudiri --convert:               " << Bench::median(mine) << " s\n"
        << "ratio --convert / parallel gs:    " << Bench::median(bareRatio)
        << " (goal: at most 0.35)\n";
    if (mutool)
        out << "parallel -j2 mutool draw (PNM):   " << Bench::median(withMutool) << " s\n"
            << "ratio --convert / parallel mutool: " << Bench::median(mutoolRatio)
            << " (goal: at most 1.0)\n";
    else
        out << "mutool is not installed: no comparison with it\n";
    return 0;
}
