#pragma once

#include <QList>
#include <QString>

// What "Add Folder" takes from a folder: every file below it, sub-folders included, in name
// order. Hidden entries are left out; a folder reached twice through symbolic links is walked
// once, and a link leading out of the chosen folder, to a folder or a file, is not followed.
namespace FolderScan {

struct Entry
{
    QString path;
    // A name the file system holds in bytes that are not UTF-8 cannot be opened again through
    // its decoded path: it is reported instead of dropped.
    bool readable = true;
    bool folder = false; // an unreadable folder, whose files cannot be reached
};

QList<Entry> entriesBelow(const QString &folder);

} // namespace FolderScan
