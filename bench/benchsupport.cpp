#include "benchsupport.h"

#include "mainwindowprobe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
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

double Bench::convertOneInWindow(const QString &pdf, int pageCount)
{
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    // As a user would, Start comes a moment after adding: the file's page sizes are known then.
    QTest::qWait(300);
    const double took = seconds([&probe] { convertInWindow(probe, 600000); });
    const QString folder = probe.outputFolders().value(0);
    if (QDir(folder).entryList(QDir::Files).size() != pageCount)
        qFatal("the run did not write %d images", pageCount);
    QDir(folder).removeRecursively();
    return took;
}
