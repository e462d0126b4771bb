#pragma once

#include <QStringList>

// `vezudiri --convert [options] PATH...`: the window's conversion without a window or display.
// Exit status 0 when every PDF was converted, 1 when any was not, 2 for a usage error or a plan
// that cannot be converted, 128 + the signal number when a signal stopped the run, and 141
// (128 + SIGPIPE) when its output was closed before the end.
namespace ConvertCommand {

// Whether the program was started for a batch conversion or a watch (`--watch`, see WatchRun).
bool requested(const QStringList &arguments);
bool watchRequested(const QStringList &arguments);

// Runs the whole batch; call it instead of starting the window, before any application object
// exists.
int run(int argc, char *argv[]);

} // namespace ConvertCommand
