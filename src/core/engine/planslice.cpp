#include "core/engine/planslice.h"

#include "core/engine/journal.h"
#include "core/engine/planfolder.h"
#include "core/engine/slicerecord.h"

#include <QDir>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

bool anotherRunIn(const FolderHandle &folder, const QStringList &renderFolders)
{
    return std::any_of(renderFolders.cbegin(), renderFolders.cend(),
                       [&folder](const QString &name) {
                           const FolderHandle rendering = folder.openFolder(name);
                           return rendering.isOpen() &&
                                  Journal::earlierRun(rendering).owner == Journal::Owner::Running;
                       });
}

} // namespace

PlanSlice::Pending PlanSlice::pending(const ConversionJob &job, bool resume,
                                      const QDeadlineTimer &markWait)
{
    Pending pending;
    const QString shown =
        QDir::toNativeSeparators(QDir::cleanPath(job.parentFolder + u'/' + job.plannedFolder));
    const FolderHandle parent = FolderHandle::open(job.parentFolder);
    PlanFolder::Found found =
        parent.isOpen() ? PlanFolder::stateOf(parent, job.plannedFolder, job.planId, markWait)
                        : PlanFolder::Found();
    if (found.state == PlanFolder::State::Missing) {
        pending.jobs = {job};
        return pending;
    }
    if (found.state == PlanFolder::State::Foreign) {
        pending.reason =
            u"the folder %1 is in the way: %2"_s.arg(shown, PlanFolder::reason(found.why));
        return pending;
    }
    const FolderHandle folder = std::move(found.folder);
    const QStringList names = job.imageNames();
    const int last = job.merge ? job.firstNumber : job.firstNumber + int(names.size()) - 1;
    const QString anotherRun = u"another run converts these pages in %1"_s.arg(shown);
    if (!resume) {
        ConversionJob pages = job;
        pages.merge = false;
        const QStringList rendering = PlanFolder::renderFolders(folder, job.firstNumber, last);
        const QStringList mine = job.merge ? QStringList(names) << pages.imageNames() : names;
        const bool left = !rendering.isEmpty() ||
                          std::any_of(mine.cbegin(), mine.cend(), [&folder](const QString &name) {
                              return folder.kindOf(name) != FolderHandle::Kind::Missing;
                          });
        if (!left)
            pending.jobs = {job};
        else if (anotherRunIn(folder, rendering))
            pending.reason = anotherRun;
        else
            pending.reason = u"an earlier run of this plan left images of these pages in %1; go "
                             "on with --resume"_s.arg(shown);
        return pending;
    }
    switch (PlanFolder::removeInterrupted(folder, job.firstNumber, last)) {
    case PlanFolder::Cleanup::Done:
        break;
    case PlanFolder::Cleanup::Running:
        pending.reason = anotherRun;
        return pending;
    case PlanFolder::Cleanup::Unknown:
        pending.reason = u"whether the run that left work in %1 has ended cannot be told (its "
                         "journal is not this user's, or the file system keeps no locks); remove "
                         "its .rendering folders to go on"_s.arg(shown);
        return pending;
    }
    // Whatever else is in the way of an image not recorded is replaced by its new rendering.
    const QHash<QString, qint64> complete = SliceRecord::read(folder);
    if (job.merge) {
        if (!SliceRecord::holds(complete, folder, names.first()))
            pending.jobs = {job};
        return pending;
    }
    for (int index = 0; index < names.size();) {
        int end = index;
        while (end < names.size() && !SliceRecord::holds(complete, folder, names.at(end)))
            ++end;
        if (end > index) {
            ConversionJob rest = job;
            rest.pages = job.pages.mid(index, end - index);
            rest.firstNumber = job.firstNumber + index;
            rest.firstCopy = job.copyNumber(index);
            pending.jobs << rest;
        }
        index = end + 1;
    }
    return pending;
}
