#include "core/pdf/folderscan.h"

#include <QFile>
#include <QSet>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>
#include <utility>

#include <dirent.h>
#include <sys/stat.h>

namespace {

QByteArray canonical(const QByteArray &path)
{
    char resolved[PATH_MAX];
    return realpath(path.constData(), resolved) ? QByteArray(resolved) : QByteArray();
}

bool inside(const QByteArray &path, const QByteArray &root)
{
    return path == root || path.startsWith(root.endsWith('/') ? root : root + '/');
}

struct Name
{
    QByteArray bytes;
    QString text;
};

// The entry names of one folder without hidden ones. Qt's own listing leaves out names that are
// not UTF-8 without a word, so the folder is read here.
QList<Name> namesIn(const QByteArray &folder)
{
    QList<Name> names;
    DIR *dir = opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (bytes.startsWith('.'))
            continue;
        names.append({bytes, QFile::decodeName(bytes)});
    }
    closedir(dir);
    std::sort(names.begin(), names.end(),
              [](const Name &a, const Name &b) { return a.text < b.text; });
    return names;
}

} // namespace

QList<FolderScan::Entry> FolderScan::entriesBelow(const QString &folder)
{
    QList<Entry> entries;
    const QByteArray root = canonical(QFile::encodeName(folder));
    if (root.isEmpty())
        return entries;
    QSet<QByteArray> walked;
    const std::function<void(const QByteArray &, const QString &)> walk =
        [&](const QByteArray &current, const QString &shown) {
            const QByteArray resolved = canonical(current);
            if (!inside(resolved, root) || walked.contains(resolved))
                return;
            walked.insert(resolved);
            QList<std::pair<QByteArray, QString>> folders;
            for (const Name &name : namesIn(current)) {
                const QByteArray path = current + '/' + name.bytes;
                const QString text = shown + u'/' + name.text;
                struct stat link;
                struct stat target;
                if (lstat(path.constData(), &link) != 0 || stat(path.constData(), &target) != 0)
                    continue;
                const bool isFolder = S_ISDIR(target.st_mode);
                // Devices, pipes and sockets are not files to convert.
                if (!isFolder && !S_ISREG(target.st_mode))
                    continue;
                // Nor is a file that a link brings in from outside the chosen folder.
                if (!isFolder && S_ISLNK(link.st_mode) && !inside(canonical(path), root))
                    continue;
                const bool readable = QFile::encodeName(name.text) == name.bytes;
                if (!readable) {
                    entries.append({text, false, isFolder});
                } else if (isFolder) {
                    folders.append({path, text});
                } else {
                    entries.append({text, true, false});
                }
            }
            // Files first, then sub-folders, each in name order.
            for (const auto &[path, text] : std::as_const(folders))
                walk(path, text);
        };
    walk(QFile::encodeName(folder), folder);
    return entries;
}
