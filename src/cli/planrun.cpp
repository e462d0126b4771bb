#include "cli/planrun.h"

#include "cli/printable.h"
#include "cli/runplan.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/planfolder.h"
#include "core/pdf/pdfprobe.h"
#include "core/platform/terminationsignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>
#include <QTimer>

#include <csignal>

#include <algorithm>

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
    Run(const BatchOptions &options, const BatchDefaults &defaults, QTextStream &out,
        QTextStream &err)
        : options(options)
        , defaults(defaults)
        , choices(options.plan)
        , out(out)
        , err(err)
    {}

    int exec();

private:
    bool load(RunPlan &plan);
    int writePlan(const RunPlan &plan);
    QList<ConversionJob> pendingJobs(SliceRun &slice, const ConversionJob &job);
    bool roomChecked(const QList<std::pair<QString, qint64>> &needs);
    void ended(int row, const QString &reason);
    void report(const SliceRun &slice);
    void stopAll(const QString &reason, int stoppedStatus);
    void line(const QString &text);
    void write(const QString &text);

    const BatchOptions &options;
    const BatchDefaults &defaults;
    const PlanChoices &choices;
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

bool Run::load(RunPlan &plan)
{
    if (choices.planIn.isEmpty()) {
        plan = RunPlan::from(BatchPlanner::plan(options, defaults), options, defaults);
        return true;
    }
    QFile file(choices.planIn);
    QString wrong = u"it cannot be read"_s;
    if (file.open(QIODevice::ReadOnly))
        plan = RunPlan::fromJson(file.readAll(), &wrong);
    if (!plan.id.isEmpty())
        return true;
    err << "vezudiri: the plan " << printable(native(choices.planIn))
        << " cannot be converted: " << wrong << '.' << Qt::endl;
    return false;
}

int Run::writePlan(const RunPlan &plan)
{
    const QByteArray json = plan.toJson();
    if (choices.planOut == u"-") {
        out << json;
        out.flush();
        return out.status() == QTextStream::Ok ? 0 : outputClosedStatus;
    }
    QSaveFile file(choices.planOut);
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit()) {
        err << "vezudiri: the plan cannot be written to " << printable(native(choices.planOut))
            << '.' << Qt::endl;
        return 1;
    }
    int images = 0;
    int failing = 0;
    for (const PlanEntry &entry : plan.files) {
        images += int(entry.file.images.size());
        failing += entry.file.failure.isEmpty() ? 0 : 1;
    }
    line(u"planned %1 files (%2 of them cannot be converted), %3 images in %4"_s
             .arg(plan.files.size())
             .arg(failing)
             .arg(images)
             .arg(native(choices.planOut)));
    return 0;
}

// What still has to run of a slice in its planned folder: everything in a folder not made yet;
// with --resume only the images an earlier run of this shard did not complete, in runs of
// consecutive images, each a job of its own.
QList<ConversionJob> Run::pendingJobs(SliceRun &slice, const ConversionJob &job)
{
    const FolderHandle parent = FolderHandle::open(job.parentFolder);
    if (!parent.isOpen())
        return {job};
    switch (PlanFolder::stateOf(parent, job.plannedFolder, job.planId)) {
    case PlanFolder::State::Missing:
        return {job};
    case PlanFolder::State::Foreign:
        slice.reason =
            u"the folder %1 is in the way: this plan did not make it"_s.arg(native(slice.folder));
        return {};
    case PlanFolder::State::Ours:
        break;
    }
    const FolderHandle folder = parent.openFolder(job.plannedFolder);
    ConversionJob pages = job;
    pages.merge = false;
    const QStringList pageNames = pages.imageNames();
    const QStringList names = job.imageNames();
    const int last = job.merge ? job.firstNumber : job.firstNumber + int(names.size()) - 1;
    QList<bool> done;
    for (const QString &name : names)
        done << (folder.kindOf(name) == FolderHandle::Kind::File);
    if (!choices.resume) {
        const QStringList entries = folder.entries();
        const QSet<QString> present(entries.cbegin(), entries.cend());
        bool left = done.contains(true);
        for (int number = job.firstNumber; number <= last && !left; ++number)
            left = present.contains(PlanFolder::renderFolderName(number));
        for (const QString &name : pageNames)
            left = left || (job.merge && present.contains(name));
        if (!left)
            return {job};
        slice.reason = u"an earlier run of this plan left images of these pages in %1; go on "
                       "with --resume"_s.arg(native(slice.folder));
        return {};
    }
    if (!PlanFolder::removeInterrupted(folder, job.firstNumber, last)) {
        slice.reason =
            u"another run converts these pages in %1 on this machine"_s.arg(native(slice.folder));
        return {};
    }
    if (job.merge) {
        if (done.first())
            return {};
        // An interrupted join starts again from its pages.
        for (const QString &name : pageNames)
            folder.remove(name);
        return {job};
    }
    // A copy of a page selected twice is written in place: one cut short is smaller.
    for (int index = 1; index < names.size(); ++index) {
        if (job.pages.at(index) == job.pages.at(index - 1) && done.at(index) &&
            done.at(index - 1) &&
            folder.sizeOf(names.at(index)) != folder.sizeOf(names.at(index - 1))) {
            folder.remove(names.at(index));
            done[index] = false;
        }
    }
    QList<ConversionJob> jobs;
    for (int index = 0; index < names.size();) {
        int end = index;
        while (end < names.size() && !done.at(end))
            ++end;
        if (end > index) {
            ConversionJob rest = job;
            rest.pages = job.pages.mid(index, end - index);
            rest.firstNumber = job.firstNumber + index;
            jobs << rest;
        }
        index = end + 1;
    }
    return jobs;
}

bool Run::roomChecked(const QList<std::pair<QString, qint64>> &needs)
{
    bool fits = true;
    for (const DiskSpace::Volume &volume : DiskSpace::volumes(needs)) {
        if (volume.needed <= volume.available)
            continue;
        fits = false;
        err << "vezudiri: the images need " << QLocale::c().formattedDataSize(volume.needed)
            << " on " << printable(native(volume.root)) << ", where "
            << QLocale::c().formattedDataSize(volume.available) << " is free."
            << (options.force ? "" : " Use --force to convert anyway.") << Qt::endl;
    }
    return fits || options.force;
}

int Run::exec()
{
    clock.start();
    RunPlan plan;
    if (!load(plan))
        return 2;
    if (!choices.planOut.isEmpty())
        return writePlan(plan);
    const QString outputFolder = plan.choices.outputFolder;
    if (!outputFolder.isEmpty() && !QDir().mkpath(outputFolder)) {
        err << "vezudiri: the output folder " << printable(native(outputFolder))
            << " cannot be made." << Qt::endl;
        return 1;
    }

    QStringList passwords = options.passwords;
    if (!defaults.password.isEmpty())
        passwords << defaults.password;
    QList<int> images;
    QList<bool> whole;
    for (const PlanEntry &entry : std::as_const(plan.files)) {
        images << (entry.file.failure.isEmpty() ? int(entry.file.job.pages.size()) : 0);
        // Copies of a page named by its number are told apart by their order in the file.
        const QList<int> &pages = entry.file.job.pages;
        whole << (entry.file.job.merge ||
                  (entry.file.job.namesByPage &&
                   std::adjacent_find(pages.cbegin(), pages.cend()) != pages.cend()));
    }
    QList<ConversionJob> jobs;
    QList<std::pair<QString, qint64>> needs;
    const QList<RunPlans::Slice> cuts =
        RunPlans::shard(images, whole, choices.shard, choices.shards);
    for (const RunPlans::Slice &cut : cuts) {
        const PlanEntry &entry = plan.files.at(cut.file);
        SliceRun slice;
        slice.source = entry.file.source;
        slice.folder = entry.file.folder;
        slice.reason = entry.file.failure;
        if (slice.reason.isEmpty() && choices.planned())
            slice.reason = RunPlans::changedSince(entry);
        ConversionJob job = entry.file.job;
        if (!job.merge) {
            job.pages = job.pages.mid(cut.offset, cut.count);
            job.firstNumber += cut.offset;
        }
        slice.images = int(job.imageNames().size());
        if (slice.reason.isEmpty() && entry.isProtected) {
            // A probe that fails is the reason, not a password that does not open the file.
            PdfProbe::Result probed;
            const auto opens = [&job, &probed](const QString &password) {
                probed = PdfProbe::probe(job.sourcePath, password);
                return probed.outcome != PdfProbe::Outcome::WrongPassword;
            };
            const auto found = std::find_if(passwords.cbegin(), passwords.cend(), opens);
            if (found != passwords.cend() && probed.outcome == PdfProbe::Outcome::Opened)
                job.password = *found;
            else if (found != passwords.cend())
                slice.reason = probed.failure;
            else
                slice.reason = passwords.isEmpty()
                                   ? u"protected by a password, and none was given"_s
                                   : u"protected by a password that none of those given opens"_s;
        }
        QList<ConversionJob> pending;
        if (slice.reason.isEmpty() && choices.planned()) {
            job.plannedFolder = QFileInfo(slice.folder).fileName();
            job.planId = plan.id;
            pending = pendingJobs(slice, job);
        } else if (slice.reason.isEmpty()) {
            pending = {job};
        }
        for (ConversionJob &run : pending) {
            run.row = int(sliceOfRow.size());
            sliceOfRow << int(slices.size());
            pagesOfRow << int(run.pages.size());
            needs.append(
                {run.parentFolder, entry.file.bytes * qMax<qsizetype>(run.pages.size(), 1) /
                                       qMax<qsizetype>(entry.file.job.pages.size(), 1)});
            ++slice.pending;
            jobs << run;
        }
        if (slice.pending == 0) {
            slice.status = slice.reason.isEmpty() ? u"skipped"_s : u"failed"_s;
            if (slice.reason.isEmpty())
                slice.reason = u"converted by an earlier run of this plan"_s;
        }
        slices << slice;
    }
    for (SliceRun &slice : slices) {
        if (!slice.status.isEmpty())
            report(slice);
    }
    if (!roomChecked(needs))
        return 1;

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
            if (!choices.json)
                line(u"cleaned %1: removed %2 image(s) an interrupted run left"_s.arg(folder).arg(
                    removed));
        });
    connect(&queue, &ConversionQueue::runEnded, this, [this] {
        status = std::any_of(slices.cbegin(), slices.cend(),
                             [](const SliceRun &slice) { return slice.status == u"failed"; })
                     ? 1
                     : 0;
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
        status = std::any_of(slices.cbegin(), slices.cend(),
                             [](const SliceRun &slice) { return slice.status == u"failed"; })
                     ? 1
                     : 0;

    int ok = 0;
    int failed = 0;
    int rendered = 0;
    for (const SliceRun &slice : std::as_const(slices)) {
        ok += slice.status == u"ok" ? 1 : 0;
        failed += slice.status == u"failed" ? 1 : 0;
        rendered += slice.rendered;
    }
    const int skipped = int(slices.size()) - ok - failed;
    if (choices.json) {
        const QJsonObject summary{
            {u"summary"_s, true},          {u"shard"_s, choices.shard},
            {u"shards"_s, choices.shards}, {u"plan"_s, plan.id},
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
        slice.reason = choices.planned() ? reason + u"; go on with --resume"_s : reason;
        report(slice);
    }
    QCoreApplication::exit(status);
}

void Run::report(const SliceRun &slice)
{
    const double seconds = slice.clock.isValid() ? double(slice.clock.elapsed()) / 1000 : 0.0;
    if (choices.json) {
        QJsonObject object{{u"file"_s, slice.source},
                           {u"status"_s, slice.status},
                           {u"reason"_s, slice.reason},
                           {u"pages"_s, slice.rendered},
                           {u"images"_s, slice.status == u"failed" ? 0 : slice.images},
                           {u"seconds"_s, seconds},
                           {u"folder"_s, slice.folder}};
        write(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    } else if (slice.status == u"ok") {
        line(u"ok      %1 -> %2"_s.arg(native(slice.source), native(slice.folder)));
    } else {
        line(u"%1 %2: %3"_s.arg(slice.status.leftJustified(7), native(slice.source), slice.reason));
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

int PlanRun::exec(const BatchOptions &options, const BatchDefaults &defaults, QTextStream &out,
                  QTextStream &err)
{
    Run run(options, defaults, out, err);
    return run.exec();
}
