#pragma once

#include "cli/batchplan.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// One PDF of a plan: what the run will write for it, and the file as it was when planned, so that
// a file changed since is noticed. A password is never part of a plan, only that one is needed.
struct PlanEntry
{
    PlannedFile file; // without its password
    qint64 size = -1;
    QDateTime modified;
    bool isProtected = false;
};

// A whole run, planned once and written as JSON, that any number of machines can convert in
// shards: every shard gets the same folders, names and numbers a one-machine run would give.
struct RunPlan
{
    static constexpr int version = 1;

    QString id; // names the plan in the marks of its folders
    BatchOptions choices;
    QList<PlanEntry> files;

    // A planned batch. A planned run's folders are fixed where they are free or carry this
    // plan's mark; when every shard plans by itself, folders a shard is still marking are
    // waited for, so that all shards agree.
    static RunPlan from(const BatchPlan &batch, const BatchOptions &options,
                        const BatchDefaults &defaults);
    QByteArray toJson() const;
    // The plan in json, or what is wrong with it.
    static RunPlan fromJson(const QByteArray &json, QString *wrong);
};

namespace RunPlans {

// Why the file was changed since it was planned, or nothing.
QString changedSince(const PlanEntry &entry);

// A run of pages of one file: the images from offset, count of them.
struct Slice
{
    int file = 0;
    int offset = 0;
    int count = 0;
};

// The slices of shard, of shards, of files with these numbers of images, cut so that each shard
// holds about as many images: a file may be cut between shards, but not a whole one (a joined
// TIFF), which goes where its middle falls. A file without images goes where it stands. The
// slices of all shards hold every image once.
QList<Slice> shard(const QList<int> &images, const QList<bool> &whole, int shard, int shards);

} // namespace RunPlans
