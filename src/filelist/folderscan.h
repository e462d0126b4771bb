#pragma once

#include <QStringList>

// What "Add Folder" takes from a folder: every file below it, sub-folders included, in name
// order. Hidden entries are left out; a folder reached twice through symbolic links is walked
// once.
namespace FolderScan {

QStringList filesBelow(const QString &folder);

} // namespace FolderScan
