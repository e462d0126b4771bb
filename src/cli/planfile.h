#pragma once

#include "cli/plan.h"

#include <QString>

#include <optional>

// The file a plan is kept in, on a folder other users and machines may share.
namespace PlanFile {

// Larger than any plan of a batch a cluster converts.
constexpr qint64 largestPlan = qint64(256) << 20;

// The plan in the file at path, or nothing and why not in *wrong. Only a regular file of the
// running user's that no other user can change is read, and no more than largestPlan bytes.
std::optional<Plan> read(const QString &path, QString *wrong);

// Writes the plan in place of the file at path, whole or not at all; only its owner may change
// it. False when it cannot be written.
bool write(const Plan &plan, const QString &path);

} // namespace PlanFile
