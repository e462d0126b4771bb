// PNG at 150 DPI: the generated PDFs bench_batch converts, through `vezudiri --convert` with its
// default jobs, next to what a user would run instead, two files at a time with GNU parallel: one
// Ghostscript png16m process per file, and `mutool draw` where it is installed; every image on
// /dev/shm, in alternating rounds. The program's PNGs must decode to exactly Ghostscript's pixels,
// and their bytes are totalled against Ghostscript's; a pixel that differs ends the bench. PDFs
// named on the command line are converted instead: pages whose exact size at 150 DPI is not
// Ghostscript's plain one (the program's sizes are pdftoppm's) are left out of the pixel check.
//
// Usage: bench_png [--files N] [--pages N] [--rounds N] [PDF...]
#include "benchsupport.h"
#include "core/engine/ghostscript.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPageSize>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether the tool ran to a good end; mutool's warnings about colour profiles are left out.
bool run(const QString &program, const QStringList &arguments, bool quiet = false)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    if (quiet)
        process.setStandardErrorFile(QProcess::nullDevice());
    else
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    const bool ok = process.waitForFinished(3600000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok)
        QTextStream(stderr) << program << " " << arguments.value(0) << " failed\n";
    return ok;
}

// A fresh, empty folder for one round's images.
QString emptied(const QString &folder)
{
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

// Every PNG below folder, in name order: the page numbers are zero-padded.
QStringList pngsBelow(const QString &folder)
{
    const auto sorted = [](QStringList names) {
        names.sort();
        return names;
    };
    QStringList files;
    const QStringList folders = sorted(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot));
    for (const QString &sub : folders) {
        const QStringList names = sorted(QDir(folder + u'/' + sub).entryList({u"*.png"_s}));
        for (const QString &name : names)
            files << folder + u'/' + sub + u'/' + name;
    }
    const QStringList names = sorted(QDir(folder).entryList({u"*.png"_s}, QDir::Files));
    for (const QString &name : names)
        files << folder + u'/' + name;
    return files;
}

qint64 totalBytes(const QStringList &files)
{
    qint64 bytes = 0;
    for (const QString &file : files)
        bytes += QFileInfo(file).size();
    return bytes;
}

// The decoded pixels of both, as 8-bit RGB.
bool samePixels(const QString &one, const QString &other)
{
    const QImage a = QImage(one).convertToFormat(QImage::Format_RGB888);
    const QImage b = QImage(other).convertToFormat(QImage::Format_RGB888);
    if (a.isNull() || a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.width()) * 3) != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    // The PDFs are drawn with Qt's painter.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption filesOption(u"files"_s, u"PDFs (default 12)."_s, u"N"_s, u"12"_s);
    const QCommandLineOption pagesOption(u"pages"_s, u"Pages each (default 10)."_s, u"N"_s,
                                         u"10"_s);
    const QCommandLineOption roundsOption(u"rounds"_s, u"Rounds (default 3)."_s, u"N"_s, u"3"_s);
    parser.addOptions({filesOption, pagesOption, roundsOption});
    parser.addPositionalArgument(u"PDF"_s, u"PDFs to convert instead of generated ones."_s,
                                 u"[PDF...]"_s);
    parser.process(application);
    const int fileCount = std::max(1, parser.value(filesOption).toInt());
    const int pageCount = std::max(1, parser.value(pagesOption).toInt());
    const int rounds = std::max(1, parser.value(roundsOption).toInt());
    const QString parallel = QStandardPaths::findExecutable(u"parallel"_s);
    if (parallel.isEmpty())
        qFatal("GNU parallel is not installed");
    const bool haveMutool = !QStandardPaths::findExecutable(u"mutool"_s).isEmpty();

    TestEnvironment env;
    const QString program = env.path(u"vezudiri"_s);
    if (!QFile::copy(QStringLiteral(VEZ_APP_DIR "/vezudiri"), program))
        qFatal("could not copy the program");
    QTemporaryDir memory(u"/dev/shm/bench_png-XXXXXX"_s);
    if (!memory.isValid())
        qFatal("no folder on /dev/shm");
    QStringList pdfs;
    for (const QString &given : parser.positionalArguments())
        pdfs << QFileInfo(given).absoluteFilePath();
    const bool generated = pdfs.isEmpty();
    for (int file = 1; generated && file <= fileCount; ++file) {
        pdfs << memory.filePath(u"pdf/file%1.pdf"_s.arg(file, 2, 10, QChar(u'0')));
        // Letter: 150 DPI is a whole number of pixels on it, so the command line's exact sizes
        // are those of the plain resolution the peers are given.
        if (!Pdfs::write(pdfs.last(), pageCount, QPageSize(QPageSize::Letter)))
            qFatal("could not write the PDFs");
    }
    // What the command line asks the renderer for at 150 DPI, given to the others alike.
    RenderJob job;
    job.format = u"PNG"_s;
    job.dpi = 150;
    job.exactDpi = true;
    const QString resolution = QString::number(job.resolution());
    // Every PDF's images in a folder of its own, as the program writes them.
    const QString digits = generated ? QString::number(QString::number(pageCount).size()) : u"4"_s;
    const auto folders = [&pdfs](const QString &folder) {
        for (const QString &pdf : std::as_const(pdfs))
            QDir().mkpath(folder + u'/' + QFileInfo(pdf).completeBaseName());
    };
    const QString ours = memory.filePath(u"vezudiri"_s);
    const QString theirs = memory.filePath(u"gs"_s);
    const QString mutools = memory.filePath(u"mutool"_s);
    const QStringList convert =
        QStringList{u"--convert"_s, u"-f"_s, u"PNG"_s, u"-r"_s, u"150"_s, u"-o"_s, ours} + pdfs;
    const QStringList gs =
        QStringList{u"--will-cite"_s,
                    u"-j2"_s,
                    u"gs"_s,
                    u"-q"_s,
                    u"-sDEVICE=png16m"_s,
                    u"-dSAFER"_s,
                    u"-dBATCH"_s,
                    u"-dNOPAUSE"_s,
                    u"-r"_s + resolution,
                    u"-sOutputFile="_s + theirs + u"/{/.}/{/.}-%0"_s + digits + u"d.png"_s,
                    u"{}"_s,
                    u":::"_s} +
        pdfs;
    const QStringList mutool = QStringList{u"--will-cite"_s, u"-j2"_s, u"mutool"_s,
                                           u"draw"_s,        u"-q"_s,  u"-r"_s,
                                           resolution,       u"-o"_s,  mutools + u"/{/.}/%d.png"_s,
                                           u"{}"_s,          u":::"_s} +
                               pdfs;

    // A failure returns rather than aborts, so that the folder on /dev/shm goes with it.
    bool ran = true;
    QList<double> program_, gs_, mutool_, gsRatio, mutoolRatio;
    for (int round = 0; ran && round < rounds; ++round) {
        emptied(ours);
        folders(emptied(theirs));
        folders(emptied(mutools));
        gs_ << Bench::seconds([&] { ran = run(parallel, gs) && ran; });
        program_ << Bench::seconds([&] { ran = run(program, convert) && ran; });
        gsRatio << program_.last() / gs_.last();
        if (haveMutool) {
            mutool_ << Bench::seconds([&] { ran = run(parallel, mutool, true) && ran; });
            mutoolRatio << program_.last() / mutool_.last();
        }
    }
    if (!ran)
        return 1;

    const QStringList ourImages = pngsBelow(ours);
    const QStringList theirImages = pngsBelow(theirs);
    const qsizetype expected =
        generated ? qsizetype(fileCount) * pageCount : qMax<qsizetype>(1, theirImages.size());
    QTextStream errors(stderr);
    if (ourImages.size() != expected || theirImages.size() != expected) {
        errors << ourImages.size() << " and " << theirImages.size() << " images instead of "
               << expected << "\n";
        return 1;
    }
    qsizetype compared = 0;
    for (qsizetype at = 0; at < expected; ++at) {
        if (!generated &&
            QImageReader(ourImages.at(at)).size() != QImageReader(theirImages.at(at)).size())
            continue;
        ++compared;
        if (!samePixels(ourImages.at(at), theirImages.at(at))) {
            errors << "the pixels of " << ourImages.at(at) << " are not those of "
                   << theirImages.at(at) << "\n";
            return 1;
        }
    }
    const double bytesRatio = double(totalBytes(ourImages)) / double(totalBytes(theirImages));

    QTextStream out(stdout);
    out << "PNG:                              "
        << (generated ? u"%1 PDFs x %2 pages"_s.arg(fileCount).arg(pageCount)
                      : u"%1 PDFs given, %2 pages"_s.arg(pdfs.size()).arg(expected))
        << " at 150 DPI (" << resolution << " to the renderer), " << QThread::idealThreadCount()
        << " cores, default jobs, median of " << rounds << " rounds, images on /dev/shm\n"
        << "gs png16m, parallel -j2:          " << Bench::median(gs_) << " s\n";
    if (haveMutool)
        out << "mutool draw, parallel -j2:        " << Bench::median(mutool_) << " s\n";
    out << "vezudiri --convert:               " << Bench::median(program_) << " s\n"
        << "ratio to gs:                      " << Bench::median(gsRatio)
        << " (goal: at most 0.5)\n";
    if (haveMutool)
        out << "ratio to mutool:                  " << Bench::median(mutoolRatio)
            << " (goal: at most 0.7)\n";
    out << "bytes, ours / gs:                 " << bytesRatio << " (goal: at most 1.05), "
        << compared << " of " << expected << " images compared, all with gs's pixels\n";
    return 0;
}
