#include "core/engine/journal.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

const QString Journal::fileName = u"journal"_s;

namespace {

const QByteArray header = "vezudiri journal 2\n";
const QString renderFolderName = u".rendering"_s;
constexpr qint64 largestJournal = 16 * 1024 * 1024;
// A later run looking at a journal holds its lock for as long as reading it takes.
constexpr int lockWaitMs = 2000;

QByteArray readAll(int fd, qint64 limit)
{
    QByteArray data;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0 || data.size() + got > limit)
            break;
        data.append(buffer, got);
    }
    return data;
}

// Takes the journal's lock for this run. A file system that keeps no locks cannot tell anybody
// this run is alive, but then no later run can take the journal for gone either.
bool lockForRun(int fd)
{
    const QDeadlineTimer until(lockWaitMs);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return true;
        if (until.hasExpired())
            return false;
        QThread::msleep(10);
    }
}

QByteArray imageLine(const QString &name)
{
    return "image " + QFile::encodeName(name).toPercentEncoding() + '\n';
}

} // namespace

Journal::~Journal()
{
    close();
}

bool Journal::begin(const FolderHandle &renderFolder, const QStringList &planned)
{
    close();
    fd = renderFolder.openFile(fileName, O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0)
        return false;
    if (!lockForRun(fd)) {
        close();
        return false;
    }
    // The header comes only once the lock is held: a journal without it is one just begun.
    QByteArray start = header;
    for (const QString &name : planned) {
        if (!recorded.contains(name))
            start += imageLine(name);
        recorded.insert(name);
    }
    return append(start) && ::fdatasync(fd) == 0;
}

bool Journal::record(const QString &name)
{
    if (recorded.contains(name))
        return fd >= 0;
    recorded.insert(name);
    return append(imageLine(name));
}

bool Journal::append(const QByteArray &lines)
{
    // One write, so a crash leaves whole lines.
    return fd >= 0 && ::write(fd, lines.constData(), size_t(lines.size())) == lines.size();
}

void Journal::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
    recorded.clear();
}

Journal::Earlier::~Earlier()
{
    if (held >= 0)
        ::close(held);
}

Journal::Earlier::Earlier(Earlier &&other) noexcept
    : owner(other.owner)
    , text(std::move(other.text))
    , held(std::exchange(other.held, -1))
{}

Journal::Earlier Journal::earlierRun(const FolderHandle &renderFolder)
{
    Earlier earlier;
    // Written to, so that NFS grants the exclusive lock.
    const int journal = renderFolder.openFile(fileName, O_RDWR | O_NONBLOCK);
    if (journal < 0) {
        earlier.owner = renderFolder.error() == ENOENT ? Owner::None : Owner::Unknown;
        return earlier;
    }
    struct stat status = {};
    const bool ours = ::fstat(journal, &status) == 0 && S_ISREG(status.st_mode) &&
                      status.st_nlink == 1 && status.st_uid == ::geteuid() &&
                      status.st_size <= largestJournal;
    int locked = ours ? ::flock(journal, LOCK_EX | LOCK_NB) : -1;
    while (locked != 0 && ours && errno == EINTR)
        locked = ::flock(journal, LOCK_EX | LOCK_NB);
    if (locked != 0) {
        earlier.owner = ours && errno == EWOULDBLOCK ? Owner::Running : Owner::Unknown;
        ::close(journal);
        return earlier;
    }
    earlier.text = readAll(journal, largestJournal);
    if (!earlier.text.startsWith(header)) {
        // Begun this instant by a run about to lock it, or written by another version.
        earlier.owner = Owner::Unknown;
        earlier.text.clear();
        ::close(journal);
        return earlier;
    }
    earlier.owner = Owner::Gone;
    earlier.held = journal;
    return earlier;
}

Journal::Leftover Journal::removeLeftover(const FolderHandle &parent, const QString &name,
                                          Action action)
{
    Leftover leftover;
    const FolderHandle folder = parent.openFolder(name);
    const FolderHandle rendering =
        folder.isOpen() ? folder.openFolder(renderFolderName) : FolderHandle();
    if (!rendering.isOpen())
        return leftover;
    const Earlier earlier = earlierRun(rendering);
    if (earlier.owner != Owner::Gone)
        return leftover;

    leftover.found = true;
    QSet<QString> listed;
    const QList<QByteArray> lines = earlier.text.split('\n');
    for (const QByteArray &line : lines) {
        if (!line.startsWith("image "))
            continue;
        const QString image = QFile::decodeName(QByteArray::fromPercentEncoding(line.mid(6)));
        if (!FolderHandle::isSingleName(image) || image == renderFolderName ||
            folder.kindOf(image) != FolderHandle::Kind::File)
            continue;
        listed.insert(image);
        if (action == Action::Look || folder.remove(image))
            ++leftover.imagesRemoved;
    }
    if (action == Action::Look) {
        const QStringList entries = folder.entries();
        leftover.folderRemoved =
            std::all_of(entries.cbegin(), entries.cend(), [&listed](const QString &entry) {
                return entry == renderFolderName || listed.contains(entry);
            });
        return leftover;
    }
    // The renderer's unfinished pages, the journal last.
    const QStringList rendered = rendering.entries();
    for (const QString &entry : rendered) {
        if (entry != fileName && rendering.kindOf(entry) == FolderHandle::Kind::File)
            rendering.remove(entry);
    }
    rendering.remove(fileName);
    folder.removeFolder(renderFolderName);
    leftover.folderRemoved = folder.isAt(parent, name) && parent.removeFolder(name);
    return leftover;
}
