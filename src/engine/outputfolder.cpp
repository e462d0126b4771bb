#include "outputfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

// name, name(1), name(2) ... in parent, the first attempt being 0.
QString candidate(const QDir &parent, const QString &name, int attempt)
{
    return QDir::cleanPath(
        parent.filePath(attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')'));
}

bool taken(const QString &path)
{
    const QFileInfo existing(path);
    return existing.exists() || existing.isSymLink();
}

} // namespace

namespace OutputFolder {

Created createFresh(const QString &parent, const QString &name, int maxAttempts)
{
    const QFileInfo parentInfo(parent);
    // name is one folder name, never a path into some other folder
    if (name.isEmpty() || name.contains(u'/') || !parentInfo.isDir() || !parentInfo.isWritable())
        return {};
    const QDir dir(parent);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString path = candidate(dir, name, attempt);
        if (QDir().mkdir(path))
            return {path, true};
        // Only a name already taken is worth another try.
        if (!taken(path))
            return {};
    }
    return {};
}

QString freeName(const QString &parent, const QString &name, const QStringList &planned,
                 int maxAttempts)
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    const QDir dir(parent);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString path = candidate(dir, name, attempt);
        if (!taken(path) && !planned.contains(path))
            return path;
    }
    return {};
}

bool nameFits(const QString &name)
{
    return QFile::encodeName(name).size() <= NAME_MAX;
}

} // namespace OutputFolder
