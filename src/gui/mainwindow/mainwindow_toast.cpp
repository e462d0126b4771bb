// The result toast at the end of a run.
#include "gui/mainwindow/mainwindow.h"

#include "core/settings/settings.h"

#include <QTimer>

using namespace Qt::Literals::StringLiterals;

void MainWindow::showMessage()
{
    if (!AppSettings().showToast())
        return;
    summaryToast.slideIn();
    QTimer::singleShot(5000, &summaryToast, &information::close);
}
