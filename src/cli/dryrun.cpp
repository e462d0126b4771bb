#include "cli/dryrun.h"

#include "cli/printable.h"
#include "cli/report.h"
#include "core/engine/ghostscript.h"

#include <QDir>
#include <QRegularExpression>
#include <QTextStream>

using namespace Qt::Literals::StringLiterals;

namespace {

QString native(const QString &path)
{
    return printable(QDir::toNativeSeparators(path));
}

// An argument as a shell reads it back.
QString quoted(QString argument)
{
    static const QRegularExpression plain(u"^[A-Za-z0-9_@%+=:,./-]+$"_s);
    if (plain.match(argument).hasMatch())
        return argument;
    return u'\'' + argument.replace(u'\'', u"'\\''"_s) + u'\'';
}

QString pixelSizes(const PlanEntry &entry)
{
    QStringList sizes;
    for (const int page : entry.job.pages) {
        if (page > entry.boxes.size())
            break;
        const RenderJob render = RenderJob::of(entry.job);
        const PdfInfo::PageBox &box = entry.boxes.at(page - 1);
        const QSize pixels = DiskSpace::pixelSize(
            box.points, box.rotation,
            entry.job.pageDpi.value(page, QPointF(render.resolution(), render.resolution())));
        const QString size = u"%1 x %2"_s.arg(pixels.width()).arg(pixels.height());
        if (!sizes.contains(size))
            sizes << size;
    }
    return sizes.isEmpty() ? u"unknown"_s : sizes.join(u", "_s);
}

} // namespace

int DryRun::print(const Plan &plan, const RoomCheck &room, ConvertOptions::Verbosity verbosity,
                  QTextStream &out)
{
    using Report::bytesText;
    using Report::counted;
    const bool quiet = verbosity == ConvertOptions::Verbosity::Quiet;
    const bool verbose = verbosity == ConvertOptions::Verbosity::Verbose;
    if (!quiet) {
        QStringList arguments;
        for (const QString &argument : ConvertOptionTable::arguments(plan.choices))
            arguments << quoted(argument);
        out << "options: " << printable(arguments.join(u' ')) << '\n';
    }
    int images = 0;
    qint64 bytes = 0;
    int files = 0;
    bool failed = false;
    for (const PlanEntry &entry : plan.entries) {
        if (!entry.failure.isEmpty()) {
            failed = true;
            out << "failed  " << native(entry.source) << ": " << printable(entry.failure) << '\n';
            continue;
        }
        if (!entry.skipped.isEmpty()) {
            if (!quiet)
                out << "skip    " << native(entry.source) << ": converted already in "
                    << native(entry.skipped) << '\n';
            continue;
        }
        ++files;
        images += int(entry.images.size());
        bytes = DiskSpace::sum(bytes, qMax<qint64>(0, entry.bytes));
        if (quiet)
            continue;
        out << "convert " << native(entry.source) << ": " << entry.job.pages.size() << " of "
            << counted(entry.pageCount, u"page"_s) << " -> " << native(entry.folder) << ", "
            << bytesText(entry.bytes) << '\n';
        if (!verbose)
            continue;
        out << "  pixels: " << pixelSizes(entry) << '\n';
        for (const QString &image : entry.images)
            out << "  image: " << native(entry.folder + u'/' + image) << '\n';
    }
    out << "total: " << counted(files, u"file"_s) << ", " << counted(images, u"image"_s) << ", "
        << bytesText(bytes) << '\n';
    for (const DiskSpace::Volume &volume : room.volumes) {
        const bool fits = volume.needed <= volume.available;
        if (quiet && fits)
            continue;
        out << "disk " << native(volume.root) << ": needs " << bytesText(volume.needed) << ", "
            << bytesText(volume.available) << " free: " << (fits ? "fits" : "does not fit") << '\n';
    }
    out.flush();
    return failed || room.refused ? 1 : 0;
}
