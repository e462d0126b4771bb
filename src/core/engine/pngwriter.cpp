#include "core/engine/pngwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QScopeGuard>

#include <libdeflate.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

// A row equal to the one above is all zeros under "up", and "up" gets there at a fraction of
// Paeth's work: such rows take "up", every other row Paeth. Measured against the renderer's PNGs
// (1.00) at 150 dpi: 1.02 of their size on text and on photographs with zlib at its level 6.
// libdeflate compresses the same rows to the same size two to three times as fast at its level
// 6; its lower levels are up to 1.15 times larger for hardly less time on text.
constexpr int compressionLevel = 6;

// A thread keeps the memory of pages up to this size for the next one: an A4 page at 600 dpi in
// colour is 105 MB.
constexpr size_t keptBytes = size_t(128) << 20;

// The compressed stream goes out in chunks of this size, as PNG readers expect several.
constexpr size_t chunkBytes = size_t(1) << 20;

enum Filter : unsigned char { Sub = 1, Up = 2, Paeth = 4 };

struct Target
{
    QFile *file = nullptr;
    QString failure; // why the write stopped, for the message
};

void writeData(png_structp png, png_bytep data, size_t length)
{
    auto *target = static_cast<Target *>(png_get_io_ptr(png));
    if (target->file->write(reinterpret_cast<const char *>(data), qint64(length)) !=
        qint64(length)) {
        target->failure = target->file->errorString();
        png_error(png, "write");
    }
}

void flushData(png_structp)
{}

void onError(png_structp png, png_const_charp message)
{
    auto *target = static_cast<Target *>(png_get_error_ptr(png));
    if (target->failure.isEmpty())
        target->failure = QString::fromLocal8Bit(message);
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp)
{}

unsigned char paeth(int left, int above, int aboveLeft)
{
    const int toLeft = std::abs(above - aboveLeft);
    const int toAbove = std::abs(left - aboveLeft);
    const int toAboveLeft = std::abs(left + above - 2 * aboveLeft);
    if (toLeft <= toAbove && toLeft <= toAboveLeft)
        return static_cast<unsigned char>(left);
    return static_cast<unsigned char>(toAbove <= toAboveLeft ? above : aboveLeft);
}

// One row as PNG stores it: its filter's byte, then the filtered samples.
void filterRow(const unsigned char *row, const unsigned char *above, size_t length, int pixelBytes,
               unsigned char *out)
{
    const size_t first = size_t(pixelBytes);
    if (!above) {
        out[0] = Sub;
        std::memcpy(out + 1, row, first);
        for (size_t at = first; at < length; ++at)
            out[1 + at] = static_cast<unsigned char>(row[at] - row[at - first]);
    } else if (std::memcmp(row, above, length) == 0) {
        out[0] = Up;
        std::memset(out + 1, 0, length);
    } else {
        out[0] = Paeth;
        for (size_t at = 0; at < first; ++at)
            out[1 + at] = static_cast<unsigned char>(row[at] - above[at]);
        for (size_t at = first; at < length; ++at)
            out[1 + at] = static_cast<unsigned char>(
                row[at] - paeth(row[at - first], above[at], above[at - first]));
    }
}

struct CompressorDeleter
{
    void operator()(libdeflate_compressor *compressor) const
    {
        libdeflate_free_compressor(compressor);
    }
};

// Each encoding thread keeps its compressor: its tables are large, and fresh memory is slow to
// touch the first time.
libdeflate_compressor *compressor()
{
    thread_local const std::unique_ptr<libdeflate_compressor, CompressorDeleter> kept(
        libdeflate_alloc_compressor(compressionLevel));
    return kept.get();
}

// The filtered rows of this thread's last page, kept for the next one as the raw page is.
class RowBuffer
{
public:
    unsigned char *take(size_t bytes)
    {
        if (bytes > size) {
            rows.reset(new (std::nothrow) unsigned char[bytes]);
            size = rows ? bytes : 0;
        }
        return rows.get();
    }
    void trim(size_t keptBytes)
    {
        if (size > keptBytes) {
            rows.reset();
            size = 0;
        }
    }

private:
    std::unique_ptr<unsigned char[]> rows;
    size_t size = 0;
};

// libpng writes the header and its chunks; the image data is compressed already. No object with
// a destructor lives here: libpng leaves it by longjmp on an error.
bool writeChunks(png_structp png, png_infop info, const RawImage &image, quint32 perMetre,
                 const unsigned char *data, size_t size, Target *target)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, target, writeData, flushData);
    png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8,
                 image.channels == 1 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_write_info(png, info);
    for (size_t at = 0; at < size; at += chunkBytes)
        png_write_chunk(png, reinterpret_cast<png_const_bytep>("IDAT"), data + at,
                        std::min(chunkBytes, size - at));
    png_write_chunk(png, reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    return true;
}

} // namespace

namespace PngWriter {

quint32 pixelsPerMetre(int resolution)
{
    return quint32(resolution / 0.0254 + 0.5);
}

bool write(const RawImage &image, int resolution, int fd, const QString &name, QString *error,
           const std::atomic_bool *cancel)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QCoreApplication::translate("PngWriter", "Cannot write %1: %2")
                         .arg(QDir::toNativeSeparators(name), why);
        return false;
    };
    const auto cancelled = [cancel] {
        return cancel && cancel->load();
    };
    const auto noMemory = [&] {
        return fail(QCoreApplication::translate("PngWriter", "not enough memory."));
    };
    if (image.width < 1 || image.height < 1 || (image.channels != 1 && image.channels != 3) ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * size_t(image.channels))
        return fail(QCoreApplication::translate("PngWriter", "there is no image to write."));

    const size_t stride = size_t(image.width) * size_t(image.channels);
    const size_t filteredSize = (stride + 1) * size_t(image.height);
    thread_local RowBuffer buffer;
    unsigned char *const filtered = buffer.take(filteredSize);
    const auto trim = qScopeGuard([] { buffer.trim(keptBytes); });
    if (!filtered)
        return noMemory();
    for (int y = 0; y < image.height; ++y) {
        if (cancelled())
            return fail(QCoreApplication::translate("PngWriter", "cancelled"));
        const unsigned char *row = image.pixels.data() + size_t(y) * stride;
        filterRow(row, y > 0 ? row - stride : nullptr, stride, image.channels,
                  filtered + size_t(y) * (stride + 1));
    }
    libdeflate_compressor *deflate = compressor();
    if (!deflate)
        return noMemory();
    // Only the bytes written are ever touched.
    const size_t bound = libdeflate_zlib_compress_bound(deflate, filteredSize);
    const std::unique_ptr<unsigned char[]> compressed(new (std::nothrow) unsigned char[bound]);
    if (!compressed)
        return noMemory();
    const size_t size =
        libdeflate_zlib_compress(deflate, filtered, filteredSize, compressed.get(), bound);
    if (size == 0)
        return noMemory();
    if (cancelled())
        return fail(QCoreApplication::translate("PngWriter", "cancelled"));

    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
        return fail(file.errorString());
    Target target{&file, QString()};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return noMemory();
    }
    const bool written =
        writeChunks(png, info, image, pixelsPerMetre(resolution), compressed.get(), size, &target);
    png_destroy_write_struct(&png, &info);
    if (!written)
        return fail(target.failure);
    return file.flush() || fail(file.errorString());
}

} // namespace PngWriter
