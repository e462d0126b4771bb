#include "cli/dropcheck.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

using Verdict = DropCheck::Verdict;

// A PDF ends with %%EOF within its last kilobyte; a copy under way has not written it yet.
constexpr qint64 tailBytes = 1024;

Verdict verdict(Verdict::Kind kind, const QString &reason = QString())
{
    Verdict result;
    result.kind = kind;
    result.reason = reason;
    return result;
}

QString kindOf(mode_t mode)
{
    if (S_ISLNK(mode))
        return u"a symbolic link, which is never followed"_s;
    if (S_ISFIFO(mode))
        return u"a FIFO, not a file"_s;
    if (S_ISSOCK(mode))
        return u"a socket, not a file"_s;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return u"a device, not a file"_s;
    if (S_ISDIR(mode))
        return u"a folder named like a PDF"_s;
    return u"not a regular file"_s;
}

QByteArray readAt(int fd, qint64 offset, qint64 length)
{
    QByteArray bytes(length, '\0');
    const ssize_t got = ::pread(fd, bytes.data(), size_t(length), offset);
    bytes.truncate(got > 0 ? got : 0);
    return bytes;
}

} // namespace

bool DropCheck::hasControlCharacter(const QString &name)
{
    return std::any_of(name.cbegin(), name.cend(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

DropCheck::Verdict DropCheck::examine(const QString &path, qint64 largest)
{
    if (hasControlCharacter(path))
        return verdict(Verdict::Refuse, u"its name holds a control character"_s);
    const QByteArray name = QFile::encodeName(path);
    struct stat before = {};
    if (::lstat(name.constData(), &before) != 0)
        return verdict(Verdict::Gone);
    // Looked at before it is opened: opening a device may already do something.
    if (!S_ISREG(before.st_mode))
        return verdict(Verdict::Refuse, kindOf(before.st_mode));
    if (before.st_uid != ::geteuid())
        return verdict(Verdict::Refuse, u"it belongs to another user"_s);
    const int fd =
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return verdict(Verdict::Gone);
        return verdict(Verdict::Refuse,
                       errno == ELOOP ? kindOf(S_IFLNK)
                                      : QString::fromLocal8Bit(std::strerror(errno)).toLower());
    }
    struct stat status = {};
    Verdict result;
    // What was opened must be what was looked at: nothing swapped in between.
    if (::fstat(fd, &status) != 0 || status.st_ino != before.st_ino ||
        status.st_dev != before.st_dev || !S_ISREG(status.st_mode)) {
        result = verdict(Verdict::Wait, u"it was replaced while it was looked at"_s);
    } else if (status.st_size == 0) {
        result = verdict(Verdict::Wait, u"it is empty"_s);
    } else if (status.st_size >= largest) {
        result =
            verdict(Verdict::Refuse, u"it is larger than %1 bytes (--max-size)"_s.arg(largest));
    } else if (!readAt(fd, 0, tailBytes).contains("%PDF-")) {
        result = verdict(Verdict::Refuse, u"it is not a PDF: it does not begin with %PDF-"_s);
    } else if (!readAt(fd, qMax<qint64>(0, status.st_size - tailBytes), tailBytes)
                    .contains("%%EOF")) {
        result = verdict(Verdict::Wait, u"it is not a complete PDF yet: no %%EOF at its end"_s);
    } else {
        result = verdict(Verdict::Take);
    }
    ::close(fd);
    result.size = status.st_size;
    result.modified = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    return result;
}
