#pragma once

#include "cli/plan.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the window's probe finds out of a PDF, without ever asking: the passwords are tried in
// order, each through a pipe, so that none of them shows on a command line.
namespace Probing {

// Fills in each entry's page count, page boxes and password, or its failure; the files are read
// as one list (PdfProbe::probeAll), a protected one then again with each password in turn.
void probe(const QList<PlanEntry *> &entries, const QStringList &passwords);

// The first of the passwords that opens the protected PDF at path; empty, with the reason in
// *failure, when none does.
QString passwordFor(const QString &path, const QStringList &passwords, QString *failure);

} // namespace Probing
