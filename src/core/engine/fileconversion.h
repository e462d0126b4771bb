#pragma once

#include "core/engine/conversionjob.h"
#include "core/engine/folderhandle.h"
#include "core/engine/ghostscript.h"
#include "core/engine/journal.h"

#include <QFutureWatcher>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <atomic>

// One PDF's way through the engine: a fresh folder, one renderer run for all its pages, each
// page named as soon as it is complete, GIF encoding off the GUI thread, the TIFF join. It ends
// in exactly one of finished() or failed(), or silently in abort().
class FileConversion final : public QObject
{
    Q_OBJECT

public:
    enum class Failure { Error, Crash, Timeout, DiskFull };
    Q_ENUM(Failure)

    FileConversion(const ConversionJob &job, int timeoutSeconds, QObject *parent = nullptr);
    ~FileConversion() override;
    Q_DISABLE_COPY_MOVE(FileConversion)

    const ConversionJob &job() const { return input; }
    QString outputFolder() const { return folder; }

    void start();
    // Ends the tools at once and deletes every image this run wrote or began for the file, and
    // its folder when that is then empty. Nothing is reported.
    void abort();

signals:
    void started(const QString &outputFolder, const QString &command);
    void progress(int percent);
    void imageWritten(const QString &path);
    void finished();
    void failed(const QString &reason, FileConversion::Failure kind);
    // An interrupted run's images were found in the way of this file's folder and removed.
    void leftoverRemoved(const QString &folder, int images);

private:
    enum class Stage { Waiting, Rendering, Encoding, Merging, Ended };

    void readOutput(bool atEnd);
    void rendererFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void rendererTimedOut();
    bool completePage(int index);
    bool placeImage(int index, bool fromRenderer);
    bool stillInPlace();
    bool record(const QString &name);
    void encodeNextGif();
    void gifEncoded();
    void afterPages();
    void startMerge();
    void mergeFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void finish();
    void fail(const QString &reason, Failure kind = Failure::Error);
    void discard();
    void endTools();
    void removeRenderFolder();

    bool diskFull() const;
    mode_t fileMode() const;
    QString renderedName(int index) const;
    QStringList separationsOf(const QString &rendered) const;

    ConversionJob input;
    const int timeoutMs;
    Stage stage = Stage::Waiting;

    QList<int> distinctPages;      // what the renderer renders, ascending, each once
    QList<QStringList> imageNames; // the final image names of each distinct page
    QString folder;                // the fresh folder's path, for messages and reports
    QString folderName;
    // Made by this run and used only through these handles from then on.
    FolderHandle parentHandle;
    FolderHandle folderHandle;
    FolderHandle renderHandle;
    // The renderer writes here, inside the file's folder, under the names 1.bmp, 2.bmp, ...
    // (pages written so far); a page leaves it under its final name once it is complete.
    QString renderFolderName;
    Journal journal;
    QString extension;
    RenderJob render;
    QStringList written; // every image placed in the folder, separations included
    int markers = 0;     // "Page " lines seen
    int completed = 0;   // distinct pages given their final names
    int lastPercent = 0;
    QString outputTail;
    QString errorTail;
    bool timedOut = false;

    QProcess renderer;
    QProcess merger;
    QString mergeTarget; // a name in the folder
    QTimer watchdog;

    QList<int> gifQueue; // distinct pages waiting for their GIF
    int encodingPage = -1;
    QFutureWatcher<QString> gifWatcher;
    std::atomic_bool cancelGif{false};
};
