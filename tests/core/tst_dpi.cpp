#include "core/options/dpi.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestDpi final : public QObject
{
    Q_OBJECT

private slots:
    void clamp_data();
    void clamp();
    void pixelSize_data();
    void pixelSize();
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

QTEST_APPLESS_MAIN(TestDpi)
#include "tst_dpi.moc"
