#pragma once

#include "cli/convertoptions.h"
#include "core/engine/conversionjob.h"
#include "core/pdf/pdfinfo.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// One PDF of a batch: the file as it was when planned, what probing found, and what the run
// writes for it. A password is never part of a plan, only that one is needed.
struct PlanEntry
{
    QString source;
    QString tree;     // the folder given on the command line the PDF was found in, if any
    qint64 size = -1; // when planned; -1: there was no such file
    QDateTime modified;
    QString failure; // why it will not be converted; empty when it will
    QString note;    // what the run should say of it, such as pages left out
    QString skipped; // the folder that holds this conversion already (--skip-existing)
    int pageCount = 0;
    bool isProtected = false;
    QString password;              // the one that opens it, while this run holds it
    ConversionJob job;             // without its password
    QString folder;                // the folder the run will make
    QStringList images;            // the names the run leaves in it
    qint64 bytes = -1;             // the room its images take; -1 when unknown
    QList<PdfInfo::PageBox> boxes; // as probed, for the dry run; never part of a plan

    // Neither failed nor skipped.
    bool runs() const { return failure.isEmpty() && skipped.isEmpty(); }
    // Why the PDF is not what it was when planned, or nothing.
    QString changedSince() const;
};

// A whole batch, planned once. Written as JSON (PlanCodec), any number of machines can convert it
// in shards: every shard gets the same folders, names and numbers a one-machine run would give.
struct Plan
{
    static constexpr int version = 2;

    QString id;           // made from all of the plan; names it in reports
    BatchChoices choices; // the naming as the run takes it, never the stored choice
    QList<PlanEntry> entries;
};

namespace Plans {

// A PDF has at most this many objects, so at most this many pages.
constexpr int maximumPageCount = 8388607;

// The job of one PDF of pageCount pages under the choices, before its numbers are known.
// tree: the folder given on the command line the PDF was found in (see OutputLayout).
ConversionJob jobFor(const BatchChoices &choices, const QString &source, int pageCount, int row,
                     const QString &tree);

// Gives each page of the job the resolution that makes its image pdftoppm's size for the
// choices (a part of a pixel is a whole one, where the renderer rounds). False when the boxes
// lack one of its pages or one would have no pixels.
bool sizePages(ConversionJob &job, const BatchChoices &choices,
               const QList<PdfInfo::PageBox> &boxes);

} // namespace Plans
