#include "benchsupport.h"

#include "mainwindowprobe.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

double Bench::seconds(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e9;
}

double Bench::median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

void Bench::convertInWindow(MainWindowProbe &probe, int timeoutMs)
{
    QEventLoop loop;
    QObject::connect(&probe.engine(), &ConversionQueue::runEnded, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.exit(1); });
    probe.ui()->stratBtn->click();
    if (loop.exec() != 0)
        qFatal("the run did not end");
}
