#include "core/engine/diskspace.h"

#include "core/engine/encodedsample.h"
#include "core/engine/encodestage.h"
#include "core/engine/ghostscript.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <QtNumeric>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace {

std::function<qint64(const QString &)> availableOverride;

// Room for headers, directories and colour tables beside the pixels.
constexpr qint64 headerRoom = 4096;
// A measured page stands for pages it was not: twice its bytes a pixel.
constexpr double sampleMargin = 2.0;

constexpr qint64 unbounded = std::numeric_limits<qint64>::max();
// Below this many pixels no estimate overflows; an image this large fits on no disk anyway.
constexpr double largestArea = double(qint64(1) << 58);

qint64 bmpBytes(qint64 width, qint64 height, int bits, int paletteEntries, int images = 1)
{
    return images * (14 + 40 + 4 * paletteEntries + (width * bits + 31) / 32 * 4 * height);
}

// Run-length coding can at worst double a byte; lines are padded to an even length.
qint64 pcxBound(qint64 width, qint64 height, int bits, int planes, bool palette)
{
    const qint64 line = (width * bits + 15) / 16 * 2;
    return 128 + 2 * planes * line * height + (palette ? 769 : 0);
}

QString nearestExistingFolder(QString path)
{
    while (!path.isEmpty() && !QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            break;
        path = parent;
    }
    return path;
}

} // namespace

namespace DiskSpace {

qint64 sum(qint64 a, qint64 b)
{
    qint64 result = 0;
    return qAddOverflow(a, b, &result) ? unbounded : result;
}

QSize pixelSize(const QSizeF &points, int rotation, int resolution)
{
    return pixelSize(points, rotation, QPointF(resolution, resolution));
}

QSize pixelSize(const QSizeF &points, int rotation, const QPointF &dpi)
{
    const auto pixels = [](double length, double resolution) {
        const double rounded = std::floor(length * resolution / 72.0 + 0.5);
        if (!(rounded > 0))
            return 0;
        return rounded >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                          : int(rounded);
    };
    const bool turned = rotation % 180 != 0;
    const QSizeF upright = turned ? points.transposed() : points;
    return {pixels(upright.width(), dpi.x()), pixels(upright.height(), dpi.y())};
}

qint64 imageBytes(const QString &device, const QSize &pixels)
{
    const qint64 w = pixels.width();
    const qint64 h = pixels.height();
    if (double(w) * double(h) > largestArea)
        return unbounded;
    const qint64 area = w * h;
    const qint64 bitonal = (w + 7) / 8 * h;
    // BMP, exactly: header, colour table, lines padded to 4 bytes; the separations write four.
    if (device == u"bmp16m")
        return bmpBytes(w, h, 24, 0);
    if (device == u"bmp32b")
        return bmpBytes(w, h, 32, 0);
    if (device == u"bmp256" || device == u"bmpgray")
        return bmpBytes(w, h, 8, 256);
    if (device == u"bmp16")
        return bmpBytes(w, h, 4, 16);
    if (device == u"bmpmono")
        return bmpBytes(w, h, 1, 2);
    if (device == u"bmpsep1")
        return bmpBytes(w, h, 1, 2, 4);
    if (device == u"bmpsep8")
        return bmpBytes(w, h, 8, 256, 4);
    if (device == u"pcx24b")
        return pcxBound(w, h, 8, 3, false);
    if (device == u"pcx256" || device == u"pcxgray")
        return pcxBound(w, h, 8, 1, true);
    if (device == u"pcx16")
        return pcxBound(w, h, 1, 4, false);
    if (device == u"pcxmono")
        return pcxBound(w, h, 1, 1, false);
    if (device == u"pcxcmyk")
        return pcxBound(w, h, 4, 1, false);
    // The raw pixels the program encodes, behind a header of a few dozen bytes.
    if (device == u"ppmraw" || device == u"pgmraw")
        return area * (device == u"ppmraw" ? 3 : 1) + headerRoom;
    // Deflate adds at most a few bytes a block; each line carries a filter byte.
    if (device == u"png16m" || device == u"pnggray") {
        const qint64 raw = h * (1 + w * (device == u"png16m" ? 3 : 1));
        return raw + raw / 256 + headerRoom;
    }
    // At the highest quality even pure noise stays well below the uncompressed size.
    if (device == u"jpeg")
        return 3 * area + 16 * headerRoom;
    // Uncompressed TIFF and PSD: the pixels, and the strip tables.
    if (device == u"tiff24nc" || device == u"psdrgb")
        return 3 * area + 16 * h + headerRoom;
    if (device == u"tiff32nc" || device == u"psdcmyk")
        return 4 * area + 16 * h + headerRoom;
    if (device == u"tiff12nc")
        return (w * 12 + 7) / 8 * h + 16 * h + headerRoom;
    if (device == u"tiffgray")
        return area + 16 * h + headerRoom;
    // LZW codes are at most 12 bits and stand for at least one byte. The separated TIFF writes a
    // CMYK composite and four 8-bit separations.
    if (device == u"tiffsep")
        return 3 * (4 + 4) * area / 2 + 5 * (16 * h + headerRoom);
    if (device == u"tifflzw")
        return 3 * bitonal / 2 + 16 * h + headerRoom;
    if (device == u"tiffpack")
        return bitonal + bitonal / 128 + 17 * h + headerRoom;
    // Fax codes take at most 7 bits for a change of colour, which needs at least one pixel.
    if (device == u"tiffcrle" || device == u"tiffg3" || device == u"tiffg32d" ||
        device == u"tiffg4")
        return 8 * bitonal + 20 * h + headerRoom;
    // Anything else the renderer might write: four bytes a pixel.
    return 4 * area + headerRoom;
}

qint64 jobBytes(const ConversionJob &job, const QList<PdfInfo::PageBox> &boxes,
                double bytesPerPixel)
{
    const RenderJob render = RenderJob::of(job);
    const QString device = render.device();
    const bool sampled = bytesPerPixel > 0 && EncodedSample::measured(job.format);
    qint64 bytes = 0;
    qint64 largest = 0;
    for (const int page : job.pages) {
        if (page < 1 || page > boxes.size())
            return -1;
        const PdfInfo::PageBox &box = boxes.at(page - 1);
        const QSize pixels =
            pixelSize(box.points, box.rotation,
                      job.pageDpi.value(page, QPointF(render.resolution(), render.resolution())));
        const qint64 rendered = imageBytes(device, pixels);
        // A GIF page: LZW codes of at most 12 bits for at least one pixel each.
        qint64 image = !render.encodedByProgram() ? rendered
                       : rendered == unbounded
                           ? unbounded
                           : 3 * qint64(pixels.width()) * pixels.height() / 2 + headerRoom;
        if (sampled && image != unbounded) {
            const double area = double(pixels.width()) * pixels.height();
            image =
                qMin(image, qint64(std::ceil(sampleMargin * bytesPerPixel * area)) + headerRoom);
        }
        bytes = sum(bytes, image);
        largest = qMax(largest, rendered);
    }
    if (job.merge)
        return sum(bytes, bytes); // the joined file is written before its pages go
    // An encoded page comes from raw pixels, which go once it is done: those under way and the
    // next one rendered are on the disk beside the images.
    if (!render.encodedByProgram())
        return bytes;
    for (int raw = 0; raw <= EncodeStage::pagesAtOnce(); ++raw)
        bytes = sum(bytes, largest);
    return bytes;
}

qint64 available(const QString &path)
{
    const QString folder = nearestExistingFolder(path);
    if (availableOverride)
        return availableOverride(folder);
    return QStorageInfo(folder).bytesAvailable();
}

void setAvailableForTests(std::function<qint64(const QString &)> probe)
{
    availableOverride = std::move(probe);
}

namespace {

// The file systems of the needs, in the order they first come, with nothing needed yet.
Room grouped(const QList<std::pair<QString, qint64>> &needs)
{
    Room room;
    for (const auto &need : needs) {
        const QString folder = nearestExistingFolder(need.first);
        const QString root = QStorageInfo(folder).rootPath();
        const auto known =
            std::find_if(room.volumes.cbegin(), room.volumes.cend(),
                         [&root](const Volume &volume) { return volume.root == root; });
        const qsizetype index = known - room.volumes.cbegin();
        if (index == room.volumes.size())
            room.volumes.append({root, 0, available(folder)});
        room.volumeOf << int(index);
    }
    return room;
}

} // namespace

QList<Volume> volumes(const QList<std::pair<QString, qint64>> &needs)
{
    Room room = grouped(needs);
    for (qsizetype need = 0; need < needs.size(); ++need) {
        Volume &volume = room.volumes[room.volumeOf.at(need)];
        volume.needed = sum(volume.needed, qMax<qint64>(0, needs.at(need).second));
    }
    return room.volumes;
}

Room room(const QList<std::pair<QString, qint64>> &needs)
{
    Room room = grouped(needs);
    for (qsizetype need = 0; need < needs.size(); ++need) {
        Volume &volume = room.volumes[room.volumeOf.at(need)];
        const qint64 bytes = qMax<qint64>(0, needs.at(need).second);
        room.tooLarge << (bytes > volume.available);
        if (!room.tooLarge.constLast())
            volume.needed = sum(volume.needed, bytes);
    }
    return room;
}

bool Room::fits() const
{
    return std::all_of(volumes.cbegin(), volumes.cend(),
                       [](const Volume &volume) { return volume.needed <= volume.available; });
}

} // namespace DiskSpace
