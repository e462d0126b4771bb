// The file list's context menu, opening a PDF or a finished row's folder, and the properties
// dialog.
#include "gui/mainwindow/mainwindow.h"

#include "core/pdf/pdfinfo.h"
#include "core/pdf/protectedprobe.h"
#include "gui/widgets/desktop.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

void MainWindow::on_tableWidget_customContextMenuRequested(const QPoint &position)
{
    QTableWidget *files = ui->tableWidget;
    QMenu menu(this);
    menu.addAction(addFilesAction);
    menu.addAction(addFolderAction);
    menu.addSeparator();
    menu.addAction(deleteAction);
    menu.addAction(deleteAllAction);
    menu.addSeparator();
    menu.addAction(openFileAction);
    menu.addAction(fileInformationAction);

    const bool overRow =
        files->rowCount() > 0 && position.y() < files->rowCount() * files->rowHeight(0);
    for (QAction *action : {deleteAction, deleteAllAction, openFileAction, fileInformationAction})
        action->setEnabled(overRow);
    if (!ui->delectBtn->isEnabled()) {
        deleteAction->setEnabled(false);
        deleteAllAction->setEnabled(false);
    }
    menu.exec(QCursor::pos());
}

void MainWindow::openPdf()
{
    const int row = ui->tableWidget->currentRow();
    if (row < 0 || row >= filePaths.size())
        return;
    desktop().openUrl(QUrl::fromLocalFile(filePaths.at(row)));
}

void MainWindow::openPath(int row, int column)
{
    if (column != 4 || row < 0 || row >= outputFolders.size() ||
        (rowStates.value(row) != RowState::Finished && rowStates.value(row) != RowState::Failed))
        return;
    const QString folder = outputFolders.at(row);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        desktop().openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::openInformation()
{
    const int row = ui->tableWidget->currentRow();
    if (row < 0 || row >= filePaths.size())
        return;
    const QString path = filePaths.at(row);
    const QFileInfo file(path);

    QString password = passwordOptions.value(path);
    if (password.startsWith(u" -p "))
        password = password.mid(4);
    PdfInfo::Info info;
    if (password.isEmpty()) {
        const Tools::Result result =
            Tools::run(PdfInfoCommand::information(path).command,
                       {PdfInfoCommand::timeout(), PdfInfoCommand::outputLimit(), 0});
        info = PdfInfo::parse(result.standardOutput);
    } else {
        info = ProtectedProbe::probe(path, password).info;
    }
    fileInfoDialog.setFileText({file.fileName(), file.absolutePath(),
                                PdfInfo::readableDate(info.creationDate), info.fileSize,
                                info.pageSize, info.pages, info.pdfVersion});
    fileInfoDialog.show();
    fileInfoDialog.raise();
}
