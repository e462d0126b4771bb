#include "core/engine/conversionjob.h"

#include "core/engine/ghostscript.h"
#include "core/engine/naming.h"
#include "core/engine/planfolder.h"
#include "core/options/formats.h"
#include "core/options/pageselection.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

ConversionJob ConversionJob::from(int row, const FileChoices &choices)
{
    const QFileInfo source(choices.sourcePath);
    ConversionJob job;
    job.row = row;
    job.sourcePath = choices.sourcePath;
    job.parentFolder = choices.outputFolder.isEmpty() ? source.path() : choices.outputFolder;
    job.createParent = !choices.outputFolder.isEmpty();
    job.baseName = Naming::baseName(source.fileName());
    job.prefix = Naming::prefixFor(choices.naming, choices.namingTemplate, job.baseName).prefix;
    job.format = choices.format;
    job.colour = choices.colour;
    job.dpi = choices.dpi;
    job.pages = PageSelection::pages(choices.pages, choices.pageCount);
    job.password = choices.password;
    job.merge = Formats::hasMergeRow(choices.format) && choices.merge;
    job.namesByPage = choices.namesByPage;
    job.pageCount = choices.pageCount;
    job.smooth = choices.smooth;
    return job;
}

QString ConversionJob::mergedName() const
{
    return baseName + u".tiff"_s;
}

QString ConversionJob::imageName(int index) const
{
    if (!namesByPage)
        return RenderJob::imageFileName(prefix, firstNumber + index, format);
    return Naming::pageStem(baseName, pages.at(index), pageCount, copyNumber(index)) + u'.' +
           RenderJob::extension(format);
}

int ConversionJob::copyNumber(int index) const
{
    // Copies of a page follow each other: the pages are in ascending order.
    const int page = pages.at(index);
    int copy = 0;
    while (copy < index && pages.at(index - copy - 1) == page)
        ++copy;
    return copy == index ? copy + firstCopy : copy;
}

QStringList ConversionJob::imageNames() const
{
    if (merge)
        return {mergedName()};
    QStringList names;
    for (int index = 0; index < pages.size(); ++index)
        names << imageName(index);
    return names;
}

QString ConversionJob::renderFolderName() const
{
    return plannedFolder.isEmpty() ? u".rendering"_s : PlanFolder::renderFolderName(firstNumber);
}
