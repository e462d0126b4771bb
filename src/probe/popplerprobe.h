#pragma once

#include "core/pdf/probeanswer.h"

#include <QString>

// Reads a protected PDF through poppler's C++ library, in vezudiri-probe, the child the program
// starts for it. The answers are those "pdfinfo -upw" prints: the same values, in the same words
// and with the same rounding.
namespace PopplerProbe {

// Opens the file with the password as its user password, as pdfinfo's -upw does.
ProbeAnswer::Answer probe(const QString &path, const QString &password);

} // namespace PopplerProbe
