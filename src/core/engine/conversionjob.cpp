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
    return job;
}

QString ConversionJob::mergedName() const
{
    return baseName + u".tiff"_s;
}

QStringList ConversionJob::imageNames() const
{
    if (merge)
        return {mergedName()};
    QStringList names;
    for (int number = firstNumber; number < firstNumber + pages.size(); ++number)
        names << RenderJob::imageFileName(prefix, number, format);
    return names;
}

QString ConversionJob::renderFolderName() const
{
    return plannedFolder.isEmpty() ? u".rendering"_s : PlanFolder::renderFolderName(firstNumber);
}
