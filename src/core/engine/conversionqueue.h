#pragma once

#include "core/engine/conversionjob.h"
#include "core/engine/fileconversion.h"
#include "core/engine/imagenumbers.h"
#include "core/engine/sharedrender.h"

#include <QList>
#include <QObject>

// The conversion run, without a window: up to parallelJobs renderer runs at once, one per file,
// or several for a file's page ranges when fewer files than that are left (a worker that comes
// free takes the later half of the pages not yet begun), or one for several small files in a row
// (SharedRender), reported per row. The
// main window and `vezudiri --convert` both drive it. Image numbers are handed out as files are
// queued (see ImageNumbers).
class ConversionQueue final : public QObject
{
    Q_OBJECT

public:
    explicit ConversionQueue(QObject *parent = nullptr);
    ~ConversionQueue() override;
    Q_DISABLE_COPY_MOVE(ConversionQueue)

    static int defaultParallelJobs();
    void setParallelJobs(int files);
    void setRendererTimeout(int seconds);

    // The first image number of the next file queued.
    int imageNumber() const { return numbers.next(); }
    bool isRunning() const { return running; }

    // Queues the file; a run starts, or goes on, with the event loop's next turn.
    void enqueue(ConversionJob job);
    // Ends every renderer and join now and deletes what the interrupted files' runs wrote; the
    // files not yet begun stay unconverted. Files already finished keep their images.
    void stop();

signals:
    void fileStarted(int row, const QString &outputFolder, const QString &command);
    void fileProgress(int row, int percent);
    void imageWritten(int row, const QString &path);
    void fileFinished(int row);
    void fileFailed(int row, const QString &reason, FileConversion::Failure kind);
    void fileInterrupted(int row);
    // Before the row's file began, an interrupted run's images were removed from folder.
    void leftoverRemoved(int row, const QString &folder, int images);
    // The run is over: every file queued has finished or failed.
    void runEnded(int files, int failed);
    // The run could not go on (the disk is full) and stopped as Stop does.
    void runStopped(const QString &reason);

private:
    void schedule();
    void startWaiting();
    FileConversion *conversionFor(const ConversionJob &job);
    // The waiting files after the first that may share its renderer run: a worker's share.
    int sharing() const;
    void startShared(int files);
    int busyWorkers() const;
    void ended(FileConversion *conversion);
    void stopAll(const QList<ConversionJob> &alsoUnfinished);

    int parallelJobs;
    int timeoutSeconds = 300;
    ImageNumbers numbers;
    bool running = false;
    bool scheduled = false;
    int filesEnded = 0;
    int filesFailed = 0;
    QList<ConversionJob> waiting;
    QList<FileConversion *> active; // in the order they started
    QList<SharedRender *> sharedRuns;
};
