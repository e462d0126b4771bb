#pragma once

#include <QString>

struct RawImage;

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

// Reads a rendered page (raw PNM, see RawImage) and writes it as GIF.
bool convertFile(const QString &rawPath, const QString &gifPath, QString *error = nullptr,
                 const std::atomic_bool *cancel = nullptr);

// A rendered page to the open file gifFd from its start; the engine reaches it through its
// folder's handle. The name is for messages; the caller names the file once complete.
bool write(const RawImage &image, int gifFd, const QString &gifName, QString *error = nullptr,
           const std::atomic_bool *cancel = nullptr);

} // namespace GifWriter
