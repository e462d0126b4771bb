// What the close button does: ask, remember the answer, warn about a non-empty list.
#include "gui/mainwindow/mainwindow.h"

#include "core/settings/settings.h"
#include "gui/dialogs/listcls.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>

using namespace Qt::Literals::StringLiterals;

void MainWindow::chooseclose()
{
    showNormal();
    const bool remember = AppSettings().get(Settings::rememberCloseChoice);

    if (ui->tableWidget->rowCount() > 0 && remember) {
        // A remembered answer is applied without asking only while the list is empty.
        if (configDialog.warnOnListClose)
            listClose->exec();
        else
            close();
        return;
    }

    if (!remember)
        closeChoice.exec();

    const AppSettings settings;
    if (!settings.get(Settings::closeConfirmed))
        return;
    if (settings.closeChoice() == Dialog::Exit)
        close();
    else
        hideToTray();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Closing ends the program: a run still going is stopped, as the Stop button does.
    if (!idle)
        stopRun();
    event->accept();
}
