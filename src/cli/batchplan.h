#pragma once

#include "cli/batchoptions.h"
#include "core/engine/conversionjob.h"
#include "core/engine/diskspace.h"
#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// One PDF of a batch: what probing found, and what the run will write for it.
struct PlannedFile
{
    QString source;
    QString failure; // why it will not be converted; empty when it will
    int pageCount = 0;
    QString password;
    QList<PdfInfo::PageBox> boxes;
    ConversionJob job;
    QString folder;     // the fresh folder the run will make
    QStringList images; // the names the run leaves in it
    qint64 bytes = -1;  // the room its images take; -1 when unknown
};

struct BatchPlan
{
    QList<PlannedFile> files;
    QList<DiskSpace::Volume> volumes;

    bool fits() const;
};

// The choices the window stores, which a batch takes unless told otherwise.
struct BatchDefaults
{
    QString naming = QStringLiteral("source");
    QString templateText;
    QString password; // the default password of protected files, if one is set
    int jobs = 1;
    int timeoutSeconds = 300;
};

namespace BatchPlanner {

// Finds the PDFs, probes them (several at once) and works out every file's folder, image names
// and room, exactly as the run will.
BatchPlan plan(const BatchOptions &options, const BatchDefaults &defaults);

} // namespace BatchPlanner
