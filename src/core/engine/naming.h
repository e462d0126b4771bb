#pragma once

#include <QString>

// How the images of a file are named: a prefix followed by a running number, or the PDF's name
// followed by the page number.
namespace Naming {

struct Prefix
{
    QString prefix;
    bool rewriteToSource = false; // the stored naming model is unknown and must become "source"
};

// The prefix for the naming model "source", "number" or "template" (exact spelling); any other
// model names the images after the source as well. A template is made safe first.
Prefix prefixFor(const QString &model, const QString &templateFirst, const QString &baseName);

// Whether a naming template can only ever name a file inside the file's own folder: no folder
// separator, no "..", no character a common file system cannot hold, not too long.
bool isSafeTemplate(const QString &templateFirst);
// The template with every unsafe character (and every "..") turned into "_", cut to the longest
// safe length; a safe template comes back unchanged.
QString safeTemplate(const QString &templateFirst);

// A PDF's name without ".pdf" (any case), any other name without its last suffix; never empty
// for a non-empty name.
QString baseName(const QString &fileName);

// The name, without extension, of a page's image when images carry their page number: the PDF's
// name, "-" and the page zero-padded to the width of the document's page count (report-003 for
// page 3 of 120). A page selected again gets "(1)", "(2)" ... after its first copy's name, as a
// taken folder name does.
QString pageStem(const QString &baseName, int page, int pageCount, int copy);

} // namespace Naming
