#pragma once

#include "cli/plan.h"
#include "core/engine/diskspace.h"

#include <QList>
#include <QString>
#include <QStringList>

// The room check of --convert: a file whose images alone do not fit on their disk fails with the
// room it needs, and the run is refused only when the rest do not fit together. --force converts
// them all.
struct RoomCheck
{
    QStringList failures;             // for each need, why it cannot be converted, or nothing
    QList<DiskSpace::Volume> volumes; // what the files to convert need on each disk
    bool refused = false;

    static RoomCheck of(const QList<std::pair<QString, qint64>> &needs, bool force);
    // The check of the entries that will run; those that cannot fit fail with the reason.
    static RoomCheck applied(QList<PlanEntry> &entries, bool force);
};
