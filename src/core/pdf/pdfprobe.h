#pragma once

#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// The one probe of a PDF, for the window's add step and for --convert alike: pdfinfo first (or,
// for many files, one child that reads them as pdfinfo would), and a protected file again with a
// password in a child of its own (core/pdf/protectedprobe.h), so that no password reaches a
// command line and no document can take the program down.
namespace PdfProbe {

enum class Outcome {
    Opened,        // a document with at least one page
    NeedsPassword, // protected: probe it again with a password
    WrongPassword, // the password does not open it, or it has no page
    Unreadable,    // missing, or not a PDF that can be read
    NotFinished,   // pdfinfo or the protected probe could not be run, or gave no answer
};

struct Result
{
    Outcome outcome = Outcome::Unreadable;
    int pageCount = 0;
    qint64 fileSizeBytes = -1;
    QList<PdfInfo::PageBox> boxes; // every page's box, for the room its images take; or none
    QString failure;               // NotFinished: why, in the command line's words
};

// A file that may or may not need a password.
Result probe(const QString &path);
// A protected file, opened with the password as its user password.
Result probe(const QString &path, const QString &password);

// probe(path) of each path, in order, all read by one vezudiri-probe instead of a pdfinfo for
// each (whose start-up is most of a small file's probe). A file that child does not answer for,
// because it could read it otherwise than pdfinfo, or because the file took it down, made it
// hang or answer garbage, is probed again on its own: a hostile file costs time, never a result.
QList<Result> probeAll(const QStringList &paths);

// How many files go into each probeAll() when threads share files: one list for each thread, of at
// most 64 files, so that a child's start-up is paid once for many and a file that takes a child
// down sends few others to pdfinfo.
qsizetype listLength(qsizetype files, int threads);

} // namespace PdfProbe
