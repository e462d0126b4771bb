#pragma once

#include "core/engine/folderhandle.h"

#include <QSet>
#include <QString>
#include <QStringList>

// What a run writes for one file, kept in the file's ".rendering" folder until the file is done.
// Every name is recorded before anything is written under it, so after a crash or a power cut a
// later run can tell interrupted work from finished work and remove exactly what was left half
// done. The names known from the start reach the disk at once, together; the few found on the way
// (colour separations, the joined file) are appended without waiting for the disk, which would
// hold up every page behind the write-back of the images before it.
class Journal final
{
public:
    static const QString fileName;

    Journal() = default;
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // Starts the journal in the file's rendering folder, naming this process as its owner and
    // the names the run is going to give its images.
    bool begin(const FolderHandle &renderFolder, const QStringList &planned);
    // Records a name in the file's folder before anything is written under it.
    bool record(const QString &name);
    void close();

    struct Leftover
    {
        bool found = false;         // name held a journal of a process that is gone
        int imagesRemoved = 0;      // what that journal listed and was still there
        bool folderRemoved = false; // nothing else was left in it
    };
    // Looks for an interrupted run's journal in the folder name of parent. When its process is
    // gone, removes the images it lists, the rendering folder, and the folder when it is then
    // empty. A journal of a live process, of another machine or of another user is left alone.
    // Look only tells what removing would do.
    enum class Action { Remove, Look };
    static Leftover removeLeftover(const FolderHandle &parent, const QString &name,
                                   Action action = Action::Remove);

    // Whether the journal in renderFolder names a process of this machine that still runs.
    static bool ownerRunning(const FolderHandle &renderFolder);

private:
    bool append(const QByteArray &lines);

    int fd = -1;
    QSet<QString> recorded;
};
