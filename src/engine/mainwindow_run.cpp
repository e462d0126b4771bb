// Starting and stopping a conversion run: one file at a time, one renderer run per page.
#include "app/mainwindow.h"

#include "app/settings.h"
#include "app/tools.h"
#include "engine/naming.h"
#include "engine/outputfolder.h"
#include "options/formats.h"
#include "options/pageselection.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressBar>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int statusColumn = 4;

} // namespace

QString MainWindow::passwordFor(const QString &path) const
{
    QString option = passwordOptions.value(path);
    return option.startsWith(u" -p ") ? option.mid(4) : option;
}

void MainWindow::on_stratBtn_clicked(bool checked)
{
    if (!checked) {
        stopRun();
        return;
    }
    QTableWidget *files = ui->tableWidget;

    if (alreadyConverted) {
        emit setdelDlgText(
            tr("Some files have already been changed. Do you want to convert again?"));
        if (confirmDialog.exec() == QDialog::Accepted) {
            for (int row = 0; row < files->rowCount(); ++row)
                setStatusReady(row);
            outputFolders.clear();
            runIndex = 0;
        } else if (runIndex >= files->rowCount() || confirmDialog.closedByCloseButton) {
            ui->stratBtn->setChecked(false);
            return;
        }
        alreadyConverted = false;
    }

    if (commitPageSelection()) {
        ui->stratBtn->setChecked(false);
        return;
    }

    if (useOutputPath && !QFileInfo(outputPath).isDir() &&
        (outputPath.isEmpty() || !QDir().mkpath(outputPath))) {
        emit setdelDlgText(tr("\nInvalid output path!"));
        ui->stratBtn->setChecked(false);
        confirmDialog.exec();
        return;
    }

    if (runIndex >= files->rowCount()) {
        ui->stratBtn->setChecked(false);
        return;
    }
    if (idle) {
        runFileCount = 0;
        failedCount = 0;
    }
    setControlsLocked(true);
    startCurrentFile();
}

void MainWindow::setControlsLocked(bool locked)
{
    if (locked) {
        ui->formatCombo->setEnabled(false);
        for (int row = 0; row < ui->OptionsTableWidget->rowCount(); ++row)
            removeEditor(row);
        idle = false;
    } else {
        ui->formatCombo->setEnabled(true);
    }
    for (QWidget *control :
         std::initializer_list<QWidget *>{ui->openPath, ui->pathEdit, ui->newFileRadio,
                                          ui->oldFileRadio, ui->delectBtn, ui->delectAllBtn})
        control->setEnabled(!locked);
}

void MainWindow::startCurrentFile()
{
    const int row = runIndex;
    ++runFileCount;

    rowProgressBar = new QProgressBar(this);
    rowProgressBar->hide();
    rowProgressBar->setRange(0, 100);
    rowProgressBar->setValue(0);
    connect(this, &MainWindow::sendValue, rowProgressBar.data(), &QProgressBar::setValue);
    ui->tableWidget->setCellWidget(row, statusColumn, rowProgressBar);

    const QString baseName = Naming::baseName(fileNames.value(row));
    pageQueue = PageSelection::pages(pageRanges.value(row), pageCounts.value(row).toInt());
    selectedPageTotal = int(pageQueue.size());
    pagesDone = 0;
    rendererOutput.clear();
    rendererErrors.clear();
    if (pageQueue.isEmpty()) {
        failCurrentFile(tr("The page selection names no page of this document."));
        return;
    }

    const QString parent = useOutputPath ? outputPath : fileFolders.value(row);
    const OutputFolder::Created folder = OutputFolder::createFresh(parent, baseName);
    if (!folder.ok) {
        failCurrentFile(
            tr("No output folder could be created in %1.").arg(QDir::toNativeSeparators(parent)));
        return;
    }
    currentOutputFolder = folder.path;
    currentOutputFiles.clear();
    recordOutputFolder(row, currentOutputFolder);

    {
        AppSettings settings;
        const Naming::Prefix prefix =
            Naming::prefixFor(settings.string(u"outputFileNameModel"_s),
                              settings.string(u"outFileNameModelfirst"_s), baseName);
        if (prefix.rewriteToSource)
            settings.setValue(u"outputFileNameModel"_s, u"source"_s);
        namingPrefix = prefix.prefix;
    }

    renderJob = RenderJob();
    renderJob.format = ui->tableWidget->item(row, 3)->text();
    renderJob.colour = colorModes.value(row);
    renderJob.dpi = dpiValues.value(row).toInt();
    renderJob.page = pageQueue.first();
    renderJob.outputFolder = currentOutputFolder;
    renderJob.imageName = RenderJob::imageFileName(namingPrefix, imageNumber, renderJob.format);
    renderJob.password = passwordFor(filePaths.value(row));
    renderJob.sourcePath = filePaths.value(row);

    tiffMergeList.clear();
    if (Formats::hasMergeRow(renderJob.format) && mergeFlags.value(row))
        tiffMergeList.append(currentOutputFolder + u'/' + renderJob.imageName);
    startRender();
}

// Row r's output folder sits at index r, so a finished row always opens its own folder.
void MainWindow::recordOutputFolder(int row, const QString &folder)
{
    while (outputFolders.size() <= row)
        outputFolders.append(QString());
    outputFolders[row] = folder;
}

void MainWindow::startRender()
{
    renderCommand = renderJob.text();
    currentOutputFiles.append(renderJob.outputFolder + u'/' + renderJob.imageName);
    const QString renderer = Tools::locate(u"P2I.exe"_s);
    if (renderer.isEmpty()) {
        failCurrentFile(tr("The renderer (Ghostscript) was not found."));
        return;
    }
    renderProcess.start(renderer, renderJob.arguments(), QIODevice::ReadWrite);
}

void MainWindow::stopRun()
{
    idle = true;
    renderProcess.kill();
    setControlsLocked(false);
    ui->stratBtn->setChecked(false);
}

void MainWindow::nextFileOrEnd()
{
    if (runIndex >= ui->tableWidget->rowCount() - 1) {
        endRun(false);
        return;
    }
    ++runIndex;
    // Queued, so a long run of files that fail at once never deepens the stack; a Stop pressed
    // in between wins.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!idle)
                emit changeOver(true);
        },
        Qt::QueuedConnection);
}
