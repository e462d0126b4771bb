#pragma once

#include <QList>
#include <QString>

#include <functional>

class MainWindowProbe;

// What every benchmark does: time a piece of work, take the median of rounds, and run the
// window's conversion in an event loop of its own, as the real program does.
namespace Bench {

double seconds(const std::function<void()> &work);
double median(QList<double> values);
// Presses Start and returns once the run has ended; a run longer than timeoutMs is fatal.
void convertInWindow(MainWindowProbe &probe, int timeoutMs);
// Seconds the window takes to convert one PDF of pageCount pages, as a user starts it; the images
// are checked and removed.
double convertOneInWindow(const QString &pdf, int pageCount);

} // namespace Bench
