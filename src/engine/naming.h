#pragma once

#include <QString>

// How the images of a file are named: a prefix followed by a running number.
namespace Naming {

struct Prefix
{
    QString prefix;
    bool rewriteToSource = false; // the stored naming model is unknown and must become "source"
};

// The prefix for the naming model "source", "number" or "template" (exact spelling); any other
// model names the images after the source as well.
Prefix prefixFor(const QString &model, const QString &templateFirst, const QString &baseName);

// A PDF's name without ".pdf" (any case), any other name without its last suffix; never empty
// for a non-empty name.
QString baseName(const QString &fileName);

} // namespace Naming
