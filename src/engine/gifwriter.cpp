#include "gifwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

#include <gif_lib.h>
#include <libimagequant.h>

#include <memory>
#include <vector>

namespace {

// 1 is slowest and best, 10 fastest. Up to 7 the palette keeps exact colours; beyond, it drops
// their lowest bit. On a 2500 x 3500 page the time goes mostly into dithering, so 6 costs
// hardly more than 7.
constexpr int quantizationSpeed = 6;
constexpr int gifMaxSide = 0xFFFF;

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
    if (error) {
        *error = text;
    }
    return false;
}

QImage opaqueRgba(const QImage &image)
{
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGBA8888);
    }
    QImage flat(image.size(), QImage::Format_RGBA8888);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

bool quantize(const QImage &image, Indexed *indexed, QString *error)
{
    const QImage rgba = opaqueRgba(image);
    const int width = rgba.width();
    const int height = rgba.height();

    std::unique_ptr<liq_attr, LiqAttrDeleter> attr(liq_attr_create());
    if (!attr) {
        return fail(error,
                    QCoreApplication::translate(
                        "GifWriter", "Not enough memory to reduce the colours of the image."));
    }
    liq_set_speed(attr.get(), quantizationSpeed);

    std::vector<void *> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        // liq only reads the rows; its C interface lacks the const.
        rows[static_cast<size_t>(y)] = const_cast<uchar *>(rgba.constScanLine(y));
    }
    std::unique_ptr<liq_image, LiqImageDeleter> input(
        liq_image_create_rgba_rows(attr.get(), rows.data(), width, height, 0));
    if (!input) {
        return fail(error,
                    QCoreApplication::translate(
                        "GifWriter", "The image could not be prepared for the colour reduction."));
    }

    liq_result *rawResult = nullptr;
    liq_error status = liq_image_quantize(input.get(), attr.get(), &rawResult);
    std::unique_ptr<liq_result, LiqResultDeleter> result(rawResult);
    if (status == LIQ_OK) {
        status = liq_set_dithering_level(result.get(), 1.0f);
    }
    if (status == LIQ_OK) {
        indexed->pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        status = liq_write_remapped_image(result.get(), input.get(), indexed->pixels.data(),
                                          indexed->pixels.size());
    }
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
    // giflib only takes colour tables whose size is a power of two, at least 2.
    size_t tableSize = 2;
    while (tableSize < indexed->palette.size()) {
        tableSize *= 2;
    }
    indexed->palette.resize(tableSize, GifColorType{0, 0, 0});
    return true;
}

int writeToDevice(GifFileType *gif, const GifByteType *data, int length)
{
    auto *device = static_cast<QSaveFile *>(gif->UserData);
    return static_cast<int>(device->write(reinterpret_cast<const char *>(data), length));
}

QString gifError(int code)
{
    const char *text = GifErrorString(code);
    return QCoreApplication::translate("GifWriter", "Writing the GIF data failed: %1")
        .arg(text ? QString::fromUtf8(text) : QString::number(code));
}

bool encode(const Indexed &indexed, int width, int height, QSaveFile *file, QString *error)
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

} // namespace

namespace GifWriter {

bool write(const QImage &image, const QString &path, QString *error)
{
    if (image.isNull()) {
        return fail(error,
                    QCoreApplication::translate("GifWriter", "There is no image to write to %1.")
                        .arg(QDir::toNativeSeparators(path)));
    }
    if (image.width() > gifMaxSide || image.height() > gifMaxSide) {
        return fail(error, QCoreApplication::translate(
                               "GifWriter",
                               "The image is %1 x %2 pixels; a GIF file holds at most %3 x %3.")
                               .arg(image.width())
                               .arg(image.height())
                               .arg(gifMaxSide));
    }

    Indexed indexed;
    if (!quantize(image, &indexed, error)) {
        return false;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(error, QCoreApplication::translate("GifWriter", "Cannot write %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    if (!encode(indexed, image.width(), image.height(), &file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        return fail(error, QCoreApplication::translate("GifWriter", "Cannot write %1: %2")
                               .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return true;
}

bool convertFile(const QString &sourceImage, const QString &gifPath, QString *error)
{
    QImage image;
    {
        QImageReader reader(sourceImage);
        // The renderer writes PNG data under a ".gif" name.
        reader.setDecideFormatFromContent(true);
        // Pages at high resolutions exceed Qt's default limit; the GIF size limit is checked
        // before encoding.
        reader.setAllocationLimit(0);
        image = reader.read();
        if (image.isNull()) {
            return fail(error,
                        QCoreApplication::translate("GifWriter", "Cannot read the image %1: %2")
                            .arg(QDir::toNativeSeparators(sourceImage), reader.errorString()));
        }
    }
    return write(image, gifPath, error);
}

} // namespace GifWriter
