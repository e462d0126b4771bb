#pragma once

#include <QString>

#include <atomic>
#include <vector>

// Writes real GIF files: the colours are reduced to one 256-entry palette with dithering. The
// target only ever holds a complete file: it is written beside the target and renamed over it.
// Transparent areas are flattened onto white, like paper.
namespace GifWriter {

// Pixels as 8-bit red, green, blue and alpha, row after row without padding.
struct Rgba
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;
};

// A set cancel flag makes a write under way give up soon; the target is left as it was.
bool write(const Rgba &image, const QString &path, QString *error = nullptr,
           const std::atomic_bool *cancel = nullptr);

// Reads a PNG file (the renderer's output) and writes it as GIF. The source and the target may
// be the same file.
bool convertFile(const QString &pngPath, const QString &gifPath, QString *error = nullptr,
                 const std::atomic_bool *cancel = nullptr);

// The same between open files: the engine reaches both through its folders' handles. The names
// are for messages. The target is written from its start; the caller names it once complete.
bool convert(int pngFd, const QString &pngName, int gifFd, const QString &gifName,
             QString *error = nullptr, const std::atomic_bool *cancel = nullptr);

} // namespace GifWriter
