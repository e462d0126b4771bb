#include "gui/widgets/pagepreview.h"

#include "core/engine/diskspace.h"
#include "core/engine/folderhandle.h"
#include "core/engine/ghostscript.h"
#include "core/platform/toolrun.h"
#include "core/platform/tools.h"

#include <QImageReader>
#include <QTemporaryDir>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A page the renderer has not drawn by then will not come: a hostile or broken PDF.
constexpr int timeoutMs = 30000;
// Drawn at twice the room it gets, then scaled down smoothly: small text stays legible.
constexpr int oversampling = 2;
// A page so large that even one dot per inch would make a big image is not previewed.
constexpr int largestSide = 4096;
constexpr qint64 largestFile = 64 * 1024 * 1024;
const QSizeF a4{595, 842};

// A pipe holding the secret, for the renderer to read as /dev/fd/N; -1 when it cannot take it
// at once (a pipe holds 64 KiB; a longer line would block the window).
int secretPipe(const QByteArray &line)
{
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return -1;
    const int flags = ::fcntl(ends[1], F_GETFL);
    const bool written = flags >= 0 && ::fcntl(ends[1], F_SETFL, flags | O_NONBLOCK) == 0 &&
                         ::write(ends[1], line.constData(), size_t(line.size())) == line.size();
    ::close(ends[1]);
    if (!written) {
        ::close(ends[0]);
        return -1;
    }
    return ends[0];
}

} // namespace

struct PagePreview::Render
{
    QTemporaryDir folder; // mkdtemp: the user's alone
    FolderHandle handle;
    ToolRun tool; // ended before the folder goes
    QString imageName;
    QSize pixels;
    quint64 serial = 0;
};

PagePreview::PagePreview(QObject *parent)
    : QObject(parent)
{}

PagePreview::~PagePreview()
{
    cancel();
}

void PagePreview::cancel()
{
    if (!render)
        return;
    render->tool.disconnect(this);
    render->tool.kill();
    render->tool.waitForEnd(2000);
    render.reset();
}

void PagePreview::show(const Request &request)
{
    cancel();
    const QSizeF points = request.box.points.isEmpty() ? a4 : request.box.points;
    const QSizeF upright = request.box.rotation % 180 != 0 ? points.transposed() : points;
    const QSize room = request.pixels * oversampling;
    const int dpi = qMax(1, int(std::floor(qMin(room.width() * 72.0 / upright.width(),
                                                room.height() * 72.0 / upright.height()))));

    RenderJob job;
    // A format Qt cannot read back (PCX, PSD) is shown as the renderer's PNG.
    const bool readable = QImageReader::supportedImageFormats().contains(
        RenderJob::extension(request.format).toLatin1());
    job.format = readable ? request.format : u"PNG"_s;
    job.colour = readable ? request.colour : QString();
    job.dpi = dpi;
    job.smooth = request.smooth;
    job.pages = {request.page};
    job.outputFolder = u"."_s;
    job.imageName = u"preview."_s + RenderJob::extension(job.format);
    job.sourcePath = request.sourcePath;
    job.password = request.password;

    const QSize drawn = DiskSpace::pixelSize(points, request.box.rotation, job.resolution());
    const QString program = Tools::locate(RenderJob::toolName());
    if (program.isEmpty() || request.pixels.isEmpty() || drawn.width() > largestSide ||
        drawn.height() > largestSide || (!job.password.isEmpty() && !job.passwordFits())) {
        emit failed();
        return;
    }

    auto made = std::make_unique<Render>();
    made->handle = FolderHandle::open(made->folder.path());
    made->imageName = job.imageName;
    made->pixels = request.pixels;
    int secret = -1;
    if (!job.password.isEmpty()) {
        secret = secretPipe(job.passwordArgument());
        job.passwordFile = u"/dev/fd/"_s + QString::number(secret);
    }
    if (!made->folder.isValid() || !made->handle.isOpen() ||
        (!job.password.isEmpty() && secret < 0)) {
        if (secret >= 0)
            ::close(secret);
        emit failed();
        return;
    }

    made->serial = ++renders;
    render = std::move(made);
    // Queued, so the tool run is never deleted inside its own signals; the serial tells a report
    // of a render since cancelled from one of the render under way.
    const quint64 serial = render->serial;
    ToolRun &tool = render->tool;
    // The renderer's page lines are not read here; they go nowhere instead of piling up.
    tool.tool().setStandardOutputFile(QProcess::nullDevice());
    connect(
        &tool, &ToolRun::ended, this,
        [this, serial](int exitCode, QProcess::ExitStatus status) {
            finish(serial, status == QProcess::NormalExit && exitCode == 0);
        },
        Qt::QueuedConnection);
    connect(
        &tool, &ToolRun::failedToStart, this, [this, serial] { finish(serial, false); },
        Qt::QueuedConnection);

    tool.start(program, job.arguments(), {render->handle.descriptor(), secret, true});
    if (secret >= 0)
        ::close(secret);
    // Killed when the time is up: it ends as a failure.
    tool.watch(timeoutMs);
}

void PagePreview::finish(quint64 serial, bool drawn)
{
    if (!render || render->serial != serial)
        return;
    QImage image;
    if (drawn && render->handle.sizeOf(render->imageName) <= largestFile) {
        // Read through the folder's handle, never a link put in its place.
        const int fd = render->handle.openFile(render->imageName, O_RDONLY);
        if (fd >= 0) {
            QFile file;
            if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
                image = QImage::fromData(file.read(largestFile));
            else
                ::close(fd);
        }
    }
    const QSize room = render->pixels;
    // Ending the run deletes its folder; a process still running (the time ran out) goes first.
    cancel();
    if (image.isNull()) {
        emit failed();
        return;
    }
    emit ready(image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
