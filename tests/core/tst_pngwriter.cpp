#include "core/engine/pngwriter.h"
#include "core/engine/rawimage.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Every filter's rows, and the tails of rows the wide filters leave, decode to the pixels given,
// packed or padded as the renderer's page memory is.
class tst_PngWriter : public QObject
{
    Q_OBJECT

private slots:
    void decodesToItsPixels_data();
    void decodesToItsPixels();
};

void tst_PngWriter::decodesToItsPixels_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("padding");
    for (const int channels : {1, 3}) {
        for (const int width : {1, 6, 16, 17, 333}) {
            for (const QString &content : {u"noise"_s, u"gradient"_s, u"stripes"_s}) {
                QTest::addRow("%d channels, %d wide, %s", channels, width, qPrintable(content))
                    << channels << width << content << 0;
            }
            QTest::addRow("%d channels, %d wide, stripes, padded", channels, width)
                << channels << width << u"stripes"_s << 7;
        }
    }
}

void tst_PngWriter::decodesToItsPixels()
{
    QFETCH(int, channels);
    QFETCH(int, width);
    QFETCH(QString, content);
    QFETCH(int, padding);
    RawImage image;
    image.width = width;
    image.height = 40;
    image.channels = channels;
    const size_t stride = size_t(width) * size_t(channels);
    image.pixels.resize(stride * size_t(image.height));
    QRandomGenerator random(7);
    for (int y = 0; y < image.height; ++y) {
        for (size_t at = 0; at < stride; ++at) {
            unsigned char &sample = image.pixels[size_t(y) * stride + at];
            if (content == u"noise")
                sample = static_cast<unsigned char>(random.bounded(256));
            else if (content == u"gradient")
                sample = static_cast<unsigned char>(at * 7 + size_t(y) * 3);
            else // runs of equal rows, then rows that differ only on the right
                sample = static_cast<unsigned char>(y / 8 % 2 ? 255 - (at + size_t(y)) % 5 : 200);
        }
    }
    QTemporaryDir folder;
    const QString name = folder.filePath(u"page.png"_s);
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Rows apart by more than their samples, the padding unlike any of them.
    PixelRows rows{image.pixels.data(), width, image.height, channels, stride};
    std::vector<unsigned char> padded;
    for (int y = 0; padding > 0 && y < image.height; ++y) {
        const unsigned char *row = image.pixels.data() + size_t(y) * stride;
        padded.insert(padded.end(), row, row + stride);
        padded.insert(padded.end(), size_t(padding), static_cast<unsigned char>(y * 31));
    }
    if (padding > 0) {
        rows.data = padded.data();
        rows.stride = stride + size_t(padding);
    }
    QString error;
    QVERIFY2(PngWriter::write(rows, QPointF(150, 150), file.handle(), name, &error),
             qPrintable(error));
    file.close();

    const QImage decoded(name);
    QCOMPARE(decoded.size(), QSize(width, image.height));
    QCOMPARE(decoded.dotsPerMeterX(), int(PngWriter::pixelsPerMetre(150)));
    const QImage pixels =
        decoded.convertToFormat(channels == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    for (int y = 0; y < image.height; ++y) {
        QVERIFY2(std::equal(image.pixels.begin() + qsizetype(size_t(y) * stride),
                            image.pixels.begin() + qsizetype(size_t(y + 1) * stride),
                            pixels.constScanLine(y)),
                 qPrintable(u"row %1"_s.arg(y)));
    }
}

QTEST_MAIN(tst_PngWriter)
#include "tst_pngwriter.moc"
