// Where the images go: next to each PDF, or into one folder of the user's choice.
#include "app/mainwindow.h"

#include "app/settings.h"
#include "options/outputfolderui.h"
#include "ui_mainwindow.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

void MainWindow::initOutputFolder()
{
    const AppSettings settings;
    useOutputPath = settings.boolean(u"outPath"_s);
    (useOutputPath ? ui->newFileRadio : ui->oldFileRadio)->setChecked(true);
    outputPath = settings.string(u"saveFilePath"_s);
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
    AppSettings().setValue(u"saveFilePath"_s, outputPath);
}

void MainWindow::on_newFileRadio_clicked()
{
    commitPageSelection();
    useOutputPath = true;
    AppSettings().setValue(u"outPath"_s, true);
}

void MainWindow::on_oldFileRadio_clicked()
{
    commitPageSelection();
    useOutputPath = false;
    AppSettings().setValue(u"outPath"_s, false);
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
