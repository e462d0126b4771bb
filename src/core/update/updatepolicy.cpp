#include "core/update/updatepolicy.h"

using namespace Qt::Literals::StringLiterals;

namespace UpdatePolicy {

QString versionLine(const QByteArray &body)
{
    const qsizetype end = body.indexOf('\n');
    QByteArray line = end < 0 ? body : body.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

bool versionDiffers(const QByteArray &body, const QString &installed)
{
    return versionLine(body) != installed;
}

bool intervalPassed(int updateModel, const QString &updateTime, const QDate &today)
{
    const QDate last = QDate::fromString(updateTime, u"yyyyMMdd"_s);
    if (!last.isValid())
        return true;
    if (updateModel == 0)
        return today != last;
    return today >= last.addDays(7);
}

} // namespace UpdatePolicy
