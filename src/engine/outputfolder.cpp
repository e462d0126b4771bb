#include "outputfolder.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace OutputFolder {

Created createFresh(const QString &parent, const QString &name, int maxAttempts)
{
    const QFileInfo parentInfo(parent);
    // name is one folder name, never a path into some other folder
    if (name.isEmpty() || name.contains(u'/') || !parentInfo.isDir() || !parentInfo.isWritable())
        return {};
    const QDir dir(parent);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString candidate =
            attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')';
        const QString path = QDir::cleanPath(dir.filePath(candidate));
        if (dir.mkdir(candidate))
            return {path, true};
        // Only a name already taken is worth another try.
        const QFileInfo taken(path);
        if (!taken.exists() && !taken.isSymLink())
            return {};
    }
    return {};
}

QString freeName(const QString &parent, const QString &name, const QStringList &taken,
                 int maxAttempts)
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    const QDir dir(parent);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString candidate =
            attempt == 0 ? name : name + u'(' + QString::number(attempt) + u')';
        const QString path = QDir::cleanPath(dir.filePath(candidate));
        const QFileInfo existing(path);
        if (!existing.exists() && !existing.isSymLink() && !taken.contains(path))
            return path;
    }
    return {};
}

} // namespace OutputFolder
