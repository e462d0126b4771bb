#include "filelist/folderscan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <functional>

QStringList FolderScan::filesBelow(const QString &folder)
{
    QStringList files;
    QSet<QString> walked;
    const std::function<void(const QString &)> walk = [&](const QString &current) {
        const QString canonical = QFileInfo(current).canonicalFilePath();
        if (walked.contains(canonical))
            return;
        walked.insert(canonical);
        const QFileInfoList entries = QDir(current).entryInfoList(
            QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsLast);
        for (const QFileInfo &entry : entries) {
            const QString path = current + u'/' + entry.fileName();
            if (entry.isDir())
                walk(path);
            else
                files.append(path);
        }
    };
    walk(folder);
    return files;
}
