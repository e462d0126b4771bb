#pragma once

#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QString>

// Reads a protected PDF in a child process, vezudiri-probe, which runs poppler's C++ library: its
// password reaches the child through a pipe, never a command line or the environment (both are
// readable by other users in /proc), and a document that crashes poppler, makes it hang or
// allocate without end takes down only that child. The answers are those "pdfinfo -upw" prints.
namespace ProtectedProbe {

enum class Outcome {
    Opened,
    WrongPassword,
    Unreadable, // missing, or not a PDF poppler can read
    Failed,     // the child did not answer in time, crashed, ran out of memory or answered garbage
};

struct Result
{
    Outcome outcome = Outcome::Failed;
    PdfInfo::Info info;            // as "pdfinfo -upw PASSWORD FILE" prints it
    QList<PdfInfo::PageBox> boxes; // as "pdfinfo -box -f 1 -l LAST -upw PASSWORD FILE" prints them
    QString failure;               // Failed: why, in the command line's words
};

// Opens the file with the password as its user password, as pdfinfo's -upw does; the child gets
// PdfInfoCommand::timeout() and memoryLimit().
Result probe(const QString &path, const QString &password);

// The bytes of data the child may allocate; 0 for no limit of its own.
qint64 memoryLimit();
void setMemoryLimit(qint64 bytes);

} // namespace ProtectedProbe
