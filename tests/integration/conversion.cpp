#include "conversion.h"
#include "core/engine/completionrecord.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

bool Conversion::run(MainWindowProbe &probe, int timeoutMs)
{
    probe.ui()->stratBtn->click();
    return QTest::qWaitFor([&probe] { return probe.idle(); }, timeoutMs);
}

QSize Conversion::imageSize(const QString &path, const QString &format)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray head = file.read(32);
    if (format == u"PCX") {
        // Manufacturer 10, then the window as four little-endian 16-bit values.
        if (head.size() < 12 || quint8(head.at(0)) != 10)
            return {};
        const auto word = [&head](int at) {
            return qFromLittleEndian<quint16>(head.constData() + at);
        };
        return QSize(word(8) - word(4) + 1, word(10) - word(6) + 1);
    }
    if (format == u"PSD") {
        if (!head.startsWith("8BPS"))
            return {};
        return QSize(int(qFromBigEndian<quint32>(head.constData() + 18)),
                     int(qFromBigEndian<quint32>(head.constData() + 14)));
    }
    QImageReader reader(path);
    const QByteArray expectedFormat = format == u"FAX" || format == u"TIFF"   ? "tiff"
                                      : format == u"JPG" || format == u"JPEG" ? "jpeg"
                                      : format == u"PNGGRAY"                  ? "png"
                                                             : format.toLower().toLatin1();
    if (reader.format() != expectedFormat)
        return {};
    return reader.size();
}

QSize Conversion::expectedSize(const QSizeF &pagePoints, int resolution)
{
    return QSize(qRound(pagePoints.width() * resolution / 72.0),
                 qRound(pagePoints.height() * resolution / 72.0));
}

bool Conversion::closeTo(const QSize &actual, const QSize &expected)
{
    return actual.isValid() && qAbs(actual.width() - expected.width()) <= 1 &&
           qAbs(actual.height() - expected.height()) <= 1;
}

QString Conversion::pausingRenderer(int page, const QString &pidFile)
{
    // A renderer not paced by the program is paced here instead: without -dNOPAUSE it waits for
    // a line after each page, so it never runs past the page it is stopped at.
    return uR"(fifo=$(mktemp -u); mkfifo "$fifo"
feed=/dev/stdin
for argument; do
  shift
  if [ "$argument" = -dNOPAUSE ]; then feed=$(mktemp -u); mkfifo "$feed"; continue; fi
  set -- "$@" "$argument"
done
gs "$@" < "$feed" > "$fifo" &
echo $! > '%2'
[ "$feed" = /dev/stdin ] || exec 3> "$feed"
while IFS= read -r line; do
  printf '%s
' "$line"
  if [ "$line" = "Page %1" ]; then
    kill -STOP $!
    # Lines it wrote ahead wait too, until it is continued.
    while grep -q ') [RSD] ' /proc/$!/stat 2>/dev/null; do sleep 0.01; done
    while grep -q ') [Tt] ' /proc/$!/stat 2>/dev/null; do sleep 0.05; done
  fi
  case $line in Page*) [ "$feed" = /dev/stdin ] || echo >&3 ;; esac
done < "$fifo"
rm -f "$fifo"
[ "$feed" = /dev/stdin ] || rm -f "$feed"
wait $!)"_s.arg(page)
        .arg(pidFile);
}

bool Conversion::processGone(const QString &pidFile)
{
    QFile pid(pidFile);
    if (!pid.open(QIODevice::ReadOnly))
        return false;
    QFile stat(u"/proc/%1/stat"_s.arg(QString::fromLatin1(pid.readAll().trimmed())));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    return stat.readAll().contains(") Z ");
}

QStringList Conversion::filesIn(const QString &folder)
{
    // The completion record is the run's note, not an image.
    QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    files.removeAll(CompletionRecord::fileName);
    return files;
}
