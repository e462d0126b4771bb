#pragma once

#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QString>

// The one probe of a PDF, for the window's add step and for --convert alike: pdfinfo first, and a
// protected file again in process with a password, so that no password reaches a command line.
namespace PdfProbe {

enum class Outcome {
    Opened,        // a document with at least one page
    NeedsPassword, // protected: probe it again with a password
    WrongPassword, // the password does not open it, or it has no page
    Unreadable,    // missing, or not a PDF that can be read
    NotFinished,   // pdfinfo could not be run, or pdfinfo or poppler did not answer in time
};

struct Result
{
    Outcome outcome = Outcome::Unreadable;
    int pageCount = 0;
    qint64 fileSizeBytes = -1;
    QList<PdfInfo::PageBox> boxes; // every page's box, for the room its images take
};

// A file that may or may not need a password.
Result probe(const QString &path);
// A protected file, opened with the password as its user password.
Result probe(const QString &path, const QString &password);

} // namespace PdfProbe
