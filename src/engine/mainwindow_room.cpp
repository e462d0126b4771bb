// Room on the disk: each file's page boxes are found in the background once it is listed, and a
// run whose images would not fit asks before it starts.
#include "app/mainwindow.h"

#include "app/messagebox.h"
#include "app/tools.h"
#include "engine/diskspace.h"
#include "filelist/pdfinfocommand.h"

#include <QDir>
#include <QGuiApplication>
#include <QtConcurrent>

void MainWindow::measurePages(int row)
{
    const QString path = filePaths.value(row);
    const QString password = passwordFor(path);
    const int pages = pageCounts.value(row).toInt();
    pageBoxes.append(QtConcurrent::run(&measuring, [path, password, pages] {
        const Tools::Result result = Tools::run(
            PdfInfoCommand::pageBoxes(password, path, pages).command, PdfInfoCommand::timeout());
        return PdfInfo::parsePageBoxes(result.standardOutput);
    }));
}

bool MainWindow::roomForRun(const QList<ConversionJob> &jobs)
{
    QList<std::pair<QString, qint64>> needs;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    for (const ConversionJob &job : jobs) {
        const QFuture<QList<PdfInfo::PageBox>> boxes = pageBoxes.value(job.row);
        if (boxes.isValid())
            needs.append({job.parentFolder, DiskSpace::jobBytes(job, boxes.result())});
    }
    const QList<DiskSpace::Volume> volumes = DiskSpace::volumes(needs);
    QGuiApplication::restoreOverrideCursor();

    QStringList shortages;
    const QLocale locale;
    for (const DiskSpace::Volume &volume : volumes) {
        if (volume.needed > volume.available) {
            shortages << tr("The images need %1 on %2, where %3 is free.")
                             .arg(locale.formattedDataSize(volume.needed),
                                  QDir::toNativeSeparators(volume.root),
                                  locale.formattedDataSize(volume.available));
        }
    }
    if (shortages.isEmpty())
        return true;
    return MessageBox::question(this, tr("Not enough room"),
                                shortages.join(u'\n') + u"\n\n" +
                                    tr("Should the disk fill up, the run stops there; the files "
                                       "converted keep their images."),
                                tr("Convert anyway"), tr("Cancel"));
}
