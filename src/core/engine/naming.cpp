#include "core/engine/naming.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// Room in a 255-byte file name for the number and the extension.
constexpr int maxTemplateBytes = 200;

bool unsafeCharacter(QChar c)
{
    // Separators, and what FAT, exFAT and SMB shares refuse in a name.
    return c.unicode() < 0x20 || c.unicode() == 0x7f || u"/\\:*?\"<>|"_s.contains(c);
}

} // namespace

namespace Naming {

Prefix prefixFor(const QString &model, const QString &templateFirst, const QString &baseName)
{
    if (model == u"source")
        return {baseName, false};
    if (model == u"number")
        return {QString(), false};
    if (model == u"template")
        return {safeTemplate(templateFirst), false};
    return {baseName, true};
}

bool isSafeTemplate(const QString &templateFirst)
{
    return safeTemplate(templateFirst) == templateFirst;
}

QString safeTemplate(const QString &templateFirst)
{
    QString safe = templateFirst;
    for (QChar &c : safe) {
        if (unsafeCharacter(c))
            c = u'_';
    }
    safe.replace(u".."_s, u"__"_s);
    while (safe.toUtf8().size() > maxTemplateBytes)
        safe.chop(safe.back().isLowSurrogate() ? 2 : 1);
    return safe;
}

QString baseName(const QString &fileName)
{
    const QString name = fileName.endsWith(u".pdf"_s, Qt::CaseInsensitive)
                             ? fileName.chopped(4)
                             : QFileInfo(fileName).completeBaseName();
    // ".pdf" or ".hidden" would leave nothing to name the folder and the images after.
    return name.isEmpty() ? fileName : name;
}

QString pageStem(const QString &baseName, int page, int pageCount, int copy)
{
    const int width = int(QString::number(qMax(page, pageCount)).size());
    const QString stem = baseName + u'-' + QString::number(page).rightJustified(width, u'0');
    return copy > 0 ? stem + u'(' + QString::number(copy) + u')' : stem;
}

} // namespace Naming
