#pragma once

#include "core/engine/conversionjob.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>

// What a planned run still has to convert of one file's slice (its images in one shard) in the
// folder the plan gave it.
namespace PlanSlice {

struct Pending
{
    // None with a reason: the slice fails. None without one: an earlier run completed it.
    QList<ConversionJob> jobs;
    QString reason;
};

// The jobs for the slice job holds: all of it while its folder is not made yet. Without resume,
// a folder that holds images or work of an earlier run of the slice fails it; with resume, only
// the images the slice's records list as complete (see SliceRecord) are kept, and the rest is
// rendered again in runs of consecutive images, each a job of its own with the names the plan
// gave. A slice that a live run converts, in any host or container, or whose folder is not ours
// (see PlanFolder), fails.
Pending pending(const ConversionJob &job, bool resume, const QDeadlineTimer &markWait);

} // namespace PlanSlice
