#include "core/engine/fileconversion.h"

#include "core/engine/diskspace.h"
#include "core/engine/outputfolder.h"
#include "core/engine/planfolder.h"
#include "core/engine/tiffpages.h"
#include "core/platform/tools.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString joinedName = u"joined.tiff"_s;
// A name in the folder the run works in, safe from being read as a tool's option.
QString relative(const QString &name)
{
    return u"./"_s + name;
}

// Why a call on a folder failed, in the system's words (permission denied, read-only file
// system, no space left on device).
QString causeOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error != 0 ? error : EINVAL)).toLower();
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Ghostscript's separated TIFF writes "<stem>(<colour>).tiff" beside "<stem>.tiff".
QString separationStem(const QString &fileName)
{
    return fileName.left(fileName.lastIndexOf(u'.'));
}

// A second name in the rendering folder for a page of the join, which only this run can write:
// a page that is no longer the regular file of the user's own that the run wrote, a link or a
// file linked in from elsewhere, is refused.
bool linkedPage(const FolderHandle &folder, const QString &page, const FolderHandle &rendering,
                const QString &name)
{
    if (!folder.link(page, rendering, name))
        return false;
    const int fd = rendering.openFile(name, O_RDONLY | O_NONBLOCK);
    struct stat status = {};
    const bool ok = fd >= 0 && ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                    status.st_uid == ::geteuid() && status.st_nlink == 2;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

// The room a run needs counts the encoded images and this many raw pages beside them: those under
// encoding and one more.
int rawPagesAtMost()
{
    return EncodeStage::pagesAtOnce() + 1;
}

// Paced renderers that all wait, each after a page not known to be complete yet, leave room for
// one more page only when there are fewer of them than raw pages may wait.
int pacedRenderersAtMost()
{
    return rawPagesAtMost() - 1;
}

} // namespace

// One renderer run: the range of the file's distinct pages the tasks give it.
struct FileConversion::RenderRun
{
    int range = 0;        // in the tasks
    ToolRun own;          // its watchdog: no new page for too long
    ToolRun *tool = &own; // or the process of a shared run, once it renders this file
    RenderJob render;
    QString outputTail;
    int allowed = 1;       // a paced run: the pages it may write in all, the first without asking
    bool released = false; // a paced shared run: let on past this file's last page
    // A shared run counts on from the pages of the files before this one.
    int pagesBefore = 0;
    bool shared = false;
    // How a shared run's process was while it rendered this file.
    QByteArray errors;
    bool sharedTimedOut = false;

    QString lastErrorLine() const
    {
        return shared ? ToolRun::lastLineOf(errors) : own.lastErrorLine();
    }
    bool timedOut() const { return shared ? sharedTimedOut : own.timedOut(); }
    // The name its local-th page (from 0) is written under in the rendering folder.
    QString rendered(int local) const
    {
        return render.countPrefix + QString::number(pagesBefore + local + 1) + render.imageName;
    }
};

FileConversion::FileConversion(const ConversionJob &job, int timeoutSeconds, QObject *parent)
    : QObject(parent)
    , input(job)
    , timeoutMs(qMax(1, timeoutSeconds) * 1000)
    , placer(folderHandle, renderHandle, journal, sliceRecord)
{
    connect(&placer, &PagePlacer::imageWritten, this, &FileConversion::imageWritten);
    connect(&merger, &ToolRun::ended, this, &FileConversion::mergeFinished);
    connect(&merger, &ToolRun::failedToStart, this, [this] {
        if (stage == Stage::Merging)
            mergeFinished(-1, QProcess::CrashExit);
    });
}

FileConversion::~FileConversion()
{
    abort();
}

void FileConversion::start(int renderers)
{
    if (!prepare())
        return;
    // Contiguous ranges of nearly equal length, each run with names of its own.
    tasks.split(int(distinctPages.size()),
                render.paced ? qMin(renderers, pacedRenderersAtMost()) : renderers);
    QStringList commands;
    for (int range = 0; range < tasks.size(); ++range)
        commands << newRun(range, tasks.size() > 1).render.text();
    emit started(folder, commands.join(u'\n'));
    for (const auto &run : runs) {
        if (stage != Stage::Rendering || !startRun(*run, program))
            return;
    }
}

bool FileConversion::startShared()
{
    sharedPart = true;
    if (!prepare())
        return false;
    tasks.split(int(distinctPages.size()), 1);
    newRun(0, false);
    return true;
}

const RenderJob &FileConversion::sharedJob() const
{
    return runs.front()->render;
}

int FileConversion::renderFolder() const
{
    return renderHandle.descriptor();
}

bool FileConversion::sharedPartUntouched() const
{
    const RenderTasks::Range &range = tasks[0];
    return stage == Stage::Rendering && range.begun == 0 && range.completed == 0;
}

void FileConversion::sharedPartBegins(ToolRun *process, int pagesBefore)
{
    RenderRun &run = *runs.front();
    run.tool = process;
    run.shared = true;
    run.pagesBefore = pagesBefore;
    run.outputTail.clear();
    run.errors.clear();
    run.allowed = 1;
    run.released = false;
    if (!announced) {
        announced = true;
        // The file's own command, as it runs when it renders alone.
        emit started(folder, run.render.text());
    }
    if (run.render.paced)
        pace();
}

void FileConversion::sharedOutput(const QString &text)
{
    if (stage == Stage::Rendering)
        readOutput(*runs.front(), text, false);
}

void FileConversion::sharedPartEnded(int exitCode, QProcess::ExitStatus exitStatus,
                                     const QByteArray &errors, bool timedOut)
{
    RenderRun &run = *runs.front();
    run.errors = errors;
    run.sharedTimedOut = timedOut;
    // The process goes on with other files, and may end before this file's encoders.
    run.tool = &run.own;
    rendererFinished(run, exitCode, exitStatus);
}

void FileConversion::sharedRendererNotStarted(const QString &why)
{
    if (stage == Stage::Rendering)
        fail(tr("The renderer could not be started: %1").arg(why));
}

bool FileConversion::prepare()
{
    stage = Stage::Rendering;
    // A page selected twice is rendered once and copied.
    extension = RenderJob::extension(input.format);
    for (int index = 0; index < input.pages.size(); ++index) {
        const int page = input.pages.at(index);
        if (distinctPages.isEmpty() || distinctPages.last() != page) {
            distinctPages << page;
            imageNames << QStringList();
        }
        imageNames.last() << input.imageName(index);
    }
    if (distinctPages.isEmpty()) {
        fail(tr("The page selection names no page of this document."));
        return false;
    }

    QStringList names = {input.baseName, input.baseName + u"(1000)"_s};
    if (input.merge)
        names << input.mergedName();
    for (const QStringList &pageNames : std::as_const(imageNames))
        names << pageNames;
    for (const QString &name : std::as_const(names)) {
        if (!OutputFolder::nameFits(name)) {
            fail(tr("The name %1 is too long for the file system.").arg(name));
            return false;
        }
    }
    render = RenderJob::of(input);
    render.password = input.password;
    if (!render.passwordFits()) {
        fail(tr("The renderer cannot be given this password: it holds a line break or two "
                "backslashes in a row, or ends in a backslash after a space or a quote."));
        return false;
    }

    if (input.createParent && !QFileInfo(input.parentFolder).isDir())
        QDir().mkpath(input.parentFolder);
    parentHandle = FolderHandle::open(input.parentFolder);
    // A protected document's images are for their owner's eyes only.
    const mode_t folderMode = input.password.isEmpty() ? 0777 : 0700;
    PlanFolder::Why notOurs = PlanFolder::Why::None;
    OutputFolder::Created created =
        planned() ? PlanFolder::adopt(parentHandle, input.plannedFolder, input.planId, folderMode,
                                      &notOurs)
                  : OutputFolder::createFresh(parentHandle, input.baseName, folderMode);
    for (const auto &[path, images] : std::as_const(created.leftovers))
        emit leftoverRemoved(native(path), images);
    if (!created.ok) {
        const QString plannedPath = native(parentHandle.filePath(input.plannedFolder));
        const QString cause = causeOf(parentHandle.error());
        if (!planned())
            fail(tr("No output folder could be created in %1: %2.")
                     .arg(native(input.parentFolder), cause));
        else if (notOurs == PlanFolder::Why::None)
            fail(tr("The output folder %1 cannot be made, or was not made by this plan: %2.")
                     .arg(plannedPath, cause));
        else
            fail(tr("The output folder %1 is not taken: %2.")
                     .arg(plannedPath, PlanFolder::reason(notOurs)));
        return false;
    }
    folderHandle = std::move(created.folder);
    folderName = created.name;
    folder = QDir::cleanPath(input.parentFolder + u'/' + folderName);
    placer.aim({folder, planned(), fileMode()});
    renderFolderName = input.renderFolderName();
    renderHandle = folderHandle.makeFolder(renderFolderName, 0700);
    QStringList journaled;
    for (const QStringList &pageNames : std::as_const(imageNames))
        journaled << pageNames;
    if (!renderHandle.isOpen() || !journal.begin(renderHandle, journaled)) {
        const int error = renderHandle.isOpen() ? errno : folderHandle.error();
        // In a planned folder, a slice's render folder is taken only by another run of that slice.
        fail(planned() && folderHandle.error() == EEXIST
                 ? tr("Another run converts these pages in %1.").arg(native(folder))
                 : tr("No output folder could be created in %1: %2.")
                       .arg(native(folder), causeOf(error)));
        return false;
    }
    if (planned() && !sliceRecord.open(folderHandle, input.firstNumber)) {
        fail(tr("The record of the complete images in %1 cannot be written.").arg(native(folder)));
        return false;
    }

    render.pages = distinctPages;
    // The renderer works in the rendering folder itself, whatever happens to its path.
    render.outputFolder = u"."_s;
    render.shownFolder = folder + u'/' + renderFolderName;
    // GIF pages come from the renderer as raw pixels and are encoded once complete.
    render.imageName = u'.' + render.renderedExtension();
    render.paced = render.encodedByProgram();
    if (render.encodedByProgram()) {
        encoder = std::make_unique<EncodeStage>();
        connect(encoder.get(), &EncodeStage::encoded, this, &FileConversion::pageEncoded);
    }
    render.countPages = true;
    render.sourcePath = QFileInfo(input.sourcePath).absoluteFilePath();
    sourceIdentity = PdfIdentity::of(render.sourcePath);

    program = Tools::locate(RenderJob::toolName());
    if (program.isEmpty()) {
        fail(tr("The renderer (Ghostscript) was not found."));
        return false;
    }
    for (const QStringList &pageNames : std::as_const(imageNames))
        imagesOf << int(pageNames.size());
    return true;
}

bool FileConversion::startRun(RenderRun &run, const QString &program)
{
    connect(&run.own, &ToolRun::output, this,
            [this, &run] { readOutput(run, QString::fromLocal8Bit(run.own.readOutput()), false); });
    connect(&run.own, &ToolRun::ended, this,
            [this, &run](int exitCode, QProcess::ExitStatus exitStatus) {
                rendererFinished(run, exitCode, exitStatus);
            });
    connect(&run.own, &ToolRun::stalled, this, [this, &run] { tasks[run.range].timedOut = true; });
    connect(&run.own, &ToolRun::failedToStart, this, [this](const QString &why) {
        if (stage == Stage::Rendering)
            fail(tr("The renderer could not be started: %1").arg(why));
    });

    // The password reaches the renderer through a pipe, never its command line.
    int secret[2] = {-1, -1};
    if (!input.password.isEmpty()) {
        const QByteArray line = run.render.passwordArgument();
        if (::pipe2(secret, O_CLOEXEC) != 0 ||
            ::write(secret[1], line.constData(), size_t(line.size())) != line.size()) {
            for (const int end : secret) {
                if (end >= 0)
                    ::close(end);
            }
            fail(tr("The renderer could not be started: %1")
                     .arg(QString::fromLocal8Bit(std::strerror(errno))));
            return false;
        }
        ::close(secret[1]);
        run.render.passwordFile = u"/dev/fd/"_s + QString::number(secret[0]);
    }
    run.own.start(program, run.render.arguments(),
                  {renderHandle.descriptor(), secret[0], !input.password.isEmpty()},
                  run.render.paced ? QIODevice::ReadWrite : QIODevice::ReadOnly);
    if (secret[0] >= 0)
        ::close(secret[0]);
    run.own.watch(timeoutMs);
    if (run.render.paced)
        pace();
    return stage == Stage::Rendering;
}

FileConversion::RenderRun &FileConversion::newRun(int range, bool prefixed)
{
    const RenderTasks::Range &pages = tasks[range];
    runs.push_back(std::make_unique<RenderRun>());
    RenderRun &run = *runs.back();
    run.range = range;
    run.render = render;
    run.render.pages = distinctPages.mid(pages.first, pages.count);
    if (prefixed)
        run.render.countPrefix = QString::number(range + 1) + u'-';
    return run;
}

int FileConversion::pagesNotBegun() const
{
    return stage == Stage::Rendering && !sharedPart ? tasks.pagesNotBegun() : 0;
}

bool FileConversion::addRenderer()
{
    if (stage != Stage::Rendering || sharedPart)
        return false;
    // Another paced renderer needs room for its first page, which it writes without asking.
    if (render.paced &&
        (rawPagesHeld() >= rawPagesAtMost() || tasks.going() >= pacedRenderersAtMost()))
        return false;
    const int taken = tasks.takeLaterHalf();
    if (taken < 0)
        return false;
    // Every run so far has names of its own, the first one's without a prefix included.
    return startRun(newRun(taken, true), program);
}

int FileConversion::workers() const
{
    // A shared run's worker is the run's.
    if (stage == Stage::Rendering && sharedPart)
        return 0;
    return stage == Stage::Rendering ? qMax(1, tasks.going()) : 1;
}

QString FileConversion::renderedName(int index) const
{
    const RenderRun &run = *runs.at(size_t(tasks.rangeOf(index)));
    return run.rendered(index - tasks[run.range].first);
}

mode_t FileConversion::fileMode() const
{
    return input.password.isEmpty() ? 0666 : 0600;
}

QStringList FileConversion::separationsOf(const QString &rendered) const
{
    if (render.device() != u"tiffsep")
        return {};
    const QString stem = separationStem(rendered) + u'(';
    QStringList separations;
    const QStringList names = renderHandle.entries();
    for (const QString &name : names) {
        if (name.startsWith(stem) && name.endsWith(u").tiff"_s) &&
            renderHandle.kindOf(name) == FolderHandle::Kind::File)
            separations << name;
    }
    separations.sort();
    return separations;
}

// Another process may have moved the run's folder away and put one of its own in its place;
// the images are never handed to that one.
bool FileConversion::stillInPlace()
{
    if (folderHandle.isAt(parentHandle, folderName) &&
        renderHandle.isAt(folderHandle, renderFolderName))
        return true;
    fail(tr("The output folder %1 was moved or replaced during the conversion; the file was "
            "stopped.")
             .arg(native(folder)));
    return false;
}

void FileConversion::readOutput(RenderRun &run, const QString &text, bool atEnd)
{
    run.outputTail += text;
    if (atEnd)
        run.outputTail += u'\n';
    const qsizetype lineEnd = run.outputTail.lastIndexOf(u'\n');
    if (lineEnd < 0)
        return;
    const QStringList lines = run.outputTail.left(lineEnd).split(u'\n');
    run.outputTail = run.outputTail.mid(lineEnd + 1);
    RenderTasks::Range &range = tasks[run.range];
    const int begunBefore = range.begun;
    for (const QString &line : lines) {
        // The renderer goes on with the next page, but this one is missing or cut short (a full
        // disk, say).
        const RenderJob::OutputLine said = RenderJob::classify(line);
        // A cut run's pages beyond its own are not its to report.
        if (said == RenderJob::OutputLine::PageDrawingError && range.begun > 0 &&
            (!range.cut || range.begun <= range.count)) {
            const int page = distinctPages.at(range.first + qMin(range.begun, range.count) - 1);
            fail(tr("The renderer could not draw page %1.").arg(page));
            return;
        }
        if (said != RenderJob::OutputLine::PageBegins)
            continue;
        ++range.begun;
        // A new page begins: the one before it is complete.
        if (range.begun >= 2 && range.completed == range.begun - 2 &&
            range.completed < range.count && !completePage(run))
            return;
    }
    if (range.ownPagesDone() && run.tool->running()) {
        // Its own pages are done; another run renders the rest.
        run.tool->kill();
        return;
    }
    if (range.begun == begunBefore)
        return;
    run.tool->watch(timeoutMs);
    // The pages begun by every run, as one bar for the row.
    const int images = tasks.imagesBegun(imagesOf);
    const int percent = int(qint64(images) * 100 / input.pages.size());
    if (percent > lastPercent) {
        lastPercent = percent;
        emit progress(percent);
    }
}

bool FileConversion::completePage(RenderRun &run)
{
    const int index = tasks[run.range].first + tasks[run.range].completed;
    const int page = distinctPages.at(index);
    const QString rendered = renderedName(index);
    if (!stillInPlace())
        return false;
    if (renderHandle.kindOf(rendered) != FolderHandle::Kind::File) {
        fail(tr("The renderer wrote no image for page %1.").arg(page));
        return false;
    }
    if (extension == u"tiff") {
        QString error;
        const QStringList files = QStringList(separationsOf(rendered)) << rendered;
        for (const QString &file : files) {
            if (!TiffPages::clearPageNumber(renderHandle, file, &error)) {
                fail(error);
                return false;
            }
        }
    }
    ++tasks[run.range].completed;
    if (encoder) {
        encodeQueue << index;
        encodeNext();
        return stage != Stage::Ended;
    }
    return placeImage(index, true);
}

// Gives a complete page its final names: the first by moving it out of the rendering folder,
// the others as copies.
bool FileConversion::placeImage(int index, bool fromRenderer)
{
    const QString rendered = renderedName(index);
    const QStringList &names = imageNames.at(index);
    if (fromRenderer ? placer.placeRendered(rendered, separationsOf(rendered), names)
                     : placer.placeEncoded(encodedName(index), rendered, names))
        return true;
    fail(placer.failure());
    return false;
}

QString FileConversion::encodedName(int index) const
{
    return QString::number(index + 1) + u'.' + extension;
}

QString FileConversion::encodingFailure(int index, const QString &error) const
{
    return tr("Page %1 could not be written as GIF: %2").arg(distinctPages.at(index)).arg(error);
}

// Complete pages go to the encoders as they have room, each to a name of its own in the rendering
// folder until it is complete.
void FileConversion::encodeNext()
{
    while (stage != Stage::Ended && encoder->hasRoom() && !encodeQueue.isEmpty()) {
        const int index = encodeQueue.takeFirst();
        const QString source = renderedName(index);
        const QString target = encodedName(index);
        const int in = renderHandle.openFile(source, O_RDONLY);
        const int out = in < 0 ? -1 : renderHandle.openFile(target, O_WRONLY | O_CREAT, fileMode());
        if (out < 0) {
            const QString error = QString::fromLocal8Bit(std::strerror(renderHandle.error()));
            if (in >= 0)
                ::close(in);
            fail(encodingFailure(index, error));
            return;
        }
        encoder->start({index, in, out, render.shownFolder + u'/' + source,
                        folder + u'/' + imageNames.at(index).first()});
    }
}

void FileConversion::pageEncoded(int index, const QString &error)
{
    if (stage == Stage::Ended)
        return;
    if (!error.isEmpty()) {
        fail(failureAfterEncoding ? failureAfterEncoding->first : encodingFailure(index, error),
             failureAfterEncoding ? failureAfterEncoding->second : Failure::Error);
        return;
    }
    if (!stillInPlace() || !placeImage(index, false))
        return;
    encodeNext();
    // A renderer that waits for room waits for the encoders, which are not stalled.
    for (const auto &run : runs) {
        if (run->tool->running())
            run->tool->watch(timeoutMs);
    }
    pace();
    if (stage != Stage::Encoding || !encodeQueue.isEmpty() || !encoder->idle())
        return;
    if (failureAfterEncoding)
        fail(failureAfterEncoding->first, failureAfterEncoding->second);
    else
        afterPages();
}

// Raw pages on the disk, or soon: those waiting for the encoders or under encoding, and those each
// paced renderer may write that are not known to be complete.
int FileConversion::rawPagesHeld() const
{
    int held = int(encodeQueue.size()) + encoder->pagesUnderWay();
    for (const auto &run : runs) {
        if (run->tool->running())
            held += qMax(0, run->allowed - tasks[run->range].completed);
    }
    return held;
}

// Lets the paced renderers on, a page at a time, while the raw pages stay within the room the run
// counts on; one that may write all of its pages is told no more will come.
void FileConversion::pace()
{
    while (stage == Stage::Rendering && rawPagesHeld() < rawPagesAtMost()) {
        RenderRun *next = nullptr;
        for (const auto &run : runs) {
            const RenderTasks::Range &range = tasks[run->range];
            if (run->tool->running() && run->allowed < range.count &&
                (!next ||
                 run->allowed - range.completed < next->allowed - tasks[next->range].completed))
                next = run.get();
        }
        if (!next)
            break;
        ++next->allowed;
        next->tool->tool().write("\n");
    }
    for (const auto &run : runs) {
        QProcess &process = run->tool->tool();
        if (!run->tool->running() || run->allowed < tasks[run->range].count ||
            !(process.openMode() & QIODevice::WriteOnly))
            continue;
        // A shared process goes on to the next file's pages, which that file paces.
        if (!run->shared) {
            process.closeWriteChannel();
        } else if (!run->released) {
            run->released = true;
            process.write("\n");
        }
    }
}

void FileConversion::rendererFinished(RenderRun &run, int exitCode, QProcess::ExitStatus exitStatus)
{
    RenderTasks::Range &range = tasks[run.range];
    if (stage != Stage::Rendering)
        return;
    readOutput(run, run.shared ? QString() : QString::fromLocal8Bit(run.own.readOutput()), true);
    if (stage != Stage::Rendering)
        return;
    if (range.cut && range.completed == range.count) {
        // Stopped after its own pages, which were all complete.
        runEnded(run);
        return;
    }
    if (run.timedOut()) {
        fail(tr("The renderer reported no new page for %1 seconds and was stopped.")
                 .arg(timeoutMs / 1000),
             Failure::Timeout);
        return;
    }
    const int page = distinctPages.at(range.first + qBound(0, range.begun - 1, range.count - 1));
    if (exitStatus == QProcess::CrashExit) {
        fail(tr("The renderer ended abnormally."), Failure::Crash);
        return;
    }
    if (exitCode != 0) {
        const QString detail = run.lastErrorLine();
        fail(detail.isEmpty()
                 ? tr("The renderer stopped at page %1 (exit code %2).").arg(page).arg(exitCode)
                 : tr("The renderer stopped at page %1: %2").arg(page).arg(detail));
        return;
    }
    // The renderer is done: every page still unnamed must be there, and nothing beyond.
    for (int local = range.completed; local < range.count; ++local) {
        if (renderHandle.kindOf(run.rendered(local)) != FolderHandle::Kind::File) {
            const int missing = distinctPages.at(range.first + local);
            const QString detail = run.lastErrorLine();
            fail(detail.isEmpty()
                     ? tr("The renderer wrote no image for page %1.").arg(missing)
                     : tr("The renderer wrote no image for page %1: %2").arg(missing).arg(detail));
            return;
        }
    }
    if (!range.cut &&
        renderHandle.kindOf(run.rendered(range.count)) != FolderHandle::Kind::Missing) {
        fail(tr("The renderer wrote more images than pages were selected."));
        return;
    }
    while (range.completed < range.count) {
        if (!completePage(run))
            return;
    }
    runEnded(run);
}

void FileConversion::runEnded(RenderRun &run)
{
    tasks[run.range].ended = true;
    if (tasks.going() > 0) {
        emit workerFreed();
        return;
    }
    stage = Stage::Encoding;
    if (!encoder || (encodeQueue.isEmpty() && encoder->idle()))
        afterPages();
}

void FileConversion::afterPages()
{
    if (input.merge)
        startMerge();
    else
        finish();
}

void FileConversion::startMerge()
{
    stage = Stage::Merging;
    mergeTarget = input.mergedName();
    if (!stillInPlace())
        return;
    if (!placer.record(mergeTarget)) {
        fail(placer.failure());
        return;
    }
    // tiffcp works in the rendering folder, which only this run can write, and reads and writes
    // only there: no link someone put in the output folder can give it another page or take its
    // output elsewhere. The joined file may carry the name of one of its own pages, so it moves
    // out only at the end.
    QStringList pages;
    for (const QStringList &names : std::as_const(imageNames)) {
        for (const QString &name : names) {
            const QString page = u"page-"_s + QString::number(pages.size() + 1) + u".tiff"_s;
            if (!linkedPage(folderHandle, name, renderHandle, page)) {
                fail(tr("The pages could not be joined into one TIFF file: %1 is not the page this "
                        "run wrote. The page files were kept.")
                         .arg(native(folder + u'/' + name)));
                return;
            }
            pages << relative(page);
        }
    }
    const Tools::Command join = TiffPages::joinCommand(pages, relative(joinedName));
    const QString program = Tools::locate(join.tool);
    if (program.isEmpty()) {
        fail(tr("The pages could not be joined into one TIFF file (tiffcp was not found); the page "
                "files were kept."));
        return;
    }
    merger.start(program, join.arguments,
                 {renderHandle.descriptor(), -1, !input.password.isEmpty()});
    merger.watch(timeoutMs);
}

void FileConversion::mergeFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (stage != Stage::Merging)
        return;
    const QString detail = merger.lastErrorLine();
    const QString notJoined =
        tr("The pages could not be joined into one TIFF file; the page files were kept.") +
        (detail.isEmpty() ? QString() : u' ' + detail);
    if (merger.timedOut() || exitStatus != QProcess::NormalExit || exitCode != 0 ||
        renderHandle.sizeOf(joinedName) <= 0) {
        fail(notJoined);
        return;
    }
    if (!stillInPlace())
        return;
    if (!placer.put(renderHandle, joinedName, mergeTarget, true, notJoined)) {
        fail(placer.failure());
        return;
    }
    // The joined file is in place: only now do its pages go.
    for (const QStringList &names : std::as_const(imageNames)) {
        for (const QString &name : names) {
            if (name != mergeTarget)
                placer.remove(name);
        }
    }
    emit imageWritten(folder + u'/' + mergeTarget);
    finish();
}

void FileConversion::finish()
{
    // A PDF changed while it was rendered gets no record: the next run converts it again.
    if (!input.completionKey.isEmpty() && !planned() &&
        PdfIdentity::of(render.sourcePath) == sourceIdentity &&
        !CompletionRecord::write(folderHandle, sourceIdentity, input.completionKey,
                                 placer.placed())) {
        fail(tr("The record of the complete images in %1 cannot be written.").arg(native(folder)));
        return;
    }
    stage = Stage::Ended;
    // The journal goes last: until then a crash leaves work a later run recognises.
    removeRenderFolder();
    emit finished();
}

void FileConversion::fail(const QString &reason, Failure kind)
{
    if (stage == Stage::Ended)
        return;
    // Checked while the page under way still takes its room.
    if (kind == Failure::Error && diskFull()) {
        // The run stops, as after Stop: this file runs again once there is room.
        stage = Stage::Ended;
        discard();
        emit failed(tr("The disk holding %1 is full.").arg(native(input.parentFolder)),
                    Failure::DiskFull);
        return;
    }
    if (failAfterEncoding(reason, kind))
        return;
    stage = Stage::Ended;
    endTools();
    // What was complete stays; the page under way and a half-joined file go.
    removeRenderFolder();
    emit failed(reason, kind);
}

bool FileConversion::diskFull() const
{
    if (!folderHandle.isOpen())
        return false;
    qint64 largest = 0;
    for (const QString &image : placer.placed())
        largest = qMax(largest, folderHandle.sizeOf(image));
    const QStringList rendered = renderHandle.entries();
    for (const QString &name : rendered)
        largest = qMax(largest, renderHandle.sizeOf(name));
    // What is left is less than one more image, or so little that no image fits.
    constexpr qint64 littleRoom = 16 * 1024 * 1024;
    return DiskSpace::available(folder) < qMax(largest, littleRoom);
}

void FileConversion::abort()
{
    if (stage == Stage::Ended || stage == Stage::Waiting)
        return;
    stage = Stage::Ended;
    discard();
}

void FileConversion::discard()
{
    endTools();
    // A planned slice keeps its complete images, for a resumed run to go on from.
    if (!planned())
        placer.removeAll();
    removeRenderFolder();
    // Only the folder this run made, and only when nothing else is in it.
    if (folderHandle.isAt(parentHandle, folderName))
        parentHandle.removeFolder(folderName);
}

bool FileConversion::failAfterEncoding(const QString &reason, Failure kind)
{
    if (stage != Stage::Rendering || !encoder || (encodeQueue.isEmpty() && encoder->idle()))
        return false;
    failureAfterEncoding = std::make_pair(reason, kind);
    stage = Stage::Encoding;
    endRenderers();
    return true;
}

void FileConversion::endRenderers()
{
    // A shared run's process is not this file's to end: the run ends it if it renders this file.
    if (sharedPart)
        emit rendererAbandoned();
    for (const auto &run : runs) {
        run->tool = &run->own;
        run->own.kill();
    }
    for (const auto &run : runs)
        run->own.waitForEnd(5000);
}

void FileConversion::endTools()
{
    merger.kill();
    endRenderers();
    merger.waitForEnd(5000);
    if (encoder)
        encoder->cancel();
}

void FileConversion::removeRenderFolder()
{
    if (!renderHandle.isOpen())
        return;
    // Only the renderer's own files and the journal are in there; each goes by itself, never
    // through a link, and the journal last.
    journal.close();
    const QStringList names = renderHandle.entries();
    for (const QString &name : names) {
        if (name != Journal::fileName && renderHandle.kindOf(name) != FolderHandle::Kind::Folder)
            renderHandle.remove(name);
    }
    renderHandle.remove(Journal::fileName);
    if (renderHandle.isAt(folderHandle, renderFolderName))
        folderHandle.removeFolder(renderFolderName);
    renderHandle = FolderHandle();
}
