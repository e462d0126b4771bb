#pragma once

#include "core/pdf/probeanswer.h"

#include <QByteArray>

#include <optional>

// Reads a PDF without a password as "pdfinfo -box -f 1 -l LAST" does, in vezudiri-probe: the same
// poppler calls on the same name, so that a document that opens, crashes or hangs there does the
// same here. The answer holds what the program reads of pdfinfo: the page count, the file size and
// every page's media box (rounded as "%8.2f" prints it) and rotation.
namespace PlainProbe {

// Sets poppler up for this process; once, before the first probe.
void prepare();

// An opened document, or a locked one (WrongPassword). None where pdfinfo's answer could differ:
// a file that does not open (pdfinfo's own words tell why), no page or a page it cannot read, a
// box that is empty or not a number, or output (page boxes, properties, errors) that could exceed
// what the program reads of pdfinfo.
std::optional<ProbeAnswer::Answer> probe(const QByteArray &fileName);

} // namespace PlainProbe
