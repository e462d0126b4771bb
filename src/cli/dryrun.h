#pragma once

#include "cli/convertoptions.h"
#include "cli/plan.h"
#include "cli/roomcheck.h"

class QTextStream;

// `vezudiri --convert --dry-run`: what a run would write and the room it needs, with nothing made.
namespace DryRun {

// The choices, one line per file and the total; each image with --verbose; only failures with
// --quiet. Gives the exit status: 0 when every file would be converted and the images fit.
int print(const Plan &plan, const RoomCheck &room, ConvertOptions::Verbosity verbosity,
          QTextStream &out);

} // namespace DryRun
