#include "cli/report.h"

#include <QDir>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString size(qint64 bytes)
{
    return QLocale::c().formattedDataSize(bytes);
}

} // namespace

QString Report::counted(qint64 count, const QString &thing)
{
    return QString::number(count) + u' ' + thing + (count == 1 ? u""_s : u"s"_s);
}

QString Report::bytesText(qint64 bytes)
{
    if (bytes < 0)
        return u"size unknown"_s;
    return u"%1 (%2)"_s.arg(counted(bytes, u"byte"_s), size(bytes));
}

QString Report::fileLine(const QString &status, const QString &source, const QString &detail)
{
    if (status == u"ok")
        return u"ok      %1 -> %2"_s.arg(native(source), native(detail));
    return u"%1 %2: %3"_s.arg(status.leftJustified(7), native(source), detail);
}

QString Report::tooLarge(qint64 bytes, const DiskSpace::Volume &volume)
{
    return u"its images need %1 on %2, where %3 is free (--force converts it anyway)"_s.arg(
        size(bytes), native(volume.root), size(volume.available));
}

QString Report::shortage(const DiskSpace::Volume &volume, bool forced)
{
    return u"the images need %1 on %2, where %3 is free.%4"_s.arg(
        size(volume.needed), native(volume.root), size(volume.available),
        forced ? QString() : u" Use --force to convert anyway."_s);
}
