// Room on the disk: a run whose images would not fit asks before it starts.
#include "gui/mainwindow/mainwindow.h"

#include "core/engine/diskspace.h"
#include "gui/widgets/messagebox.h"

#include <QDir>

bool MainWindow::roomForRun(const QList<ConversionJob> &jobs)
{
    QList<std::pair<QString, qint64>> needs;
    for (const ConversionJob &job : jobs)
        needs.append({job.parentFolder, DiskSpace::jobBytes(job, pageBoxes.value(job.row))});
    const QList<DiskSpace::Volume> volumes = DiskSpace::volumes(needs);

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
