// After a run: a ten-second countdown, then the session is shut down, logged off or restarted.
#include "gui/mainwindow/mainwindow.h"

#include "core/platform/countdown.h"
#include "core/platform/sessionend.h"
#include "core/settings/settings.h"

#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

enum Action { ShowInformation = 0, Shutdown = 1, Logout = 2, Restart = 3 };

QString question(int action)
{
    switch (action) {
    case Logout:
        return MainWindow::tr("  Are you sure to logout the windows!");
    case Restart:
        return MainWindow::tr("  Are you sure to restart the windows!");
    default:
        return MainWindow::tr("  Are you sure to shutdown the windows!");
    }
}

} // namespace

void MainWindow::startCountdown(int action)
{
    emit setsddlgText(question(action) + u"(10)"_s);
    countdownValue = 9;

    QTimer ticks;
    ticks.setInterval(Countdown::interval());
    connect(&ticks, &QTimer::timeout, this, &MainWindow::isCswindow);
    connect(&countdownDialog, &shutdowndlg::stoptimer, &ticks, &QTimer::stop);
    ticks.start();
    countdownDialog.planMode = true;
    countdownDialog.exec();
    countdownDialog.planMode = false;
}

void MainWindow::isCswindow()
{
    AppSettings settings;
    const int action = settings.changeOver();
    if (action < Shutdown || action > Restart) {
        // Changed by hand during the countdown: nothing is ended.
        settings.set(Settings::changeOver, ShowInformation);
        countdownDialog.reject();
        return;
    }
    if (countdownValue <= 0)
        return;
    emit setsddlgText(question(action) + tr("(%1)").arg(countdownValue));
    countdownDialog.repaint();
    --countdownValue;
    if (countdownValue == 0) {
        if (closeWindows(action))
            countdownDialog.accept();
        else
            emit setsddlgText(tr("  The system did not accept the request."));
    }
}

bool MainWindow::closeWindows(int action)
{
    switch (action) {
    case Shutdown:
        return sessionEnd().request(SessionEnd::Action::PowerOff);
    case Restart:
        return sessionEnd().request(SessionEnd::Action::Reboot);
    default:
        return sessionEnd().request(SessionEnd::Action::LogOff);
    }
}
