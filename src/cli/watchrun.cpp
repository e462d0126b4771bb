#include "cli/watchrun.h"

#include "cli/dropcheck.h"
#include "cli/outputlayout.h"
#include "cli/outputswap.h"
#include "cli/plan.h"
#include "cli/plancodec.h"
#include "cli/planner.h"
#include "cli/printable.h"
#include "cli/report.h"
#include "core/engine/completionrecord.h"
#include "core/engine/conversionqueue.h"
#include "core/engine/folderhandle.h"
#include "core/platform/folderevents_inotify.h"
#include "core/platform/terminationsignals.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// More PDFs than this waiting are not remembered one by one: a full look finds them later.
constexpr qsizetype mostRemembered = 100000;
// Files looked at in one turn of the event loop, so that signals and events are never held up.
constexpr int looksPerTurn = 256;
// A PDF not complete yet is looked at again at most this far apart.
constexpr qint64 longestWaitMs = 60000;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

class Watch final : public QObject
{
public:
    Watch(const ConvertOptions &options, const WatchSettings &settings,
          const BatchDefaults &defaults, QTextStream &out, QTextStream &err)
        : options(options)
        , settings(settings)
        , defaults(defaults)
        , out(out)
        , err(err)
        , jobs(options.jobs > 0 ? options.jobs : defaults.jobs)
        , completionKey(PlanCodec::optionsKey(options.choices))
    {}

    int exec();

private:
    // A PDF seen, not yet taken.
    struct Seen
    {
        qint64 size = -1;
        qint64 modified = 0;
        qint64 since = 0; // when it was last seen changed
        qint64 nextLook = 0;
        qint64 waitMs = 0;
    };
    struct Converting
    {
        QString source;
        qint64 size = -1;
        qint64 modified = 0;
        FolderHandle parent;
        FolderHandle aside;
        QString target;
        QString staged;
        int images = 0;
        QElapsedTimer clock;
        std::unique_ptr<ConversionQueue> queue;
    };

    bool lockOutput();
    void cleanAside();
    void rescan(const QString &why);
    void consider(const QString &path);
    void look();
    void take(const QString &path);
    void startWaiting();
    void start(const QString &source, const DropCheck::Verdict &verdict);
    void finished(Converting *conversion);
    void failed(Converting *conversion, const QString &reason);
    void end(Converting *conversion);
    void report(const QString &status, const QString &source, const QString &detail, int images = 0,
                double seconds = 0);
    void summary();
    void stop(int signalNumber);
    QString parentFor(const QString &source) const;
    bool isConverted(const QString &source) const;

    const ConvertOptions &options;
    const WatchSettings &settings;
    const BatchDefaults &defaults;
    QTextStream &out;
    QTextStream &err;
    const int jobs;
    const QString completionKey;
    QElapsedTimer clock;
    QTimer looker;
    QHash<QString, Seen> pending;
    QList<QString> ready;
    QSet<QString> readySet;
    bool overfull = false;
    QHash<QString, Converting *> active;
    QHash<QString, qint64> refused; // by path: the modification time it was refused at
    int done = 0;
    int current = 0;
    int failures = 0;
    int refusals = 0;
    int exitStatus = -1;
};

int Watch::exec()
{
    const QString &outputFolder = options.choices.outputFolder;
    if (!QDir().mkpath(outputFolder)) {
        err << "vezudiri: the output folder " << printable(native(outputFolder))
            << " cannot be made." << Qt::endl;
        return 1;
    }
    if (!lockOutput())
        return 1;
    clock.start();
    cleanAside();

    InotifyEvents events;
    connect(&events, &FolderEvents::fileWritten, this, &Watch::consider);
    connect(&events, &FolderEvents::folderAdded, this, [this](const QString &folder) {
        // Files may have come in before the folder was watched.
        QDirIterator below(folder, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (below.hasNext())
            consider(below.next());
    });
    connect(&events, &FolderEvents::overflowed, this, [this] { rescan(u"events were lost"_s); });
    connect(&events, &FolderEvents::problem, this,
            [this](const QString &text) { report(u"refused"_s, QString(), text); });
    for (const QString &root : options.paths)
        events.watchTree(root);

    TerminationSignals signalled(nullptr, {SIGTERM, SIGINT, SIGHUP, SIGUSR1});
    connect(&signalled, &TerminationSignals::received, this, [this](int signalNumber) {
        if (signalNumber == SIGHUP)
            rescan(u"SIGHUP"_s);
        else if (signalNumber == SIGUSR1)
            summary();
        else
            stop(signalNumber);
    });
    QTimer rescanner;
    connect(&rescanner, &QTimer::timeout, this, [this] { rescan(u"its interval"_s); });
    if (settings.rescanSeconds > 0)
        rescanner.start(settings.rescanSeconds * 1000);
    QTimer summaries;
    connect(&summaries, &QTimer::timeout, this, &Watch::summary);
    if (settings.summarySeconds > 0)
        summaries.start(settings.summarySeconds * 1000);
    connect(&looker, &QTimer::timeout, this, &Watch::look);
    looker.start(250);

    if (!options.json)
        out << "watching " << printable(native(options.paths.join(u", "_s))) << " -> "
            << printable(native(outputFolder)) << Qt::endl;
    rescan(u"the start"_s);
    QCoreApplication::exec();
    return exitStatus;
}

// One watch per output folder: two would clean each other's work aside.
bool Watch::lockOutput()
{
    const QByteArray path =
        QFile::encodeName(options.choices.outputFolder + u"/.vezudiri-watch.lock"_s);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true; // held until the process ends
    err << "vezudiri: " << printable(native(options.choices.outputFolder))
        << (fd < 0 ? " cannot be written." : " is already the output of another watch.")
        << Qt::endl;
    if (fd >= 0)
        ::close(fd);
    return false;
}

// What a watch killed while converting left aside is removed before anything else.
void Watch::cleanAside()
{
    QDirIterator below(options.choices.outputFolder,
                       QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    QStringList asides;
    while (below.hasNext()) {
        const QString folder = below.next();
        if (below.fileName() == OutputSwap::asideName)
            asides << folder;
    }
    for (const QString &folder : std::as_const(asides)) {
        const FolderHandle parent = FolderHandle::open(QFileInfo(folder).path());
        const FolderHandle aside = OutputSwap::aside(parent);
        if (aside.isOpen() && OutputSwap::clean(aside) > 0 && !options.json &&
            options.verbosity != ConvertOptions::Verbosity::Quiet)
            out << "cleaned " << printable(native(folder))
                << ": removed what an interrupted watch left" << Qt::endl;
    }
}

void Watch::rescan(const QString &why)
{
    if (options.verbosity == ConvertOptions::Verbosity::Verbose && !options.json)
        out << "looking at the whole trees: " << why << Qt::endl;
    overfull = false;
    for (const QString &root : options.paths) {
        // Links are not followed; hidden entries (uploads under way, the watch's own) are left.
        QDirIterator below(root, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                           QDirIterator::Subdirectories);
        while (below.hasNext())
            consider(below.next());
    }
}

void Watch::consider(const QString &path)
{
    if (!path.endsWith(u".pdf"_s, Qt::CaseInsensitive) ||
        QFileInfo(path).fileName().startsWith(u'.'))
        return;
    if (pending.contains(path))
        return;
    if (pending.size() + ready.size() >= mostRemembered) {
        overfull = true;
        return;
    }
    Seen seen;
    seen.nextLook = clock.elapsed();
    pending.insert(path, seen);
}

// Each PDF seen is looked at once more settle seconds after it last changed; taken when it did
// not change in between and is complete.
void Watch::look()
{
    const qint64 now = clock.elapsed();
    const qint64 settleMs = qint64(settings.settleSeconds) * 1000;
    int looks = 0;
    for (auto seen = pending.begin(); seen != pending.end() && looks < looksPerTurn;) {
        if (seen->nextLook > now) {
            ++seen;
            continue;
        }
        ++looks;
        const QString path = seen.key();
        const DropCheck::Verdict verdict = DropCheck::examine(path, settings.largestBytes);
        if (verdict.kind == DropCheck::Verdict::Gone) {
            seen = pending.erase(seen);
            continue;
        }
        if (verdict.kind == DropCheck::Verdict::Refuse) {
            if (refused.value(path, -1) != verdict.modified) {
                refused.insert(path, verdict.modified);
                ++refusals;
                report(u"refused"_s, path, verdict.reason);
            }
            seen = pending.erase(seen);
            continue;
        }
        const bool unchanged = verdict.size == seen->size && verdict.modified == seen->modified;
        if (!unchanged) {
            seen->size = verdict.size;
            seen->modified = verdict.modified;
            seen->since = now;
            seen->waitMs = settleMs;
        } else if (verdict.kind == DropCheck::Verdict::Wait) {
            // Not complete and not changing: an upload paused, or one given up.
            seen->waitMs = qMin(seen->waitMs * 2, qMax(longestWaitMs, settleMs));
        } else if (now - seen->since >= settleMs) {
            seen = pending.erase(seen);
            take(path);
            continue;
        }
        seen->nextLook = now + seen->waitMs;
        ++seen;
    }
    if (overfull && pending.isEmpty() && ready.isEmpty())
        rescan(u"more PDFs came than were remembered"_s);
    startWaiting();
}

void Watch::take(const QString &path)
{
    // One being converted is looked at again when it ends: changed since, it goes again.
    if (active.contains(path) || readySet.contains(path))
        return;
    ready.append(path);
    readySet.insert(path);
}

void Watch::startWaiting()
{
    while (active.size() < jobs && !ready.isEmpty() && exitStatus < 0) {
        const QString source = ready.takeFirst();
        readySet.remove(source);
        // Looked at again: it may have changed or gone while it waited.
        const DropCheck::Verdict verdict = DropCheck::examine(source, settings.largestBytes);
        if (verdict.kind != DropCheck::Verdict::Take) {
            consider(source);
        } else if (isConverted(source)) {
            // Converted by an earlier run, or a touch that changed nothing the record names.
            ++current;
            if (options.verbosity == ConvertOptions::Verbosity::Verbose)
                report(u"current"_s, source, parentFor(source));
        } else {
            start(source, verdict);
        }
    }
}

QString Watch::parentFor(const QString &source) const
{
    const QString folder = QFileInfo(source).path();
    QString tree;
    for (const QString &root : options.paths) {
        const QString prefix = root.endsWith(u'/') ? root : root + u'/';
        if (folder == QDir::cleanPath(root) || folder.startsWith(prefix)) {
            tree = root;
            break;
        }
    }
    return OutputLayout::parentFolder(options.choices.outputFolder, tree, source,
                                      options.choices.flat);
}

// Whether its folder holds a record of this very PDF converted with these options: what makes a
// watch started again convert each PDF once.
bool Watch::isConverted(const QString &source) const
{
    const QString name = Plans::jobFor(options.choices, source, 0, 0, QString()).baseName;
    const FolderHandle parent = FolderHandle::open(parentFor(source));
    return parent.isOpen() &&
           CompletionRecord::isCurrent(parent, name, PdfIdentity::of(source), completionKey);
}

void Watch::start(const QString &source, const DropCheck::Verdict &verdict)
{
    const QString parentPath = parentFor(source);
    auto *conversion = new Converting;
    conversion->source = source;
    conversion->size = verdict.size;
    conversion->modified = verdict.modified;
    conversion->clock.start();
    active.insert(source, conversion);
    if (!QDir().mkpath(parentPath))
        return failed(conversion, u"the folder %1 cannot be made"_s.arg(native(parentPath)));
    conversion->parent = FolderHandle::open(parentPath);
    conversion->aside = OutputSwap::aside(conversion->parent);
    if (!conversion->aside.isOpen())
        return failed(conversion,
                      u"no folder to render aside can be made in %1"_s.arg(native(parentPath)));

    ConvertOptions one = options;
    one.paths = {source};
    one.choices.outputFolder = conversion->aside.path();
    Plan plan = Planner::plan(one, defaults);
    PlanEntry &entry = plan.entries.first();
    if (!entry.failure.isEmpty())
        return failed(conversion, entry.failure);
    ConversionJob job = entry.job;
    job.completionKey = completionKey; // every watched PDF is kept track of, for restarts
    job.password = entry.password;
    conversion->target = job.baseName;
    conversion->images = int(entry.images.size());
    conversion->queue = std::make_unique<ConversionQueue>();
    ConversionQueue &queue = *conversion->queue;
    queue.setParallelJobs(1);
    queue.setRendererTimeout(options.timeoutSeconds > 0 ? options.timeoutSeconds
                                                        : defaults.timeoutSeconds);
    connect(&queue, &ConversionQueue::fileStarted, this, [conversion](int, const QString &folder) {
        conversion->staged = QFileInfo(folder).fileName();
    });
    connect(&queue, &ConversionQueue::fileFinished, this,
            [this, conversion] { finished(conversion); });
    connect(&queue, &ConversionQueue::fileFailed, this,
            [this, conversion](int, const QString &reason) { failed(conversion, reason); });
    connect(&queue, &ConversionQueue::runStopped, this,
            [this, conversion](const QString &reason) { failed(conversion, reason); });
    queue.enqueue(job);
}

void Watch::finished(Converting *conversion)
{
    const QString &source = conversion->source;
    const DropCheck::Verdict now = DropCheck::examine(source, settings.largestBytes);
    if (now.size != conversion->size || now.modified != conversion->modified) {
        // Replaced while it was converted: these images are of a version that is gone.
        OutputSwap::remove(conversion->aside, conversion->staged);
        end(conversion);
        consider(source);
        return;
    }
    const QString wrong = OutputSwap::swapIn(conversion->aside, conversion->staged,
                                             conversion->parent, conversion->target);
    if (!wrong.isEmpty()) {
        OutputSwap::remove(conversion->aside, conversion->staged);
        return failed(conversion, wrong);
    }
    ++done;
    report(u"ok"_s, source, conversion->parent.filePath(conversion->target), conversion->images,
           double(conversion->clock.elapsed()) / 1000);
    end(conversion);
}

void Watch::failed(Converting *conversion, const QString &reason)
{
    if (conversion->aside.isOpen() && !conversion->staged.isEmpty())
        OutputSwap::remove(conversion->aside, conversion->staged);
    ++failures;
    report(u"failed"_s, conversion->source, reason, 0, double(conversion->clock.elapsed()) / 1000);
    end(conversion);
}

// The queue is deleted once its own signal that ended the file has returned.
void Watch::end(Converting *conversion)
{
    active.remove(conversion->source);
    if (ConversionQueue *queue = conversion->queue.release()) {
        queue->disconnect(this);
        queue->deleteLater();
    }
    delete conversion;
    QTimer::singleShot(0, this, &Watch::startWaiting);
}

void Watch::report(const QString &status, const QString &source, const QString &detail, int images,
                   double seconds)
{
    if (options.json) {
        QJsonObject object{{u"file"_s, source}, {u"status"_s, status}};
        if (status == u"ok")
            object.insert(u"folder"_s, detail);
        else
            object.insert(u"reason"_s, detail);
        object.insert(u"images"_s, images);
        object.insert(u"seconds"_s, seconds);
        out << QJsonDocument(object).toJson(QJsonDocument::Compact) << Qt::endl;
        return;
    }
    if (status == u"ok" && options.verbosity == ConvertOptions::Verbosity::Quiet)
        return;
    out << printable(source.isEmpty() ? u"%1 %2"_s.arg(status.leftJustified(7), detail)
                                      : Report::fileLine(status, source, detail))
        << Qt::endl;
}

void Watch::summary()
{
    const int waiting = int(pending.size() + ready.size());
    if (options.json) {
        const QJsonObject object{{u"summary"_s, true},
                                 {u"ok"_s, done},
                                 {u"current"_s, current},
                                 {u"failed"_s, failures},
                                 {u"refused"_s, refusals},
                                 {u"waiting"_s, waiting},
                                 {u"converting"_s, active.size()}};
        out << QJsonDocument(object).toJson(QJsonDocument::Compact) << Qt::endl;
        return;
    }
    out << "summary " << Report::counted(done, u"file"_s) << " converted, " << current
        << " already converted, " << failures << " failed, " << refusals << " refused, " << waiting
        << " waiting, " << active.size() << " converting" << Qt::endl;
}

// The files being converted are stopped and what they wrote aside removed; they are converted
// when the watch starts again, as is everything that arrives until then.
void Watch::stop(int signalNumber)
{
    exitStatus = 0;
    const QList<Converting *> interrupted = active.values();
    for (Converting *conversion : interrupted) {
        if (conversion->queue) {
            conversion->queue->disconnect(this);
            conversion->queue->stop();
        }
        if (conversion->aside.isOpen() && !conversion->staged.isEmpty())
            OutputSwap::remove(conversion->aside, conversion->staged);
        active.remove(conversion->source);
        delete conversion;
    }
    if (!options.json)
        out << "stopped by signal " << signalNumber << "; " << interrupted.size()
            << " being converted will be converted when the watch starts again" << Qt::endl;
    summary();
    QCoreApplication::exit(0);
}

} // namespace

int WatchRun::exec(const ConvertOptions &options, const WatchSettings &settings,
                   const BatchDefaults &defaults, QTextStream &out, QTextStream &err)
{
    Watch watch(options, settings, defaults, out, err);
    return watch.exec();
}
