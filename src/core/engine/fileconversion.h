#pragma once

#include "core/engine/completionrecord.h"
#include "core/engine/conversionjob.h"
#include "core/engine/encodestage.h"
#include "core/engine/folderhandle.h"
#include "core/engine/ghostscript.h"
#include "core/engine/journal.h"
#include "core/engine/pageplacer.h"
#include "core/engine/rendertasks.h"
#include "core/engine/slicerecord.h"
#include "core/platform/toolrun.h"

#include <QObject>
#include <QProcess>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// One PDF's way through the engine: a fresh folder, its pages rendered by one renderer run, or by
// several runs of contiguous page ranges side by side, each page named as soon as it is complete,
// GIF encoding off the GUI thread, the TIFF join. It ends in exactly one of finished() or
// failed(), or silently in abort().
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

    // Renders with up to renderers runs at once, each a contiguous range of the pages.
    void start(int renderers = 1);
    // The workers the file holds: its renderer runs still going, or one for what comes after.
    int workers() const;
    // The most pages one of its renderer runs has not begun yet.
    int pagesNotBegun() const;
    // A worker is free: a new renderer run takes the later half of the pages the run with the
    // most of them has not begun, which stops after its own last page. False when too few are
    // left to be worth it.
    bool addRenderer();
    // A shared renderer run (SharedRender) renders the file's pages instead of a run of its own:
    // the file is made ready as by start(), and is told by the run when its part begins, what
    // the renderer printed in it and how it ended.
    bool startShared();
    // The renderer command of the file alone; the handle of the folder it renders into.
    const RenderJob &sharedJob() const;
    int renderFolder() const;
    // Nothing of it begun yet: another run may render it instead.
    bool sharedPartUntouched() const;
    // From now on the process renders the file; its page count goes on from pagesBefore.
    void sharedPartBegins(ToolRun *process, int pagesBefore);
    void sharedOutput(const QString &text);
    // The renderer reached the end of the file's part, or ended as the process did.
    void sharedPartEnded(int exitCode, QProcess::ExitStatus exitStatus, const QByteArray &errors,
                         bool timedOut);
    void sharedRendererNotStarted(const QString &why);

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
    // One of several renderer runs ended well: the file holds one worker fewer.
    void workerFreed();
    // The file gives up its part of a shared renderer run (it failed, or was stopped).
    void rendererAbandoned();

private:
    enum class Stage { Waiting, Rendering, Encoding, Merging, Ended };
    struct RenderRun;

    bool prepare();
    RenderRun &newRun(int range, bool prefixed);
    bool startRun(RenderRun &run, const QString &program);
    void runEnded(RenderRun &run);
    void readOutput(RenderRun &run, const QString &text, bool atEnd);
    void rendererFinished(RenderRun &run, int exitCode, QProcess::ExitStatus exitStatus);
    bool completePage(RenderRun &run);
    bool placeImage(int index, bool fromRenderer);
    bool stillInPlace();
    void encodeNext();
    void pageEncoded(int index, const QString &error);
    int rawPagesHeld() const;
    void pace();
    void afterPages();
    void startMerge();
    void mergeFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void finish();
    void fail(const QString &reason, Failure kind = Failure::Error);
    bool failAfterEncoding(const QString &reason, Failure kind);
    void discard();
    void endRenderers();
    void endTools();
    void removeRenderFolder();

    bool planned() const { return !input.plannedFolder.isEmpty(); }
    bool diskFull() const;
    mode_t fileMode() const;
    QString renderedName(int index) const;
    QString encodedName(int index) const;
    QString encodingFailure(int index, const QString &error) const;
    QStringList separationsOf(const QString &rendered) const;

    ConversionJob input;
    const int timeoutMs;
    Stage stage = Stage::Waiting;
    // A renderer failed while complete pages still waited for their encoding: they are finished
    // first, so that they stay as they would have without the encode stage.
    std::optional<std::pair<QString, Failure>> failureAfterEncoding;

    QList<int> distinctPages;      // what the renderer renders, ascending, each once
    QList<QStringList> imageNames; // the final image names of each distinct page
    QString folder;                // the fresh folder's path, for messages and reports
    QString folderName;
    // Made by this run and used only through these handles from then on.
    FolderHandle parentHandle;
    FolderHandle folderHandle;
    FolderHandle renderHandle;
    // The renderer writes here, inside the file's folder, under the names 1.bmp, 2.bmp, ...
    // (pages written so far; several runs put their own prefix in front); a page leaves it under
    // its final name once it is complete.
    QString renderFolderName;
    Journal journal;
    SliceRecord sliceRecord;    // a planned job's
    PdfIdentity sourceIdentity; // as the renderer began, for the completion record
    PagePlacer placer;          // every image placed in the folder, separations included
    QString extension;
    RenderJob render;        // what every renderer run shares
    QString program;         // the renderer
    bool sharedPart = false; // rendered by a shared run (SharedRender)
    bool announced = false;  // started() was emitted
    RenderTasks tasks;
    std::vector<std::unique_ptr<RenderRun>> runs; // one for each of the tasks' ranges
    QList<int> imagesOf;                          // the images of each distinct page
    int lastPercent = 0;

    ToolRun merger;
    QString mergeTarget; // a name in the folder

    QList<int> encodeQueue;               // distinct pages waiting for the encoders
    std::unique_ptr<EncodeStage> encoder; // for the formats the program encodes
};
