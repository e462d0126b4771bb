#pragma once

#include "cli/convertoptions.h"
#include "cli/watchoptions.h"

class QTextStream;

// `vezudiri --watch IN... -o OUT`: every PDF under IN without current images under OUT is
// converted, then each PDF put there once it is complete, one line (or JSON object) per file as
// it ends. It runs until SIGTERM or SIGINT (exit 0); 1 when it cannot start.
namespace WatchRun {

int exec(const ConvertOptions &options, const WatchSettings &settings,
         const BatchDefaults &defaults, QTextStream &out, QTextStream &err);

} // namespace WatchRun
