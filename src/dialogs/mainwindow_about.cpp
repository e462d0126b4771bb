// The "Official Website" command.
#include "app/mainwindow.h"

#include "app/desktop.h"
#include "dialogs/homepage.h"

#include <QUrl>

using namespace Qt::Literals::StringLiterals;

void MainWindow::openOfficial()
{
    desktop().openUrl(QUrl(u"http://"_s + HomePage::current(), QUrl::TolerantMode));
}
