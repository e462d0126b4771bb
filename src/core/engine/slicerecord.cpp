#include "core/engine/slicerecord.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString prefix = u".vezudiri-done-"_s;
constexpr qint64 largestRecord = 16 * 1024 * 1024;

// A regular file of the user's own with one link, that nobody else can write.
bool isOwnFile(const struct stat &status)
{
    return S_ISREG(status.st_mode) && status.st_nlink == 1 && status.st_uid == ::geteuid() &&
           (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

void readRecord(const FolderHandle &folder, const QString &name, QHash<QString, qint64> &complete)
{
    const int fd = folder.openFile(name, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat status = {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !isOwnFile(status) || status.st_size > largestRecord ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return;
    }
    QList<QByteArray> lines = file.read(largestRecord).split('\n');
    // What follows the last line end is a line still being written.
    lines.removeLast();
    for (const QByteArray &line : std::as_const(lines)) {
        const qsizetype space = line.indexOf(' ');
        bool ok = false;
        const qint64 size = space > 0 ? line.left(space).toLongLong(&ok) : -1;
        const QString image =
            QFile::decodeName(QByteArray::fromPercentEncoding(line.mid(space + 1)));
        if (ok && size >= 0 && FolderHandle::isSingleName(image))
            complete.insert(image, size);
    }
}

} // namespace

SliceRecord::~SliceRecord()
{
    close();
}

QString SliceRecord::fileName(int firstNumber)
{
    return prefix + QString::number(firstNumber);
}

bool SliceRecord::open(const FolderHandle &folder, int firstNumber)
{
    close();
    const QString name = fileName(firstNumber);
    fd = folder.openFile(name, O_WRONLY | O_APPEND | O_NONBLOCK);
    if (fd < 0 && folder.error() == ENOENT)
        fd = folder.openFile(name, O_WRONLY | O_APPEND | O_CREAT, 0600);
    struct stat status = {};
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !isOwnFile(status)))
        close();
    return fd >= 0;
}

bool SliceRecord::add(const FolderHandle &folder, const QString &name)
{
    const qint64 size = folder.sizeOf(name);
    const QByteArray line =
        QByteArray::number(size) + ' ' + QFile::encodeName(name).toPercentEncoding() + '\n';
    // One write, so a crash leaves whole lines.
    return fd >= 0 && size >= 0 &&
           ::write(fd, line.constData(), size_t(line.size())) == line.size();
}

void SliceRecord::close()
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

QHash<QString, qint64> SliceRecord::read(const FolderHandle &folder)
{
    QHash<QString, qint64> complete;
    const QStringList entries = folder.entries();
    for (const QString &entry : entries) {
        bool isNumber = false;
        const int number = entry.startsWith(prefix) ? entry.mid(prefix.size()).toInt(&isNumber) : 0;
        if (isNumber && entry == fileName(number))
            readRecord(folder, entry, complete);
    }
    return complete;
}

bool SliceRecord::holds(const QHash<QString, qint64> &complete, const FolderHandle &folder,
                        const QString &name)
{
    struct stat status = {};
    const auto recorded = complete.constFind(name);
    return recorded != complete.cend() && FolderHandle::isSingleName(name) &&
           ::fstatat(folder.descriptor(), QFile::encodeName(name).constData(), &status,
                     AT_SYMLINK_NOFOLLOW) == 0 &&
           isOwnFile(status) && qint64(status.st_size) == *recorded;
}
