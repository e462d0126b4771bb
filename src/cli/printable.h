#pragma once

#include <QString>

// A name may hold any byte but '/' and NUL: control characters would split a line or reach the
// terminal as commands, so they are shown as \xHH.
QString printable(const QString &text);
