// Joining a file's TIFF pages into one multi-page TIFF with tiffcp.
#include "app/mainwindow.h"

#include "app/tools.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// tiffcp writes here first: the merged file may carry the name of one of its own pages.
QString partialFile(const QString &target)
{
    return target + u".part"_s;
}

} // namespace

void MainWindow::startMerge()
{
    const QString merger = Tools::locate(u"tiffcp.exe "_s);
    QFile::remove(partialFile(mergeTarget));
    if (merger.isEmpty()) {
        mergerProcessFinished(-1, QProcess::CrashExit);
        return;
    }
    mergeProcess.start(merger, QStringList(tiffMergeList) << partialFile(mergeTarget),
                       QIODevice::ReadWrite);
}

// The program is ending: the page files stay, only the half-joined file goes.
void MainWindow::abandonMerge()
{
    if (mergeProcess.state() == QProcess::NotRunning)
        return;
    mergeProcess.kill();
    mergeProcess.waitForFinished(3000);
    QFile::remove(partialFile(mergeTarget));
}

void MainWindow::redMergerFromStdErOut()
{
    mergeProcess.readAllStandardError();
}

void MainWindow::mergerProcessFinished(int exitCode, QProcess::ExitStatus exitStatus)
{
    const QString partial = partialFile(mergeTarget);
    bool merged =
        exitStatus == QProcess::NormalExit && exitCode == 0 && QFileInfo(partial).size() > 0;
    if (merged) {
        for (const QString &page : std::as_const(tiffMergeList))
            QFile::remove(page);
        merged = QFile::rename(partial, mergeTarget);
    }
    if (!merged) {
        // The pages stay: nothing the renderer produced is lost.
        QFile::remove(partial);
        setStatusFailed(runIndex, tr("The pages could not be joined into one TIFF file; the "
                                     "page files were kept."));
        ++failedCount;
    }
    tiffMergeList.clear();

    if (idle) {
        // Stop was pressed while the pages were being joined: the file is done, the run stops.
        ++runIndex;
        alreadyConverted = runIndex >= ui->tableWidget->rowCount();
        return;
    }
    if (runIndex < ui->tableWidget->rowCount() - 1)
        nextFileOrEnd();
    else
        endRun(true);
}
