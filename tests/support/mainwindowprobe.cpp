#include "mainwindowprobe.h"

#include <QAction>

using namespace Qt::Literals::StringLiterals;

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

void MainWindowProbe::appendRows(const QString &path, int count)
{
    for (int row = 0; row < count; ++row) {
        w.pageCounts.append(u"1"_s);
        w.filePaths.append(path);
        w.insertFileRow({path}, w.pageCounts.last(), u"1 KB"_s, false);
    }
}
