// Starting and stopping a conversion run: the window hands its rows to the engine.
#include "gui/mainwindow/mainwindow.h"

#include "core/engine/naming.h"
#include "core/settings/settings.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

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
            for (int row = 0; row < files->rowCount(); ++row) {
                setStatusReady(row);
                rowStates[row] = RowState::Waiting;
            }
            outputFolders.clear();
            runIndex = 0;
        } else if (!rowStates.contains(RowState::Waiting) || confirmDialog.closedByCloseButton) {
            ui->stratBtn->setChecked(false);
            return;
        }
        alreadyConverted = false;
    }

    if (commitPageSelection()) {
        ui->stratBtn->setChecked(false);
        return;
    }

    // The program works from its installation folder: a relative folder would land there.
    if (useOutputPath && !outputPath.isEmpty() && QDir::isRelativePath(outputPath)) {
        emit setdelDlgText(tr("\nThe output folder must be a full path, such as /home/me/images."));
        ui->stratBtn->setChecked(false);
        confirmDialog.exec();
        return;
    }
    if (useOutputPath && !QFileInfo(outputPath).isDir() &&
        (outputPath.isEmpty() || !QDir().mkpath(outputPath))) {
        emit setdelDlgText(tr("\nInvalid output path!"));
        ui->stratBtn->setChecked(false);
        confirmDialog.exec();
        return;
    }

    if (!rowStates.contains(RowState::Waiting)) {
        ui->stratBtn->setChecked(false);
        return;
    }
    {
        const AppSettings settings;
        engine.setParallelJobs(settings.parallelJobs());
        engine.setRendererTimeout(settings.rendererTimeout());
    }
    QList<ConversionJob> jobs;
    for (int row = 0; row < files->rowCount(); ++row) {
        if (rowStates.at(row) == RowState::Waiting)
            jobs << jobFor(row);
    }
    if (!roomForRun(jobs)) {
        ui->stratBtn->setChecked(false);
        return;
    }
    failedCount = 0;
    setControlsLocked(true);
    runProgress.clear();
    for (const ConversionJob &job : std::as_const(jobs))
        runProgress.addFile(job.row, int(job.pages.size()));
    runClock.start();
    showRunProgress();
    for (const ConversionJob &job : std::as_const(jobs)) {
        rowStates[job.row] = RowState::Queued;
        engine.enqueue(job);
    }
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

// The row's file with the options it has now.
ConversionJob MainWindow::jobFor(int row) const
{
    FileChoices choices;
    choices.sourcePath = filePaths.value(row);
    choices.pageCount = pageCounts.value(row).toInt();
    choices.pages = pageRanges.value(row);
    choices.outputFolder = useOutputPath ? outputPath : QString();
    {
        // An unknown naming model is stored as "source" from now on.
        AppSettings settings;
        choices.naming = settings.get(Settings::namingModel);
        choices.namingTemplate = settings.get(Settings::namingTemplate);
        if (Naming::prefixFor(choices.naming, choices.namingTemplate, QString()).rewriteToSource)
            settings.set(Settings::namingModel, u"source"_s);
        choices.smooth = settings.get(Settings::smoothText);
    }
    choices.format = ui->tableWidget->item(row, 3)->text();
    choices.colour = colorModes.value(row);
    choices.dpi = dpiValues.value(row).toInt();
    choices.password = passwordFor(choices.sourcePath);
    choices.merge = mergeFlags.value(row);
    return ConversionJob::from(row, choices);
}

// A file added while a run goes on joins it.
void MainWindow::enqueueRow(int row)
{
    rowStates[row] = RowState::Queued;
    const ConversionJob job = jobFor(row);
    runProgress.addFile(row, int(job.pages.size()));
    engine.enqueue(job);
    showRunProgress();
}

void MainWindow::stopRun()
{
    engine.stop();
    afterStop();
}

void MainWindow::afterStop()
{
    idle = true;
    // Files the run had not reached yet wait for the next one.
    for (RowState &state : rowStates) {
        if (state == RowState::Queued)
            state = RowState::Waiting;
    }
    setControlsLocked(false);
    ui->stratBtn->setChecked(false);
    endRunProgress();
}

// Row r's output folder sits at index r, so a finished row always opens its own folder.
void MainWindow::recordOutputFolder(int row, const QString &folder)
{
    while (outputFolders.size() <= row)
        outputFolders.append(QString());
    outputFolders[row] = folder;
}
