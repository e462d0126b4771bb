#pragma once

#include "engine/folderhandle.h"

#include <QString>

// What a run has written for one file, kept in the file's ".rendering" folder until the file is
// done. An image's name is recorded before the image gets it, so after a crash or a power cut a
// later run can tell interrupted work from finished work and remove exactly what was left half
// done.
class Journal final
{
public:
    static const QString fileName;

    Journal() = default;
    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // Starts the journal in the file's rendering folder, naming this process as its owner.
    bool begin(const FolderHandle &renderFolder);
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
    static Leftover removeLeftover(const FolderHandle &parent, const QString &name);

private:
    int fd = -1;
};
