#include "core/engine/pageplacer.h"

#include <QCoreApplication>
#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A planned copy is made in the rendering folder before it gets its name.
const QString copyName = u"copy"_s;

// The messages are the conversion's own.
QString notWritten(const QString &path)
{
    return QCoreApplication::translate("FileConversion", "The image %1 could not be written.")
        .arg(QDir::toNativeSeparators(path));
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

} // namespace

PagePlacer::PagePlacer(const FolderHandle &folder, const FolderHandle &rendering, Journal &journal,
                       SliceRecord &sliceRecord, QObject *parent)
    : QObject(parent)
    , folder(folder)
    , rendering(rendering)
    , journal(journal)
    , sliceRecord(sliceRecord)
{}

void PagePlacer::aim(const Target &to)
{
    target = to;
}

// Whatever is in the way of a planned name, which the record does not list, is replaced.
bool PagePlacer::put(const FolderHandle &from, const QString &fromName, const QString &name,
                     bool replace, const QString &failure)
{
    if (!record(name))
        return false;
    if ((target.planned && !settled(from, fromName)) ||
        !from.rename(fromName, folder, name, replace || target.planned)) {
        if (failure.isEmpty())
            return refuse(name);
        why = failure;
        return false;
    }
    files << name;
    if (target.planned && !sliceRecord.add(folder, name)) {
        why = QCoreApplication::translate(
                  "FileConversion", "The record of the complete images in %1 cannot be written.")
                  .arg(QDir::toNativeSeparators(target.shownFolder));
        return false;
    }
    return true;
}

bool PagePlacer::placeRendered(const QString &rendered, const QStringList &separations,
                               const QStringList &names)
{
    const QString first = names.first();
    const QString renderedStem = separationStem(rendered);
    // The first image's files, under the names of the first image.
    QStringList firstFiles = {first};
    for (const QString &separation : separations)
        firstFiles << separationStem(first) + separation.mid(renderedStem.size());
    // The image itself comes last: once it is there, its separations are too.
    for (qsizetype at = firstFiles.size() - 1; at >= 0; --at) {
        if (!put(rendering, at == 0 ? rendered : separations.at(at - 1), firstFiles.at(at)))
            return false;
    }
    return placeCopies(names, firstFiles);
}

bool PagePlacer::placeEncoded(const QString &encoded, const QString &raw, const QStringList &names)
{
    if (!put(rendering, encoded, names.first()))
        return false;
    rendering.remove(raw);
    return placeCopies(names, {names.first()});
}

bool PagePlacer::placeCopies(const QStringList &names, const QStringList &firstFiles)
{
    const QString firstStem = separationStem(names.first());
    emit imageWritten(target.shownFolder + u'/' + names.first());
    for (qsizetype copy = 1; copy < names.size(); ++copy) {
        for (const QString &source : firstFiles) {
            const QString name = separationStem(names.at(copy)) + source.mid(firstStem.size());
            if (target.planned) {
                if (!folder.copy(source, rendering, copyName, target.fileMode))
                    return refuse(name);
                if (!put(rendering, copyName, name))
                    return false;
            } else if (!record(name)) {
                return false;
            } else if (!folder.copy(source, folder, name, target.fileMode)) {
                return refuse(name);
            } else {
                files << name;
            }
        }
        emit imageWritten(target.shownFolder + u'/' + names.at(copy));
    }
    return true;
}

void PagePlacer::remove(const QString &name)
{
    folder.remove(name);
    files.removeAll(name);
}

void PagePlacer::removeAll()
{
    for (const QString &name : std::as_const(files))
        folder.remove(name);
    files.clear();
}

bool PagePlacer::record(const QString &name)
{
    if (journal.record(name))
        return true;
    why = notWritten(folder.filePath(name));
    return false;
}

bool PagePlacer::refuse(const QString &name)
{
    why = notWritten(target.shownFolder + u'/' + name);
    return false;
}
