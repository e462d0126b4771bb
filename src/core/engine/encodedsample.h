#pragma once

#include "core/pdf/pdfinfo.h"

#include <QList>
#include <QString>

// What an image of a format that compresses by content takes a pixel, measured: pages rendered
// small and encoded as a run encodes them. Drawn finer, a page's pixels repeat their neighbours
// more and compress better, so the figure bounds the same pages at any finer resolution.
namespace EncodedSample {

constexpr int resolution = 36;

// Whether the room of the format's images comes from a sample: PNG, PNGGRAY, GIF and JPEG.
bool measured(const QString &format);

struct Request
{
    QString sourcePath;            // a PDF that needs no password
    QList<int> pages;              // ascending, each once
    QList<PdfInfo::PageBox> boxes; // of those pages, in their order
    QString format;
    QString colour;
    int jpegQuality = 100;
    bool smooth = false;
};

// The most bytes a pixel among the pages' images, headers included; 0 when they cannot be
// rendered or encoded.
double bytesPerPixel(const Request &request);

} // namespace EncodedSample
