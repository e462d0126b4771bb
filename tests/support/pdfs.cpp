#include "pdfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryFile>

using namespace Qt::Literals::StringLiterals;

bool Pdfs::write(const QString &path, int pages, const QPageSize &size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QPdfWriter writer(path);
    writer.setPageSize(size);
    writer.setResolution(72);
    writer.setTitle(u"Test document"_s);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            writer.newPage();
        const QRect area = painter.viewport();
        painter.fillRect(QRect(20, 20, 120, 60), QColor(200, 30, 30));
        QFont font = painter.font();
        font.setPixelSize(96);
        painter.setFont(font);
        painter.drawText(area, Qt::AlignCenter, QString::number(page));
    }
    return painter.end();
}

bool Pdfs::writePhoto(const QString &path)
{
    QImage photo(600, 850, QImage::Format_RGB32);
    QRandomGenerator random(26);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x) {
            const int noise = int(random.bounded(96));
            photo.setPixel(x, y,
                           qRgb((x * 255 / photo.width() + noise) % 256, noise * 2,
                                (y * 255 / photo.height() + noise) % 256));
        }
    }
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    painter.drawImage(painter.viewport(), photo);
    return painter.end();
}

bool Pdfs::encrypt(const QString &source, const QString &target, const QString &userPassword,
                   const QString &ownerPassword)
{
    // The passwords go through an argument file, so that tests which look for them on command
    // lines never find the test's own.
    QTemporaryFile arguments;
    if (!arguments.open())
        return false;
    const QStringList lines = {u"--encrypt"_s, userPassword, ownerPassword, u"256"_s,
                               u"--"_s,        source,       target};
    arguments.write(lines.join(u'\n').toUtf8() + '\n');
    arguments.close();
    QProcess qpdf;
    qpdf.start(u"qpdf"_s, {u'@' + arguments.fileName()});
    return qpdf.waitForFinished(30000) && qpdf.exitStatus() == QProcess::NormalExit &&
           qpdf.exitCode() == 0;
}

bool Pdfs::truncate(const QString &source, const QString &target, double fraction)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = in.readAll();
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return out.write(bytes.left(qsizetype(bytes.size() * fraction))) >= 0;
}
