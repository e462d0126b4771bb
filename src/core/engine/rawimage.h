#pragma once

#include <QString>

#include <cstddef>
#include <vector>

// A page as the renderer draws it before any encoder: 8-bit samples, one (grey) or three (red,
// green, blue) a pixel, row after row without padding. The renderer writes it as binary PNM
// ("P5" grey, "P6" colour).
struct RawImage
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<unsigned char> pixels;

    // Pages with more pixels than this are refused from the header, before any memory is taken.
    static constexpr qint64 maxPixels = qint64(1) << 28;
    // An encoding thread keeps the memory of a page up to this size for the next one, as fresh
    // memory is slow to touch the first time: an A4 page at 600 dpi in colour is 105 MB.
    static constexpr size_t keptBytes = size_t(128) << 20;

    // Reads the whole file behind fd from its start. The file is the renderer's, yet read as if
    // anyone had written it: a header that is not exactly what the renderer writes, a size
    // beyond maxPixels, or fewer or more pixel bytes than the header promises is an error. name
    // is for messages.
    static bool read(int fd, const QString &name, RawImage *image, QString *error);
};
