#include "cli/plan.h"

#include "cli/outputlayout.h"
#include "cli/pagerange.h"
#include "core/engine/diskspace.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

QString PlanEntry::changedSince() const
{
    const QFileInfo info(source);
    if (!info.isFile())
        return u"the file is gone since the plan was made"_s;
    if (info.size() != size ||
        info.lastModified().toMSecsSinceEpoch() != modified.toMSecsSinceEpoch())
        return u"the file was changed since the plan was made (its size or modification time)"_s;
    return {};
}

bool Plans::sizePages(ConversionJob &job, const BatchChoices &choices,
                      const QList<PdfInfo::PageBox> &boxes)
{
    const PageScale scale = choices.scale();
    job.pageDpi.clear();
    for (const int page : std::as_const(job.pages)) {
        if (page < 1 || page > boxes.size())
            return false;
        const PdfInfo::PageBox &box = boxes.at(page - 1);
        const PageScale::Raster raster = scale.of(box.points, box.rotation);
        if (raster.pixels.isEmpty())
            return false;
        // Where the renderer's rounding gives these pixels at the resolution itself, it keeps
        // it: the images stay those of the plain command.
        const QPointF plain(scale.dpi, scale.dpi);
        const bool same = !scale.inPixels() && DiskSpace::pixelSize(box.points, box.rotation,
                                                                    scale.dpi) == raster.pixels;
        job.pageDpi.insert(page, same ? plain : QPointF(raster.xDpi, raster.yDpi));
        if (page == job.pages.constFirst())
            job.dpi = qRound(qBound(1.0, raster.dpi, 1e6));
    }
    return true;
}

ConversionJob Plans::jobFor(const BatchChoices &choices, const QString &source, int pageCount,
                            int row, const QString &tree)
{
    FileChoices file;
    file.sourcePath = source;
    file.pageCount = pageCount;
    file.pages = choices.pages;
    file.outputFolder =
        choices.outputFolder.isEmpty()
            ? QString()
            : OutputLayout::parentFolder(choices.outputFolder, tree, source, choices.flat);
    file.naming = choices.naming;
    file.namingTemplate = choices.templateText;
    file.namesByPage = choices.naming == u"page";
    file.format = choices.format;
    file.colour = choices.colour;
    file.dpi = choices.dpi;
    file.merge = choices.merge;
    file.smooth = choices.smooth;
    ConversionJob job = ConversionJob::from(row, file);
    job.pages = PageRange::of(choices.pages, pageCount).pages;
    job.exactDpi = true;
    job.jpegQuality = choices.jpegQuality;
    return job;
}
