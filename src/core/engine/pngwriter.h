#pragma once

#include "core/engine/rawimage.h"

#include <QPointF>
#include <QString>

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
