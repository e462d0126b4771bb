#include "probe/plainprobe.h"

#include "probe/printedbox.h"

#include <ErrorCodes.h>
#include <GlobalParams.h>
#include <JSInfo.h>
#include <PDFDoc.h>
#include <PDFDocFactory.h>
#include <Page.h>
#include <goo/GooString.h>

#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

// Bounds under which pdfinfo's output is sure to stay within PdfInfoCommand::outputLimit()
// (16 MiB): some 450 bytes a page with every corner below a million, at most three bytes printed
// for each byte of a property, and the error lines besides.
constexpr int mostPages = 10000;
constexpr double largestCorner = 1e6;
constexpr qint64 mostPropertyBytes = 1024 * 1024;
constexpr qint64 mostErrorBytes = 1024 * 1024;

// What pdfinfo would print on standard error for this file so far: its lines' length.
qint64 errorBytes = 0;

void countError(ErrorCategory, Goffset, const char *message)
{
    // "Syntax Error (1234): " before the message, and the line end.
    constexpr qint64 lineBytes = 48;
    errorBytes += lineBytes + qint64(std::strlen(message));
}

qint64 propertyBytes(PDFDoc &document)
{
    const Object info = document.getDocInfo();
    if (!info.isDict())
        return 0;
    qint64 bytes = 0;
    Dict *dict = info.getDict();
    for (int index = 0; index < dict->getLength(); ++index) {
        const Object value = dict->getVal(index);
        bytes += qint64(std::strlen(dict->getKey(index))) +
                 (value.isString() ? value.getString()->getLength() : 0);
    }
    return bytes;
}

// Whether every corner of every box pdfinfo prints is a number small enough to print short.
bool boxesPrintShort(const Page &page)
{
    const PDFRectangle *boxes[] = {page.getMediaBox(), page.getCropBox(), page.getBleedBox(),
                                   page.getTrimBox(), page.getArtBox()};
    return std::all_of(std::cbegin(boxes), std::cend(boxes), [](const PDFRectangle *box) {
        const double corners[] = {box->x1, box->y1, box->x2, box->y2};
        return std::all_of(std::cbegin(corners), std::cend(corners), [](double corner) {
            return std::isfinite(corner) && std::fabs(corner) < largestCorner;
        });
    });
}

// pdfinfo's file size: 0 when the file cannot be opened again.
qint64 fileSizeOf(const QByteArray &fileName)
{
    FILE *file = std::fopen(fileName.constData(), "rb");
    if (!file)
        return 0;
    const bool sought = std::fseek(file, 0, SEEK_END) == 0;
    const qint64 size = sought ? qint64(ftello(file)) : 0;
    std::fclose(file);
    return qMax<qint64>(0, size);
}

} // namespace

void PlainProbe::prepare()
{
    globalParams = std::make_unique<GlobalParams>();
    setErrorCallback(countError);
}

std::optional<ProbeAnswer::Answer> PlainProbe::probe(const QByteArray &fileName)
{
    errorBytes = 0;
    const std::unique_ptr<PDFDoc> document =
        PDFDocFactory().createPDFDoc(GooString(fileName.constData()));
    ProbeAnswer::Answer answer;
    if (!document->isOk()) {
        if (document->getErrorCode() != errEncrypted)
            return {};
        answer.outcome = ProbeAnswer::Outcome::WrongPassword;
        return answer;
    }
    const int pages = document->getNumPages();
    if (pages < 1 || pages > mostPages || propertyBytes(*document) > mostPropertyBytes)
        return {};

    // What pdfinfo reads before the pages, for whatever it does to a hostile document.
    document->readMetadata();
    document->getCatalog()->getMarkInfo();
    document->getCatalog()->getFormType();
    JSInfo(document.get(), 0).scanJS(pages);

    for (int number = 1; number <= pages; ++number) {
        document->getPageCropWidth(number);
        document->getPageCropHeight(number);
        Page *page = document->getPage(number);
        if (!page || !boxesPrintShort(*page))
            return {};
        const PDFRectangle *media = page->getMediaBox();
        const QSizeF points = PrintedBox::size(media->x1, media->y1, media->x2, media->y2);
        // The program reads only quarter turns from the child; pdfinfo prints any angle.
        const int rotation = document->getPageRotate(number);
        if (points.isEmpty() || rotation % 90 != 0)
            return {};
        answer.boxes.append({points, rotation});
    }
    document->isLinearized();
    if (errorBytes > mostErrorBytes)
        return {};

    answer.outcome = ProbeAnswer::Outcome::Opened;
    answer.info.pages = QString::number(pages);
    answer.info.fileSizeBytes = fileSizeOf(fileName);
    answer.info.fileSize = u"%1 bytes"_s.arg(answer.info.fileSizeBytes);
    return answer;
}
