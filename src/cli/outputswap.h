#pragma once

#include "core/engine/folderhandle.h"

#include <QString>

// A changed PDF's new images are rendered aside, in a hidden folder of the watch's own beside
// their final place, and swapped in whole once complete: a reader of the output never sees half
// of one version and half of another.
namespace OutputSwap {

extern const QString asideName;

// The folder aside in parent, made (0700) when missing; closed when it is not the user's own.
FolderHandle aside(const FolderHandle &parent);

// Puts the folder name of aside in place as target of parent, in one step, exchanging it with
// the folder already there, whose images are then removed. What went wrong, or nothing.
QString swapIn(const FolderHandle &aside, const QString &name, const FolderHandle &parent,
               const QString &target);

// Removes the folder name of parent: its files and a folder below it of its own, one by one,
// never through a link. Whether it is gone.
bool remove(const FolderHandle &parent, const QString &name);

// Removes whatever an interrupted watch left aside; how many folders.
int clean(const FolderHandle &aside);

} // namespace OutputSwap
