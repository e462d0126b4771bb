// What happens while the renderer runs and after it exits: progress, the next page, the next file,
// each file's final status and the end of the run.
#include "app/mainwindow.h"

#include "app/messagebox.h"
#include "app/settings.h"
#include "engine/gifwriter.h"
#include "engine/naming.h"
#include "options/formats.h"
#include "options/pageselection.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int statusColumn = 4;
const QString pageMarker = u"Page "_s;

QTableWidgetItem *statusItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// The last line the renderer wrote to its error output, to tell the user why a page failed.
QString lastLine(const QString &text)
{
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        const QString line = it->trimmed();
        if (!line.isEmpty())
            return line;
    }
    return {};
}

} // namespace

void MainWindow::setStatusReady(int row)
{
    ui->tableWidget->removeCellWidget(row, statusColumn);
    ui->tableWidget->setItem(row, statusColumn, statusItem(tr("Ready")));
}

void MainWindow::setStatusFinished(int row)
{
    QTableWidget *files = ui->tableWidget;
    files->setItem(row, statusColumn, statusItem(QString()));
    auto *finished = new QLabel;
    finished->setPixmap(QPixmap(u"skin/black/Btn/status_finished.png"_s));
    finished->setAlignment(Qt::AlignCenter);
    finished->setCursor(Qt::PointingHandCursor);
    finished->setToolTip(QDir::toNativeSeparators(outputFolders.value(row)));
    files->setCellWidget(row, statusColumn, finished);
}

void MainWindow::setStatusFailed(int row, const QString &reason)
{
    QTableWidget *files = ui->tableWidget;
    files->removeCellWidget(row, statusColumn);
    QTableWidgetItem *failed = statusItem(QString());
    failed->setIcon(QIcon(u"styles/Btn/status_err.png"_s));
    failed->setToolTip(reason);
    files->setItem(row, statusColumn, failed);
}

void MainWindow::redFromStdOut()
{
    // Keep a few characters of the previous read: a marker may be split between two reads.
    rendererOutput = rendererOutput.right(pageMarker.size() - 1) +
                     QString::fromLocal8Bit(renderProcess.readAllStandardOutput());
    const int markers = int(rendererOutput.count(pageMarker));
    if (markers == 0)
        return;
    rendererOutput = rendererOutput.mid(rendererOutput.lastIndexOf(pageMarker) + 1);
    pagesDone += markers;
    if (selectedPageTotal > 0) {
        const int percent = int(qint64(pagesDone) * 100 / selectedPageTotal);
        if (percent != 0)
            emit sendValue(qMin(percent, 100));
    }
}

void MainWindow::redFromStdErOut()
{
    rendererErrors += QString::fromLocal8Bit(renderProcess.readAllStandardError());
    rendererErrors = rendererErrors.right(2000);
}

void MainWindow::processFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    if (idle) {
        // Stop was pressed: whatever the renderer managed, the file starts over next time.
        discardInterruptedFile();
        return;
    }
    if (exitStatus == QProcess::CrashExit) {
        setStatusFailed(runIndex, tr("The renderer ended abnormally."));
        MessageBox::warning(this, tr("Error"), tr("<font color=red>P2I程序异常结束.</font>\r\n"));
        ++failedCount;
        if (rowProgressBar)
            rowProgressBar->close();
        pageQueue.clear();
        pagesDone = 0;
        selectedPageTotal = 0;
        tiffMergeList.clear();
        nextFileOrEnd();
        return;
    }

    const QString image = renderJob.outputFolder + u'/' + renderJob.imageName;
    if (exitCode != 0 || !QFileInfo(image).isFile()) {
        const QString detail = lastLine(rendererErrors);
        failCurrentFile(detail.isEmpty()
                            ? tr("The renderer wrote no image for page %1.").arg(renderJob.page)
                            : tr("The renderer wrote no image for page %1: %2")
                                  .arg(renderJob.page)
                                  .arg(detail));
        return;
    }
    if (Formats::indexOf(renderJob.format) == Formats::GIF) {
        QString error;
        if (!GifWriter::convertFile(image, image, &error)) {
            failCurrentFile(
                tr("Page %1 could not be written as GIF: %2").arg(renderJob.page).arg(error));
            return;
        }
    }
    renderedPage();
}

void MainWindow::renderedPage()
{
    pageQueue.removeFirst();
    rendererErrors.clear();
    if (pageQueue.isEmpty()) {
        finishCurrentFile();
        return;
    }
    // Only the page and the image name change; the source and the folder stay as they are.
    renderJob.page = pageQueue.first();
    ++imageNumber;
    renderJob.imageName = RenderJob::imageFileName(namingPrefix, imageNumber, renderJob.format);
    if (!tiffMergeList.isEmpty())
        tiffMergeList.append(currentOutputFolder + u'/' + renderJob.imageName);
    startRender();
}

void MainWindow::failCurrentFile(const QString &reason)
{
    setStatusFailed(runIndex, reason);
    ++failedCount;
    pageQueue.clear();
    pagesDone = 0;
    selectedPageTotal = 0;
    tiffMergeList.clear();
    nextFileOrEnd();
}

void MainWindow::finishCurrentFile()
{
    if (rowProgressBar) {
        rowProgressBar->setValue(100);
        rowProgressBar->close();
    }
    selectedPageTotal = 0;
    pagesDone = 0;
    setStatusFinished(runIndex);

    if (!tiffMergeList.isEmpty()) {
        mergeTarget =
            currentOutputFolder + u'/' + Naming::baseName(fileNames.value(runIndex)) + u".tiff"_s;
        startMerge();
        return;
    }
    if (runIndex < ui->tableWidget->rowCount() - 1)
        ++imageNumber;
    nextFileOrEnd();
}

void MainWindow::discardInterruptedFile()
{
    tiffMergeList.clear();
    // Only the images this run asked for go (with the colour separations the renderer writes
    // beside a TIFF as "<name>(Cyan).tif"), and the folder this run made for them if it is then
    // empty; a folder holding anything else stays.
    for (const QString &image : std::as_const(currentOutputFiles)) {
        QFile::remove(image);
        const QFileInfo info(image);
        const QFileInfoList siblings = info.dir().entryInfoList(QDir::Files | QDir::Hidden);
        for (const QFileInfo &sibling : siblings) {
            if (sibling.fileName().startsWith(info.fileName() + u'(') &&
                sibling.fileName().endsWith(u").tif"))
                QFile::remove(sibling.absoluteFilePath());
        }
    }
    if (!currentOutputFolder.isEmpty())
        QDir().rmdir(currentOutputFolder);
    currentOutputFolder.clear();
    currentOutputFiles.clear();

    if (rowProgressBar)
        rowProgressBar->close();
    pagesDone = 0;
    selectedPageTotal = 0;
    pageQueue.clear();
    if (runIndex < ui->tableWidget->rowCount()) {
        setStatusReady(runIndex);
        if (runIndex < outputFolders.size())
            outputFolders[runIndex].clear();
    }
    idle = true;
    ui->formatCombo->setEnabled(true);
}

void MainWindow::endRun(bool merged)
{
    tiffMergeList.clear();
    ui->stratBtn->setChecked(false);
    if (merged) {
        emit changefileNum(runFileCount, failedCount);
        showMessage();
    }
    setControlsLocked(false);
    runIndex = ui->tableWidget->rowCount();
    idle = true;
    alreadyConverted = true;

    if (configDialog.postTaskEnabled) {
        AppSettings settings;
        int action = settings.integer(u"changeOver"_s);
        if (action < 0 || action > 3) {
            // A hand-edited value: shown as "Show Information" from now on.
            settings.setValue(u"changeOver"_s, 0);
            action = 0;
        }
        if (action == 0 && !merged) {
            emit changefileNum(runFileCount, failedCount);
            showMessage();
        } else if (action != 0) {
            startCountdown(action);
        }
    }
    failedCount = 0;
    runFileCount = 0;
}
