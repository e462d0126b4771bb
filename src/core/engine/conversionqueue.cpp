#include "core/engine/conversionqueue.h"

#include "core/engine/rendertasks.h"

#include <QThread>

#include <algorithm>
#include <numeric>

ConversionQueue::ConversionQueue(QObject *parent)
    : QObject(parent)
    , parallelJobs(defaultParallelJobs())
{}

ConversionQueue::~ConversionQueue()
{
    stop();
}

int ConversionQueue::defaultParallelJobs()
{
    return qMax(1, QThread::idealThreadCount());
}

void ConversionQueue::setParallelJobs(int files)
{
    parallelJobs = qMax(1, files);
}

void ConversionQueue::setRendererTimeout(int seconds)
{
    timeoutSeconds = qMax(1, seconds);
}

void ConversionQueue::enqueue(ConversionJob job)
{
    // A planned slice's numbers are the plan's.
    if (job.plannedFolder.isEmpty())
        job.firstNumber = numbers.assign(int(job.pages.size()), job.merge);

    if (!running) {
        running = true;
        filesEnded = 0;
        filesFailed = 0;
    }
    waiting.append(job);
    schedule();
}

// Starting later, from the event loop, keeps every report out of the caller's own code.
void ConversionQueue::schedule()
{
    if (scheduled)
        return;
    scheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scheduled = false;
            startWaiting();
        },
        Qt::QueuedConnection);
}

void ConversionQueue::startWaiting()
{
    while (running && busyWorkers() < parallelJobs && !waiting.isEmpty()) {
        if (const int files = sharing(); files > 1) {
            startShared(files);
            continue;
        }
        // The workers no file waits for render this one's pages too.
        const int renderers = qMax(1, parallelJobs - busyWorkers() - int(waiting.size() - 1));
        conversionFor(waiting.takeFirst())->start(renderers);
    }
    // A worker no file waits for takes pages from the file with the most left.
    while (running && waiting.isEmpty() && busyWorkers() < parallelJobs) {
        QList<int> left;
        for (const FileConversion *conversion : std::as_const(active))
            left << conversion->pagesNotBegun();
        const int most = RenderTasks::mostLeft(left);
        if (most < 0 || !active.at(most)->addRenderer())
            break;
    }
    if (running && active.isEmpty() && waiting.isEmpty() && sharedRuns.isEmpty()) {
        running = false;
        numbers.endRun();
        emit runEnded(filesEnded, filesFailed);
    }
}

int ConversionQueue::sharing() const
{
    if (!SharedRender::sharable(waiting.constFirst()))
        return 1;
    // Every free worker gets its share of what waits, so that none idles at the end.
    const int free = qMax(1, parallelJobs - busyWorkers());
    const int share = qMin(SharedRender::mostFiles, int((waiting.size() + free - 1) / free));
    const QString key = SharedRender::key(waiting.constFirst());
    int files = 1;
    while (files < share && files < waiting.size() && SharedRender::sharable(waiting.at(files)) &&
           SharedRender::key(waiting.at(files)) == key)
        ++files;
    return files;
}

void ConversionQueue::startShared(int files)
{
    QList<FileConversion *> ready;
    for (int taken = 0; taken < files; ++taken) {
        FileConversion *conversion = conversionFor(waiting.takeFirst());
        // One that fails before it renders has reported so already.
        if (conversion->startShared())
            ready << conversion;
    }
    if (ready.isEmpty())
        return;
    auto *run = new SharedRender(timeoutSeconds, this);
    sharedRuns << run;
    connect(run, &SharedRender::ended, this, [this, run] {
        sharedRuns.removeOne(run);
        run->deleteLater();
        schedule();
    });
    run->start(ready);
}

FileConversion *ConversionQueue::conversionFor(const ConversionJob &job)
{
    auto *conversion = new FileConversion(job, timeoutSeconds, this);
    const int row = conversion->job().row;
    active.append(conversion);
    connect(conversion, &FileConversion::started, this,
            [this, row](const QString &folder, const QString &command) {
                emit fileStarted(row, folder, command);
            });
    connect(conversion, &FileConversion::leftoverRemoved, this,
            [this, row](const QString &folder, int images) {
                emit leftoverRemoved(row, folder, images);
            });
    connect(conversion, &FileConversion::progress, this,
            [this, row](int percent) { emit fileProgress(row, percent); });
    connect(conversion, &FileConversion::imageWritten, this,
            [this, row](const QString &path) { emit imageWritten(row, path); });
    connect(conversion, &FileConversion::workerFreed, this, &ConversionQueue::schedule);
    connect(conversion, &FileConversion::finished, this, [this, conversion, row] {
        ended(conversion);
        ++filesEnded;
        emit fileFinished(row);
        schedule();
    });
    connect(conversion, &FileConversion::failed, this,
            [this, conversion, row](const QString &reason, FileConversion::Failure kind) {
                ended(conversion);
                if (kind == FileConversion::Failure::DiskFull) {
                    // The next files would fail one after the other.
                    stopAll({conversion->job()});
                    emit fileInterrupted(row);
                    emit runStopped(reason);
                    return;
                }
                ++filesEnded;
                ++filesFailed;
                emit fileFailed(row, reason, kind);
                schedule();
            });
    return conversion;
}

int ConversionQueue::busyWorkers() const
{
    // A shared run holds one worker for the files it renders.
    const int shared = int(std::count_if(sharedRuns.cbegin(), sharedRuns.cend(),
                                         [](const SharedRender *run) { return run->busy(); }));
    return std::accumulate(
        active.cbegin(), active.cend(), shared,
        [](int sum, const FileConversion *conversion) { return sum + conversion->workers(); });
}

void ConversionQueue::ended(FileConversion *conversion)
{
    active.removeOne(conversion);
    conversion->disconnect(this);
    conversion->deleteLater();
}

void ConversionQueue::stop()
{
    stopAll({});
}

void ConversionQueue::stopAll(const QList<ConversionJob> &alsoUnfinished)
{
    // The interrupted files get the same numbers when they run again.
    QList<ConversionJob> unfinished = alsoUnfinished + waiting;
    for (const FileConversion *conversion : std::as_const(active))
        unfinished.append(conversion->job());
    numbers.endRun();
    for (const ConversionJob &job : std::as_const(unfinished)) {
        if (!job.pages.isEmpty() && job.firstNumber < numbers.next())
            numbers.restartAt(job.firstNumber);
    }
    waiting.clear();
    const QList<FileConversion *> interrupted = active;
    active.clear();
    running = false;
    for (FileConversion *conversion : interrupted) {
        conversion->disconnect(this);
        conversion->abort();
        conversion->deleteLater();
        emit fileInterrupted(conversion->job().row);
    }
}
