#pragma once

#include "core/engine/outputfolder.h"

#include <QDeadlineTimer>
#include <QString>
#include <QStringList>

// The output folders of a planned run. A plan fixes each folder's name; several machines may
// work in one folder at once, each on its own slice of the file's pages. The first to need the
// folder makes it and marks it with the plan's id; the others take it only when it is the
// running user's own: the folder and its mark belong to that user, nobody else can write either
// (no write bit for group or others), and the mark names this plan. The plan's id is no
// secret, so a mark alone proves nothing.
namespace PlanFolder {

extern const QString markName;

// The longest a run waits, in all, for folders of the user's own made a moment ago to get their
// marks from the machines that made them.
constexpr int markWaitMs = 3000;

enum class State { Missing, Ours, Foreign };
// Why a folder is not ours.
enum class Why { None, NotAFolder, OtherOwner, WritableByOthers, MarkNotOurs, OtherPlan };

struct Found
{
    State state = State::Missing;
    Why why = Why::None;
    FolderHandle folder; // open on the folder when it is ours
};

// Whether name in parent is missing, ours, or somebody else's and why. A folder of the user's
// own made a moment ago without a mark yet is given until markWait to get it.
Found stateOf(const FolderHandle &parent, const QString &name, const QString &planId,
              const QDeadlineTimer &markWait);

// Makes name in parent and marks it, both closed to everybody else's writing whatever the
// umask, or opens it when it is ours. Fails (ok false, and why) for any other folder, a link,
// or a name that is not a single folder name.
OutputFolder::Created adopt(const FolderHandle &parent, const QString &name, const QString &planId,
                            mode_t mode, Why *why = nullptr);

// Why a folder is not ours, as a reason to show.
QString reason(Why why);

// The render folder of the slice whose first image has this number.
QString renderFolderName(int firstNumber);
// The render folders in folder named after first numbers from first to last.
QStringList renderFolders(const FolderHandle &folder, int first, int last);

enum class Cleanup { Done, Running, Unknown };
// The work an earlier run of a slice left: its render folders (see renderFolders) are removed
// with what is in them. Nothing is removed while a live run, on any host or in any container,
// holds one of them (Running), or while one's run cannot be told to be gone (Unknown).
Cleanup removeInterrupted(const FolderHandle &folder, int first, int last);

} // namespace PlanFolder
