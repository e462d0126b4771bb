#include "render/pagewriter.h"

#include "core/engine/pngwriter.h"
#include "core/engine/rawimage.h"

#include <ghostscript/iapi.h>
#include <ghostscript/ierrors.h>

#include <QFile>

#include <cstdio>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

struct PageWriter::Callbacks
{
    static PageWriter *writer(void *handle) { return static_cast<PageWriter *>(handle); }
    static int nothing(void *, void *) { return 0; }
    static int presize(void *handle, void *, int width, int height, int, unsigned int)
    {
        return writer(handle)->presize(width, height);
    }
    static int size(void *handle, void *, int width, int height, int raster, unsigned int,
                    unsigned char *image)
    {
        return writer(handle)->size(width, height, raster, image);
    }
    static int page(void *handle, void *, int, int) { return writer(handle)->page(); }
    static int update(void *, void *, int, int, int, int) { return 0; }
};

display_callback *PageWriter::callbacks()
{
    static display_callback table = [] {
        display_callback callbacks = {};
        callbacks.size = sizeof(display_callback);
        callbacks.version_major = DISPLAY_VERSION_MAJOR;
        callbacks.version_minor = DISPLAY_VERSION_MINOR;
        callbacks.display_open = Callbacks::nothing;
        callbacks.display_preclose = Callbacks::nothing;
        callbacks.display_close = Callbacks::nothing;
        callbacks.display_presize = Callbacks::presize;
        callbacks.display_size = Callbacks::size;
        callbacks.display_sync = Callbacks::nothing;
        callbacks.display_page = Callbacks::page;
        callbacks.display_update = Callbacks::update;
        return callbacks;
    }();
    return &table;
}

PageWriter::PageWriter(void *instance, DisplayRun run)
    : instance(instance)
    , run(std::move(run))
{}

int PageWriter::fail(const QString &why) const
{
    std::fprintf(stderr, "vezudiri-render: %s\n", qPrintable(why));
    std::fflush(stderr);
    return gs_error_ioerror;
}

int PageWriter::presize(int width, int height)
{
    // As many pixels as the program reads of any raw page, before the device takes the memory.
    // Refused, the device keeps its last size and draws the next page into it: that page fails.
    refused =
        qint64(width) * height > RawImage::maxPixels
            ? u"A page of %1 x %2 pixels is too large to write as PNG."_s.arg(width).arg(height)
            : QString();
    return refused.isEmpty() ? 0 : fail(refused);
}

int PageWriter::size(int width, int height, int raster, unsigned char *image)
{
    this->width = width;
    this->height = height;
    this->raster = raster;
    pixels = image;
    return 0;
}

QString PageWriter::setting(const char *name) const
{
    const int size = gsapi_get_param(instance, name, nullptr, gs_spt_parsed);
    if (size <= 0)
        return {};
    QByteArray text(size, '\0');
    if (gsapi_get_param(instance, name, text.data(), gs_spt_parsed) < 0)
        return {};
    return QString::fromLatin1(text.constData());
}

QPointF PageWriter::resolution() const
{
    // "[150 150]", or "[100.5 72.25]" for a page of its own size.
    QString text = setting("HWResolution");
    text.remove(u'[').remove(u']');
    const QStringList values = text.split(u' ', Qt::SkipEmptyParts);
    bool across = false;
    bool down = false;
    const QPointF dpi(values.value(0).toDouble(&across), values.value(1).toDouble(&down));
    return values.size() == 2 && across && down ? dpi : QPointF();
}

int PageWriter::page()
{
    // The device counts the pages it has put out; this one is the next.
    bool counted = false;
    const int number = setting("PageCount").toInt(&counted) + 1;
    const QByteArray pattern = run.outputs.value(output);
    const QByteArray path = counted ? DisplayRun::fileName(pattern, number) : QByteArray();
    const QString name = QFile::decodeName(path);
    if (path.isEmpty())
        return fail(u"No output file is named for page %1: \"%2\"."_s.arg(number).arg(
            QFile::decodeName(pattern)));
    // The page that was to have the refused size; later ones of the size kept are as always.
    if (!refused.isEmpty())
        return fail(std::exchange(refused, {}));
    const QPointF dpi = resolution();
    if (dpi.isNull())
        return fail(u"The device gave no resolution for %1."_s.arg(name));
    const PixelRows rows{pixels, width, height, run.colour == DisplayRun::Colour::Grey ? 1 : 3,
                         size_t(raster)};
    // A link in the way is never followed.
    const int fd =
        ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return fail(u"Could not open the file %1: %2"_s.arg(name, qt_error_string(errno)));
    QString error;
    const bool encoded = PngWriter::write(rows, dpi, fd, name, &error);
    if (::close(fd) != 0 && encoded)
        return fail(u"Could not write the file %1: %2"_s.arg(name, qt_error_string(errno)));
    return encoded ? 0 : fail(error);
}
