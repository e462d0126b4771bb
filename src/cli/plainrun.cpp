#include "cli/plainrun.h"

#include "cli/printable.h"
#include "cli/progressbar.h"
#include "cli/report.h"
#include "core/engine/conversionqueue.h"
#include "core/platform/terminationsignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMap>
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

using Report::counted;

using Verbosity = ConvertOptions::Verbosity;

// The run of one batch, reporting to a terminal or a pipe.
class BatchRun final : public QObject
{
public:
    BatchRun(Plan &plan, const RoomCheck &room, const ConvertOptions &options,
             const BatchDefaults &defaults, QTextStream &out, QTextStream &err)
        : plan(plan)
        , room(room)
        , options(options)
        , defaults(defaults)
        , out(out)
        , err(err)
        , bar(isatty(STDOUT_FILENO) == 1 && options.verbosity != Verbosity::Quiet)
    {}

    int exec();

private:
    // Printed unless the run is quieter than `least`.
    void line(const QString &text, Verbosity least = Verbosity::Quiet);
    void drawProgress();
    void checkOutput();
    void watchOutput();

    Plan &plan;
    const RoomCheck &room;
    const ConvertOptions &options;
    const BatchDefaults &defaults;
    QTextStream &out;
    QTextStream &err;
    const bool bar;
    QElapsedTimer elapsed;
    int converted = 0;
    int failed = 0;
    int skipped = 0;
    int pages = 0;
    int imagesTotal = 0;
    QMap<int, int> imagesDone; // by file
    QMap<int, int> imagesOf;
    bool outputLost = false;
    std::function<void()> whenOutputLost;
};

int BatchRun::exec()
{
    for (const DiskSpace::Volume &volume : room.volumes) {
        if (volume.needed > volume.available)
            err << "vezudiri: " << printable(Report::shortage(volume, options.force)) << Qt::endl;
    }
    if (room.refused)
        return 1;
    const QString &outputFolder = plan.choices.outputFolder;
    if (!outputFolder.isEmpty() && !QDir().mkpath(outputFolder)) {
        err << "vezudiri: the output folder " << native(outputFolder) << " cannot be made."
            << Qt::endl;
        return 1;
    }

    ConversionQueue queue;
    queue.setParallelJobs(options.jobs > 0 ? options.jobs : defaults.jobs);
    queue.setRendererTimeout(options.timeoutSeconds > 0 ? options.timeoutSeconds
                                                        : defaults.timeoutSeconds);
    elapsed.start();
    for (const PlanEntry &entry : std::as_const(plan.entries)) {
        if (!entry.failure.isEmpty()) {
            ++failed;
            line(Report::fileLine(u"failed"_s, entry.source, entry.failure));
            continue;
        }
        if (!entry.skipped.isEmpty()) {
            ++skipped;
            line(Report::fileLine(u"skipped"_s, entry.source, entry.skipped), Verbosity::Normal);
            continue;
        }
        ConversionJob job = entry.job;
        job.password = entry.password;
        imagesOf[job.row] = int(job.pages.size());
        imagesTotal += int(job.pages.size());
        queue.enqueue(job);
    }
    // Nothing to convert: every PDF failed before it could render, or was skipped.
    int status = queue.isRunning() ? -1 : (failed > 0 ? 1 : 0);
    QObject::connect(&queue, &ConversionQueue::fileProgress, this, [this](int row, int percent) {
        imagesDone[row] = imagesOf.value(row) * percent / 100;
        drawProgress();
    });
    QObject::connect(&queue, &ConversionQueue::fileFinished, this, [&](int row) {
        const PlanEntry &entry = plan.entries.at(row);
        ++converted;
        pages += int(entry.job.pages.size());
        imagesDone[row] = imagesOf.value(row);
        line(Report::fileLine(u"ok"_s, entry.source, entry.folder), Verbosity::Normal);
    });
    QObject::connect(&queue, &ConversionQueue::imageWritten, this,
                     [this](int, const QString &path) {
                         line(u"image   %1"_s.arg(native(path)), Verbosity::Verbose);
                     });
    QObject::connect(&queue, &ConversionQueue::fileStarted, this,
                     [&](int row, const QString &folder) {
                         // Another program may have taken the planned name in the meantime.
                         plan.entries[row].folder = folder;
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
                         line(Report::fileLine(u"failed"_s, plan.entries.at(row).source, reason));
                     });
    QObject::connect(&queue, &ConversionQueue::runEnded, this, [&] {
        status = failed == 0 ? 0 : 1;
        QCoreApplication::exit(status);
    });
    QObject::connect(&queue, &ConversionQueue::runStopped, this, [&](const QString &reason) {
        line(u"stopped %1 The files not converted can be converted again once there is room."_s.arg(
            reason));
        failed += int(plan.entries.size()) - converted - failed - skipped;
        status = 1;
        QCoreApplication::exit(status);
    });
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, this, [&](int signalNumber) {
        queue.stop();
        line(u"stopped by signal %1; the files being converted were stopped and their images "
             u"deleted, the files not begun were left as they were."_s.arg(signalNumber));
        failed += int(plan.entries.size()) - converted - failed - skipped;
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
    line(u"%1 converted, %2 failed, %3%4"_s.arg(counted(converted, u"file"_s))
             .arg(failed)
             .arg(counted(pages, u"page"_s),
                  skipped > 0 ? u", %1 skipped"_s.arg(skipped) : QString()));
    return outputLost ? outputClosedStatus : status;
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
        << ProgressBar::line(done, imagesTotal, elapsed.elapsed(),
                             ProgressBar::terminalColumns(STDOUT_FILENO));
    out.flush();
    checkOutput();
}

} // namespace

int PlainRun::exec(Plan &plan, const RoomCheck &room, const ConvertOptions &options,
                   const BatchDefaults &defaults, QTextStream &out, QTextStream &err)
{
    BatchRun run(plan, room, options, defaults, out, err);
    return run.exec();
}
