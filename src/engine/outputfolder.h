#pragma once

#include <QString>

// Every converted file gets a folder of its own, so earlier results are never overwritten.
namespace OutputFolder {

struct Created
{
    QString path;
    bool ok = false;
};

// Creates parent/name, or when that exists parent/name(1), parent/name(2) and so on, and
// returns the folder this call created. Gives up (ok false) after maxAttempts names, or at once
// when parent is not a writable folder, name is not a single folder name, or a folder cannot
// be created for another reason.
Created createFresh(const QString &parent, const QString &name, int maxAttempts = 1000);

// The folder createFresh would make now, given that the folders in planned will have been made
// before it; nothing is created. Empty when createFresh would give up.
QString freeName(const QString &parent, const QString &name, const QStringList &planned,
                 int maxAttempts = 1000);

// Whether name can be one entry of a folder: at most NAME_MAX bytes once encoded for the file
// system.
bool nameFits(const QString &name);

} // namespace OutputFolder
