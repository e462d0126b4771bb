// What the engine reports, shown in the file list: each row's progress and final status, and
// the end of the run with its summary and the action after it.
#include "gui/mainwindow/mainwindow.h"

#include "core/options/formats.h"
#include "core/settings/settings.h"
#include "gui/widgets/messagebox.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QProgressBar>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int statusColumn = 4;

QTableWidgetItem *statusItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

void MainWindow::connectEngine()
{
    connect(&engine, &ConversionQueue::fileStarted, this, &MainWindow::fileStarted);
    connect(&engine, &ConversionQueue::fileProgress, this, &MainWindow::fileProgress);
    connect(&engine, &ConversionQueue::fileFinished, this, &MainWindow::fileFinished);
    connect(&engine, &ConversionQueue::fileFailed, this, &MainWindow::fileFailed);
    connect(&engine, &ConversionQueue::fileInterrupted, this, &MainWindow::fileInterrupted);
    connect(&engine, &ConversionQueue::runEnded, this, &MainWindow::endRun);
    connect(&engine, &ConversionQueue::runStopped, this, &MainWindow::runStopped);
    connect(&engine, &ConversionQueue::leftoverRemoved, this,
            [](int, const QString &folder, int images) {
                qInfo().noquote() << "Removed" << images << "image(s) an interrupted run left in"
                                  << folder;
            });
}

void MainWindow::setStatusReady(int row)
{
    ui->tableWidget->removeCellWidget(row, statusColumn);
    ui->tableWidget->setItem(row, statusColumn, statusItem(tr("Ready")));
    shadeRows(ui->tableWidget, row, row);
}

void MainWindow::setStatusFinished(int row)
{
    QTableWidget *files = ui->tableWidget;
    files->setItem(row, statusColumn, statusItem(QString()));
    auto *finished = new QLabel;
    finished->setPixmap(
        Chrome::skinImage(u"skin/black/Btn/status_finished.png"_s, files->devicePixelRatioF()));
    finished->setAlignment(Qt::AlignCenter);
    finished->setCursor(Qt::PointingHandCursor);
    finished->setToolTip(QDir::toNativeSeparators(outputFolders.value(row)));
    files->setCellWidget(row, statusColumn, finished);
    shadeRows(files, row, row);
}

void MainWindow::setStatusFailed(int row, const QString &reason)
{
    QTableWidget *files = ui->tableWidget;
    files->removeCellWidget(row, statusColumn);
    // The reason's first line on the row itself, the whole of it in the tool tip.
    QTableWidgetItem *failed = statusItem(reason.section(u'\n', 0, 0).trimmed());
    failed->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    failed->setIcon(QIcon(u"styles/Btn/status_err.png"_s));
    failed->setToolTip(reason);
    files->setItem(row, statusColumn, failed);
    shadeRows(files, row, row);
}

void MainWindow::fileStarted(int row, const QString &outputFolder, const QString &command)
{
    recordOutputFolder(row, outputFolder);
    renderCommand = command;
    auto *bar = new QProgressBar;
    bar->setRange(0, 100);
    bar->setValue(0);
    ui->tableWidget->setCellWidget(row, statusColumn, bar);
}

void MainWindow::fileProgress(int row, int percent)
{
    if (auto *bar = qobject_cast<QProgressBar *>(ui->tableWidget->cellWidget(row, statusColumn)))
        bar->setValue(percent);
    emit sendValue(percent);
    runProgress.setPercent(row, percent);
    showRunProgress();
}

void MainWindow::fileFinished(int row)
{
    if (auto *bar = qobject_cast<QProgressBar *>(ui->tableWidget->cellWidget(row, statusColumn)))
        bar->setValue(100);
    setStatusFinished(row);
    lastEndedMerged =
        mergeFlags.value(row) && Formats::hasMergeRow(ui->tableWidget->item(row, 3)->text());
    rowEnded(row, RowState::Finished);
}

void MainWindow::fileFailed(int row, const QString &reason, FileConversion::Failure kind)
{
    setStatusFailed(row, reason);
    ++failedCount;
    lastEndedMerged = false;
    rowEnded(row, RowState::Failed);
    if (kind == FileConversion::Failure::Crash) {
        // Shown once the engine's report is done, so the run goes on behind the box.
        QMetaObject::invokeMethod(
            this,
            [this] {
                MessageBox::warning(this, tr("Error"),
                                    tr("<font color=red>P2I程序异常结束.</font>\r\n"));
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::fileInterrupted(int row)
{
    setStatusReady(row);
    if (row < outputFolders.size())
        outputFolders[row].clear();
    rowStates[row] = RowState::Waiting;
}

void MainWindow::rowEnded(int row, RowState state)
{
    rowStates[row] = state;
    runProgress.endFile(row);
    showRunProgress();
    while (runIndex < rowStates.size() && (rowStates.at(runIndex) == RowState::Finished ||
                                           rowStates.at(runIndex) == RowState::Failed))
        ++runIndex;
}

void MainWindow::runStopped(const QString &reason)
{
    afterStop();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            MessageBox::warning(this, tr("Conversion stopped"),
                                reason + u'\n' +
                                    tr("The files converted keep their images; the others wait "
                                       "for the next run."));
        },
        Qt::QueuedConnection);
}

void MainWindow::endRun(int files, int failed)
{
    ui->stratBtn->setChecked(false);
    endRunProgress();
    notifyRunEnded(files, failed);
    const bool merged = lastEndedMerged;
    if (merged) {
        emit changefileNum(files, failed);
        showMessage();
    }
    setControlsLocked(false);
    runIndex = ui->tableWidget->rowCount();
    idle = true;
    alreadyConverted = true;

    if (configDialog.postTaskEnabled) {
        AppSettings settings;
        const int action = settings.changeOver();
        // A hand-edited value: shown as "Show Information" from now on.
        if (settings.contains(Settings::changeOver) &&
            settings.stored(Settings::changeOver) != action)
            settings.set(Settings::changeOver, action);
        if (action == 0 && !merged) {
            emit changefileNum(files, failed);
            showMessage();
        } else if (action != 0) {
            startCountdown(action);
        }
    }
    failedCount = 0;
}
