#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// Rendered pages the program encodes itself (GIF, from the renderer's raw pixels), encoded off the
// GUI thread, several at once: as many as the machine has cores, whichever files they come from.
class EncodeStage final : public QObject
{
    Q_OBJECT

public:
    struct Page
    {
        int index = -1;     // the caller's, handed back by encoded()
        int source = -1;    // the open raw page; the stage closes it
        int target = -1;    // the open, empty target; the stage closes it
        QString sourceName; // both for messages
        QString targetName;
    };

    explicit EncodeStage(QObject *parent = nullptr);
    ~EncodeStage() override;
    Q_DISABLE_COPY_MOVE(EncodeStage)

    // Whether another page can start now.
    bool hasRoom() const;
    bool idle() const { return underWay.empty(); }
    int pagesUnderWay() const { return int(underWay.size()); }
    void start(const Page &page);
    // Every page under way gives up; returns once none runs. No encoded() follows, and the
    // targets are left as they are for the caller to remove.
    void cancel();

    static int pagesAtOnce();
    // Reads the raw page and encodes it into the empty target, on the calling thread; leaves
    // both open. Empty when the target is complete, else why not.
    static QString encode(const Page &page, const std::atomic_bool *cancel = nullptr);

signals:
    // error is empty when the target is complete.
    void encoded(int index, const QString &error);

private:
    std::atomic_bool cancelled{false};
    std::vector<std::unique_ptr<QFutureWatcher<QString>>> underWay;
};
