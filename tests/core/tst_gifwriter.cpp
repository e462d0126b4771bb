#include "core/engine/gifwriter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

QImage flatColours()
{
    QImage image(120, 80, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 60, 40, QColor(200, 30, 30));
    painter.fillRect(60, 0, 60, 40, QColor(20, 160, 60));
    painter.fillRect(0, 40, 60, 40, QColor(30, 40, 210));
    painter.fillRect(60, 40, 60, 40, Qt::white);
    return image;
}

QImage gradient()
{
    QImage image(257, 64, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 255 / 256, 255 - x * 255 / 256, y * 4));
        }
    }
    return image;
}

QImage oneColour(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage greyText()
{
    QImage image(200, 60, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter painter(&image);
    painter.fillRect(10, 10, 180, 4, Qt::black);
    painter.fillRect(10, 30, 90, 20, QColor(128, 128, 128));
    return image;
}

QImage transparentCorner()
{
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(20, 20, 20, 20, QColor(10, 10, 120));
    return image;
}

// The largest difference of one colour channel between the mean colours of two equal blocks.
int blockDifference(const QImage &a, const QImage &b, const QRect &block)
{
    qint64 sum[2][3] = {};
    for (int y = block.top(); y <= block.bottom(); ++y) {
        for (int x = block.left(); x <= block.right(); ++x) {
            const QRgb pixels[2] = {a.pixel(x, y), b.pixel(x, y)};
            for (int i = 0; i < 2; ++i) {
                sum[i][0] += qRed(pixels[i]);
                sum[i][1] += qGreen(pixels[i]);
                sum[i][2] += qBlue(pixels[i]);
            }
        }
    }
    const qint64 count = qint64(block.width()) * block.height();
    int worst = 0;
    for (int c = 0; c < 3; ++c) {
        worst = qMax(worst, int(qAbs(sum[0][c] - sum[1][c]) / count));
    }
    return worst;
}

int worstBlockDifference(const QImage &a, const QImage &b, int side)
{
    int worst = 0;
    for (int y = 0; y < a.height(); y += side) {
        for (int x = 0; x < a.width(); x += side) {
            const QRect block = QRect(x, y, side, side).intersected(a.rect());
            worst = qMax(worst, blockDifference(a, b, block));
        }
    }
    return worst;
}

int distinctColours(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        colours.unite(QSet<QRgb>(line, line + rgb.width()));
    }
    return int(colours.size());
}

GifWriter::Rgba rgba(const QImage &image)
{
    GifWriter::Rgba pixels;
    if (image.isNull())
        return pixels;
    const QImage converted = image.convertToFormat(QImage::Format_RGBA8888);
    pixels.width = converted.width();
    pixels.height = converted.height();
    for (int y = 0; y < converted.height(); ++y) {
        const uchar *line = converted.constScanLine(y);
        pixels.pixels.insert(pixels.pixels.end(), line, line + converted.width() * 4);
    }
    return pixels;
}

QByteArray header(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.read(6);
}

} // namespace

class TestGifWriter : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void replacesExistingFile();
    void unwritableTarget_data();
    void unwritableTarget();
    void rejectedImage_data();
    void rejectedImage();
    void convertsRawPixels_data();
    void convertsRawPixels();
    void unreadableSource_data();
    void unreadableSource();
    void pageTooBigForMemoryIsRefusedUnread();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestGifWriter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestGifWriter::roundTrip_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<int>("blockSide");
    QTest::addColumn<int>("tolerance");

    // Flat colours survive dithering almost exactly, pixel by pixel; a gradient is judged by
    // the mean colour of small blocks, which is what dithering preserves, a little less so at
    // the corners of its colour range.
    QTest::newRow("four flat colours") << flatColours() << flatColours() << 1 << 2;
    QTest::newRow("gradient") << gradient() << gradient() << 8 << 10;
    QTest::newRow("single colour")
        << oneColour(33, 17, qRgb(90, 120, 150)) << oneColour(33, 17, qRgb(90, 120, 150)) << 1 << 2;
    QTest::newRow("single pixel") << oneColour(1, 1, qRgb(255, 0, 0))
                                  << oneColour(1, 1, qRgb(255, 0, 0)) << 1 << 2;
    QTest::newRow("greyscale input") << greyText() << greyText() << 1 << 2;
    // A page of at most 256 colours keeps every one exactly.
    QImage allGreys(256, 3, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 3; ++y)
            allGreys.setPixel(x, y, qRgb(x, x, 255 - x));
    }
    QTest::newRow("256 colours, exactly") << allGreys << allGreys << 1 << 0;
    QImage onWhite(40, 40, QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).fillRect(20, 20, 20, 20, QColor(10, 10, 120));
    QTest::newRow("transparency lands on white") << transparentCorner() << onWhite << 1 << 2;
}

void TestGifWriter::roundTrip()
{
    QFETCH(QImage, image);
    QFETCH(QImage, expected);
    QFETCH(int, blockSide);
    QFETCH(int, tolerance);

    const QString path = m_dir->filePath(u"page.gif"_s);
    QString error;
    QVERIFY2(GifWriter::write(rgba(image), path, &error), qPrintable(error));

    QCOMPARE(header(path), QByteArray("GIF89a"));
    QImage back;
    QVERIFY(back.load(path, "GIF"));
    QCOMPARE(back.size(), image.size());
    QCOMPARE_LE(distinctColours(back), 256);
    const QImage backRgb = back.convertToFormat(QImage::Format_RGB32);
    const QImage expectedRgb = expected.convertToFormat(QImage::Format_RGB32);
    QCOMPARE_LE(worstBlockDifference(expectedRgb, backRgb, blockSide), tolerance);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"page.gif"_s});
}

void TestGifWriter::replacesExistingFile()
{
    const QString path = m_dir->filePath(u"page.gif"_s);
    QVERIFY(GifWriter::write(rgba(oneColour(10, 10, qRgb(255, 0, 0))), path));
    QVERIFY(GifWriter::write(rgba(oneColour(20, 5, qRgb(0, 0, 255))), path));

    const QImage back(path);
    QCOMPARE(back.size(), QSize(20, 5));
    QCOMPARE(back.pixel(3, 3), qRgb(0, 0, 255));
}

void TestGifWriter::unwritableTarget_data()
{
    QTest::addColumn<QString>("relativePath");

    QTest::newRow("missing folder") << u"missing/page.gif"_s;
    QTest::newRow("folder is a file") << u"plain.txt/page.gif"_s;
    QTest::newRow("target is a folder") << u"folder"_s;
}

void TestGifWriter::unwritableTarget()
{
    QFETCH(QString, relativePath);

    QFile plain(m_dir->filePath(u"plain.txt"_s));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(QDir(m_dir->path()).mkdir(u"folder"_s));
    const QStringList before =
        QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    QString error;
    QVERIFY(!GifWriter::write(rgba(flatColours()), m_dir->filePath(relativePath), &error));
    QVERIFY(!error.isEmpty());
    QVERIFY2(error.contains(QDir::toNativeSeparators(m_dir->filePath(relativePath))),
             qPrintable(error));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QVERIFY(QDir(m_dir->filePath(u"folder"_s)).isEmpty());
}

void TestGifWriter::rejectedImage_data()
{
    QTest::addColumn<QImage>("image");

    QTest::newRow("no image") << QImage();
    QTest::newRow("wider than GIF allows") << oneColour(65536, 1, qRgb(0, 0, 0));
    QTest::newRow("taller than GIF allows") << oneColour(1, 65536, qRgb(0, 0, 0));
}

void TestGifWriter::rejectedImage()
{
    QFETCH(QImage, image);

    const QString path = m_dir->filePath(u"page.gif"_s);
    QVERIFY(GifWriter::write(rgba(flatColours()), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    file.close();

    QString error;
    QVERIFY(!GifWriter::write(rgba(image), path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), original);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{u"page.gif"_s});
}

void TestGifWriter::convertsRawPixels_data()
{
    QTest::addColumn<QString>("sourceName");
    QTest::addColumn<QString>("targetName");
    QTest::addColumn<QImage::Format>("format");

    QTest::newRow("colour") << u"page.ppm"_s << u"page.gif"_s << QImage::Format_RGB888;
    QTest::newRow("grey") << u"page.pgm"_s << u"page.gif"_s << QImage::Format_Grayscale8;
    QTest::newRow("in place") << u"page.gif"_s << u"page.gif"_s << QImage::Format_RGB888;
}

void TestGifWriter::convertsRawPixels()
{
    QFETCH(QString, sourceName);
    QFETCH(QString, targetName);
    QFETCH(QImage::Format, format);

    const QString source = m_dir->filePath(sourceName);
    const QString target = m_dir->filePath(targetName);
    const QImage page = flatColours().convertToFormat(format);
    QVERIFY(page.save(source, format == QImage::Format_RGB888 ? "PPM" : "PGM"));

    QString error;
    QVERIFY2(GifWriter::convertFile(source, target, &error), qPrintable(error));
    QCOMPARE(header(target), QByteArray("GIF89a"));
    const QImage back(target, "GIF");
    QCOMPARE(back.size(), page.size());
    QCOMPARE(back.pixel(10, 10), page.pixel(10, 10));
}

void TestGifWriter::unreadableSource_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");

    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("garbage") << QByteArray("this is not an image at all") << true;
    QTest::newRow("truncated") << QByteArray("P6\n4 4\n255\n0123456789") << true;
}

void TestGifWriter::unreadableSource()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);

    const QString source = m_dir->filePath(u"page.ppm"_s);
    if (exists) {
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString target = m_dir->filePath(u"page.gif"_s);

    QString error;
    QVERIFY(!GifWriter::convertFile(source, target, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(source)), qPrintable(error));
    QVERIFY(!QFile::exists(target));
}

// A small file whose header claims 30000 x 30000 pixels: refused from the header, never read.
void TestGifWriter::pageTooBigForMemoryIsRefusedUnread()
{
    const QString source = m_dir->filePath(u"page.ppm"_s);
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("P6\n30000 30000\n255\n\0\0\0") > 0);
    file.close();

    QString error;
    QVERIFY(!GifWriter::convertFile(source, m_dir->filePath(u"page.gif"_s), &error));
    QVERIFY2(error.contains(u"30000 x 30000"_s), qPrintable(error));
}

QTEST_MAIN(TestGifWriter)
#include "tst_gifwriter.moc"
