#include "core/pdf/probeanswer.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

ProbeAnswer::Answer opened(int pages)
{
    ProbeAnswer::Answer answer;
    answer.outcome = ProbeAnswer::Outcome::Opened;
    answer.info = {QString::number(pages),
                   u"yes (print:yes copy:no)"_s,
                   u"612 x 792 pts (letter)"_s,
                   u"1234 bytes"_s,
                   u"1.7"_s,
                   u"Sat Feb  8 12:23:13 2025 UTC"_s,
                   1234};
    for (int page = 0; page < pages; ++page)
        answer.boxes.append({QSizeF(page == 0 ? 612 : 595.28, 792), page == 0 ? 0 : 90});
    return answer;
}

} // namespace

class TstProbeAnswer final : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void refused_data();
    void refused();
};

void TstProbeAnswer::roundTrip_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("boxes");
    QTest::newRow("opened") << int(ProbeAnswer::Outcome::Opened) << 2 << 2;
    // The page count stays; the room of their images is unknown.
    QTest::newRow("boxes too many to send") << int(ProbeAnswer::Outcome::Opened) << 300000 << 0;
    QTest::newRow("wrong password") << int(ProbeAnswer::Outcome::WrongPassword) << 0 << 0;
    QTest::newRow("unreadable") << int(ProbeAnswer::Outcome::Unreadable) << 0 << 0;
}

void TstProbeAnswer::roundTrip()
{
    QFETCH(int, outcome);
    QFETCH(int, pages);
    QFETCH(int, boxes);
    ProbeAnswer::Answer sent;
    if (outcome == int(ProbeAnswer::Outcome::Opened))
        sent = opened(pages);
    sent.outcome = ProbeAnswer::Outcome(outcome);
    const QByteArray bytes = ProbeAnswer::encode(sent);
    QVERIFY(bytes.size() <= ProbeAnswer::maxBytes);
    const std::optional<ProbeAnswer::Answer> read = ProbeAnswer::decode(bytes);
    QVERIFY(read);
    QCOMPARE(int(read->outcome), outcome);
    QCOMPARE(read->info.pages, sent.info.pages);
    QCOMPARE(read->info.creationDate, sent.info.creationDate);
    QCOMPARE(read->info.fileSizeBytes, outcome == 0 ? 1234 : -1);
    QCOMPARE(read->boxes.size(), boxes);
    for (int page = 0; page < boxes; ++page) {
        QCOMPARE(read->boxes.at(page).points, sent.boxes.at(page).points);
        QCOMPARE(read->boxes.at(page).rotation, sent.boxes.at(page).rotation);
    }
}

void TstProbeAnswer::refused_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to"); // replaces from in a good answer of two pages
    const QByteArray all = ProbeAnswer::encode(opened(2));
    QTest::newRow("not JSON") << all << QByteArray("Pages: 2");
    QTest::newRow("not an object") << all << QByteArray("[]");
    QTest::newRow("unknown outcome") << QByteArray("\"opened\"") << QByteArray("\"open\"");
    QTest::newRow("a key more") << QByteArray("{") << QByteArray("{\"x\":1,");
    QTest::newRow("a key less") << QByteArray("\"pages\":\"2\",") << QByteArray();
    QTest::newRow("a page count that is no number")
        << QByteArray("\"pages\":\"2\"") << QByteArray("\"pages\":\"2x\"");
    QTest::newRow("a page count as no one prints it")
        << QByteArray("\"pages\":\"2\"") << QByteArray("\"pages\":\"02\"");
    QTest::newRow("a size as text") << QByteArray(":1234") << QByteArray(":\"1234\"");
    QTest::newRow("sizes that disagree") << QByteArray(":1234") << QByteArray(":1235");
    QTest::newRow("a negative size") << QByteArray("1234") << QByteArray("-1");
    QTest::newRow("a box fewer than pages") << QByteArray("[612,792,0],") << QByteArray();
    QTest::newRow("a negative box") << QByteArray("[612,") << QByteArray("[-612,");
    QTest::newRow("a box of two numbers") << QByteArray("[612,792,0]") << QByteArray("[612,792]");
    QTest::newRow("a quarter turn it cannot be") << QByteArray(",90]") << QByteArray(",45]");
    QTest::newRow("longer than read") << all << all + QByteArray(ProbeAnswer::maxBytes, ' ');
    QTest::newRow("a refusal with more to say")
        << all << QByteArray("{\"outcome\":\"wrong password\",\"pages\":\"2\"}");
}

void TstProbeAnswer::refused()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    const QByteArray good = ProbeAnswer::encode(opened(2));
    QVERIFY2(good.contains(from), good);
    QVERIFY(ProbeAnswer::decode(good));
    QVERIFY(!ProbeAnswer::decode(QByteArray(good).replace(from, to)));
}

QTEST_GUILESS_MAIN(TstProbeAnswer)
#include "tst_probeanswer.moc"
