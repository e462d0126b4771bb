#pragma once

#include "cli/batchoptions.h"
#include "cli/batchplan.h"

class QTextStream;

// `vezudiri --convert` with --plan-out, --plan, --shard, --resume or --json: a run planned once
// (or planned alike by every machine from the same paths), converted in shards, each PDF reported
// as it ends. Exit status as for the plain batch.
namespace PlanRun {

int exec(const BatchOptions &options, const BatchDefaults &defaults, QTextStream &out,
         QTextStream &err);

} // namespace PlanRun
