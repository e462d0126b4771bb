#include "core/engine/folderhandle.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray encoded(const QString &name)
{
    return QFile::encodeName(name);
}

} // namespace

FolderHandle::FolderHandle(int descriptor, QString path)
    : fd(descriptor)
    , where(std::move(path))
{}

FolderHandle::~FolderHandle()
{
    if (fd >= 0)
        ::close(fd);
}

FolderHandle::FolderHandle(FolderHandle &&other) noexcept
    : fd(std::exchange(other.fd, -1))
    , where(std::move(other.where))
    , lastError(other.lastError)
{}

FolderHandle &FolderHandle::operator=(FolderHandle &&other) noexcept
{
    if (this != &other) {
        if (fd >= 0)
            ::close(fd);
        fd = std::exchange(other.fd, -1);
        where = std::move(other.where);
        lastError = other.lastError;
    }
    return *this;
}

bool FolderHandle::isSingleName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(0));
}

bool FolderHandle::failed() const
{
    lastError = errno;
    return false;
}

FolderHandle FolderHandle::open(const QString &path)
{
    const int descriptor =
        ::open(encoded(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_PATH);
    FolderHandle folder(descriptor, path);
    if (descriptor < 0)
        folder.lastError = errno;
    return folder;
}

FolderHandle FolderHandle::openFolder(const QString &name) const
{
    if (!isSingleName(name)) {
        lastError = EINVAL;
        return {};
    }
    const int descriptor =
        ::openat(fd, encoded(name).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0) {
        // A link where a folder was expected says ELOOP or ENOTDIR; both mean "not ours".
        failed();
        return {};
    }
    return {descriptor, filePath(name)};
}

FolderHandle FolderHandle::makeFolder(const QString &name, mode_t mode) const
{
    if (!isSingleName(name)) {
        lastError = EINVAL;
        return {};
    }
    if (::mkdirat(fd, encoded(name).constData(), mode) != 0) {
        failed();
        return {};
    }
    FolderHandle made = openFolder(name);
    struct stat status = {};
    // Between mkdirat and openat someone could have swapped in a folder of their own.
    if (made.isOpen() && (::fstat(made.fd, &status) != 0 || status.st_uid != ::geteuid())) {
        lastError = EPERM;
        return {};
    }
    return made;
}

int FolderHandle::openFile(const QString &name, int flags, mode_t mode) const
{
    if (!isSingleName(name)) {
        lastError = EINVAL;
        return -1;
    }
    if (flags & O_CREAT)
        flags |= O_EXCL;
    const int descriptor =
        ::openat(fd, encoded(name).constData(), flags | O_NOFOLLOW | O_CLOEXEC, mode);
    if (descriptor < 0)
        failed();
    return descriptor;
}

FolderHandle::Kind FolderHandle::kindOf(const QString &name) const
{
    struct stat status = {};
    if (!isSingleName(name) ||
        ::fstatat(fd, encoded(name).constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return Kind::Missing;
    if (S_ISREG(status.st_mode))
        return Kind::File;
    if (S_ISDIR(status.st_mode))
        return Kind::Folder;
    if (S_ISLNK(status.st_mode))
        return Kind::Link;
    return Kind::Other;
}

qint64 FolderHandle::sizeOf(const QString &name) const
{
    struct stat status = {};
    if (!isSingleName(name) ||
        ::fstatat(fd, encoded(name).constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode))
        return -1;
    return qint64(status.st_size);
}

QStringList FolderHandle::entries() const
{
    QStringList names;
    const int listing = ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0)
        return names;
    DIR *dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"." && name != u"..")
            names << name;
    }
    ::closedir(dir);
    return names;
}

bool FolderHandle::isAt(const FolderHandle &parent, const QString &name) const
{
    struct stat mine = {};
    struct stat there = {};
    return isOpen() && parent.isOpen() && isSingleName(name) && ::fstat(fd, &mine) == 0 &&
           ::fstatat(parent.fd, encoded(name).constData(), &there, AT_SYMLINK_NOFOLLOW) == 0 &&
           mine.st_dev == there.st_dev && mine.st_ino == there.st_ino;
}

bool FolderHandle::rename(const QString &from, const FolderHandle &to, const QString &toName,
                          bool replace) const
{
    if (!isSingleName(from) || !isSingleName(toName)) {
        lastError = EINVAL;
        return false;
    }
    const QByteArray source = encoded(from);
    const QByteArray target = encoded(toName);
    if (!replace) {
        if (::renameat2(fd, source.constData(), to.fd, target.constData(), RENAME_NOREPLACE) == 0)
            return true;
        // Some file systems cannot promise it; there, looking first is the best there is.
        if (errno != EINVAL && errno != ENOSYS)
            return failed();
        if (to.kindOf(toName) != Kind::Missing) {
            lastError = EEXIST;
            return false;
        }
    }
    return ::renameat(fd, source.constData(), to.fd, target.constData()) == 0 || failed();
}

bool FolderHandle::copy(const QString &from, const FolderHandle &to, const QString &toName,
                        mode_t mode) const
{
    const int source = openFile(from, O_RDONLY);
    if (source < 0)
        return false;
    const int target = to.openFile(toName, O_WRONLY | O_CREAT, mode);
    if (target < 0) {
        lastError = to.lastError;
        ::close(source);
        return false;
    }
    char buffer[64 * 1024];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(source, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        ok = got > 0;
        for (ssize_t done = 0; ok && done < got;) {
            const ssize_t put = ::write(target, buffer + done, size_t(got - done));
            if (put < 0 && errno == EINTR)
                continue;
            ok = put > 0;
            done += qMax<ssize_t>(put, 0);
        }
        if (!ok)
            break;
    }
    if (!ok)
        failed();
    ::close(source);
    if (::close(target) != 0 && ok)
        ok = failed();
    if (!ok)
        to.remove(toName);
    return ok;
}

bool FolderHandle::link(const QString &from, const FolderHandle &to, const QString &toName) const
{
    if (!isSingleName(from) || !isSingleName(toName)) {
        lastError = EINVAL;
        return false;
    }
    return ::linkat(fd, encoded(from).constData(), to.fd, encoded(toName).constData(), 0) == 0 ||
           failed();
}

bool FolderHandle::remove(const QString &name) const
{
    if (!isSingleName(name)) {
        lastError = EINVAL;
        return false;
    }
    return ::unlinkat(fd, encoded(name).constData(), 0) == 0 || errno == ENOENT || failed();
}

bool FolderHandle::removeFolder(const QString &name) const
{
    if (!isSingleName(name)) {
        lastError = EINVAL;
        return false;
    }
    return ::unlinkat(fd, encoded(name).constData(), AT_REMOVEDIR) == 0 || failed();
}
