#pragma once

#include "core/engine/outputfolder.h"

#include <QString>
#include <QStringList>

// The output folders of a planned run. A plan fixes each folder's name; several machines may
// work in one folder at once, each on its own slice of the file's pages. The first to need the
// folder makes it and marks it with the plan's id; the others take it only when they find that
// mark, so a folder someone else made is never written in.
namespace PlanFolder {

extern const QString markName;

enum class State { Missing, Ours, Foreign };

// Whether name in parent is missing, marked by this plan or somebody else's. Unless told not to
// wait, a folder made a moment ago without a mark yet is given a moment to get it.
enum class Wait { ForNewFolders, No };
State stateOf(const FolderHandle &parent, const QString &name, const QString &planId,
              Wait wait = Wait::ForNewFolders);

// Makes name in parent and marks it, or opens it when it carries this plan's mark. Fails (ok
// false) for any other folder, a link, or a name that is not a single folder name.
OutputFolder::Created adopt(const FolderHandle &parent, const QString &name, const QString &planId,
                            mode_t mode);

// The render folder of the slice whose first image has this number.
QString renderFolderName(int firstNumber);

// The work an earlier run of a slice left: its render folders (named after first numbers from
// first to last) are removed with what is in them. False, and nothing removed, while a process
// of this machine still works in one of them.
bool removeInterrupted(const FolderHandle &folder, int first, int last);

} // namespace PlanFolder
