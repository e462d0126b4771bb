#include "cli/batchconvert.h"

#include "cli/batchplan.h"
#include "cli/batchprogress.h"
#include "cli/planrun.h"
#include "cli/printable.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/ghostscript.h"
#include "core/platform/terminationsignals.h"
#include "core/platform/versionrecord.h"
#include "core/settings/settings.h"
#include "core/settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <functional>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The status of a run whose output was closed, as if SIGPIPE had ended it.
constexpr int outputClosedStatus = 128 + SIGPIPE;

QString native(const QString &path)
{
    return printable(QDir::toNativeSeparators(path));
}

// "1 page", "2 pages".
QString counted(qint64 count, const QString &thing)
{
    return QString::number(count) + u' ' + thing + (count == 1 ? u""_s : u"s"_s);
}

QString bytesText(qint64 bytes)
{
    if (bytes < 0)
        return u"size unknown"_s;
    return u"%1 (%2)"_s.arg(counted(bytes, u"byte"_s), QLocale::c().formattedDataSize(bytes));
}

BatchDefaults storedDefaults()
{
    const AppSettings settings;
    BatchDefaults defaults;
    const QString naming = settings.get(Settings::namingModel);
    if (naming == u"number" || naming == u"template")
        defaults.naming = naming;
    defaults.templateText = settings.get(Settings::namingTemplate);
    if (settings.get(Settings::useDefaultPassword))
        defaults.password = settings.get(Settings::defaultPassword);
    defaults.jobs = settings.parallelJobs();
    defaults.timeoutSeconds = settings.rendererTimeout();
    return defaults;
}

using Verbosity = BatchOptions::Verbosity;

// The run of one batch, reporting to a terminal or a pipe.
class BatchRun final : public QObject
{
public:
    BatchRun(const BatchOptions &options, QTextStream &out, QTextStream &err)
        : options(options)
        , out(out)
        , err(err)
        , bar(isatty(STDOUT_FILENO) == 1 && options.verbosity != Verbosity::Quiet)
    {}

    int exec();

private:
    void printPlan(const BatchPlan &plan);
    bool roomChecked(const BatchPlan &plan);
    int convert(const BatchPlan &plan);
    // Printed unless the run is quieter than `least`.
    void line(const QString &text, Verbosity least = Verbosity::Quiet);
    void drawProgress();
    void checkOutput();
    void watchOutput();

    const BatchOptions &options;
    QTextStream &out;
    QTextStream &err;
    const bool bar;
    QElapsedTimer elapsed;
    int converted = 0;
    int failed = 0;
    int pages = 0;
    int imagesTotal = 0;
    QMap<int, int> imagesDone; // by file
    QMap<int, int> imagesOf;
    bool outputLost = false;
    std::function<void()> whenOutputLost;
};

int BatchRun::exec()
{
    const BatchDefaults defaults = storedDefaults();
    if (options.plan.any())
        return PlanRun::exec(options, defaults, out, err);
    BatchPlan plan = BatchPlanner::plan(options, defaults);
    if (options.dryRun) {
        printPlan(plan);
        if (out.status() != QTextStream::Ok)
            return outputClosedStatus;
        return plan.fits() &&
                       std::all_of(plan.files.cbegin(), plan.files.cend(),
                                   [](const PlannedFile &file) { return file.failure.isEmpty(); })
                   ? 0
                   : 1;
    }
    if (!options.outputFolder.isEmpty() && !QDir().mkpath(options.outputFolder)) {
        err << "vezudiri: the output folder " << native(options.outputFolder) << " cannot be made."
            << Qt::endl;
        return 1;
    }
    if (!roomChecked(plan))
        return 1;

    ConversionQueue queue;
    queue.setParallelJobs(options.jobs > 0 ? options.jobs : defaults.jobs);
    queue.setRendererTimeout(options.timeoutSeconds > 0 ? options.timeoutSeconds
                                                        : defaults.timeoutSeconds);
    elapsed.start();
    for (const PlannedFile &file : std::as_const(plan.files)) {
        if (!file.failure.isEmpty()) {
            ++failed;
            line(u"failed  %1: %2"_s.arg(native(file.source), file.failure));
            continue;
        }
        imagesOf[file.job.row] = int(file.job.pages.size());
        imagesTotal += int(file.job.pages.size());
        queue.enqueue(file.job);
    }
    // Nothing to convert: every PDF failed before it could render.
    int status = queue.isRunning() ? -1 : 1;
    QObject::connect(&queue, &ConversionQueue::fileProgress, this, [this](int row, int percent) {
        imagesDone[row] = imagesOf.value(row) * percent / 100;
        drawProgress();
    });
    QObject::connect(&queue, &ConversionQueue::fileFinished, this, [&](int row) {
        const PlannedFile &file = plan.files.at(row);
        ++converted;
        pages += int(file.job.pages.size());
        imagesDone[row] = imagesOf.value(row);
        line(u"ok      %1 -> %2"_s.arg(native(file.source), native(file.folder)),
             Verbosity::Normal);
    });
    QObject::connect(&queue, &ConversionQueue::imageWritten, this,
                     [this](int, const QString &path) {
                         line(u"image   %1"_s.arg(native(path)), Verbosity::Verbose);
                     });
    QObject::connect(&queue, &ConversionQueue::fileStarted, this,
                     [&](int row, const QString &folder) {
                         // Another program may have taken the planned name in the meantime.
                         plan.files[row].folder = folder;
                     });
    QObject::connect(&queue, &ConversionQueue::leftoverRemoved, this,
                     [&](int, const QString &folder, int images) {
                         line(u"cleaned %1: removed %2 an interrupted run left"_s.arg(
                                  native(folder), counted(images, u"image"_s)),
                              Verbosity::Normal);
                     });
    QObject::connect(&queue, &ConversionQueue::fileFailed, this,
                     [&](int row, const QString &reason) {
                         ++failed;
                         line(u"failed  %1: %2"_s.arg(native(plan.files.at(row).source), reason));
                     });
    QObject::connect(&queue, &ConversionQueue::runEnded, this, [&] {
        status = failed == 0 ? 0 : 1;
        QCoreApplication::exit(status);
    });
    QObject::connect(&queue, &ConversionQueue::runStopped, this, [&](const QString &reason) {
        line(u"stopped %1 The files not converted can be converted again once there is room."_s.arg(
            reason));
        failed += int(plan.files.size()) - converted - failed;
        status = 1;
        QCoreApplication::exit(status);
    });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, this, [&](int signalNumber) {
        queue.stop();
        line(u"stopped by signal %1; the files being converted were stopped and their images "
             u"deleted, the files not begun were left as they were."_s.arg(signalNumber));
        failed += int(plan.files.size()) - converted - failed;
        status = 128 + signalNumber;
        QCoreApplication::exit(status);
    });
    // Nobody reads the lines any more (`| head`): stop as Stop does.
    whenOutputLost = [&] {
        if (status >= 0)
            return;
        queue.stop();
        err << "vezudiri: the output was closed; the files being converted were stopped and "
               "their images deleted, the files not begun were left as they were."
            << Qt::endl;
        status = outputClosedStatus;
        QCoreApplication::exit(status);
    };
    if (outputLost)
        whenOutputLost();
    else
        watchOutput();
    // The time left changes while a long page renders.
    QTimer clock;
    if (bar) {
        QObject::connect(&clock, &QTimer::timeout, this, &BatchRun::drawProgress);
        clock.start(1000);
    }

    if (status < 0)
        QCoreApplication::exec();
    whenOutputLost = nullptr;
    // The bar has done its work: the summary is the last line.
    imagesTotal = 0;
    line(u"%1 converted, %2 failed, %3"_s.arg(counted(converted, u"file"_s))
             .arg(failed)
             .arg(counted(pages, u"page"_s)));
    return outputLost ? outputClosedStatus : status;
}

bool BatchRun::roomChecked(const BatchPlan &plan)
{
    bool fits = true;
    for (const DiskSpace::Volume &volume : plan.volumes) {
        if (volume.needed <= volume.available)
            continue;
        fits = false;
        err << "vezudiri: the images need " << QLocale::c().formattedDataSize(volume.needed)
            << " on " << native(volume.root) << ", where "
            << QLocale::c().formattedDataSize(volume.available) << " is free."
            << (options.force ? "" : " Use --force to convert anyway.") << Qt::endl;
    }
    return fits || options.force;
}

// One line per file and the total; each image with --verbose; only failures with --quiet.
void BatchRun::printPlan(const BatchPlan &plan)
{
    const bool quiet = options.verbosity == Verbosity::Quiet;
    const bool verbose = options.verbosity == Verbosity::Verbose;
    int images = 0;
    qint64 bytes = 0;
    int files = 0;
    for (const PlannedFile &file : plan.files) {
        if (!file.failure.isEmpty()) {
            out << "failed  " << native(file.source) << ": " << printable(file.failure) << '\n';
            continue;
        }
        ++files;
        images += int(file.images.size());
        bytes += qMax<qint64>(0, file.bytes);
        const ConversionJob &job = file.job;
        if (quiet)
            continue;
        out << "convert " << native(file.source) << ": " << job.pages.size() << " of "
            << counted(file.pageCount, u"page"_s) << " -> " << native(file.folder) << ", "
            << bytesText(file.bytes) << '\n';
        if (!verbose)
            continue;
        QStringList sizes;
        for (const int page : job.pages) {
            if (page > file.boxes.size())
                break;
            RenderJob render;
            render.format = job.format;
            render.dpi = job.dpi;
            const PdfInfo::PageBox &box = file.boxes.at(page - 1);
            const QSize pixels =
                DiskSpace::pixelSize(box.points, box.rotation, render.resolution());
            const QString size = u"%1 x %2"_s.arg(pixels.width()).arg(pixels.height());
            if (!sizes.contains(size))
                sizes << size;
        }
        out << "  pixels: " << (sizes.isEmpty() ? u"unknown"_s : sizes.join(u", "_s)) << '\n';
        for (const QString &image : file.images)
            out << "  image: " << native(file.folder + u'/' + image) << '\n';
    }
    out << "total: " << counted(files, u"file"_s) << ", " << counted(images, u"image"_s) << ", "
        << bytesText(bytes) << '\n';
    for (const DiskSpace::Volume &volume : plan.volumes) {
        const bool fits = volume.needed <= volume.available;
        if (quiet && fits)
            continue;
        out << "disk " << native(volume.root) << ": needs " << bytesText(volume.needed) << ", "
            << bytesText(volume.available) << " free: " << (fits ? "fits" : "does not fit") << '\n';
    }
    out.flush();
}

void BatchRun::line(const QString &text, Verbosity least)
{
    if (outputLost || options.verbosity < least)
        return;
    if (bar)
        out << "\r\033[K";
    out << printable(text) << '\n';
    drawProgress();
}

// A write that fails means the reader is gone; the run ends from the event loop, not from
// inside the engine's signal that printed the line.
void BatchRun::checkOutput()
{
    if (outputLost || out.status() == QTextStream::Ok)
        return;
    outputLost = true;
    if (whenOutputLost)
        QTimer::singleShot(0, this, whenOutputLost);
}

// A pipe reports its reader's end at once, not only at the next line, which may come late.
void BatchRun::watchOutput()
{
    struct stat output;
    if (fstat(STDOUT_FILENO, &output) != 0 || !S_ISFIFO(output.st_mode))
        return;
    auto *notifier = new QSocketNotifier(STDOUT_FILENO, QSocketNotifier::Exception, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier] {
        notifier->setEnabled(false);
        outputLost = true;
        if (whenOutputLost)
            whenOutputLost();
    });
}

// A bar on a terminal only; a pipe gets the plain lines.
void BatchRun::drawProgress()
{
    if (!bar || imagesTotal == 0) {
        out.flush();
        checkOutput();
        return;
    }
    int done = 0;
    for (const int images : std::as_const(imagesDone))
        done += images;
    out << "\r\033[K"
        << BatchProgress::line(done, imagesTotal, elapsed.elapsed(),
                               BatchProgress::terminalColumns(STDOUT_FILENO));
    out.flush();
    checkOutput();
}

} // namespace

int BatchConvert::run(int argc, char *argv[])
{
    // A closed output shows as a failed write, which ends the run in order, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"vezudiri"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf16(VersionRecord::current));
    const QString workingFolder = QDir::currentPath();
    QTextStream out(stdout);
    QTextStream err(stderr);
    QFile standardInput;
    standardInput.open(stdin, QIODevice::ReadOnly);

    const BatchCommand command =
        BatchCommandLine::parse(QCoreApplication::arguments(), workingFolder, &standardInput);
    switch (command.kind) {
    case BatchCommand::Help:
    case BatchCommand::Version:
        out << command.text << Qt::endl;
        return 0;
    case BatchCommand::UsageError:
        err << "vezudiri: " << printable(command.text) << "\nTry 'vezudiri --convert --help'."
            << Qt::endl;
        return 2;
    case BatchCommand::Run:
        break;
    }
    // config.ini and bundled tools lie beside the executable, as for the window.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString installedSettings = QDir::current().absoluteFilePath(u"config.ini"_s);
    SettingsFile::select(installedSettings, SettingsFile::keepsOwnFile(installedSettings));
    BatchRun run(command.options, out, err);
    return run.exec();
}
