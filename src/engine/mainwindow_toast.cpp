// The result toast at the end of a run.
#include "app/mainwindow.h"

#include "app/settings.h"

#include <QTimer>

using namespace Qt::Literals::StringLiterals;

void MainWindow::showMessage()
{
    if (!AppSettings().boolean(u"isShowMsg"_s))
        return;
    summaryToast.slideIn();
    QTimer::singleShot(5000, &summaryToast, &information::close);
}
