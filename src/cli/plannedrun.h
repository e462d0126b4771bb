#pragma once

#include "cli/convertoptions.h"

class QTextStream;

// `vezudiri --convert` with --plan-out, --plan, --shard, --resume or --json: a run planned once
// (or planned alike by every machine from the same paths), converted in shards, each PDF reported
// as it ends. Exit status as for the plain run; 2 for a plan that cannot be converted.
namespace PlannedRun {

int exec(const ConvertOptions &options, const BatchDefaults &defaults, QTextStream &out,
         QTextStream &err);

} // namespace PlannedRun
