#include "filelist/pdfinfocommand.h"

using namespace Qt::Literals::StringLiterals;

namespace {

int timeoutMilliseconds = 30000;

QString quoted(const QString &path)
{
    return u" \""_s + path + u'"';
}

} // namespace

PdfInfoCommand::Invocation PdfInfoCommand::probe(const QString &path)
{
    return {{u"pdfinfo"_s, {path}}, u"pdfinfo "_s + path};
}

PdfInfoCommand::Invocation PdfInfoCommand::withPassword(const QString &password,
                                                        const QString &path)
{
    return {{u"pdfinfo.exe"_s, {u"-upw"_s, password, path}},
            u"pdfinfo.exe -upw "_s + password + quoted(path)};
}

PdfInfoCommand::Invocation PdfInfoCommand::information(const QString &password, const QString &path)
{
    if (password.isEmpty())
        return {{u"pdfinfo.exe"_s, {path}}, u"pdfinfo.exe"_s + quoted(path)};
    return {{u"pdfinfo.exe"_s, {u"-upw"_s, password, path}},
            u"pdfinfo.exe -upw "_s + password + quoted(path)};
}

PdfInfoCommand::Invocation PdfInfoCommand::pageBoxes(const QString &password, const QString &path,
                                                     int lastPage)
{
    QStringList arguments = {u"-box"_s, u"-f"_s, u"1"_s, u"-l"_s, QString::number(lastPage)};
    if (!password.isEmpty())
        arguments << u"-upw"_s << password;
    arguments << path;
    return {{u"pdfinfo.exe"_s, arguments}, u"pdfinfo.exe "_s + arguments.join(u' ')};
}

int PdfInfoCommand::timeout()
{
    return timeoutMilliseconds;
}

void PdfInfoCommand::setTimeout(int milliseconds)
{
    timeoutMilliseconds = milliseconds;
}
