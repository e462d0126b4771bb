#pragma once

#include "core/engine/folderhandle.h"

#include <QHash>
#include <QString>

// The images of a planned run that are complete, each with its size, kept in the file's folder:
// every renderer job of a slice adds to a record of its own, named after the job's first image
// number. A line is added only once the image has reached the disk under its final name, so
// after a crash, a power cut or a file put there by hand, the record and not a file's presence
// says what a resumed run may keep.
class SliceRecord final
{
public:
    SliceRecord() = default;
    ~SliceRecord();
    SliceRecord(const SliceRecord &) = delete;
    SliceRecord &operator=(const SliceRecord &) = delete;

    static QString fileName(int firstNumber);

    // Opens the job's record in folder to add to it, making it when missing. False for anything
    // else under that name than a record of the user's own that nobody else can write.
    bool open(const FolderHandle &folder, int firstNumber);
    // Records the image name of folder, complete with its present size.
    bool add(const FolderHandle &folder, const QString &name);
    void close();

    // What the records in folder list as complete, image by image with its size, a later line
    // of a record winning. Records that are not the user's own are not read.
    static QHash<QString, qint64> read(const FolderHandle &folder);
    // Whether the image name is what the records list: a regular file of the user's own with a
    // single link and the recorded size.
    static bool holds(const QHash<QString, qint64> &complete, const FolderHandle &folder,
                      const QString &name);

private:
    int fd = -1;
};
