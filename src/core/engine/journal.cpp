#include "core/engine/journal.h"

#include <QFile>
#include <QSet>
#include <QSysInfo>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

const QString Journal::fileName = u"journal"_s;

namespace {

const QByteArray header = "vezudiri journal 1\n";
const QString renderFolderName = u".rendering"_s;
constexpr qint64 largestJournal = 16 * 1024 * 1024;

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

QByteArray fileText(const char *path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const QByteArray text = readAll(fd, 65536);
    ::close(fd);
    return text;
}

// When the process started, in clock ticks since boot: with the boot, it tells a process apart
// from a later one that got the same id.
QByteArray startTimeOf(pid_t pid)
{
    const QByteArray stat = fileText(QByteArray("/proc/" + QByteArray::number(pid) + "/stat"));
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return {};
    // The fields after the name start with the third; the start time is the 22nd.
    const QList<QByteArray> fields = stat.mid(nameEnd + 2).split(' ');
    return fields.size() > 19 ? fields.at(19) : QByteArray();
}

QByteArray bootId()
{
    return fileText("/proc/sys/kernel/random/boot_id").trimmed();
}

QByteArray ownerLine()
{
    const pid_t pid = ::getpid();
    return "owner " + QSysInfo::machineHostName().toUtf8().toPercentEncoding() + ' ' + bootId() +
           ' ' + QByteArray::number(pid) + ' ' + startTimeOf(pid) + '\n';
}

// Whether the owner a journal names has certainly gone: same machine, and rebooted since or no
// longer running. A journal from another machine sharing the folder is never taken for dead.
bool ownerGone(const QByteArray &line)
{
    const QList<QByteArray> fields = line.split(' ');
    if (fields.size() != 5 || fields.at(0) != "owner" ||
        QByteArray::fromPercentEncoding(fields.at(1)) != QSysInfo::machineHostName().toUtf8())
        return false;
    if (fields.at(2) != bootId())
        return true;
    bool ok = false;
    const pid_t pid = pid_t(fields.at(3).toInt(&ok));
    return ok && pid > 0 && startTimeOf(pid) != fields.at(4);
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
    QByteArray start = header + ownerLine();
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

Journal::Leftover Journal::removeLeftover(const FolderHandle &parent, const QString &name,
                                          Action action)
{
    Leftover leftover;
    const FolderHandle folder = parent.openFolder(name);
    const FolderHandle rendering =
        folder.isOpen() ? folder.openFolder(renderFolderName) : FolderHandle();
    if (!rendering.isOpen())
        return leftover;
    const int fd = rendering.openFile(fileName, O_RDONLY);
    if (fd < 0)
        return leftover;
    struct stat status = {};
    const bool ours = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                      status.st_uid == ::geteuid() && status.st_size <= largestJournal;
    const QByteArray text = ours ? readAll(fd, largestJournal) : QByteArray();
    ::close(fd);
    QList<QByteArray> lines = text.split('\n');
    if (!text.startsWith(header) || lines.size() < 2 || !ownerGone(lines.at(1)))
        return leftover;

    leftover.found = true;
    QSet<QString> listed;
    for (const QByteArray &line : std::as_const(lines)) {
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

bool Journal::ownerRunning(const FolderHandle &renderFolder)
{
    const int fd = renderFolder.openFile(fileName, O_RDONLY);
    if (fd < 0)
        return false;
    const QList<QByteArray> lines = readAll(fd, 4096).split('\n');
    ::close(fd);
    if (lines.size() < 2 || lines.at(0) + '\n' != header)
        return false;
    const QList<QByteArray> owner = lines.at(1).split(' ');
    return owner.size() == 5 &&
           QByteArray::fromPercentEncoding(owner.at(1)) == QSysInfo::machineHostName().toUtf8() &&
           !ownerGone(lines.at(1));
}
