#include "core/engine/planfolder.h"

#include "core/engine/journal.h"

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

constexpr int markTries = 30;
constexpr unsigned long markWaitMs = 100;
// A folder younger than this may still be getting its mark from the machine that made it.
constexpr qint64 youngSeconds = 10;

// The id in the mark, empty while it is missing or still being written.
QString markOf(const FolderHandle &folder)
{
    const int fd = folder.openFile(PlanFolder::markName, O_RDONLY);
    if (fd < 0)
        return {};
    char buffer[128];
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    const QByteArray text(buffer, qMax<ssize_t>(got, 0));
    return text.endsWith('\n') ? QString::fromLatin1(text.trimmed()) : QString();
}

bool young(const FolderHandle &folder)
{
    struct stat status = {};
    return ::fstat(folder.descriptor(), &status) == 0 &&
           QDateTime::currentSecsSinceEpoch() - status.st_ctim.tv_sec < youngSeconds;
}

// The mark of the folder, waiting briefly while one being made may still get it.
QString waitedMark(const FolderHandle &folder)
{
    for (int tries = 0; tries < markTries; ++tries) {
        const QString mark = markOf(folder);
        if (!mark.isEmpty() || !young(folder))
            return mark;
        QThread::msleep(markWaitMs);
    }
    return {};
}

} // namespace

PlanFolder::State PlanFolder::stateOf(const FolderHandle &parent, const QString &name,
                                      const QString &planId, Wait wait)
{
    const FolderHandle::Kind kind = parent.kindOf(name);
    if (kind == FolderHandle::Kind::Missing)
        return State::Missing;
    const FolderHandle folder =
        kind == FolderHandle::Kind::Folder ? parent.openFolder(name) : FolderHandle();
    const QString mark = wait == Wait::No ? markOf(folder) : waitedMark(folder);
    return folder.isOpen() && mark == planId ? State::Ours : State::Foreign;
}

OutputFolder::Created PlanFolder::adopt(const FolderHandle &parent, const QString &name,
                                        const QString &planId, mode_t mode)
{
    OutputFolder::Created created;
    if (!FolderHandle::isSingleName(name) || !parent.isOpen() || planId.isEmpty())
        return created;
    FolderHandle folder = parent.makeFolder(name, mode);
    if (folder.isOpen()) {
        // Made here: marked before anything is written in it; the mark is made only once.
        const QByteArray mark = planId.toLatin1() + '\n';
        const int fd = folder.openFile(markName, O_WRONLY | O_CREAT, (mode & 0666) | 0600);
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
        if (!folder.isOpen() || waitedMark(folder) != planId)
            return created;
    }
    created.folder = std::move(folder);
    created.name = name;
    created.ok = true;
    return created;
}

QString PlanFolder::renderFolderName(int firstNumber)
{
    return u".rendering-"_s + QString::number(firstNumber);
}

bool PlanFolder::removeInterrupted(const FolderHandle &folder, int first, int last)
{
    std::vector<std::pair<QString, FolderHandle>> interrupted;
    const QString prefix = renderFolderName(0).chopped(1);
    const QStringList entries = folder.entries();
    for (const QString &entry : entries) {
        bool isNumber = false;
        const int number = entry.startsWith(prefix) ? entry.mid(prefix.size()).toInt(&isNumber) : 0;
        if (!isNumber || number < first || number > last || entry != renderFolderName(number))
            continue;
        FolderHandle rendering = folder.openFolder(entry);
        if (!rendering.isOpen())
            continue;
        if (Journal::ownerRunning(rendering))
            return false;
        interrupted.emplace_back(entry, std::move(rendering));
    }
    for (const auto &[name, rendering] : interrupted) {
        const QStringList files = rendering.entries();
        for (const QString &file : files) {
            if (rendering.kindOf(file) != FolderHandle::Kind::Folder)
                rendering.remove(file);
        }
        if (rendering.isAt(folder, name))
            folder.removeFolder(name);
    }
    return true;
}
