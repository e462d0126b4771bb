#pragma once

#include <QList>

#include <functional>

class MainWindowProbe;

// What every benchmark does: time a piece of work, take the median of rounds, and run the
// window's conversion in an event loop of its own, as the real program does.
namespace Bench {

double seconds(const std::function<void()> &work);
double median(QList<double> values);
// Presses Start and returns once the run has ended; a run longer than timeoutMs is fatal.
void convertInWindow(MainWindowProbe &probe, int timeoutMs);

} // namespace Bench
