#include "cli/plan.h"

#include "cli/outputlayout.h"

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
    job.exactDpi = true;
    job.jpegQuality = choices.jpegQuality;
    return job;
}
