#pragma once

#include "core/pdf/probeanswer.h"

#include <QString>

#include <optional>

// Reads a protected PDF through poppler's C++ library, in vezudiri-probe, the child the program
// starts for it. The answers are those "pdfinfo -upw" prints: the same values, in the same words
// and with the same rounding.
namespace PopplerProbe {

// Opens the file with the password as its user password, as pdfinfo's -upw does.
ProbeAnswer::Answer probe(const QString &path, const QString &password);

// What "pdfinfo -box" prints for a file opened without a password: a document that opens, or one
// that is locked (WrongPassword). None where the two could differ: a file that does not open (the
// caller asks pdfinfo for its words), an encrypted document, a page poppler cannot read, or so
// many pages or properties that pdfinfo's output could exceed what is read of it.
std::optional<ProbeAnswer::Answer> probeAsPdfinfo(const QString &path);

} // namespace PopplerProbe
