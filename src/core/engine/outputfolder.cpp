#include "core/engine/outputfolder.h"

#include "core/engine/journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

// name, name(1), name(2) ..., the first attempt being 0.
QString candidateName(const QString &name, int attempt)
{
    return attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')';
}

QString candidate(const QDir &parent, const QString &name, int attempt)
{
    return QDir::cleanPath(parent.filePath(candidateName(name, attempt)));
}

bool taken(const QString &path)
{
    const QFileInfo existing(path);
    return existing.exists() || existing.isSymLink();
}

} // namespace

namespace OutputFolder {

Created createFresh(const FolderHandle &parent, const QString &name, mode_t mode, int maxAttempts)
{
    Created created;
    if (!FolderHandle::isSingleName(name) || !parent.isOpen())
        return created;
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString candidate = candidateName(name, attempt);
        // A second try only after an interrupted run's folder was cleaned away.
        for (int tries = 0; tries < 2; ++tries) {
            created.folder = parent.makeFolder(candidate, mode);
            if (created.folder.isOpen()) {
                created.name = candidate;
                created.ok = true;
                return created;
            }
            // Only a name already taken is worth another try.
            if (parent.error() != EEXIST)
                return created;
            const Journal::Leftover leftover = Journal::removeLeftover(parent, candidate);
            if (leftover.found)
                created.leftovers.append({parent.filePath(candidate), leftover.imagesRemoved});
            if (!leftover.folderRemoved)
                break;
        }
    }
    return created;
}

QString freeName(const QString &parent, const QString &name, const QStringList &planned,
                 int maxAttempts)
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    const QDir dir(parent);
    const FolderHandle handle = FolderHandle::open(parent);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString path = candidate(dir, name, attempt);
        if (planned.contains(path))
            continue;
        // What an interrupted run left there is cleaned before the folder is made.
        if (!taken(path) ||
            Journal::removeLeftover(handle, candidateName(name, attempt), Journal::Action::Look)
                .folderRemoved)
            return path;
    }
    return {};
}

bool nameFits(const QString &name)
{
    return QFile::encodeName(name).size() <= NAME_MAX;
}

} // namespace OutputFolder
