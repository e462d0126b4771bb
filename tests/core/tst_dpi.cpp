#include "core/options/dpi.h"
#include "core/options/pagescale.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(PageScale)

class TestDpi final : public QObject
{
    Q_OBJECT

private slots:
    void clamp_data();
    void clamp();
    void pixelSize_data();
    void pixelSize();
    void scaledAsPdftoppm_data();
    void scaledAsPdftoppm();
};

void TestDpi::clamp_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("in range") << u"120"_s << 120;
    QTest::newRow("lowest") << u"70"_s << 70;
    QTest::newRow("highest") << u"1000"_s << 1000;
    QTest::newRow("too high") << u"5000"_s << 1000;
    QTest::newRow("just too high") << u"1001"_s << 1000;
    QTest::newRow("too low") << u"69"_s << 70;
    QTest::newRow("negative") << u"-5"_s << 70;
    QTest::newRow("not a number") << u"abc"_s << 70;
    QTest::newRow("empty") << QString() << 70;
    QTest::newRow("number with letters") << u"300dpi"_s << 70;
    QTest::newRow("beyond int") << u"99999999999"_s << 1000;
    QTest::newRow("beyond 64 bits") << u"99999999999999999999999"_s << 1000;
    QTest::newRow("negative beyond 64 bits") << u"-99999999999999999999999"_s << 70;
}

void TestDpi::clamp()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(Dpi::clamp(text), expected);
}

void TestDpi::pixelSize_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("below range") << 50 << QSize(587, 830);
    QTest::newRow("70") << 70 << QSize(587, 830);
    QTest::newRow("71") << 71 << QSize(595, 842);
    QTest::newRow("72") << 72 << QSize(603, 854);
    QTest::newRow("73") << 73 << QSize(596, 841);
    QTest::newRow("74") << 74 << QSize(604, 853);
    QTest::newRow("75") << 75 << QSize(612, 865);
    QTest::newRow("76") << 76 << QSize(620, 877);
    QTest::newRow("120") << 120 << QSize(983, 1394);
    QTest::newRow("300") << 300 << QSize(2468, 3509);
    QTest::newRow("1000") << 1000 << QSize(8243, 11734);
    QTest::newRow("huge counts as 1000") << std::numeric_limits<int>::max() << QSize(8243, 11734);
}

void TestDpi::pixelSize()
{
    QFETCH(int, dpi);
    QFETCH(QSize, expected);
    QCOMPARE(Dpi::pixelSize(dpi), expected);
}

void TestDpi::scaledAsPdftoppm_data()
{
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<PageScale>("scale");
    QTest::addColumn<QSize>("pixels");
    // What pdftoppm 22.12 writes (-scale-to-y -1 with -scale-to-x alone, and the reverse).
    const QSizeF letter(612, 792);
    const QSizeF a4(595, 842);
    const QSizeF odd(609.714, 789.041);
    QTest::newRow("A4 at 300: parts of pixels count")
        << a4 << 0 << PageScale{300} << QSize(2480, 3509);
    QTest::newRow("Letter at 300: no part of a pixel")
        << letter << 0 << PageScale{300} << QSize(2550, 3300);
    QTest::newRow("odd page at 120") << odd << 0 << PageScale{120} << QSize(1017, 1316);
    QTest::newRow("thumbnail at 7") << letter << 0 << PageScale{7} << QSize(60, 77);
    QTest::newRow("scale-to, upright") << a4 << 0 << PageScale{120, 200} << QSize(142, 200);
    QTest::newRow("scale-to, landscape")
        << a4.transposed() << 0 << PageScale{120, 200} << QSize(200, 142);
    QTest::newRow("scale-to, turned") << letter << 90 << PageScale{120, 100} << QSize(100, 78);
    QTest::newRow("scale-to, narrow")
        << QSizeF(100, 3000) << 0 << PageScale{120, 100} << QSize(4, 100);
    // pdftoppm divides first here: 150.00000000000003 pixels make 151.
    QTest::newRow("scale-to, a part in the division")
        << QSizeF(1000, 500) << 0 << PageScale{120, 300} << QSize(300, 151);
    QTest::newRow("width, no part")
        << QSizeF(1000, 500) << 0 << PageScale{120, 0, 300} << QSize(300, 150);
    QTest::newRow("width") << letter << 0 << PageScale{120, 0, 300} << QSize(300, 389);
    QTest::newRow("width, turned: before it is")
        << letter << 90 << PageScale{120, 0, 300} << QSize(389, 300);
    QTest::newRow("height, odd turned")
        << odd << 270 << PageScale{120, 0, 0, 300} << QSize(300, 232);
    QTest::newRow("both") << a4 << 0 << PageScale{120, 0, 300, 100} << QSize(300, 100);
    QTest::newRow("no area") << QSizeF(0, 792) << 0 << PageScale{120, 200} << QSize();
}

void TestDpi::scaledAsPdftoppm()
{
    QFETCH(QSizeF, points);
    QFETCH(int, rotation);
    QFETCH(PageScale, scale);
    QFETCH(QSize, pixels);
    const PageScale::Raster raster = scale.of(points, rotation);
    QCOMPARE(raster.pixels, pixels);
    if (pixels.isEmpty())
        return;
    // The renderer rounds each side to the nearest pixel at the resolution it is given.
    const QSizeF turned = rotation % 180 ? points.transposed() : points;
    QCOMPARE(qRound(turned.width() * raster.xDpi / 72), pixels.width());
    QCOMPARE(qRound(turned.height() * raster.yDpi / 72), pixels.height());
}

QTEST_APPLESS_MAIN(TestDpi)
#include "tst_dpi.moc"
