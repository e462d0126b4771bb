#pragma once

#include "core/engine/folderhandle.h"

#include <QString>
#include <QStringList>

// The PDF a record was made from, as the file system describes it. Size and modification time
// only: a device or inode number changes when a network file system is mounted again or a tool
// writes a file under a new name, and that is no change of the PDF.
struct PdfIdentity
{
    qint64 size = -1; // -1: no such regular file
    qint64 modifiedNs = 0;

    // The file at path, links followed as the renderer follows them.
    static PdfIdentity of(const QString &path);
    bool isValid() const { return size >= 0; }
    bool operator==(const PdfIdentity &other) const
    {
        return size == other.size && modifiedNs == other.modifiedNs;
    }
    bool operator!=(const PdfIdentity &other) const { return !(*this == other); }
};

// A small file in a PDF's output folder, written once every image of the file is complete and
// on the disk: which PDF (its identity), converted how (a key the caller makes of the options
// that shape the images) and the images with their sizes. A later run asks isCurrent to know,
// without guessing from file names, that the folder already holds this very conversion.
//
// The record is written under a temporary name of its own and renamed into place, so a reader
// sees a whole record or none, and two runs writing at once leave one of theirs. It is mode 0644
// (less by the umask), never group- or world-writable.
namespace CompletionRecord {

extern const QString fileName;
// A record is a few lines a file; a longer one is no record of ours.
constexpr qint64 largestRecord = 16 * 1024 * 1024;

// Writes the record of images into folder, a folder this run made: each image is flushed to the
// disk first, then the record, then its name. False, and nothing left behind, when any of that
// fails or an image is not a regular file of the user's own.
bool write(const FolderHandle &folder, const PdfIdentity &pdf, const QString &optionsKey,
           const QStringList &images);

// Whether folder holds a record of pdf converted with optionsKey, and still everything it
// lists. Only a record the user could have written counts: the folder is the user's own and
// nobody else can write it (a group write bit only for the user's private group); the record is a
// regular file of the user's own with one link that nobody else can write, whole and at most
// largestRecord long; every image it lists is such a file too, with the recorded size. Anything
// else, a link in the way included, is false.
bool isCurrent(const FolderHandle &folder, const PdfIdentity &pdf, const QString &optionsKey);
// The same for the folder name in parent; a link there is never followed.
bool isCurrent(const FolderHandle &parent, const QString &name, const PdfIdentity &pdf,
               const QString &optionsKey);

} // namespace CompletionRecord
