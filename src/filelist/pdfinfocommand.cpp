#include "filelist/pdfinfocommand.h"

#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

int timeoutMilliseconds = 30000;

QString quoted(const QString &path)
{
    return u" \""_s + path + u'"';
}

// Every page's size lines and boxes: the tool stops at the document's last page.
QStringList everyPageBox()
{
    return {u"-box"_s, u"-f"_s, u"1"_s, u"-l"_s, QString::number(INT_MAX)};
}

} // namespace

PdfInfoCommand::Invocation PdfInfoCommand::probe(const QString &path)
{
    const QStringList arguments = QStringList(everyPageBox()) << path;
    return {{u"pdfinfo"_s, arguments}, u"pdfinfo "_s + everyPageBox().join(u' ') + quoted(path)};
}

PdfInfoCommand::Invocation PdfInfoCommand::information(const QString &path)
{
    return {{u"pdfinfo.exe"_s, {path}}, u"pdfinfo.exe"_s + quoted(path)};
}

int PdfInfoCommand::timeout()
{
    return timeoutMilliseconds;
}

void PdfInfoCommand::setTimeout(int milliseconds)
{
    timeoutMilliseconds = milliseconds;
}
