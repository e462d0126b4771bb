#pragma once

#include "cli/convertoptions.h"
#include "cli/plan.h"
#include "cli/roomcheck.h"

class QTextStream;

// `vezudiri --convert PATH...` without a plan: each PDF into a fresh folder, its line printed as
// it ends, a progress bar on a terminal. Exit status 0 when every PDF was converted, 1 when any
// was not, 128 + the signal number when a signal stopped the run, and 141 (128 + SIGPIPE) when
// its output was closed before the end.
namespace PlainRun {

int exec(Plan &plan, const RoomCheck &room, const ConvertOptions &options,
         const BatchDefaults &defaults, QTextStream &out, QTextStream &err);

} // namespace PlainRun
