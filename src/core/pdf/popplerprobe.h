#pragma once

#include "core/pdf/pdfinfo.h"

// Reads a protected PDF in this process through poppler's C++ library, so that its password never
// shows on a command line (/proc/PID/cmdline is readable by every user). The answers are those
// "pdfinfo -upw" prints: the same values, in the same words and with the same rounding.
namespace PopplerProbe {

enum class Outcome {
    Opened,
    WrongPassword,
    Unreadable, // missing, or not a PDF poppler can read
    TimedOut,   // not read within PdfInfoCommand::timeout()
};

struct Result
{
    Outcome outcome = Outcome::Unreadable;
    PdfInfo::Info info;            // as "pdfinfo -upw PASSWORD FILE" prints it
    QList<PdfInfo::PageBox> boxes; // as "pdfinfo -box -f 1 -l LAST -upw PASSWORD FILE" prints them
};

// Opens the file with the password as its user password, as pdfinfo's -upw does, waiting at most
// PdfInfoCommand::timeout().
Result probe(const QString &path, const QString &password);

} // namespace PopplerProbe
