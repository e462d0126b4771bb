#pragma once

#include "core/engine/folderhandle.h"

#include <QList>
#include <QPair>
#include <QString>

// Every converted file gets a folder of its own, so earlier results are never overwritten.
namespace OutputFolder {

struct Created
{
    FolderHandle folder; // open on exactly the folder this call made
    QString name;
    bool ok = false;
    // Folders of interrupted runs met on the way and cleaned (see Journal), with the images
    // removed from each.
    QList<QPair<QString, int>> leftovers;
};

// Creates name in parent, or when that exists name(1), name(2) and so on, and opens the folder
// this call created; a folder is never adopted. A folder left by an interrupted run is cleaned
// on the way, and its name is free again when nothing else was in it. Gives up (ok false) after
// maxAttempts names, or at once when name is not a single folder name or a folder cannot be
// created for another reason than its name being taken.
Created createFresh(const FolderHandle &parent, const QString &name, mode_t mode = 0777,
                    int maxAttempts = 1000);

// The folder createFresh would make now, given that the folders in planned will have been made
// before it; nothing is created or cleaned. Empty when createFresh would give up.
QString freeName(const QString &parent, const QString &name, const QStringList &planned,
                 int maxAttempts = 1000);

// Whether name can be one entry of a folder: at most NAME_MAX bytes once encoded for the file
// system.
bool nameFits(const QString &name);

} // namespace OutputFolder
