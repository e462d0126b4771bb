#pragma once

#include "cli/plan.h"

#include <QByteArray>
#include <QString>

#include <optional>

// What is wrong with a plan: the entry and the field at fault.
struct PlanError
{
    int entry = -1; // its index in the plan's files; -1: the plan as a whole
    QString path;   // the entry's PDF, when it names one
    QString field;  // empty: the plan cannot be read at all
    QString problem;

    QString text() const;
};

// A plan as JSON, written and read in this one place. Reading checks every field (its type, its
// range, and that it is what the plan's choices give), that no two entries share a folder, and
// that the plan's id is made from all of it, so a plan edited by hand or cut short is refused
// before anything is made.
namespace PlanCodec {

// A size, in bytes, beyond what any file system holds; a JSON number is exact up to here.
constexpr qint64 largestBytes = qint64(1) << 53;

QByteArray write(const Plan &plan);
std::optional<Plan> read(const QByteArray &json, PlanError *error);

// Made from everything the plan holds, folders, names and bytes included.
QString idOf(const Plan &plan);
// What the folder of the plan's entry at index carries: made from the plan's choices and
// everything of that entry, its folder included, so it can be known before the other entries'
// folders are fixed.
QString folderMark(const Plan &plan, int index, const PlanEntry &entry);

// Made from the choices that shape the images, where they go left out: the key of the
// completion record a run leaves.
QString optionsKey(const BatchChoices &choices);

} // namespace PlanCodec
