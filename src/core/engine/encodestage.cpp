#include "core/engine/encodestage.h"

#include "core/engine/gifwriter.h"
#include "core/engine/rawimage.h"

#include <QThread>
#include <QtConcurrent>

#include <algorithm>

#include <unistd.h>

EncodeStage::EncodeStage(QObject *parent)
    : QObject(parent)
{}

EncodeStage::~EncodeStage()
{
    cancel();
}

int EncodeStage::pagesAtOnce()
{
    return qMax(1, QThread::idealThreadCount());
}

bool EncodeStage::hasRoom() const
{
    return !cancelled && int(underWay.size()) < pagesAtOnce();
}

void EncodeStage::start(const Page &page)
{
    auto watcher = std::make_unique<QFutureWatcher<QString>>();
    QFutureWatcher<QString> *running = watcher.get();
    connect(running, &QFutureWatcher<QString>::finished, this, [this, running, index = page.index] {
        const auto at = std::find_if(underWay.begin(), underWay.end(),
                                     [running](const auto &each) { return each.get() == running; });
        if (at == underWay.end())
            return;
        const QString error = running->result();
        at->release()->deleteLater();
        underWay.erase(at);
        if (!cancelled)
            emit encoded(index, error);
    });
    const std::atomic_bool *cancel = &cancelled;
    running->setFuture(QtConcurrent::run([page, cancel] {
        const QString error = encode(page, cancel);
        ::close(page.source);
        ::close(page.target);
        return error;
    }));
    underWay.push_back(std::move(watcher));
}

QString EncodeStage::encode(const Page &page, const std::atomic_bool *cancel)
{
    QString error;
    // Each encoding thread reads into the memory of its last page.
    thread_local RawImage image;
    const bool ok = RawImage::read(page.source, page.sourceName, &image, &error) &&
                    GifWriter::write(image, page.target, page.targetName, &error, cancel);
    if (image.pixels.capacity() > RawImage::keptBytes)
        std::vector<unsigned char>().swap(image.pixels);
    return ok ? QString() : error;
}

void EncodeStage::cancel()
{
    cancelled = true;
    for (const auto &watcher : underWay)
        watcher->waitForFinished();
    underWay.clear();
}
