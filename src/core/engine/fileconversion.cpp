#include "core/engine/fileconversion.h"

#include "core/engine/diskspace.h"
#include "core/engine/outputfolder.h"
#include "core/engine/planfolder.h"
#include "core/engine/tiffpages.h"
#include "core/options/formats.h"
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
// A planned copy is made in the rendering folder before it gets its name.
const QString copyName = u"copy"_s;
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

// The file closed to others' writing and on the disk: a planned image, before it gets its name.
bool settled(const FolderHandle &folder, const QString &name)
{
    const int fd = folder.openFile(name, O_RDONLY | O_NONBLOCK);
    struct stat status = {};
    const bool ok =
        fd >= 0 && ::fstat(fd, &status) == 0 &&
        ((status.st_mode & (S_IWGRP | S_IWOTH)) == 0 || ::fchmod(fd, status.st_mode & 0755) == 0) &&
        ::fdatasync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
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

} // namespace

// One renderer run: the range of the file's distinct pages the tasks give it.
struct FileConversion::RenderRun
{
    int range = 0; // in the tasks
    ToolRun tool;  // its watchdog: no new page for too long
    RenderJob render;
    QString outputTail;

    // The name its local-th page (from 0) is written under in the rendering folder.
    QString rendered(int local) const
    {
        return render.countPrefix + QString::number(local + 1) + render.imageName;
    }
};

FileConversion::FileConversion(const ConversionJob &job, int timeoutSeconds, QObject *parent)
    : QObject(parent)
    , input(job)
    , timeoutMs(qMax(1, timeoutSeconds) * 1000)
{
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
        return;
    }

    QStringList names = {input.baseName, input.baseName + u"(1000)"_s};
    if (input.merge)
        names << input.mergedName();
    for (const QStringList &pageNames : std::as_const(imageNames))
        names << pageNames;
    for (const QString &name : std::as_const(names)) {
        if (!OutputFolder::nameFits(name)) {
            fail(tr("The name %1 is too long for the file system.").arg(name));
            return;
        }
    }
    render.password = input.password;
    if (!render.passwordFits()) {
        fail(tr("The renderer cannot be given this password: it holds a line break or two "
                "backslashes in a row, or ends in a backslash after a space or a quote."));
        return;
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
        return;
    }
    folderHandle = std::move(created.folder);
    folderName = created.name;
    folder = QDir::cleanPath(input.parentFolder + u'/' + folderName);
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
        return;
    }
    if (planned() && !sliceRecord.open(folderHandle, input.firstNumber)) {
        fail(tr("The record of the complete images in %1 cannot be written.").arg(native(folder)));
        return;
    }

    render.format = input.format;
    render.colour = input.colour;
    render.dpi = input.dpi;
    render.exactDpi = input.exactDpi;
    render.pageDpi = input.pageDpi;
    render.jpegQuality = input.jpegQuality;
    render.smooth = input.smooth;
    render.pages = distinctPages;
    // The renderer works in the rendering folder itself, whatever happens to its path.
    render.outputFolder = u"."_s;
    render.shownFolder = folder + u'/' + renderFolderName;
    // PNG and GIF pages come from the renderer as raw pixels and are encoded once complete.
    render.imageName = u'.' + render.renderedExtension();
    if (render.encodedByProgram()) {
        encoder = std::make_unique<EncodeStage>(Formats::named(input.format).gif
                                                    ? EncodeStage::Encoder::Gif
                                                    : EncodeStage::Encoder::Png,
                                                render.resolution());
        connect(encoder.get(), &EncodeStage::encoded, this, &FileConversion::pageEncoded);
    }
    render.countPages = true;
    render.sourcePath = QFileInfo(input.sourcePath).absoluteFilePath();
    sourceIdentity = PdfIdentity::of(render.sourcePath);

    const QString program = Tools::locate(RenderJob::toolName());
    if (program.isEmpty()) {
        fail(tr("The renderer (Ghostscript) was not found."));
        return;
    }
    for (const QStringList &pageNames : std::as_const(imageNames))
        imagesOf << int(pageNames.size());
    // Contiguous ranges of nearly equal length, each run with names of its own.
    tasks.split(int(distinctPages.size()), renderers);
    QStringList commands;
    for (int range = 0; range < tasks.size(); ++range)
        commands << newRun(range, tasks.size() > 1).render.text();
    emit started(folder, commands.join(u'\n'));
    for (const auto &run : runs) {
        if (stage != Stage::Rendering || !startRun(*run, program))
            return;
    }
}

bool FileConversion::startRun(RenderRun &run, const QString &program)
{
    connect(&run.tool, &ToolRun::output, this, [this, &run] { readOutput(run, false); });
    connect(&run.tool, &ToolRun::ended, this,
            [this, &run](int exitCode, QProcess::ExitStatus exitStatus) {
                rendererFinished(run, exitCode, exitStatus);
            });
    connect(&run.tool, &ToolRun::stalled, this, [this, &run] { tasks[run.range].timedOut = true; });
    connect(&run.tool, &ToolRun::failedToStart, this, [this](const QString &why) {
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
    run.tool.start(program, run.render.arguments(),
                   {renderHandle.descriptor(), secret[0], !input.password.isEmpty()});
    if (secret[0] >= 0)
        ::close(secret[0]);
    run.tool.watch(timeoutMs);
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
    return stage == Stage::Rendering ? tasks.pagesNotBegun() : 0;
}

bool FileConversion::addRenderer()
{
    if (stage != Stage::Rendering)
        return false;
    const int taken = tasks.takeLaterHalf();
    if (taken < 0)
        return false;
    // Every run so far has names of its own, the first one's without a prefix included.
    return startRun(newRun(taken, true), Tools::locate(RenderJob::toolName()));
}

int FileConversion::workers() const
{
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

bool FileConversion::record(const QString &name)
{
    if (journal.record(name))
        return true;
    fail(tr("The image %1 could not be written.").arg(native(folderHandle.filePath(name))));
    return false;
}

void FileConversion::readOutput(RenderRun &run, bool atEnd)
{
    run.outputTail += QString::fromLocal8Bit(run.tool.readOutput());
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
    if (range.ownPagesDone() && run.tool.running()) {
        // Its own pages are done; another run renders the rest.
        run.tool.kill();
        return;
    }
    if (range.begun == begunBefore)
        return;
    run.tool.watch(timeoutMs);
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

// Gives a complete file its final name in the folder, journaled first. A planned job's file
// reaches the disk before it has its name, closed to others' writing, and the slice's record
// lists it after, so a resumed run keeps it even after a power cut; whatever is in the way of a
// planned name, which the record does not list, is replaced.
bool FileConversion::putInPlace(const FolderHandle &from, const QString &fromName,
                                const QString &target, bool replace, const QString &failure)
{
    if (!record(target))
        return false;
    if ((planned() && !settled(from, fromName)) ||
        !from.rename(fromName, folderHandle, target, replace || planned())) {
        fail(failure.isEmpty()
                 ? tr("The image %1 could not be written.").arg(native(folder + u'/' + target))
                 : failure);
        return false;
    }
    written << target;
    if (planned() && !sliceRecord.add(folderHandle, target)) {
        fail(tr("The record of the complete images in %1 cannot be written.").arg(native(folder)));
        return false;
    }
    return true;
}

// Gives a complete page its final names: the first by moving it out of the rendering folder
// (an encoded one is already in place), the others as copies.
bool FileConversion::placeImage(int index, bool fromRenderer)
{
    const QStringList &names = imageNames.at(index);
    const QString first = names.first();
    const QString rendered = renderedName(index);
    const QStringList separations = fromRenderer ? separationsOf(rendered) : QStringList();
    const QString renderedStem = separationStem(rendered);
    // The first image's files and the names of each of its copies' files.
    QStringList firstFiles = {first};
    for (const QString &separation : separations)
        firstFiles << separationStem(first) + separation.mid(renderedStem.size());
    if (fromRenderer) {
        // The image itself comes last: once it is there, its separations are too.
        for (qsizetype at = firstFiles.size() - 1; at >= 0; --at) {
            if (!putInPlace(renderHandle, at == 0 ? rendered : separations.at(at - 1),
                            firstFiles.at(at)))
                return false;
        }
    }
    emit imageWritten(folder + u'/' + first);
    for (qsizetype copy = 1; copy < names.size(); ++copy) {
        for (const QString &source : std::as_const(firstFiles)) {
            const QString target =
                separationStem(names.at(copy)) + source.mid(separationStem(first).size());
            if (planned()) {
                if (folderHandle.copy(source, renderHandle, copyName, fileMode())) {
                    if (!putInPlace(renderHandle, copyName, target))
                        return false;
                    continue;
                }
            } else if (!record(target)) {
                return false;
            } else if (folderHandle.copy(source, folderHandle, target, fileMode())) {
                written << target;
                continue;
            }
            fail(tr("The image %1 could not be written.").arg(native(folder + u'/' + target)));
            return false;
        }
        emit imageWritten(folder + u'/' + names.at(copy));
    }
    return true;
}

QString FileConversion::encodedName(int index) const
{
    return QString::number(index + 1) + u'.' + extension;
}

QString FileConversion::encodingFailure(int index, const QString &error) const
{
    const int page = distinctPages.at(index);
    return Formats::named(input.format).gif
               ? tr("Page %1 could not be written as GIF: %2").arg(page).arg(error)
               : tr("Page %1 could not be written as PNG: %2").arg(page).arg(error);
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
    if (!stillInPlace() ||
        !putInPlace(renderHandle, encodedName(index), imageNames.at(index).first()))
        return;
    renderHandle.remove(renderedName(index));
    if (!placeImage(index, false))
        return;
    encodeNext();
    if (stage != Stage::Encoding || !encodeQueue.isEmpty() || !encoder->idle())
        return;
    if (failureAfterEncoding)
        fail(failureAfterEncoding->first, failureAfterEncoding->second);
    else
        afterPages();
}

void FileConversion::rendererFinished(RenderRun &run, int exitCode, QProcess::ExitStatus exitStatus)
{
    RenderTasks::Range &range = tasks[run.range];
    if (stage != Stage::Rendering)
        return;
    readOutput(run, true);
    if (stage != Stage::Rendering)
        return;
    if (range.cut && range.completed == range.count) {
        // Stopped after its own pages, which were all complete.
        runEnded(run);
        return;
    }
    if (run.tool.timedOut()) {
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
        const QString detail = run.tool.lastErrorLine();
        fail(detail.isEmpty()
                 ? tr("The renderer stopped at page %1 (exit code %2).").arg(page).arg(exitCode)
                 : tr("The renderer stopped at page %1: %2").arg(page).arg(detail));
        return;
    }
    // The renderer is done: every page still unnamed must be there, and nothing beyond.
    for (int local = range.completed; local < range.count; ++local) {
        if (renderHandle.kindOf(run.rendered(local)) != FolderHandle::Kind::File) {
            const int missing = distinctPages.at(range.first + local);
            const QString detail = run.tool.lastErrorLine();
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
    if (!stillInPlace() || !record(mergeTarget))
        return;
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
    if (!stillInPlace() || !putInPlace(renderHandle, joinedName, mergeTarget, true, notJoined))
        return;
    // The joined file is in place: only now do its pages go.
    for (const QStringList &names : std::as_const(imageNames)) {
        for (const QString &name : names) {
            if (name == mergeTarget)
                continue;
            folderHandle.remove(name);
            written.removeAll(name);
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
        !CompletionRecord::write(folderHandle, sourceIdentity, input.completionKey, written)) {
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
    for (const QString &image : written)
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
    if (!planned()) {
        for (const QString &image : std::as_const(written))
            folderHandle.remove(image);
    }
    written.clear();
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
    for (const auto &run : runs)
        run->tool.kill();
    for (const auto &run : runs)
        run->tool.waitForEnd(5000);
    return true;
}

void FileConversion::endTools()
{
    QList<ToolRun *> tools = {&merger};
    for (const auto &run : runs)
        tools << &run->tool;
    for (ToolRun *tool : std::as_const(tools))
        tool->kill();
    for (ToolRun *tool : std::as_const(tools))
        tool->waitForEnd(5000);
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
