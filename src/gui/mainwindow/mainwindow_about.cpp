// The "Official Website" command.
#include "gui/mainwindow/mainwindow.h"

#include "core/update/homepage.h"
#include "gui/widgets/desktop.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

void MainWindow::openOfficial()
{
    desktop().openUrl(QUrl(u"http://"_s + HomePage::current(), QUrl::TolerantMode));
}
