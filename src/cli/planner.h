#pragma once

#include "cli/convertoptions.h"
#include "cli/plan.h"

// How `vezudiri --convert` plans a batch before anything is made.
namespace Planner {

// Finds the PDFs, probes them (several at once) and lays out every file's folder, image names
// and room, exactly as the run will. The folders of a planned run, or of a plan written for one,
// are fixed where they are free or carry their entry's mark; when every shard plans by itself,
// folders a shard is still marking are waited for, so that all shards agree.
Plan plan(const ConvertOptions &options, const BatchDefaults &defaults);

} // namespace Planner
