#pragma once

#include "core/platform/folderevents.h"

#include <QHash>

class QSocketNotifier;

// FolderEvents through Linux inotify.
class InotifyEvents final : public FolderEvents
{
    Q_OBJECT

public:
    explicit InotifyEvents(QObject *parent = nullptr);
    ~InotifyEvents() override;
    Q_DISABLE_COPY_MOVE(InotifyEvents)

    bool watchTree(const QString &root) override;

private:
    // Watches the folder name of the open folder parentFd (name "." for parentFd itself) at path.
    void watchFolder(int parentFd, const QByteArray &name, const QString &path, int depth);
    void readEvents();

    int fd = -1;
    QSocketNotifier *notifier = nullptr;
    QHash<int, QString> folders; // watch descriptor -> path
};
