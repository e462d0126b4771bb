#include "engine/fileconversion.h"

#include "app/tools.h"
#include "engine/diskspace.h"
#include "engine/gifwriter.h"
#include "engine/outputfolder.h"
#include "engine/tiffpages.h"
#include "options/formats.h"

#include <QDir>
#include <QFileInfo>
#include <QtConcurrent>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// The renderer writes here, inside the file's fresh folder, under the names 1.bmp, 2.bmp, ...
// (pages written so far); a page leaves it under its final name once it is complete.
const QString renderFolderName = u".rendering"_s;
const QString pageMarker = u"Page "_s;
const QString pageDrawingError = u"Page drawing error occurred"_s;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The last line a tool wrote to its error output, to tell the user why it failed.
QString lastLine(const QString &text)
{
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (const QString line = it->trimmed(); !line.isEmpty())
            return line;
    }
    return {};
}

// Ghostscript's separated TIFF writes "<stem>(<colour>).tiff" beside "<stem>.tiff".
QString separationStem(const QString &fileName)
{
    return fileName.left(fileName.lastIndexOf(u'.'));
}

} // namespace

FileConversion::FileConversion(const ConversionJob &job, int timeoutSeconds, QObject *parent)
    : QObject(parent)
    , input(job)
    , timeoutMs(qMax(1, timeoutSeconds) * 1000)
{
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, &FileConversion::rendererTimedOut);
    for (QProcess *tool : {&renderer, &merger}) {
        tool->setStandardInputFile(QProcess::nullDevice());
        Tools::endWithParent(*tool);
    }
    connect(&renderer, &QProcess::readyReadStandardOutput, this, [this] { readOutput(false); });
    connect(&renderer, &QProcess::readyReadStandardError, this, [this] {
        errorTail = QString(errorTail + QString::fromLocal8Bit(renderer.readAllStandardError()))
                        .right(2000);
    });
    connect(&renderer, &QProcess::finished, this, &FileConversion::rendererFinished);
    connect(&renderer, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && stage == Stage::Rendering)
            fail(tr("The renderer could not be started: %1").arg(renderer.errorString()));
    });
    connect(&merger, &QProcess::readyReadStandardError, this, [this] {
        errorTail =
            QString(errorTail + QString::fromLocal8Bit(merger.readAllStandardError())).right(2000);
    });
    connect(&merger, &QProcess::finished, this, &FileConversion::mergeFinished);
    connect(&merger, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart && stage == Stage::Merging)
            mergeFinished(-1, QProcess::CrashExit);
    });
    connect(&gifWatcher, &QFutureWatcher<QString>::finished, this, &FileConversion::gifEncoded);
}

FileConversion::~FileConversion()
{
    abort();
}

void FileConversion::start()
{
    stage = Stage::Rendering;
    // A page selected twice is rendered once and copied.
    int number = input.firstNumber;
    extension = RenderJob::extension(input.format);
    for (const int page : std::as_const(input.pages)) {
        if (distinctPages.isEmpty() || distinctPages.last() != page) {
            distinctPages << page;
            imageNames << QStringList();
        }
        imageNames.last() << RenderJob::imageFileName(input.prefix, number++, input.format);
    }
    if (distinctPages.isEmpty()) {
        fail(tr("The page selection names no page of this document."));
        return;
    }

    if (input.createParent && !QFileInfo(input.parentFolder).isDir())
        QDir().mkpath(input.parentFolder);
    const OutputFolder::Created created =
        OutputFolder::createFresh(input.parentFolder, input.baseName);
    if (!created.ok) {
        fail(tr("No output folder could be created in %1.").arg(native(input.parentFolder)));
        return;
    }
    folder = created.path;
    renderFolder = folder + u'/' + renderFolderName;
    if (!QDir(folder).mkdir(renderFolderName)) {
        fail(tr("No output folder could be created in %1.").arg(native(folder)));
        return;
    }

    render.format = input.format;
    render.colour = input.colour;
    render.dpi = input.dpi;
    render.pages = distinctPages;
    render.outputFolder = renderFolder;
    // GIF pages come from the renderer as PNG and are encoded once complete.
    const bool gif = Formats::indexOf(input.format) == Formats::GIF;
    render.imageName = u'.' + (gif ? u"png"_s : extension);
    render.countPages = true;
    render.password = input.password;
    render.sourcePath = input.sourcePath;

    const QString program = Tools::locate(u"P2I.exe"_s);
    if (program.isEmpty()) {
        fail(tr("The renderer (Ghostscript) was not found."));
        return;
    }
    emit started(folder, render.text());
    if (stage != Stage::Rendering)
        return;
    renderer.start(program, render.arguments(), QIODevice::ReadOnly);
    watchdog.start(timeoutMs);
}

QString FileConversion::renderedFile(int index) const
{
    return renderFolder + u'/' + QString::number(index + 1) + render.imageName;
}

QStringList FileConversion::separationsOf(const QString &image) const
{
    if (render.device() != u"tiffsep")
        return {};
    const QFileInfo info(image);
    const QString stem = separationStem(info.fileName());
    QStringList separations;
    const QStringList names = info.dir().entryList({stem + u"(*).tiff"_s}, QDir::Files);
    for (const QString &name : names)
        separations << info.dir().filePath(name);
    return separations;
}

void FileConversion::readOutput(bool atEnd)
{
    outputTail += QString::fromLocal8Bit(renderer.readAllStandardOutput());
    if (atEnd)
        outputTail += u'\n';
    const qsizetype lineEnd = outputTail.lastIndexOf(u'\n');
    if (lineEnd < 0)
        return;
    const QStringList lines = outputTail.left(lineEnd).split(u'\n');
    outputTail = outputTail.mid(lineEnd + 1);
    const int markersBefore = markers;
    for (const QString &line : lines) {
        // The renderer goes on with the next page, but this one is missing or cut short (a full
        // disk, say).
        if (line.contains(pageDrawingError) && markers > 0) {
            const int page = distinctPages.at(qMin(markers, int(distinctPages.size())) - 1);
            fail(tr("The renderer could not draw page %1.").arg(page));
            return;
        }
        if (!line.startsWith(pageMarker))
            continue;
        ++markers;
        // A new page begins: the one before it is complete.
        if (markers >= 2 && completed == markers - 2 && completed < distinctPages.size() &&
            !completePage(completed))
            return;
    }
    if (markers == markersBefore)
        return;
    watchdog.start(timeoutMs);
    int images = 0;
    for (int index = 0; index < qMin(markers, int(distinctPages.size())); ++index)
        images += int(imageNames.at(index).size());
    const int percent = int(qint64(images) * 100 / input.pages.size());
    if (percent != 0 && percent != lastPercent) {
        lastPercent = percent;
        emit progress(percent);
    }
}

bool FileConversion::completePage(int index)
{
    const int page = distinctPages.at(index);
    const QString rendered = renderedFile(index);
    if (!QFileInfo(rendered).isFile()) {
        fail(tr("The renderer wrote no image for page %1.").arg(page));
        return false;
    }
    if (extension == u"tiff") {
        QString error;
        const QStringList files = QStringList(separationsOf(rendered)) << rendered;
        for (const QString &file : files) {
            if (!TiffPages::clearPageNumber(file, &error)) {
                fail(error);
                return false;
            }
        }
    }
    ++completed;
    if (Formats::indexOf(input.format) == Formats::GIF) {
        gifQueue << index;
        encodeNextGif();
        return stage != Stage::Ended;
    }
    return placeImage(index, rendered);
}

// Gives a complete page its final names: the first by renaming (or encoding), the others as
// copies.
bool FileConversion::placeImage(int index, const QString &rendered)
{
    const QStringList &names = imageNames.at(index);
    const QString first = folder + u'/' + names.first();
    if (!rendered.isEmpty()) {
        const QStringList separations = separationsOf(rendered);
        const QString renderedStem = separationStem(QFileInfo(rendered).fileName());
        if (!QFile::rename(rendered, first)) {
            fail(tr("The image %1 could not be written.").arg(native(first)));
            return false;
        }
        written << first;
        for (const QString &separation : separations) {
            const QString colour = QFileInfo(separation).fileName().mid(renderedStem.size());
            const QString target = folder + u'/' + separationStem(names.first()) + colour;
            if (!QFile::rename(separation, target)) {
                fail(tr("The image %1 could not be written.").arg(native(target)));
                return false;
            }
            written << target;
        }
    }
    emit imageWritten(first);
    const QStringList firstFiles = QStringList(first) << separationsOf(first);
    for (qsizetype copy = 1; copy < names.size(); ++copy) {
        const QString target = folder + u'/' + names.at(copy);
        for (const QString &source : firstFiles) {
            const QString name = QFileInfo(source).fileName();
            const QString copyName =
                separationStem(names.at(copy)) + name.mid(separationStem(names.first()).size());
            const QString path = source == first ? target : folder + u'/' + copyName;
            if (!QFile::copy(source, path)) {
                fail(tr("The image %1 could not be written.").arg(native(path)));
                return false;
            }
            written << path;
        }
        emit imageWritten(target);
    }
    return true;
}

void FileConversion::encodeNextGif()
{
    if (encodingPage >= 0 || gifQueue.isEmpty())
        return;
    encodingPage = gifQueue.takeFirst();
    const QString source = renderedFile(encodingPage);
    const QString target = folder + u'/' + imageNames.at(encodingPage).first();
    std::atomic_bool *cancel = &cancelGif;
    gifWatcher.setFuture(QtConcurrent::run([source, target, cancel] {
        QString error;
        return GifWriter::convertFile(source, target, &error, cancel) ? QString() : error;
    }));
}

void FileConversion::gifEncoded()
{
    const int index = encodingPage;
    encodingPage = -1;
    if (stage == Stage::Ended || index < 0)
        return;
    const QString error = gifWatcher.result();
    if (!error.isEmpty()) {
        fail(tr("Page %1 could not be written as GIF: %2").arg(distinctPages.at(index)).arg(error));
        return;
    }
    written << folder + u'/' + imageNames.at(index).first();
    QFile::remove(renderedFile(index));
    if (!placeImage(index, QString()))
        return;
    encodeNextGif();
    if (stage == Stage::Encoding && encodingPage < 0)
        afterPages();
}

void FileConversion::rendererFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    watchdog.stop();
    if (stage != Stage::Rendering)
        return;
    readOutput(true);
    if (stage != Stage::Rendering)
        return;
    if (timedOut) {
        fail(tr("The renderer reported no new page for %1 seconds and was stopped.")
                 .arg(timeoutMs / 1000),
             Failure::Timeout);
        return;
    }
    const int page = distinctPages.at(qBound(0, markers - 1, int(distinctPages.size()) - 1));
    if (exitStatus == QProcess::CrashExit) {
        fail(tr("The renderer ended abnormally."), Failure::Crash);
        return;
    }
    if (exitCode != 0) {
        const QString detail = lastLine(errorTail);
        fail(detail.isEmpty()
                 ? tr("The renderer stopped at page %1 (exit code %2).").arg(page).arg(exitCode)
                 : tr("The renderer stopped at page %1: %2").arg(page).arg(detail));
        return;
    }
    // The renderer is done: every page still unnamed must be there, and nothing beyond.
    for (int index = completed; index < distinctPages.size(); ++index) {
        if (!QFileInfo(renderedFile(index)).isFile()) {
            const QString detail = lastLine(errorTail);
            fail(detail.isEmpty()
                     ? tr("The renderer wrote no image for page %1.").arg(distinctPages.at(index))
                     : tr("The renderer wrote no image for page %1: %2")
                           .arg(distinctPages.at(index))
                           .arg(detail));
            return;
        }
    }
    if (QFileInfo::exists(renderedFile(int(distinctPages.size())))) {
        fail(tr("The renderer wrote more images than pages were selected."));
        return;
    }
    while (completed < distinctPages.size()) {
        if (!completePage(completed))
            return;
    }
    stage = Stage::Encoding;
    if (encodingPage < 0)
        afterPages();
}

void FileConversion::rendererTimedOut()
{
    timedOut = true;
    if (stage == Stage::Rendering)
        Tools::kill(renderer);
    else if (stage == Stage::Merging)
        Tools::kill(merger);
}

void FileConversion::afterPages()
{
    removeRenderFolder();
    if (input.merge)
        startMerge();
    else
        finish();
}

void FileConversion::startMerge()
{
    stage = Stage::Merging;
    mergeTarget = folder + u'/' + input.baseName + u".tiff"_s;
    QStringList arguments;
    for (const QStringList &names : std::as_const(imageNames)) {
        for (const QString &name : names)
            arguments << folder + u'/' + name;
    }
    // The joined file may carry the name of one of its own pages: it is written aside first.
    arguments << mergeTarget + u".part"_s;
    const QString program = Tools::locate(u"tiffcp.exe "_s);
    if (program.isEmpty()) {
        fail(tr("The pages could not be joined into one TIFF file (tiffcp was not found); the page "
                "files were kept."));
        return;
    }
    errorTail.clear();
    merger.start(program, arguments, QIODevice::ReadOnly);
    watchdog.start(timeoutMs);
}

void FileConversion::mergeFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    watchdog.stop();
    if (stage != Stage::Merging)
        return;
    const QString partial = mergeTarget + u".part"_s;
    const bool joined = !timedOut && exitStatus == QProcess::NormalExit && exitCode == 0 &&
                        QFileInfo(partial).size() > 0 &&
                        std::rename(QFile::encodeName(partial).constData(),
                                    QFile::encodeName(mergeTarget).constData()) == 0;
    if (!joined) {
        const QString detail = lastLine(errorTail);
        fail(tr("The pages could not be joined into one TIFF file; the page files were kept.") +
             (detail.isEmpty() ? QString() : u' ' + detail));
        return;
    }
    // The joined file is in place: only now do its pages go.
    for (const QStringList &names : std::as_const(imageNames)) {
        for (const QString &name : names) {
            const QString page = folder + u'/' + name;
            if (page != mergeTarget)
                QFile::remove(page);
            written.removeAll(page);
        }
    }
    written << mergeTarget;
    emit imageWritten(mergeTarget);
    finish();
}

void FileConversion::finish()
{
    stage = Stage::Ended;
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
    stage = Stage::Ended;
    endTools();
    // What was complete stays; the page under way and a half-joined file go.
    removeRenderFolder();
    if (!mergeTarget.isEmpty())
        QFile::remove(mergeTarget + u".part"_s);
    emit failed(reason, kind);
}

bool FileConversion::diskFull() const
{
    if (folder.isEmpty())
        return false;
    qint64 largest = 0;
    for (const QString &image : written)
        largest = qMax(largest, QFileInfo(image).size());
    const QFileInfoList rendered = QDir(renderFolder).entryInfoList(QDir::Files);
    for (const QFileInfo &file : rendered)
        largest = qMax(largest, file.size());
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
    for (const QString &image : std::as_const(written))
        QFile::remove(image);
    written.clear();
    removeRenderFolder();
    if (!mergeTarget.isEmpty())
        QFile::remove(mergeTarget + u".part"_s);
    if (!folder.isEmpty())
        QDir().rmdir(folder);
}

void FileConversion::endTools()
{
    watchdog.stop();
    for (QProcess *tool : {&renderer, &merger}) {
        if (tool->state() != QProcess::NotRunning) {
            Tools::kill(*tool);
            tool->waitForFinished(5000);
        }
    }
    cancelGif = true;
    gifWatcher.waitForFinished();
}

void FileConversion::removeRenderFolder()
{
    if (renderFolder.isEmpty())
        return;
    // Only the renderer's own files are in there.
    QDir(renderFolder).removeRecursively();
}
