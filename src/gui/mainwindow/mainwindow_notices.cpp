// The run as the desktop shows it outside the window: the tray icon's tool tip and the dock's
// progress while it goes on, and a notification when it ends unseen.
#include "gui/mainwindow/mainwindow.h"

#include "core/platform/desktopnotices.h"

#include <QTime>

using namespace Qt::Literals::StringLiterals;

void MainWindow::showRunProgress()
{
    QString text = tr("%1 of %2 files, %3 of %4 pages")
                       .arg(runProgress.filesDone())
                       .arg(runProgress.files())
                       .arg(runProgress.pagesDone())
                       .arg(runProgress.pages());
    if (const auto left = runProgress.secondsLeft(runClock.elapsed())) {
        const QTime time = QTime(0, 0).addSecs(int(qMin<qint64>(*left, 86399)));
        text += u'\n' + tr("%1 left").arg(time.toString(*left >= 3600 ? u"h:mm:ss"_s : u"m:ss"_s));
    }
    trayIcon->setToolTip(tr("ZEMRA VEZ ud Iri") + u'\n' + text);
    desktopNotices().showProgress(runProgress.fraction());
}

void MainWindow::endRunProgress()
{
    runProgress.clear();
    trayIcon->setToolTip(tr("ZEMRA VEZ ud Iri"));
    desktopNotices().showProgress(std::nullopt);
}

void MainWindow::notifyRunEnded(int files, int failed)
{
    if (isVisible() && !isMinimized())
        return;
    const QString title = information::titleFor(files, failed);
    const QString body = tr("%1 file(s) converted, %2 failed").arg(files - failed).arg(failed);
    const QPointer<QSystemTrayIcon> tray = trayIcon;
    desktopNotices().notify(title, body, [tray, title, body] {
        if (tray)
            tray->showMessage(title, body);
    });
}
