#include "core/engine/sharedrender.h"

#include "core/engine/fileconversion.h"
#include "core/engine/ghostscript.h"
#include "core/platform/tools.h"

#include <QRandomGenerator>

using namespace Qt::Literals::StringLiterals;

namespace {

RenderJob renderOf(const ConversionJob &job)
{
    RenderJob render = RenderJob::of(job);
    render.pages = job.pages;
    return render;
}

// The renderer writes through the folder's handle, inherited: no path someone could swap.
QString folderOf(const FileConversion &file)
{
    return u"/dev/fd/"_s + QString::number(file.renderFolder());
}

// Each file's resolution is set in the device before it: one on the command line would hold
// for every document after it.
QStringList withoutResolution(QStringList options)
{
    options.removeIf([](const QString &option) { return option.startsWith(u"-r"_s); });
    return options;
}

} // namespace

bool SharedRender::sharable(const ConversionJob &job)
{
    // A password stays off every other file's command; a join and a planned slice keep their
    // own bookkeeping; pages of several resolutions set them between documents; separated TIFF
    // writes files its output pattern does not name.
    const RenderJob render = renderOf(job);
    return job.password.isEmpty() && !job.merge && job.plannedFolder.isEmpty() &&
           !job.pages.isEmpty() && job.pages.size() <= mostPages && render.oneResolution() &&
           render.device() != u"tiffsep";
}

QString SharedRender::key(const ConversionJob &job)
{
    return withoutResolution(renderOf(job).sharedOptions()).join(u'\n');
}

SharedRender::SharedRender(int timeoutSeconds, QObject *parent)
    : QObject(parent)
    , timeoutMs(qMax(1, timeoutSeconds) * 1000)
{
    connect(&process, &ToolRun::output, this, [this] { readOutput(false); });
    connect(&process, &ToolRun::errorArrived, this, &SharedRender::readErrors);
    connect(&process, &ToolRun::ended, this, &SharedRender::processEnded);
    connect(&process, &ToolRun::failedToStart, this, &SharedRender::notStarted);
}

SharedRender::~SharedRender()
{
    process.disconnect(this);
}

void SharedRender::start(const QList<FileConversion *> &files)
{
    for (FileConversion *file : files) {
        Part part;
        part.file = file;
        parts << part;
        connect(file, &FileConversion::rendererAbandoned, this, [this, file] { abandoned(file); });
    }
    startNext();
}

bool SharedRender::busy() const
{
    for (int part = 0; part < parts.size(); ++part) {
        if (alive(part))
            return true;
    }
    return false;
}

bool SharedRender::alive(int part) const
{
    return !parts.at(part).done && parts.at(part).file;
}

void SharedRender::startNext()
{
    if (process.running())
        return;
    first = 0;
    while (first < parts.size() && !alive(first))
        ++first;
    if (first == parts.size()) {
        checkEnded();
        return;
    }
    last = first;
    while (!alone && last + 1 < parts.size() && alive(last + 1))
        ++last;
    const QString program = Tools::locate(RenderJob::toolName());
    marker = u"@@vezudiri-"_s + QString::number(QRandomGenerator::system()->generate64(), 16);
    outputTail.clear();
    pendingErrors.clear();
    nextWaits = false;
    current = first;
    errorPart = first;
    stopping = false;
    Tools::Setup setup;
    setup.workingFolder = parts.at(first).file->renderFolder();
    for (int part = first; part <= last; ++part) {
        Part &each = parts[part];
        each.printed = false;
        each.errorsEnded = false;
        each.errors.clear();
        setup.writableFolders << each.file->renderFolder();
    }
    // A paced renderer waits for a line after each page, which the file rendered gives.
    process.start(program, arguments(), setup,
                  parts.at(first).file->sharedJob().paced ? QIODevice::ReadWrite
                                                          : QIODevice::ReadOnly);
    process.watch(timeoutMs);
    begin(first, 0);
}

// The files one after another, each with its pages, its source and its output; between two,
// the next one's output, then a boundary on standard output with the pages written so far (the
// count goes on across files) and one on the error output. The last one ends with the process.
QStringList SharedRender::arguments() const
{
    QStringList list = withoutResolution(parts.at(first).file->sharedJob().sharedOptions());
    for (int part = first + 1; part <= last; ++part)
        list << u"--permit-file-write="_s + folderOf(*parts.at(part).file) + u'/';
    for (int part = first; part <= last; ++part) {
        RenderJob render = parts.at(part).file->sharedJob();
        render.outputFolder = folderOf(*parts.at(part).file);
        if (part == first) {
            list << u"-sOutputFile="_s + render.outputPath() << u"-c"_s
                 << u"<< "_s + render.resolutionSetting() + u" >> setpagedevice"_s << u"-f"_s;
        }
        list << u"-sPageList="_s + RenderJob::pageList(render.pages) << render.sourcePath;
        if (part == last)
            break;
        RenderJob next = parts.at(part + 1).file->sharedJob();
        next.outputFolder = folderOf(*parts.at(part + 1).file);
        const QString boundary = marker + u' ' + QString::number(part);
        list << u"-c"_s
             << u"<< /OutputFile ("_s + next.outputPath() + u") "_s + next.resolutionSetting() +
                    u" >> setpagedevice (\\n"_s + boundary +
                    u" ) print currentpagedevice /PageCount get =only (\\n) print flush "
                    u"(%stderr) (w) file dup (\\n"_s +
                    boundary + u"\\n) writestring flushfile"_s
             << u"-f"_s;
    }
    return list;
}

void SharedRender::begin(int part, int pagesBefore)
{
    current = part;
    if (!alive(part)) {
        // Given up while it waited: the process must not write in its folder.
        stopping = true;
        process.kill();
        return;
    }
    process.watch(timeoutMs);
    parts.at(part).file->sharedPartBegins(&process, pagesBefore);
}

void SharedRender::readOutput(bool atEnd)
{
    outputTail += QString::fromLocal8Bit(process.readOutput());
    if (atEnd && !outputTail.isEmpty())
        outputTail += u'\n';
    const qsizetype lineEnd = outputTail.lastIndexOf(u'\n');
    if (lineEnd < 0 || nextWaits)
        return;
    const QStringList lines = outputTail.left(lineEnd).split(u'\n');
    outputTail = outputTail.mid(lineEnd + 1);
    QString said;
    const auto hand = [this, &said] {
        if (!said.isEmpty() && current >= 0 && alive(current))
            parts.at(current).file->sharedOutput(said);
        said.clear();
    };
    for (qsizetype at = 0; at < lines.size(); ++at) {
        const QString &line = lines.at(at);
        // A file that failed on what it was handed may have ended the process meanwhile.
        if (stopping || current < first)
            return;
        const QString boundary = marker + u' ' + QString::number(current) + u' ';
        bool counted = false;
        const int pagesWritten = line.mid(boundary.size()).toInt(&counted);
        if (current < last && line.startsWith(boundary) && counted && pagesWritten >= 0) {
            hand();
            if (stopping || current < first)
                return;
            if (!reachedBoundary(current, pagesWritten)) {
                // The next file waits until this one has ended, as after a run of its own.
                outputTail = lines.mid(at + 1).join(u'\n') + u'\n' + outputTail;
                return;
            }
            continue;
        }
        said += line + u'\n';
    }
    hand();
}

void SharedRender::readErrors(const QByteArray &chunk)
{
    // A boundary may come in two chunks: what could be its beginning waits for the next one.
    pendingErrors += chunk;
    while (errorPart >= first && errorPart <= last) {
        Part &part = parts[errorPart];
        const QByteArray boundary =
            (u'\n' + marker + u' ' + QString::number(errorPart) + u'\n').toLatin1();
        const qsizetype at = errorPart < last ? pendingErrors.indexOf(boundary) : -1;
        const qsizetype kept = at >= 0 ? at
                               : errorPart < last
                                   ? qMax<qsizetype>(0, pendingErrors.size() - boundary.size() + 1)
                                   : pendingErrors.size();
        part.errors =
            QByteArray(part.errors + pendingErrors.left(kept)).right(ToolRun::errorTailBytes);
        pendingErrors.remove(0, at >= 0 ? at + boundary.size() : kept);
        if (at < 0)
            break;
        part.errorsEnded = true;
        ++errorPart;
    }
    endPrinted();
}

// False while the file's error output has not reached its boundary yet.
bool SharedRender::reachedBoundary(int part, int pagesWritten)
{
    parts[part].printed = true;
    pagesAtBoundary = pagesWritten;
    nextWaits = true;
    endPrinted();
    return !nextWaits;
}

// A file whose boundary came on both outputs: its part ended as a run of its own would have,
// and the next one begins.
void SharedRender::endPrinted()
{
    for (int part = first; part <= last && part < parts.size(); ++part) {
        Part &each = parts[part];
        if (!each.printed || !each.errorsEnded || each.done)
            continue;
        each.done = true;
        if (each.file)
            each.file->sharedPartEnded(0, QProcess::NormalExit, each.errors, false);
    }
    if (!nextWaits || current < first || !parts.at(current).done)
        return;
    nextWaits = false;
    if (stopping || !process.running())
        return;
    begin(current + 1, pagesAtBoundary);
    // What came after the boundary while this file ended.
    if (outputTail.contains(u'\n'))
        QMetaObject::invokeMethod(
            this, [this] { readOutput(false); }, Qt::QueuedConnection);
}

void SharedRender::processEnded(int exitCode, QProcess::ExitStatus exitStatus)
{
    readOutput(true);
    if (errorPart >= first && errorPart <= last)
        parts[errorPart].errors =
            QByteArray(parts.at(errorPart).errors + pendingErrors).right(ToolRun::errorTailBytes);
    pendingErrors.clear();
    // A boundary printed is the end of that file's part, whatever followed.
    for (int part = first; part <= last; ++part) {
        if (parts.at(part).printed)
            parts[part].errorsEnded = true;
    }
    endPrinted();
    if (current >= first && current <= last && alive(current) && !stopping) {
        Part &part = parts[current];
        const bool early = exitStatus != QProcess::NormalExit || exitCode != 0 || current < last;
        // It may have ended for another file's sake: the file gets a process of its own, unless
        // it had already begun or waited the whole time limit.
        if (early && last > first && !process.timedOut() && part.file->sharedPartUntouched()) {
            alone = true;
        } else {
            part.done = true;
            part.file->sharedPartEnded(exitCode, exitStatus, part.errors, process.timedOut());
        }
    }
    if (!stopping && current < last)
        alone = true;
    current = -1;
    errorPart = -1;
    QMetaObject::invokeMethod(this, &SharedRender::startNext, Qt::QueuedConnection);
    checkEnded();
}

void SharedRender::notStarted(const QString &why)
{
    if (current >= 0 && alive(current)) {
        parts[current].done = true;
        parts.at(current).file->sharedRendererNotStarted(why);
    }
    alone = true;
    current = -1;
    QMetaObject::invokeMethod(this, &SharedRender::startNext, Qt::QueuedConnection);
    checkEnded();
}

void SharedRender::abandoned(FileConversion *file)
{
    for (int part = 0; part < parts.size(); ++part) {
        if (parts.at(part).file != file || parts.at(part).done)
            continue;
        parts[part].done = true;
        // The process must not go on to write in its folder, which the file is removing.
        if (process.running() && part >= current && part <= last) {
            stopping = true;
            process.kill();
            process.waitForEnd(5000);
        }
    }
    checkEnded();
}

void SharedRender::checkEnded()
{
    if (over || busy())
        return;
    over = true;
    emit ended();
}
