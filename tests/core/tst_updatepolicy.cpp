#include "core/update/updatepolicy.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestUpdatePolicy final : public QObject
{
    Q_OBJECT

private slots:
    void versionLine_data();
    void versionLine();
    void versionDiffers_data();
    void versionDiffers();
    void intervalPassed_data();
    void intervalPassed();
};

void TestUpdatePolicy::versionLine_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << QByteArray("2.2.2.24\n") << u"2.2.2.24"_s;
    QTest::newRow("CR LF") << QByteArray("2.2.2.24\r\n") << u"2.2.2.24"_s;
    QTest::newRow("bare line") << QByteArray("2.2.2.24") << u"2.2.2.24"_s;
    QTest::newRow("bare line with CR") << QByteArray("2.2.2.24\r") << u"2.2.2.24"_s;
    QTest::newRow("more lines") << QByteArray("2.2.2.25\r\nnotes\r\n") << u"2.2.2.25"_s;
    QTest::newRow("trailing space kept") << QByteArray("2.2.2.24 \n") << u"2.2.2.24 "_s;
    QTest::newRow("empty first line") << QByteArray("\n2.2.2.25\n") << QString();
    QTest::newRow("no body") << QByteArray() << QString();
}

void TestUpdatePolicy::versionLine()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QCOMPARE(UpdatePolicy::versionLine(body), expected);
}

void TestUpdatePolicy::versionDiffers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("installed");
    QTest::addColumn<bool>("expected");
    QTest::newRow("same, bare") << QByteArray("2.2.2.24") << u"2.2.2.24"_s << false;
    QTest::newRow("same, CR LF") << QByteArray("2.2.2.24\r\nnotes") << u"2.2.2.24"_s << false;
    QTest::newRow("newer") << QByteArray("2.2.2.25\n") << u"2.2.2.24"_s << true;
    QTest::newRow("older") << QByteArray("2.2.2.23\n") << u"2.2.2.24"_s << true;
    QTest::newRow("no answer") << QByteArray() << u"2.2.2.24"_s << true;
    QTest::newRow("nothing installed") << QByteArray("2.2.2.24\n") << QString() << true;
}

void TestUpdatePolicy::versionDiffers()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, installed);
    QFETCH(bool, expected);
    QCOMPARE(UpdatePolicy::versionDiffers(body, installed), expected);
}

void TestUpdatePolicy::intervalPassed_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("updateTime");
    QTest::addColumn<bool>("expected");

    // today is 2025-03-01, so a week ago crosses the end of February
    const struct
    {
        const char *name;
        QString updateTime;
        bool daily;
        bool weekly;
    } cases[] = {
        {"today", u"20250301"_s, false, false},     {"yesterday", u"20250228"_s, true, false},
        {"6 days ago", u"20250223"_s, true, false}, {"7 days ago", u"20250222"_s, true, true},
        {"empty", QString(), true, true},           {"malformed", u"2025-02-22"_s, true, true},
        {"no such day", u"20250230"_s, true, true}, {"tomorrow", u"20250302"_s, true, false},
    };
    for (const auto &c : cases) {
        QTest::addRow("daily, %s", c.name) << 0 << c.updateTime << c.daily;
        QTest::addRow("weekly, %s", c.name) << 1 << c.updateTime << c.weekly;
    }
    QTest::newRow("other model is weekly") << 2 << u"20250223"_s << false;
}

void TestUpdatePolicy::intervalPassed()
{
    QFETCH(int, model);
    QFETCH(QString, updateTime);
    QFETCH(bool, expected);
    QCOMPARE(UpdatePolicy::intervalPassed(model, updateTime, QDate(2025, 3, 1)), expected);
}

QTEST_APPLESS_MAIN(TestUpdatePolicy)
#include "tst_updatepolicy.moc"
