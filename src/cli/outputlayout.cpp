#include "cli/outputlayout.h"

#include <QDir>
#include <QFileInfo>

QString OutputLayout::parentFolder(const QString &output, const QString &tree,
                                   const QString &source, bool flat)
{
    const QString sourceFolder = QFileInfo(source).path();
    if (output.isEmpty())
        return sourceFolder;
    if (flat || tree.isEmpty())
        return output;
    const QString inside = QDir(tree).relativeFilePath(sourceFolder);
    // A PDF that is not below the tree after all stays in the output folder itself.
    if (inside == u"." || inside.startsWith(u"../") || inside == u".." ||
        QDir::isAbsolutePath(inside))
        return output;
    return QDir::cleanPath(output + u'/' + inside);
}
