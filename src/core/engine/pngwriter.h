#pragma once

#include <QPointF>
#include <QString>

#include <cstddef>

// Rows of 8-bit samples in memory, one or three a pixel, as the renderer draws a page: its rows may
// be padded.
struct PixelRows
{
    const unsigned char *data = nullptr;
    int width = 0;
    int height = 0;
    int channels = 0;
    size_t stride = 0; // bytes from the start of one row to the next
};

// Writes a rendered page as PNG: 8-bit grey or RGB, as the renderer's own PNG devices do, with
// their physical size chunk and colour meaning (sRGB; their embedded profiles are sRGB and the
// grey one with sRGB's curve), fewer bytes and far faster.
namespace PngWriter {

// The pixels to the open file fd from its start, at resolution dots an inch across and down. name
// is for messages.
bool write(const PixelRows &image, QPointF resolution, int fd, const QString &name,
           QString *error = nullptr);

// The physical size chunk's pixels a metre for a resolution, rounded as the renderer does.
quint32 pixelsPerMetre(double resolution);

} // namespace PngWriter
