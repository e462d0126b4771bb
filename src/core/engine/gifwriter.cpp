#include "core/engine/gifwriter.h"

#include "core/engine/rawimage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <gif_lib.h>
#include <libimagequant.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unistd.h>

namespace {

// 1 is slowest and best, 10 fastest. Up to 7 the palette keeps exact colours; beyond, it drops
// their lowest bit. On a 2500 x 3500 page the time goes mostly into dithering, so 6 costs
// hardly more than 7.
constexpr int quantizationSpeed = 6;
constexpr int gifMaxSide = 0xFFFF;
// The page is decoded whole and reduced in memory, several bytes a pixel: a page with more pixels
// than this fails instead of exhausting the machine's memory.
constexpr qint64 gifMaxPixels = qint64(1) << 28;

struct LiqAttrDeleter
{
    void operator()(liq_attr *attr) const { liq_attr_destroy(attr); }
};
struct LiqImageDeleter
{
    void operator()(liq_image *image) const { liq_image_destroy(image); }
};
struct LiqResultDeleter
{
    void operator()(liq_result *result) const { liq_result_destroy(result); }
};

struct Indexed
{
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels;
};

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// libimagequant asks now and then whether to go on.
int keepGoing(float, void *cancel)
{
    return static_cast<const std::atomic_bool *>(cancel)->load() ? 0 : 1;
}

// Paper is white: a transparent pixel shows white through it.
std::vector<unsigned char> opaque(const GifWriter::Rgba &image)
{
    std::vector<unsigned char> flat(image.pixels);
    for (size_t at = 0; at + 3 < flat.size(); at += 4) {
        const unsigned alpha = flat[at + 3];
        if (alpha == 255)
            continue;
        for (size_t c = 0; c < 3; ++c)
            flat[at + c] = static_cast<unsigned char>(
                (flat[at + c] * alpha + 255 * (255 - alpha) + 127) / 255);
        flat[at + 3] = 255;
    }
    return flat;
}

// giflib only takes colour tables whose size is a power of two, at least 2.
void padPalette(Indexed *indexed)
{
    size_t tableSize = 2;
    while (tableSize < indexed->palette.size())
        tableSize *= 2;
    indexed->palette.resize(tableSize, GifColorType{0, 0, 0});
}

// A page of at most 256 colours, as pages of text and drawings mostly are, keeps them exactly at
// a small part of the colour reduction's time; false for more colours.
bool exactColours(const std::vector<unsigned char> &rgba, Indexed *indexed)
{
    constexpr size_t tableSlots = 1024; // four times the colours kept: short probes
    constexpr quint32 emptySlot = 0xFFFFFFFF;
    std::vector<quint32> keys(tableSlots, emptySlot);
    std::vector<GifByteType> entries(tableSlots);
    const size_t count = rgba.size() / 4;
    indexed->palette.clear();
    indexed->pixels.resize(count);
    quint32 last = emptySlot;
    GifByteType lastEntry = 0;
    for (size_t at = 0; at < count; ++at) {
        const unsigned char *pixel = rgba.data() + at * 4;
        const quint32 key = quint32(pixel[0]) << 16 | quint32(pixel[1]) << 8 | pixel[2];
        if (key != last) {
            size_t slot = (key * 2654435761U) % tableSlots;
            while (keys[slot] != emptySlot && keys[slot] != key)
                slot = (slot + 1) % tableSlots;
            if (keys[slot] == emptySlot) {
                if (indexed->palette.size() == 256) {
                    indexed->palette.clear();
                    return false;
                }
                keys[slot] = key;
                entries[slot] = GifByteType(indexed->palette.size());
                indexed->palette.push_back({pixel[0], pixel[1], pixel[2]});
            }
            last = key;
            lastEntry = entries[slot];
        }
        indexed->pixels[at] = lastEntry;
    }
    padPalette(indexed);
    return true;
}

// rgba: the opaque pixels.
bool quantize(std::vector<unsigned char> rgba, int width, int height, Indexed *indexed,
              QString *error, const std::atomic_bool *cancel)
{
    if (exactColours(rgba, indexed))
        return true;
    std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (!attr)
        return fail(error,
                    QCoreApplication::translate(
                        "GifWriter", "Not enough memory to reduce the colours of the image."));
    liq_set_speed(attr.get(), quantizationSpeed);
    if (cancel)
        liq_attr_set_progress_callback(attr.get(), keepGoing,
                                       const_cast<std::atomic_bool *>(cancel));

    std::vector<void *> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<size_t>(y)] = rgba.data() + size_t(y) * size_t(width) * 4;
    std::unique_ptr<liq_image, LiqImageDeleter> input(
        liq_image_create_rgba_rows(attr.get(), rows.data(), width, height, 0));
    if (!input)
        return fail(error,
                    QCoreApplication::translate(
                        "GifWriter", "The image could not be prepared for the colour reduction."));

    liq_result *rawResult = nullptr;
    liq_error status = liq_image_quantize(input.get(), attr.get(), &rawResult);
    std::unique_ptr<liq_result, LiqResultDeleter> result(rawResult);
    if (status == LIQ_OK && cancel)
        liq_result_set_progress_callback(result.get(), keepGoing,
                                         const_cast<std::atomic_bool *>(cancel));
    if (status == LIQ_OK)
        status = liq_set_dithering_level(result.get(), 1.0f);
    if (status == LIQ_OK) {
        indexed->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        status = liq_write_remapped_image(result.get(), input.get(), indexed->pixels.data(),
                                          indexed->pixels.size());
    }
    if (cancel && cancel->load())
        return fail(error,
                    QCoreApplication::translate("GifWriter", "The GIF encoding was cancelled."));
    if (status != LIQ_OK) {
        return fail(error,
                    QCoreApplication::translate(
                        "GifWriter", "The colours of the image could not be reduced to a palette "
                                     "(libimagequant error %1).")
                        .arg(static_cast<int>(status)));
    }

    // The palette is final only after remapping.
    const liq_palette *palette = liq_get_palette(result.get());
    for (unsigned int i = 0; i < palette->count; ++i) {
        const liq_color &c = palette->entries[i];
        indexed->palette.push_back({c.r, c.g, c.b});
    }
    padPalette(indexed);
    return true;
}

int writeToDevice(GifFileType *gif, const GifByteType *data, int length)
{
    auto *device = static_cast<QIODevice *>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char *>(data), length));
}

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return QCoreApplication::translate("GifWriter", "Writing the GIF data failed: %1")
        .arg(text ? QString::fromUtf8(text) : QString::number(code));
}

bool encode(const Indexed &indexed, int width, int height, QIODevice *file, QString *error)
{
    int status = E_GIF_SUCCEEDED;
    GifFileType *gif = EGifOpen(file, writeToDevice, &status);
    if (!gif) {
        return fail(error, gifError(status));
    }
    EGifSetGifVersion(gif, true);

    ColorMapObject *colorMap =
        GifMakeMapObject(static_cast<int>(indexed.palette.size()), indexed.palette.data());
    bool ok = colorMap && EGifPutScreenDesc(gif, width, height, 8, 0, colorMap) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < height; ++y) {
        auto *row = const_cast<GifPixelType *>(indexed.pixels.data()) +
                    static_cast<size_t>(y) * static_cast<size_t>(width);
        ok = EGifPutLine(gif, row, width) == GIF_OK;
    }
    const int writeError = colorMap ? gif->Error : E_GIF_ERR_NOT_ENOUGH_MEM;
    GifFreeMapObject(colorMap);

    // Closing writes the trailer and frees the handle whether or not it succeeds.
    int closeError = E_GIF_SUCCEEDED;
    const bool closed = EGifCloseFile(gif, &closeError) == GIF_OK;
    if (!ok) {
        return fail(error, gifError(writeError));
    }
    if (!closed) {
        return fail(error, gifError(closeError));
    }
    return true;
}

bool tooLarge(int width, int height, QString *error)
{
    if (width > gifMaxSide || height > gifMaxSide)
        return !fail(error, QCoreApplication::translate(
                                "GifWriter",
                                "The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.")
                                .arg(width)
                                .arg(height)
                                .arg(gifMaxSide));
    if (qint64(width) * height > gifMaxPixels)
        return !fail(error, QCoreApplication::translate("GifWriter",
                                                        "The image is %1 x %2 pixels; more than "
                                                        "%3 million pixels cannot be made a GIF.")
                                .arg(width)
                                .arg(height)
                                .arg(gifMaxPixels / 1000000));
    return false;
}

// A rendered page's pixels as opaque RGBA.
std::vector<unsigned char> rgbaOf(const RawImage &image)
{
    const size_t count = size_t(image.width) * size_t(image.height);
    std::vector<unsigned char> rgba(count * 4, 255);
    const unsigned char *from = image.pixels.data();
    for (size_t at = 0; at < count; ++at) {
        for (int c = 0; c < 3; ++c)
            rgba[at * 4 + size_t(c)] = from[image.channels == 3 ? c : 0];
        from += image.channels;
    }
    return rgba;
}

bool cannotWrite(const QString &path, const QString &why, QString *error)
{
    return fail(error, QCoreApplication::translate("GifWriter", "Cannot write %1: %2")
                           .arg(QDir::toNativeSeparators(path), why));
}

bool noImage(const QString &path, QString *error)
{
    return fail(error, QCoreApplication::translate("GifWriter", "There is no image to write to %1.")
                           .arg(QDir::toNativeSeparators(path)));
}

// Checks and reduces the image; the caller writes it.
bool prepare(const GifWriter::Rgba &image, const QString &path, Indexed *indexed, QString *error,
             const std::atomic_bool *cancel)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * 4)
        return noImage(path, error);
    return !tooLarge(image.width, image.height, error) &&
           quantize(opaque(image), image.width, image.height, indexed, error, cancel);
}

bool prepare(const RawImage &image, const QString &path, Indexed *indexed, QString *error,
             const std::atomic_bool *cancel)
{
    if (image.width <= 0 || image.height <= 0 || (image.channels != 1 && image.channels != 3) ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.channels))
        return noImage(path, error);
    return !tooLarge(image.width, image.height, error) &&
           quantize(rgbaOf(image), image.width, image.height, indexed, error, cancel);
}

} // namespace

namespace GifWriter {

bool write(const Rgba &image, const QString &path, QString *error, const std::atomic_bool *cancel)
{
    Indexed indexed;
    if (!prepare(image, path, &indexed, error, cancel))
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return cannotWrite(path, file.errorString(), error);
    }
    if (!encode(indexed, image.width, image.height, &file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        return cannotWrite(path, file.errorString(), error);
    }
    return true;
}

bool convertFile(const QString &rawPath, const QString &gifPath, QString *error,
                 const std::atomic_bool *cancel)
{
    QFile source(rawPath);
    if (!source.open(QIODevice::ReadOnly))
        return fail(error, QCoreApplication::translate("GifWriter", "Cannot read the image %1: %2")
                               .arg(QDir::toNativeSeparators(rawPath), source.errorString()));
    RawImage image;
    Indexed indexed;
    if (!RawImage::read(source.handle(), rawPath, &image, error) ||
        !prepare(image, gifPath, &indexed, error, cancel))
        return false;
    QSaveFile file(gifPath);
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite(gifPath, file.errorString(), error);
    if (!encode(indexed, image.width, image.height, &file, error)) {
        file.cancelWriting();
        return false;
    }
    return file.commit() || cannotWrite(gifPath, file.errorString(), error);
}

bool write(const RawImage &image, int gifFd, const QString &gifName, QString *error,
           const std::atomic_bool *cancel)
{
    Indexed indexed;
    if (!prepare(image, gifName, &indexed, error, cancel))
        return false;
    QFile file;
    if (!file.open(gifFd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return cannotWrite(gifName, file.errorString(), error);
    if (!encode(indexed, image.width, image.height, &file, error))
        return false;
    return file.flush() || cannotWrite(gifName, file.errorString(), error);
}

} // namespace GifWriter
