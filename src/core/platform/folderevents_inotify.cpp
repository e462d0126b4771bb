#include "core/platform/folderevents_inotify.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr uint32_t folderMask = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE | IN_DELETE |
                                IN_MOVED_FROM | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
// Deeper trees are still found by a full look, but never walked into without end.
constexpr int deepest = 64;

QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

} // namespace

InotifyEvents::InotifyEvents(QObject *parent)
    : FolderEvents(parent)
    , fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (fd < 0)
        return;
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &InotifyEvents::readEvents);
}

InotifyEvents::~InotifyEvents()
{
    if (fd >= 0)
        ::close(fd);
}

bool InotifyEvents::watchTree(const QString &root)
{
    if (fd < 0) {
        emit problem(u"no folder can be watched: %1"_s.arg(reason(errno)));
        return false;
    }
    const qsizetype before = folders.size();
    watchFolder(AT_FDCWD, QFile::encodeName(root), root, 0);
    return folders.size() > before;
}

void InotifyEvents::watchFolder(int parentFd, const QByteArray &name, const QString &path,
                                int depth)
{
    const int folder = ::openat(parentFd, name.constData(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (folder < 0) {
        emit problem(u"%1 is not watched: %2"_s.arg(path, errno == ELOOP || errno == ENOTDIR
                                                              ? u"it is a link or no folder"_s
                                                              : reason(errno)));
        return;
    }
    struct stat status = {};
    if (::fstat(folder, &status) != 0 || status.st_uid != ::geteuid()) {
        emit problem(u"%1 is not watched: it belongs to another user"_s.arg(path));
        ::close(folder);
        return;
    }
    // The watch goes on the very folder opened, whatever its path names by now.
    const QByteArray handlePath = "/proc/self/fd/" + QByteArray::number(folder);
    const int watch = inotify_add_watch(fd, handlePath.constData(), folderMask);
    if (watch < 0) {
        emit problem(u"%1 is not watched: %2"_s.arg(path, reason(errno)));
        ::close(folder);
        return;
    }
    folders.insert(watch, path);
    DIR *listing = depth < deepest ? ::fdopendir(folder) : nullptr;
    if (!listing) {
        ::close(folder);
        return;
    }
    while (const dirent *entry = ::readdir(listing)) {
        const QByteArray child(entry->d_name);
        if (child == "." || child == ".." || child.startsWith('.'))
            continue;
        if (entry->d_type == DT_DIR ||
            (entry->d_type == DT_UNKNOWN &&
             ::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
             S_ISDIR(status.st_mode)))
            watchFolder(::dirfd(listing), child, path + u'/' + QFile::decodeName(child), depth + 1);
    }
    ::closedir(listing);
}

void InotifyEvents::readEvents()
{
    alignas(inotify_event) char buffer[64 * 1024];
    for (;;) {
        const ssize_t length = ::read(fd, buffer, sizeof buffer);
        if (length <= 0)
            return;
        for (ssize_t offset = 0; offset < length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                emit overflowed();
                continue;
            }
            if (event->mask & IN_IGNORED) {
                folders.remove(event->wd);
                continue;
            }
            const auto folder = folders.constFind(event->wd);
            if (folder == folders.cend() || event->len == 0)
                continue;
            const QByteArray name(event->name);
            if (name.startsWith('.'))
                continue;
            const QString path = *folder + u'/' + QFile::decodeName(name);
            if (event->mask & (IN_DELETE | IN_MOVED_FROM)) {
                emit entryRemoved(path);
            } else if (event->mask & IN_ISDIR) {
                if (event->mask & (IN_CREATE | IN_MOVED_TO)) {
                    watchFolder(AT_FDCWD, QFile::encodeName(path), path, 1);
                    emit folderAdded(path);
                }
            } else if (event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE)) {
                // A file linked into place (O_TMPFILE and linkat, as QFile::copy does) is only
                // ever created: its settling tells whether it is complete.
                emit fileWritten(path);
            }
        }
    }
}
