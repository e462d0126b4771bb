#include "cli/outputswap.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

bool removeBelow(const FolderHandle &parent, const QString &name, int depth)
{
    const FolderHandle folder = parent.openFolder(name);
    if (!folder.isOpen())
        return parent.kindOf(name) == FolderHandle::Kind::Missing;
    for (const QString &entry : folder.entries()) {
        if (folder.kindOf(entry) == FolderHandle::Kind::Folder && depth < 2)
            removeBelow(folder, entry, depth + 1);
        else
            folder.remove(entry);
    }
    return parent.removeFolder(name);
}

QString errorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)).toLower();
}

} // namespace

const QString OutputSwap::asideName = u".vezudiri-watch"_s;

FolderHandle OutputSwap::aside(const FolderHandle &parent)
{
    FolderHandle folder = parent.openFolder(asideName);
    if (!folder.isOpen())
        folder = parent.makeFolder(asideName, 0700);
    struct stat status = {};
    if (folder.isOpen() && (::fstat(folder.descriptor(), &status) != 0 ||
                            status.st_uid != ::geteuid() || (status.st_mode & 077) != 0))
        return {};
    return folder;
}

QString OutputSwap::swapIn(const FolderHandle &aside, const QString &name,
                           const FolderHandle &parent, const QString &target)
{
    const QByteArray from = QFile::encodeName(name);
    const QByteArray to = QFile::encodeName(target);
    if (::renameat2(aside.descriptor(), from.constData(), parent.descriptor(), to.constData(),
                    RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EEXIST)
        return u"its images cannot be put in place: %1"_s.arg(errorText(errno));
    if (parent.kindOf(target) != FolderHandle::Kind::Folder)
        return u"%1 is in the way of its images and is not a folder"_s.arg(parent.filePath(target));
    if (::renameat2(aside.descriptor(), from.constData(), parent.descriptor(), to.constData(),
                    RENAME_EXCHANGE) != 0)
        return u"its images cannot be put in place: %1"_s.arg(errorText(errno));
    // The earlier version is aside now, under the new one's name.
    if (!remove(aside, name))
        return u"the earlier images are left in %1"_s.arg(aside.filePath(name));
    return {};
}

bool OutputSwap::remove(const FolderHandle &parent, const QString &name)
{
    return removeBelow(parent, name, 0);
}

int OutputSwap::clean(const FolderHandle &aside)
{
    int removed = 0;
    for (const QString &entry : aside.entries()) {
        if (remove(aside, entry))
            ++removed;
    }
    return removed;
}
