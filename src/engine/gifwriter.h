#pragma once

#include <QString>

class QImage;

// Writes real GIF files: the colours are reduced to one 256-entry palette with dithering. The
// target only ever holds a complete file: it is written beside the target and renamed over it.
// Transparent areas are flattened onto white, like paper.
namespace GifWriter {

bool write(const QImage &image, const QString &path, QString *error = nullptr);

// Reads any image Qt can read (the renderer's PNG output, say) and writes it as GIF. The source
// and the target may be the same file.
bool convertFile(const QString &sourceImage, const QString &gifPath, QString *error = nullptr);

} // namespace GifWriter
