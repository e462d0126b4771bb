#include "naming.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace Naming {

Prefix prefixFor(const QString &model, const QString &templateFirst, const QString &baseName)
{
    if (model == u"source")
        return {baseName, false};
    if (model == u"number")
        return {QString(), false};
    if (model == u"template")
        return {templateFirst, false};
    return {baseName, true};
}

QString baseName(const QString &fileName)
{
    const QString name = fileName.endsWith(u".pdf"_s, Qt::CaseInsensitive)
                             ? fileName.chopped(4)
                             : QFileInfo(fileName).completeBaseName();
    // ".pdf" or ".hidden" would leave nothing to name the folder and the images after.
    return name.isEmpty() ? fileName : name;
}

} // namespace Naming
