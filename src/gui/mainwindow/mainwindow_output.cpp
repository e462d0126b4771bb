// Where the images go: next to each PDF, or into one folder of the user's choice.
#include "gui/mainwindow/mainwindow.h"

#include "core/settings/settings.h"
#include "gui/mainwindow/outputfolderui.h"
#include "ui_mainwindow.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

void MainWindow::initOutputFolder()
{
    const AppSettings settings;
    useOutputPath = settings.get(Settings::useOutputFolder);
    (useOutputPath ? ui->newFileRadio : ui->oldFileRadio)->setChecked(true);
    outputPath = settings.get(Settings::outputFolder);
    QString shown = QDir::toNativeSeparators(outputPath);
    if (shown.isEmpty())
        shown = QDir::toNativeSeparators(OutputFolderUi::defaultFolder(documentsPath));
    ui->pathEdit->setText(shown);
    ui->pathEdit->setCursorPosition(0);
}

void MainWindow::on_pathEdit_textChanged(const QString &text)
{
    if (commitPageSelection())
        return;
    outputPath = QString(text).replace(u'\\', u'/');
    AppSettings().set(Settings::outputFolder, outputPath);
}

void MainWindow::on_newFileRadio_clicked()
{
    commitPageSelection();
    useOutputPath = true;
    AppSettings().set(Settings::useOutputFolder, true);
}

void MainWindow::on_oldFileRadio_clicked()
{
    commitPageSelection();
    useOutputPath = false;
    AppSettings().set(Settings::useOutputFolder, false);
}

void MainWindow::on_openPath_clicked()
{
    if (!commitPageSelection())
        saveFile();
}

void MainWindow::saveFile()
{
    const QString folder = OutputFolderUi::choose(this, outputPath);
    if (folder.isEmpty())
        return;
    outputPath = folder;
    ui->pathEdit->setText(QDir::toNativeSeparators(folder));
    ui->pathEdit->setCursorPosition(0);
}

void MainWindow::on_browseBtn_clicked()
{
    if (!commitPageSelection())
        OutputFolderUi::open(this, ui->pathEdit->text());
}
