#include "core/engine/encodedsample.h"

#include "core/engine/diskspace.h"
#include "core/engine/encodestage.h"
#include "core/engine/folderhandle.h"
#include "core/engine/ghostscript.h"
#include "core/options/formats.h"
#include "core/platform/tools.h"

#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A sample is a few small pages: what the renderer may take for them.
constexpr int timeoutMs = 30000;
constexpr qint64 outputBytes = 1 << 20;
constexpr qint64 memoryBytes = VEZ_CHILD_MEMORY_LIMIT;

// The bytes the program's encoder writes for a rendered page, or -1.
qint64 encodedBytes(const FolderHandle &folder, const QString &raw)
{
    const int source = folder.openFile(raw, O_RDONLY);
    const int target = folder.openFile(raw + u".encoded"_s, O_RDWR | O_CREAT | O_EXCL);
    const bool ok =
        source >= 0 && target >= 0 && EncodeStage::encode({-1, source, target, raw, raw}).isEmpty();
    const qint64 bytes = ok ? ::lseek(target, 0, SEEK_END) : -1;
    if (source >= 0)
        ::close(source);
    if (target >= 0)
        ::close(target);
    return bytes;
}

} // namespace

bool EncodedSample::measured(const QString &format)
{
    const Formats::Format &entry = Formats::named(format);
    return entry.device == u"png16m" || entry.device == u"pnggray" || entry.device == u"jpeg";
}

double EncodedSample::bytesPerPixel(const Request &request)
{
    QTemporaryDir scratch; // mkdtemp: the user's alone
    const FolderHandle folder = FolderHandle::open(scratch.path());
    if (!scratch.isValid() || !folder.isOpen() || request.pages.isEmpty() ||
        request.boxes.size() != request.pages.size())
        return 0;
    RenderJob render;
    render.format = request.format;
    render.colour = request.colour;
    render.dpi = resolution;
    render.exactDpi = true;
    render.jpegQuality = request.jpegQuality;
    render.smooth = request.smooth;
    render.pages = request.pages;
    render.outputFolder = scratch.path();
    render.countPages = true;
    render.imageName = u"."_s + render.renderedExtension();
    render.sourcePath = request.sourcePath;
    // Quiet: nothing of its output is read, and it shows no pages of the run's.
    const Tools::Result rendered =
        Tools::run({RenderJob::toolName(), QStringList{u"-q"_s} + render.arguments()},
                   Tools::Limits{timeoutMs, outputBytes, memoryBytes});
    if (!rendered.succeeded())
        return 0;
    double most = 0;
    for (int page = 1; page <= request.pages.size(); ++page) {
        const QString name = QString::number(page) + render.imageName;
        if (folder.kindOf(name) != FolderHandle::Kind::File)
            return 0;
        const qint64 bytes =
            render.encodedByProgram() ? encodedBytes(folder, name) : folder.sizeOf(name);
        const PdfInfo::PageBox &box = request.boxes.at(page - 1);
        const QSize size = DiskSpace::pixelSize(box.points, box.rotation, resolution);
        const qint64 pixels = qint64(size.width()) * size.height();
        if (bytes < 0 || pixels <= 0)
            return 0;
        most = qMax(most, double(bytes) / double(pixels));
    }
    return most;
}
