#include "mainwindowprobe.h"

#include <QAction>

QAction *MainWindowProbe::action(const QString &text) const
{
    const QList<QAction *> actions = w.findChildren<QAction *>();
    for (QAction *candidate : actions) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

void MainWindowProbe::add(const QStringList &paths)
{
    w.batchTotal = int(paths.size());
    for (const QString &path : paths)
        w.announceAndProbe(path);
    w.finishBatch();
}
