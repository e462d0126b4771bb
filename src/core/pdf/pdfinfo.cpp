#include "core/pdf/pdfinfo.h"

#include <climits>

#include <QDate>
#include <QList>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTime>

using namespace Qt::Literals::StringLiterals;

namespace PdfInfo {

namespace {

// General notation with six significant digits, as the list has always shown sizes, but never
// with an exponent: a value that would need one is printed as a whole number.
QString sixDigits(float value)
{
    const QString text = QString::number(double(value), 'g', 6);
    if (text.contains(u'e'))
        return QString::number(double(value), 'f', 0);
    return text;
}

qint64 byteCount(const QString &fileSize)
{
    QString number = fileSize;
    if (number.endsWith(u"bytes"_s))
        number.chop(5);
    bool ok = false;
    const qint64 bytes = number.trimmed().toLongLong(&ok);
    return ok && bytes >= 0 ? bytes : -1;
}

} // namespace

Info parse(const QByteArray &standardOutput)
{
    Info info;
    const struct
    {
        QString label;
        QString *value;
    } fields[] = {
        {u"Pages:"_s, &info.pages},
        {u"Encrypted:"_s, &info.encrypted},
        {u"Page size:"_s, &info.pageSize},
        {u"File size:"_s, &info.fileSize},
        {u"PDF version:"_s, &info.pdfVersion},
        {u"CreationDate:"_s, &info.creationDate},
    };
    // The last line with a label wins: the tool prints its own lines after the document's
    // metadata, and a title may hold line breaks that look like labels.
    const QList<QByteArray> lines = standardOutput.split('\n');
    for (const QByteArray &bytes : lines) {
        const QString line = QString::fromLocal8Bit(bytes).trimmed();
        for (const auto &field : fields) {
            if (line.startsWith(field.label)) {
                *field.value = line.mid(field.label.size()).trimmed();
                break;
            }
        }
    }
    info.fileSizeBytes = byteCount(info.fileSize);
    return info;
}

QList<PageBox> parsePageBoxes(const QByteArray &standardOutput)
{
    static const QRegularExpression mediaBox(
        uR"(^Page\s+(\d+)\s+MediaBox:\s+(\S+)\s+(\S+)\s+(\S+)\s+(\S+)\s*$)"_s);
    static const QRegularExpression rotation(uR"(^Page\s+(\d+)\s+rot:\s+(-?\d+)\s*$)"_s);
    QMap<int, PageBox> pages;
    QMap<int, bool> rotated;
    const QList<QByteArray> lines = standardOutput.split('\n');
    for (const QByteArray &bytes : lines) {
        const QString line = QString::fromLatin1(bytes).trimmed();
        if (const QRegularExpressionMatch box = mediaBox.match(line); box.hasMatch()) {
            const double x0 = box.captured(2).toDouble();
            const double y0 = box.captured(3).toDouble();
            pages[box.captured(1).toInt()].points = QSizeF(qAbs(box.captured(4).toDouble() - x0),
                                                           qAbs(box.captured(5).toDouble() - y0));
        } else if (const QRegularExpressionMatch rot = rotation.match(line); rot.hasMatch()) {
            pages[rot.captured(1).toInt()].rotation = ((rot.captured(2).toInt() % 360) + 360) % 360;
            rotated[rot.captured(1).toInt()] = true;
        }
    }
    QList<PageBox> boxes;
    for (auto it = pages.cbegin(); it != pages.cend(); ++it) {
        if (it.key() != boxes.size() + 1 || it->points.isEmpty() || !rotated.value(it.key()))
            return {};
        boxes << *it;
    }
    return boxes;
}

QString sizeText(qint64 bytes)
{
    if (bytes < 0)
        return {};
    // Single precision on purpose: the sizes shown must not change from what users know.
    const float kilobytes = float(bytes) * (1.0f / 1024.0f);
    if (kilobytes > 1024.0f) {
        QString text = sixDigits(kilobytes * (1.0f / 1024.0f));
        const qsizetype dot = text.indexOf(u'.');
        if (dot >= 0)
            text.truncate(dot + 3);
        return text + u" M"_s;
    }
    QString text = sixDigits(kilobytes);
    const qsizetype dot = text.indexOf(u'.');
    if (dot >= 0)
        text.truncate(dot);
    return text + u" KB"_s;
}

QString readableDate(const QString &raw)
{
    const QString collapsed = raw.simplified();
    // weekday, month, day, time, year, then the time zone if there is one
    const QStringList parts = collapsed.split(u' ');
    if (parts.size() < 5)
        return collapsed;
    static const QStringList months = {u"Jan"_s, u"Feb"_s, u"Mar"_s, u"Apr"_s, u"May"_s, u"Jun"_s,
                                       u"Jul"_s, u"Aug"_s, u"Sep"_s, u"Oct"_s, u"Nov"_s, u"Dec"_s};
    bool dayOk = false;
    bool yearOk = false;
    const QDate date(parts[4].toInt(&yearOk), int(months.indexOf(parts[1])) + 1,
                     parts[2].toInt(&dayOk));
    const QTime time = QTime::fromString(parts[3], u"HH:mm:ss"_s);
    if (!dayOk || !yearOk || !date.isValid() || !time.isValid())
        return collapsed;
    QString text = date.toString(u"yyyy-MM-dd"_s) + u' ' + time.toString(u"HH:mm:ss"_s);
    if (parts.size() > 5)
        text += u' ' + parts.mid(5).join(u' ');
    return text;
}

} // namespace PdfInfo

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

PdfInfoCommand::Invocation PdfInfoCommand::pageCount(const QString &path)
{
    return {{u"pdfinfo"_s, {path}}, u"pdfinfo"_s + quoted(path)};
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

qint64 PdfInfoCommand::outputLimit()
{
    return 16 * 1024 * 1024;
}
