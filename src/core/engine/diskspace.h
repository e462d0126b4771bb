#pragma once

#include "core/engine/conversionjob.h"
#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>

// How much room the images of a run take, and whether the disks have it. Sizes are exact for
// BMP and an upper bound for every other format, so a run that fits never fills a disk.
namespace DiskSpace {

// The pixels of a page at a resolution, as the renderer rounds them; a page turned by 90 or 270
// degrees swaps width and height. A side beyond what an int holds is the largest int.
QSize pixelSize(const QSizeF &points, int rotation, int resolution);
// The same at a resolution of the image across and down, a page's own (RenderJob::pageDpi).
QSize pixelSize(const QSizeF &points, int rotation, const QPointF &dpi);

// The bytes of one image the renderer device writes at that size; sizes no disk holds are the
// largest qint64. So are sums of them: sizes never overflow.
qint64 imageBytes(const QString &device, const QSize &pixels);

// a + b, or the largest qint64 where that would overflow.
qint64 sum(qint64 a, qint64 b);

// Every image of the job, a joined TIFF beside its pages while it is written included; -1 when
// the page boxes do not cover the selected pages. With the bytes a pixel measured for its format
// (EncodedSample), an image takes at most twice those, never more than the encoder's worst case.
qint64 jobBytes(const ConversionJob &job, const QList<PdfInfo::PageBox> &boxes,
                double bytesPerPixel = 0);

// The bytes an unprivileged user may still write where path lies (its nearest existing folder).
qint64 available(const QString &path);
// Tests pretend a disk is fuller than it is; an empty function gives the real figures back.
void setAvailableForTests(std::function<qint64(const QString &)> probe);

struct Volume
{
    QString root; // where the file system is mounted
    qint64 needed = 0;
    qint64 available = 0;
};
// The needs (folder, bytes) added up per file system, in the order the file systems first come.
QList<Volume> volumes(const QList<std::pair<QString, qint64>> &needs);

// The room of a batch whose files each fail alone when they cannot fit.
struct Room
{
    QList<Volume> volumes; // the needs that fit alone, added up per file system
    QList<int> volumeOf;   // for each need, its file system in volumes
    QList<bool> tooLarge;  // for each need, whether it alone needs more than its file system has

    // Whether the needs that fit alone fit together.
    bool fits() const;
};
Room room(const QList<std::pair<QString, qint64>> &needs);

} // namespace DiskSpace
