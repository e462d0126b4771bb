#pragma once

#include <QObject>
#include <QString>

// What happens in watched folder trees, as the kernel tells it: a file made, closed after writing
// or moved in, a folder made or moved in (watched from then on), an entry gone, and the moment the
// kernel's queue overflowed, after which only a full look at the trees tells what changed. A
// folder is watched through a handle opened without following a link, so a folder swapped for a
// link is never watched through it.
class FolderEvents : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Watches root and every folder below it; false when root cannot be watched (the reason in
    // problem()).
    virtual bool watchTree(const QString &root) = 0;

signals:
    void fileWritten(const QString &path);
    void folderAdded(const QString &path);
    void entryRemoved(const QString &path);
    void overflowed();
    // A folder that cannot be watched: its PDFs are still found by a full look.
    void problem(const QString &text);
};
