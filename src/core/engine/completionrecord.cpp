#include "core/engine/completionrecord.h"

#include <QFile>
#include <QRandomGenerator>

#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;

const QString CompletionRecord::fileName = u".vezudiri-complete"_s;

namespace {

const QByteArray firstLine = "vezudiri complete 1";
const QByteArray lastLine = "end";

// The user's private group, as Debian makes one for every user: the user's own group, named
// after the user, with no other member listed. Its write bit lets nobody else write, so a umask
// of 002, meant for such groups, leaves a record trusted; any other group's does not.
std::optional<gid_t> privateGroup()
{
    static const std::optional<gid_t> found = []() -> std::optional<gid_t> {
        std::vector<char> buffer(1 << 16);
        struct passwd user = {};
        struct passwd *isUser = nullptr;
        if (::getpwuid_r(::geteuid(), &user, buffer.data(), buffer.size() / 2, &isUser) != 0 ||
            !isUser)
            return std::nullopt;
        struct group group = {};
        struct group *isGroup = nullptr;
        char *rest = buffer.data() + buffer.size() / 2;
        if (::getgrgid_r(user.pw_gid, &group, rest, buffer.size() / 2, &isGroup) != 0 || !isGroup ||
            std::strcmp(group.gr_name, user.pw_name) != 0)
            return std::nullopt;
        for (char **member = group.gr_mem; *member; ++member) {
            if (std::strcmp(*member, user.pw_name) != 0)
                return std::nullopt;
        }
        return user.pw_gid;
    }();
    return found;
}

bool nobodyElseWrites(const struct stat &status)
{
    const bool groupWrites = (status.st_mode & S_IWGRP) != 0 && status.st_gid != privateGroup();
    return status.st_uid == ::geteuid() && (status.st_mode & S_IWOTH) == 0 && !groupWrites;
}

bool isOwnFile(const struct stat &status)
{
    return S_ISREG(status.st_mode) && status.st_nlink == 1 && nobodyElseWrites(status);
}

QByteArray identityLine(const PdfIdentity &pdf)
{
    return "pdf " + QByteArray::number(pdf.size) + ' ' + QByteArray::number(pdf.modifiedNs);
}

QByteArray encodedName(const QString &name)
{
    return QFile::encodeName(name).toPercentEncoding();
}

// The image, with its size, flushed to the disk; -1 unless a file of the user's own.
qint64 flushed(const FolderHandle &folder, const QString &name)
{
    const int fd = folder.openFile(name, O_RDONLY | O_NONBLOCK);
    struct stat status = {};
    const bool ok =
        fd >= 0 && ::fstat(fd, &status) == 0 && isOwnFile(status) && ::fdatasync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    return ok ? qint64(status.st_size) : -1;
}

bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t wrote = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

// The record's text, read through the handle only when it is one the user could have written.
QByteArray readRecord(const FolderHandle &folder)
{
    struct stat status = {};
    if (!folder.isOpen() || ::fstat(folder.descriptor(), &status) != 0 ||
        !S_ISDIR(status.st_mode) || !nobodyElseWrites(status))
        return {};
    const int fd = folder.openFile(CompletionRecord::fileName, O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !isOwnFile(status) ||
        status.st_size > CompletionRecord::largestRecord ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    // Bounded again: the file may grow between fstat and read.
    return file.read(CompletionRecord::largestRecord + 1);
}

} // namespace

PdfIdentity PdfIdentity::of(const QString &path)
{
    struct stat status = {};
    PdfIdentity identity;
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode)) {
        identity.size = qint64(status.st_size);
        identity.modifiedNs = qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
    }
    return identity;
}

bool CompletionRecord::write(const FolderHandle &folder, const PdfIdentity &pdf,
                             const QString &optionsKey, const QStringList &images)
{
    if (!pdf.isValid() || optionsKey.isEmpty() || optionsKey.contains(u'\n'))
        return false;
    QByteArray text =
        firstLine + '\n' + identityLine(pdf) + '\n' + "options " + optionsKey.toUtf8() + '\n';
    for (const QString &image : images) {
        const qint64 size = flushed(folder, image);
        if (size < 0)
            return false;
        text += "image " + QByteArray::number(size) + ' ' + encodedName(image) + '\n';
    }
    text += lastLine + '\n';
    if (text.size() > largestRecord)
        return false;
    // A name of this writer's own, so that two runs never write into one file.
    const QString temporary =
        fileName + u".part-"_s + QString::number(QRandomGenerator::system()->generate64(), 16);
    const int fd = folder.openFile(temporary, O_WRONLY | O_CREAT, 0644);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, text) && ::fdatasync(fd) == 0;
    ::close(fd);
    if (!written || !folder.rename(temporary, folder, fileName, true)) {
        folder.remove(temporary);
        return false;
    }
    // The new name on the disk too.
    const int folderFd = ::openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folderFd >= 0 && ::fsync(folderFd) == 0;
    if (folderFd >= 0)
        ::close(folderFd);
    return synced;
}

bool CompletionRecord::isCurrent(const FolderHandle &folder, const PdfIdentity &pdf,
                                 const QString &optionsKey)
{
    const QByteArray text = readRecord(folder);
    if (!pdf.isValid() || !text.endsWith('\n'))
        return false;
    QList<QByteArray> lines = text.chopped(1).split('\n');
    if (lines.size() < 4 || lines.at(0) != firstLine || lines.at(1) != identityLine(pdf) ||
        lines.at(2) != "options " + optionsKey.toUtf8() || lines.last() != lastLine)
        return false;
    for (qsizetype at = 3; at + 1 < lines.size(); ++at) {
        const QList<QByteArray> fields = lines.at(at).split(' ');
        bool isNumber = false;
        const qint64 size = fields.size() == 3 ? fields.at(1).toLongLong(&isNumber) : -1;
        const QString image = QFile::decodeName(QByteArray::fromPercentEncoding(fields.value(2)));
        struct stat status = {};
        if (fields.at(0) != "image" || !isNumber || size < 0 || image == fileName ||
            !FolderHandle::isSingleName(image) ||
            ::fstatat(folder.descriptor(), QFile::encodeName(image).constData(), &status,
                      AT_SYMLINK_NOFOLLOW) != 0 ||
            !isOwnFile(status) || qint64(status.st_size) != size)
            return false;
    }
    return true;
}

bool CompletionRecord::isCurrent(const FolderHandle &parent, const QString &name,
                                 const PdfIdentity &pdf, const QString &optionsKey)
{
    return isCurrent(parent.openFolder(name), pdf, optionsKey);
}
