#include "cli/roomcheck.h"

#include "cli/report.h"

RoomCheck RoomCheck::of(const QList<std::pair<QString, qint64>> &needs, bool force)
{
    RoomCheck check;
    if (force) {
        check.failures = QStringList(needs.size(), QString());
        check.volumes = DiskSpace::volumes(needs);
        return check;
    }
    const DiskSpace::Room room = DiskSpace::room(needs);
    for (qsizetype need = 0; need < needs.size(); ++need) {
        check.failures << (room.tooLarge.at(need)
                               ? Report::tooLarge(needs.at(need).second,
                                                  room.volumes.at(room.volumeOf.at(need)))
                               : QString());
    }
    check.volumes = room.volumes;
    check.refused = !room.fits();
    return check;
}

RoomCheck RoomCheck::applied(QList<PlanEntry> &entries, bool force)
{
    QList<std::pair<QString, qint64>> needs;
    QList<PlanEntry *> running;
    for (PlanEntry &entry : entries) {
        if (entry.runs()) {
            needs.append({entry.job.parentFolder, entry.bytes});
            running << &entry;
        }
    }
    const RoomCheck check = of(needs, force);
    for (qsizetype need = 0; need < needs.size(); ++need) {
        if (!check.failures.at(need).isEmpty())
            running.at(need)->failure = check.failures.at(need);
    }
    return check;
}
