#pragma once

#include <QString>
#include <QStringList>

#include <sys/types.h>

// A folder opened once. Every name in it is then reached through this handle, never by path, so
// renaming the folder away, putting another in its place or planting a link can never redirect
// what a run writes, renames or deletes. Names are single entries: a name with a "/", "." or
// ".." is refused, and a link is never followed.
class FolderHandle final
{
public:
    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(FolderHandle &&other) noexcept;
    FolderHandle &operator=(FolderHandle &&other) noexcept;
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    // A folder the user named; the path may pass through links of the user's own.
    static FolderHandle open(const QString &path);

    bool isOpen() const { return fd >= 0; }
    int descriptor() const { return fd; }
    // Where the folder was when it was opened; for messages only.
    QString path() const { return where; }
    QString filePath(const QString &name) const { return where + u'/' + name; }
    // errno of the last call that failed.
    int error() const { return lastError; }

    // The folder name in this one; a link there is refused.
    FolderHandle openFolder(const QString &name) const;
    // Makes the folder name here and opens exactly what it made.
    FolderHandle makeFolder(const QString &name, mode_t mode) const;
    // A file descriptor (close-on-exec, never through a link), or -1. O_CREAT opens only a file
    // this call creates.
    int openFile(const QString &name, int flags, mode_t mode = 0600) const;

    enum class Kind { Missing, File, Folder, Link, Other };
    Kind kindOf(const QString &name) const;
    qint64 sizeOf(const QString &name) const; // -1 unless a file
    QStringList entries() const;              // without "." and ".."
    // Whether the entry name of parent is still this very folder.
    bool isAt(const FolderHandle &parent, const QString &name) const;

    // Never over an existing entry (EEXIST) unless replace.
    bool rename(const QString &from, const FolderHandle &to, const QString &toName,
                bool replace = false) const;
    // A copy under a name that did not exist; mode as for openFile.
    bool copy(const QString &from, const FolderHandle &to, const QString &toName,
              mode_t mode) const;
    // A second name for the entry itself (a link stays a link, never what it points at), under
    // a name that did not exist.
    bool link(const QString &from, const FolderHandle &to, const QString &toName) const;
    // Removes the entry itself (a link, never what it points at); a missing name counts as done.
    bool remove(const QString &name) const;
    bool removeFolder(const QString &name) const; // only an empty folder

    static bool isSingleName(const QString &name);

private:
    FolderHandle(int descriptor, QString path);
    bool failed() const;

    int fd = -1;
    QString where;
    mutable int lastError = 0;
};
