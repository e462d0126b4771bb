#pragma once

#include "core/engine/folderhandle.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

// What a run writes for one file, kept in the file's ".rendering" folder until the file is done.
// Every name is recorded before anything is written under it, so after a crash or a power cut a
// later run can tell interrupted work from finished work and remove exactly what was left half
// done. The names known from the start reach the disk at once, together; the few found on the way
// (colour separations, the joined file) are appended without waiting for the disk, which would
// hold up every page behind the write-back of the images before it.
//
// The run holds a lock on its journal (flock) for as long as it works on the file, and a later
// run takes the work for interrupted only when it can take that lock. The lock belongs to the
// open journal, not to a process, so it tells a live run from a dead one whatever host,
// container or PID namespace either runs in; NFS (as a lock on the server), CephFS (through its
// metadata servers) and Lustre (mounted with its flock option) keep it across machines.
class Journal final
{
public:
    static const QString fileName;

    Journal() = default;
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // Starts the journal in the file's rendering folder, locked, with the names the run is going
    // to give its images.
    bool begin(const FolderHandle &renderFolder, const QStringList &planned);
    // Records a name in the file's folder before anything is written under it.
    bool record(const QString &name);
    void close();

    enum class Owner {
        None,    // there is no journal
        Running, // a live run holds it
        Gone,    // its run ended before the file did
        Unknown, // not the user's own journal, or a file system that does not lock files
    };
    // The journal an earlier run left in a rendering folder, and what became of that run.
    struct Earlier
    {
        Earlier() = default;
        ~Earlier();
        Earlier(Earlier &&other) noexcept;
        Earlier &operator=(Earlier &&) = delete;
        Earlier(const Earlier &) = delete;
        Earlier &operator=(const Earlier &) = delete;

        Owner owner = Owner::None;
        QByteArray text; // the journal of a run that is gone
        int held = -1;   // that journal, locked as long as this lives, so no other run takes it
    };
    static Earlier earlierRun(const FolderHandle &renderFolder);

    struct Leftover
    {
        bool found = false;         // name held a journal of a run that is gone
        int imagesRemoved = 0;      // what that journal listed and was still there
        bool folderRemoved = false; // nothing else was left in it
    };
    // Looks for an interrupted run's journal in the folder name of parent. When its run is gone,
    // removes the images it lists, the rendering folder, and the folder when it is then empty.
    // A journal of a live run, or one that is not the user's own, is left alone. Look only tells
    // what removing would do.
    enum class Action { Remove, Look };
    static Leftover removeLeftover(const FolderHandle &parent, const QString &name,
                                   Action action = Action::Remove);

private:
    bool append(const QByteArray &lines);

    int fd = -1;
    QSet<QString> recorded;
};
