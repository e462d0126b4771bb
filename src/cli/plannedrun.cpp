#include "cli/plannedrun.h"

#include "cli/plancodec.h"
#include "cli/planfile.h"
#include "cli/planner.h"
#include "cli/printable.h"
#include "cli/probing.h"
#include "cli/report.h"
#include "cli/roomcheck.h"
#include "cli/shardcut.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/planfolder.h"
#include "core/engine/planslice.h"
#include "core/pdf/pdfprobe.h"
#include "core/platform/terminationsignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QTimer>

#include <csignal>

#include <algorithm>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int outputClosedStatus = 128 + SIGPIPE;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// One PDF's slice of this run (its images in this shard) and how it ended.
struct SliceRun
{
    QString source;
    QString folder;
    QString status; // ok, failed or skipped; empty until it ends
    QString reason;
    int images = 0;   // the images of the slice
    int rendered = 0; // pages this run converted
    int pending = 0;  // its jobs still to end
    QElapsedTimer clock;
};

class Run final : public QObject
{
public:
    Run(const ConvertOptions &options, const BatchDefaults &defaults, QTextStream &out,
        QTextStream &err)
        : options(options)
        , defaults(defaults)
        , out(out)
        , err(err)
    {}

    int exec();

private:
    std::optional<Plan> load();
    int writePlan(const Plan &plan);
    void ended(int row, const QString &reason);
    void report(const SliceRun &slice);
    void stopAll(const QString &reason, int stoppedStatus);
    void line(const QString &text);
    void write(const QString &text);
    int endStatus() const;

    const ConvertOptions &options;
    const BatchDefaults &defaults;
    QTextStream &out;
    QTextStream &err;
    ConversionQueue queue;
    QList<SliceRun> slices;
    QList<int> sliceOfRow;
    QList<int> pagesOfRow;
    QElapsedTimer clock;
    int status = -1;
    bool outputLost = false;
};

std::optional<Plan> Run::load()
{
    if (options.planIn.isEmpty())
        return Planner::plan(options, defaults);
    QString wrong;
    std::optional<Plan> plan = PlanFile::read(options.planIn, &wrong);
    if (!plan)
        err << "vezudiri: the plan " << printable(native(options.planIn))
            << " cannot be converted: " << printable(wrong) << '.' << Qt::endl;
    return plan;
}

int Run::writePlan(const Plan &plan)
{
    if (options.planOut == u"-") {
        out << PlanCodec::write(plan);
        out.flush();
        return out.status() == QTextStream::Ok ? 0 : outputClosedStatus;
    }
    if (!PlanFile::write(plan, options.planOut)) {
        err << "vezudiri: the plan cannot be written to " << printable(native(options.planOut))
            << '.' << Qt::endl;
        return 1;
    }
    int images = 0;
    int failing = 0;
    for (const PlanEntry &entry : plan.entries) {
        images += int(entry.images.size());
        failing += entry.failure.isEmpty() ? 0 : 1;
    }
    line(u"planned %1 files (%2 of them cannot be converted), %3 images in %4"_s
             .arg(plan.entries.size())
             .arg(failing)
             .arg(images)
             .arg(native(options.planOut)));
    return 0;
}

// The share of an entry's room its pages take.
qint64 shareOf(qint64 bytes, qsizetype pages, qsizetype ofPages)
{
    const qint64 all = qMax<qint64>(ofPages, 1);
    const qint64 some = qMax<qint64>(pages, 1);
    return qMax<qint64>(0, bytes) / all * some + qMax<qint64>(0, bytes) % all * some / all;
}

int Run::endStatus() const
{
    return std::any_of(slices.cbegin(), slices.cend(),
                       [](const SliceRun &slice) { return slice.status == u"failed"; })
               ? 1
               : 0;
}

int Run::exec()
{
    clock.start();
    std::optional<Plan> loaded = load();
    if (!loaded)
        return 2;
    const Plan &plan = *loaded;
    if (!options.planOut.isEmpty())
        return writePlan(plan);

    QStringList passwords = options.passwords;
    if (!defaults.password.isEmpty())
        passwords << defaults.password;
    QList<int> images;
    QList<bool> whole;
    for (const PlanEntry &entry : plan.entries) {
        images << (entry.runs() ? int(entry.job.pages.size()) : 0);
        // Copies of a page named by its number are told apart by their order in the file.
        const QList<int> &pages = entry.job.pages;
        whole << (entry.job.merge ||
                  (entry.job.namesByPage &&
                   std::adjacent_find(pages.cbegin(), pages.cend()) != pages.cend()));
    }
    QList<QList<ConversionJob>> pendingOf;
    QList<std::pair<QString, qint64>> needs;
    QList<int> sliceOfNeed;
    const QDeadlineTimer markWait(PlanFolder::markWaitMs);
    const QList<ShardCut::Slice> cuts =
        ShardCut::slices(images, whole, options.shard, options.shards);
    for (const ShardCut::Slice &cut : cuts) {
        const PlanEntry &entry = plan.entries.at(cut.file);
        SliceRun slice;
        slice.source = entry.source;
        slice.folder = entry.folder;
        slice.reason = entry.failure;
        if (!entry.skipped.isEmpty()) {
            slice.folder = entry.skipped;
            slice.status = u"skipped"_s;
            slice.reason = u"converted already in %1"_s.arg(native(entry.skipped));
            slices << slice;
            pendingOf << QList<ConversionJob>();
            continue;
        }
        if (slice.reason.isEmpty() && options.planned())
            slice.reason = entry.changedSince();
        ConversionJob job = entry.job;
        if (!job.merge) {
            job.pages = job.pages.mid(cut.offset, cut.count);
            job.firstNumber += cut.offset;
        }
        slice.images = int(job.imageNames().size());
        if (slice.reason.isEmpty() && entry.isProtected)
            job.password = Probing::passwordFor(job.sourcePath, passwords, &slice.reason);
        // A plan holds no page boxes: its pixels come from those the PDF has now.
        if (slice.reason.isEmpty() &&
            !Plans::sizePages(job, plan.choices,
                              PdfProbe::probe(job.sourcePath, job.password).boxes)) {
            job.pageDpi.clear();
            if (plan.choices.scale().inPixels())
                slice.reason = u"the sizes of its pages cannot be read"_s;
        }
        QList<ConversionJob> pending;
        if (slice.reason.isEmpty() && options.planned()) {
            job.plannedFolder = QFileInfo(slice.folder).fileName();
            job.planId = PlanCodec::folderMark(plan, cut.file, entry);
            const PlanSlice::Pending rest = PlanSlice::pending(job, options.resume, markWait);
            pending = rest.jobs;
            slice.reason = rest.reason;
        } else if (slice.reason.isEmpty()) {
            pending = {job};
        }
        if (!pending.isEmpty()) {
            qint64 needed = 0;
            for (const ConversionJob &run : std::as_const(pending))
                needed = DiskSpace::sum(
                    needed, shareOf(entry.bytes, run.pages.size(), entry.job.pages.size()));
            needs.append({job.parentFolder, needed});
            sliceOfNeed << int(slices.size());
        }
        slices << slice;
        pendingOf << pending;
    }
    // A slice that cannot fit fails alone; the rest runs when it fits together.
    const RoomCheck room = RoomCheck::of(needs, options.force);
    for (qsizetype need = 0; need < needs.size(); ++need) {
        if (room.failures.at(need).isEmpty())
            continue;
        slices[sliceOfNeed.at(need)].reason = room.failures.at(need);
        pendingOf[sliceOfNeed.at(need)].clear();
    }
    QList<ConversionJob> jobs;
    for (qsizetype index = 0; index < slices.size(); ++index) {
        SliceRun &slice = slices[index];
        for (ConversionJob run : std::as_const(pendingOf.at(index))) {
            run.row = int(sliceOfRow.size());
            sliceOfRow << int(index);
            pagesOfRow << int(run.pages.size());
            ++slice.pending;
            jobs << run;
        }
        if (slice.pending == 0) {
            if (slice.status.isEmpty())
                slice.status = slice.reason.isEmpty() ? u"skipped"_s : u"failed"_s;
            if (slice.reason.isEmpty())
                slice.reason = u"converted by an earlier run of this plan"_s;
            report(slice);
        }
    }
    for (const DiskSpace::Volume &volume : room.volumes) {
        if (volume.needed > volume.available)
            err << "vezudiri: " << printable(Report::shortage(volume, options.force)) << Qt::endl;
    }
    if (room.refused)
        return 1;
    const QString &outputFolder = plan.choices.outputFolder;
    if (!outputFolder.isEmpty() && !QDir().mkpath(outputFolder)) {
        err << "vezudiri: the output folder " << printable(native(outputFolder))
            << " cannot be made." << Qt::endl;
        return 1;
    }

    queue.setParallelJobs(options.jobs > 0 ? options.jobs : defaults.jobs);
    queue.setRendererTimeout(options.timeoutSeconds > 0 ? options.timeoutSeconds
                                                        : defaults.timeoutSeconds);
    connect(&queue, &ConversionQueue::fileStarted, this, [this](int row, const QString &folder) {
        SliceRun &slice = slices[sliceOfRow.at(row)];
        slice.folder = folder;
        if (!slice.clock.isValid())
            slice.clock.start();
    });
    connect(&queue, &ConversionQueue::fileFinished, this, [this](int row) { ended(row, {}); });
    connect(&queue, &ConversionQueue::fileFailed, this,
            [this](int row, const QString &reason) { ended(row, reason); });
    connect(
        &queue, &ConversionQueue::leftoverRemoved, this,
        [this](int, const QString &folder, int removed) {
            if (!options.json)
                line(u"cleaned %1: removed %2 image(s) an interrupted run left"_s.arg(folder).arg(
                    removed));
        });
    connect(&queue, &ConversionQueue::runEnded, this, [this] {
        status = endStatus();
        QCoreApplication::exit(status);
    });
    connect(&queue, &ConversionQueue::runStopped, this,
            [this](const QString &reason) { stopAll(reason, 1); });
    TerminationSignals termination;
    connect(&termination, &TerminationSignals::received, this, [this](int signalNumber) {
        stopAll(u"stopped by signal %1"_s.arg(signalNumber), 128 + signalNumber);
    });
    for (const ConversionJob &job : std::as_const(jobs))
        queue.enqueue(job);
    if (queue.isRunning())
        QCoreApplication::exec();
    else
        status = endStatus();

    int ok = 0;
    int failed = 0;
    int rendered = 0;
    for (const SliceRun &slice : std::as_const(slices)) {
        ok += slice.status == u"ok" ? 1 : 0;
        failed += slice.status == u"failed" ? 1 : 0;
        rendered += slice.rendered;
    }
    const int skipped = int(slices.size()) - ok - failed;
    if (options.json) {
        const QJsonObject summary{
            {u"summary"_s, true},          {u"shard"_s, options.shard},
            {u"shards"_s, options.shards}, {u"plan"_s, plan.id},
            {u"files"_s, slices.size()},   {u"ok"_s, ok},
            {u"failed"_s, failed},         {u"skipped"_s, skipped},
            {u"pages"_s, rendered},        {u"seconds"_s, double(clock.elapsed()) / 1000}};
        write(QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)));
    } else {
        line(u"%1 files converted, %2 failed, %3 pages%4"_s.arg(ok).arg(failed).arg(rendered).arg(
            skipped > 0 ? u", %1 skipped"_s.arg(skipped) : QString()));
    }
    return outputLost ? outputClosedStatus : status;
}

void Run::ended(int row, const QString &reason)
{
    SliceRun &slice = slices[sliceOfRow.at(row)];
    if (reason.isEmpty())
        slice.rendered += pagesOfRow.at(row);
    else if (slice.reason.isEmpty())
        slice.reason = reason;
    if (--slice.pending > 0)
        return;
    slice.status = slice.reason.isEmpty() ? u"ok"_s : u"failed"_s;
    report(slice);
}

// The run cannot go on: the slices not ended fail with the reason; a planned run keeps their
// complete images for --resume.
void Run::stopAll(const QString &reason, int stoppedStatus)
{
    if (status >= 0)
        return;
    status = stoppedStatus;
    queue.stop();
    for (SliceRun &slice : slices) {
        if (!slice.status.isEmpty())
            continue;
        slice.status = u"failed"_s;
        slice.reason = options.planned() ? reason + u"; go on with --resume"_s : reason;
        report(slice);
    }
    QCoreApplication::exit(status);
}

void Run::report(const SliceRun &slice)
{
    const double seconds = slice.clock.isValid() ? double(slice.clock.elapsed()) / 1000 : 0.0;
    if (options.json) {
        QJsonObject object{{u"file"_s, slice.source},
                           {u"status"_s, slice.status},
                           {u"reason"_s, slice.reason},
                           {u"pages"_s, slice.rendered},
                           {u"images"_s, slice.status == u"failed" ? 0 : slice.images},
                           {u"seconds"_s, seconds},
                           {u"folder"_s, slice.folder}};
        write(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    } else {
        line(Report::fileLine(slice.status, slice.source,
                              slice.status == u"ok" ? slice.folder : slice.reason));
    }
}

void Run::line(const QString &text)
{
    write(printable(text));
}

// A write that fails means the reader is gone: the run stops as Stop does.
void Run::write(const QString &text)
{
    if (outputLost)
        return;
    out << text << '\n';
    out.flush();
    if (out.status() == QTextStream::Ok)
        return;
    outputLost = true;
    QTimer::singleShot(0, this, [this] {
        if (status >= 0)
            return;
        status = outputClosedStatus;
        queue.stop();
        QCoreApplication::exit(status);
    });
}

} // namespace

int PlannedRun::exec(const ConvertOptions &options, const BatchDefaults &defaults, QTextStream &out,
                     QTextStream &err)
{
    Run run(options, defaults, out, err);
    return run.exec();
}
