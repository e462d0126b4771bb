#include "core/engine/planfolder.h"

#include "core/engine/journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QThread>

#include <cerrno>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

const QString PlanFolder::markName = u".vezudiri-plan"_s;

namespace {

constexpr unsigned long markWaitStepMs = 100;
// A folder younger than this may still be getting its mark from the machine that made it.
constexpr qint64 youngSeconds = 10;
// Group and others may read and enter, never write.
constexpr mode_t writableByOthers = S_IWGRP | S_IWOTH;

PlanFolder::Why ownerWhy(const struct stat &status)
{
    if (status.st_uid != ::geteuid())
        return PlanFolder::Why::OtherOwner;
    if (status.st_mode & writableByOthers)
        return PlanFolder::Why::WritableByOthers;
    return PlanFolder::Why::None;
}

struct Mark
{
    bool present = false;
    bool ours = false; // a regular file of the user's own, one link, nobody else can write it
    QString id;        // empty while it is still being written
};

Mark markOf(const FolderHandle &folder)
{
    Mark mark;
    // Never through a link, and a pipe put there cannot hold the run.
    const int fd = folder.openFile(PlanFolder::markName, O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        mark.present = folder.error() != ENOENT;
        return mark;
    }
    mark.present = true;
    struct stat status = {};
    mark.ours = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 1 &&
                ownerWhy(status) == PlanFolder::Why::None;
    char buffer[128];
    const ssize_t got = mark.ours ? ::read(fd, buffer, sizeof buffer) : 0;
    ::close(fd);
    const QByteArray text(buffer, qMax<ssize_t>(got, 0));
    if (text.endsWith('\n'))
        mark.id = QString::fromLatin1(text.trimmed());
    return mark;
}

bool young(const FolderHandle &folder)
{
    struct stat status = {};
    return ::fstat(folder.descriptor(), &status) == 0 &&
           QDateTime::currentSecsSinceEpoch() - status.st_ctim.tv_sec < youngSeconds;
}

// Whether the open folder is ours: the user's own, closed to others, marked by this plan. Only
// such a folder, without its mark yet, is waited for while it is young.
PlanFolder::Why whyNotOurs(const FolderHandle &folder, const QString &planId,
                           const QDeadlineTimer &markWait)
{
    struct stat status = {};
    if (!folder.isOpen() || ::fstat(folder.descriptor(), &status) != 0)
        return PlanFolder::Why::NotAFolder;
    if (const PlanFolder::Why why = ownerWhy(status); why != PlanFolder::Why::None)
        return why;
    Mark mark = markOf(folder);
    while ((!mark.present || (mark.ours && mark.id.isEmpty())) && young(folder) &&
           !markWait.hasExpired()) {
        QThread::msleep(markWaitStepMs);
        mark = markOf(folder);
    }
    if (mark.present && !mark.ours)
        return PlanFolder::Why::MarkNotOurs;
    return mark.id == planId ? PlanFolder::Why::None : PlanFolder::Why::OtherPlan;
}

} // namespace

PlanFolder::Found PlanFolder::stateOf(const FolderHandle &parent, const QString &name,
                                      const QString &planId, const QDeadlineTimer &markWait)
{
    const FolderHandle::Kind kind = parent.kindOf(name);
    if (kind == FolderHandle::Kind::Missing)
        return {};
    Found found;
    found.folder = kind == FolderHandle::Kind::Folder ? parent.openFolder(name) : FolderHandle();
    found.why = whyNotOurs(found.folder, planId, markWait);
    found.state = found.why == Why::None ? State::Ours : State::Foreign;
    if (found.state == State::Foreign)
        found.folder = FolderHandle();
    return found;
}

OutputFolder::Created PlanFolder::adopt(const FolderHandle &parent, const QString &name,
                                        const QString &planId, mode_t mode, Why *why)
{
    OutputFolder::Created created;
    if (why)
        *why = Why::None;
    if (!FolderHandle::isSingleName(name) || !parent.isOpen() || planId.isEmpty())
        return created;
    FolderHandle folder = parent.makeFolder(name, mode & ~writableByOthers);
    if (folder.isOpen()) {
        // Made here: marked before anything is written in it; the mark is made only once.
        const QByteArray mark = planId.toLatin1() + '\n';
        const int fd = folder.openFile(markName, O_WRONLY | O_CREAT,
                                       ((mode & 0666) | 0600) & ~writableByOthers);
        const bool marked =
            fd >= 0 && ::write(fd, mark.constData(), size_t(mark.size())) == mark.size();
        if (fd >= 0)
            ::close(fd);
        if (!marked)
            return created;
    } else {
        if (parent.error() != EEXIST)
            return created;
        folder = parent.openFolder(name);
        const Why found = whyNotOurs(folder, planId, QDeadlineTimer(markWaitMs));
        if (why)
            *why = found;
        if (found != Why::None)
            return created;
    }
    created.folder = std::move(folder);
    created.name = name;
    created.ok = true;
    return created;
}

QString PlanFolder::reason(Why why)
{
    switch (why) {
    case Why::None:
        break;
    case Why::NotAFolder:
        return QCoreApplication::translate("PlanFolder", "it is no folder, or a link");
    case Why::OtherOwner:
        return QCoreApplication::translate("PlanFolder", "it belongs to another user");
    case Why::WritableByOthers:
        return QCoreApplication::translate("PlanFolder", "other users can write in it");
    case Why::MarkNotOurs:
        return QCoreApplication::translate(
            "PlanFolder", "its plan mark is not a file of this user's that only this user can "
                          "write");
    case Why::OtherPlan:
        return QCoreApplication::translate("PlanFolder", "this plan did not make it");
    }
    return {};
}

QString PlanFolder::renderFolderName(int firstNumber)
{
    return u".rendering-"_s + QString::number(firstNumber);
}

QStringList PlanFolder::renderFolders(const FolderHandle &folder, int first, int last)
{
    QStringList found;
    const QString prefix = renderFolderName(0).chopped(1);
    const QStringList entries = folder.entries();
    for (const QString &entry : entries) {
        bool isNumber = false;
        const int number = entry.startsWith(prefix) ? entry.mid(prefix.size()).toInt(&isNumber) : 0;
        if (isNumber && number >= first && number <= last && entry == renderFolderName(number))
            found << entry;
    }
    return found;
}

PlanFolder::Cleanup PlanFolder::removeInterrupted(const FolderHandle &folder, int first, int last)
{
    // Each journal of a run that is gone stays locked here until its folder is removed.
    std::vector<std::pair<QString, FolderHandle>> interrupted;
    std::vector<Journal::Earlier> held;
    const QStringList names = renderFolders(folder, first, last);
    for (const QString &name : names) {
        FolderHandle rendering = folder.openFolder(name);
        Journal::Earlier earlier =
            rendering.isOpen() ? Journal::earlierRun(rendering) : Journal::Earlier();
        switch (rendering.isOpen() ? earlier.owner : Journal::Owner::Unknown) {
        case Journal::Owner::None:
            // Made a moment ago, or its run died before its journal: only an empty one goes,
            // so a run that gets its journal in now keeps it.
            if (!folder.removeFolder(name))
                return Cleanup::Unknown;
            continue;
        case Journal::Owner::Running:
            return Cleanup::Running;
        case Journal::Owner::Unknown:
            return Cleanup::Unknown;
        case Journal::Owner::Gone:
            break;
        }
        held.push_back(std::move(earlier));
        interrupted.emplace_back(name, std::move(rendering));
    }
    for (const auto &[name, rendering] : interrupted) {
        const QStringList files = rendering.entries();
        for (const QString &file : files) {
            if (file != Journal::fileName && rendering.kindOf(file) != FolderHandle::Kind::Folder)
                rendering.remove(file);
        }
        rendering.remove(Journal::fileName);
        if (rendering.isAt(folder, name))
            folder.removeFolder(name);
    }
    return Cleanup::Done;
}
