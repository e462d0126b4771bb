#pragma once

#include "core/engine/folderhandle.h"
#include "core/engine/journal.h"
#include "core/engine/slicerecord.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <sys/types.h>

// Gives a file's complete pages their final names: out of the rendering folder into the file's
// folder, journaled first, never over a name already there, and the copies of a page selected
// more than once. A planned job's image reaches the disk before it has its name and is listed in
// the slice's record after. What it placed it knows, for a stop to take back.
class PagePlacer final : public QObject
{
    Q_OBJECT

public:
    // The run's own folders and records, which this uses as they are at each call.
    PagePlacer(const FolderHandle &folder, const FolderHandle &rendering, Journal &journal,
               SliceRecord &sliceRecord, QObject *parent = nullptr);
    Q_DISABLE_COPY_MOVE(PagePlacer)

    struct Target
    {
        QString shownFolder;    // the file's folder, for messages and reports
        bool planned = false;   // a planned job: its names are its own, the record lists them
        mode_t fileMode = 0666; // of a copy
    };
    void aim(const Target &target);

    // Journals a name in the file's folder before anything is written under it.
    bool record(const QString &name);
    // Moves fromName of from to target in the file's folder; failure replaces the message of a
    // move that fails.
    bool put(const FolderHandle &from, const QString &fromName, const QString &target,
             bool replace = false, const QString &failure = QString());
    // A rendered page under its first name, the separations beside it after their stem, then
    // the copies under the others.
    bool placeRendered(const QString &rendered, const QStringList &separations,
                       const QStringList &names);
    // An encoded page under its first name in place of its raw pixels, then the copies.
    bool placeEncoded(const QString &encoded, const QString &raw, const QStringList &names);

    // Every file placed, separations included.
    const QStringList &placed() const { return files; }
    // Removes a placed file from the folder, or all of them.
    void remove(const QString &name);
    void removeAll();
    // Why the last call that returned false failed, for the user.
    QString failure() const { return why; }

signals:
    void imageWritten(const QString &path);

private:
    bool placeCopies(const QStringList &names, const QStringList &firstFiles);
    bool refuse(const QString &name);

    const FolderHandle &folder;
    const FolderHandle &rendering;
    Journal &journal;
    SliceRecord &sliceRecord;
    Target target;
    QStringList files;
    QString why;
};
