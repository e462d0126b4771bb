#pragma once

#include "mainwindowprobe.h"

#include <QSize>
#include <QString>

// Helpers shared by the conversion tests: running the real run and reading images back.
namespace Conversion {

// Presses Start and waits until the run is over (or the time runs out).
bool run(MainWindowProbe &probe, int timeoutMs = 120000);

// Width and height of an image file of any of the program's formats, read from the file itself;
// an invalid size when the file is not a valid image of that format.
QSize imageSize(const QString &path, const QString &format);

// The size a page of widthPt x heightPt points has at the given resolution.
QSize expectedSize(const QSizeF &pagePoints, int resolution);
bool closeTo(const QSize &actual, const QSize &expected);

// The files in a folder, by name.
QStringList filesIn(const QString &folder);

// A renderer script that runs the real Ghostscript but freezes it when it begins the given page,
// so a test can act while that page renders (nothing it wrote beyond it passes on until it is
// continued); Ghostscript's process id goes to pidFile.
QString pausingRenderer(int page, const QString &pidFile);
// Whether that process is gone (or only a zombie).
bool processGone(const QString &pidFile);

} // namespace Conversion
