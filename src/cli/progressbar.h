#pragma once

#include <QString>

// The bar `vezudiri --convert` draws on a terminal, redrawn in place on one line.
namespace ProgressBar {

// Percent, pages done of all pages, time remaining and pages per second after a bar that takes
// the room left, in fewer than `columns` characters so that no terminal wraps it; what does not
// fit is left out, the bar first of all.
QString line(int done, int total, qint64 elapsedMilliseconds, int columns);

// The width of the terminal on the file descriptor, else $COLUMNS, else 80.
int terminalColumns(int descriptor);

} // namespace ProgressBar
