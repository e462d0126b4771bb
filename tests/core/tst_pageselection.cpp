#include "core/options/pageselection.h"

#include <QElapsedTimer>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using PageSelection::Typed;

Q_DECLARE_METATYPE(PageSelection::Typed)

class TestPageSelection final : public QObject
{
    Q_OBJECT

private slots:
    void allPagesWords_data();
    void allPagesWords();
    void hintTexts_data();
    void hintTexts();
    void checkTyped_data();
    void checkTyped();
    void elementValid_data();
    void elementValid();
    void rangesValid_data();
    void rangesValid();
    void pages_data();
    void pages();
    void acceptedTextsOnlyGiveExistingPages();
    void longTextsStayFast();
};

void TestPageSelection::allPagesWords_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("All") << u"All"_s << true;
    QTest::newRow("alle") << u"alle"_s << true;
    QTest::newRow("Tout") << u"Tout"_s << true;
    QTest::newRow("Chinese") << u"全部"_s << true;
    QTest::newRow("lower case") << u"all"_s << false;
    QTest::newRow("German capitalised") << u"Alle"_s << false;
    QTest::newRow("trailing space") << u"All "_s << false;
    QTest::newRow("empty") << QString() << false;
}

void TestPageSelection::allPagesWords()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(PageSelection::isAllPagesWord(text), expected);
}

void TestPageSelection::hintTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("English") << u"Page:example(1,3,7-9)"_s << true;
    QTest::newRow("Japanese") << u"ページ範囲"_s << true;
    QTest::newRow("German") << u"Seite:z.B.(1,3,5-7)"_s << true;
    QTest::newRow("French") << u"Gamme de page, par exemple (1,3,5-7)"_s << true;
    QTest::newRow("edited hint") << u"Page:example(1,3,7-8)"_s << false;
    QTest::newRow("page list") << u"1,3,7-9"_s << false;
}

void TestPageSelection::hintTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(PageSelection::isHintText(text), expected);
}

void TestPageSelection::checkTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<Typed>("expected");

    QTest::newRow("hint") << u"Page:example(1,3,7-9)"_s << 9 << Typed::Ignored;
    QTest::newRow("French hint, its comma ignored")
        << u"Gamme de page, par exemple (1,3,5-7)"_s << 9 << Typed::Ignored;

    QTest::newRow("list within 9 pages") << u"1,3,7-9"_s << 9 << Typed::Accepted;
    QTest::newRow("list beyond 8 pages") << u"1,3,7-9"_s << 8 << Typed::Rejected;
    QTest::newRow("all-pages word, no pages") << u"Tout"_s << 0 << Typed::Accepted;
    QTest::newRow("emptied field") << QString() << 5 << Typed::Accepted;
    QTest::newRow("trailing comma") << u"1,2,"_s << 5 << Typed::Accepted;
    // Ranges that do not run upwards are left to the commit-time check.
    QTest::newRow("equal ends") << u"3-3"_s << 5 << Typed::Accepted;
    QTest::newRow("downwards") << u"5-2"_s << 5 << Typed::Accepted;
    QTest::newRow("open end") << u"3-"_s << 5 << Typed::Accepted;

    QTest::newRow("leading zero") << u"01"_s << 5 << Typed::Rejected;
    QTest::newRow("leading zero, 2nd element") << u"1,03"_s << 5 << Typed::Rejected;
    QTest::newRow("range end with zero") << u"1-05"_s << 5 << Typed::Rejected;
    QTest::newRow("page 0") << u"0"_s << 5 << Typed::Rejected;
    QTest::newRow("starts with dash") << u"-2"_s << 5 << Typed::Rejected;
    QTest::newRow("starts with comma") << u",2"_s << 5 << Typed::Rejected;
    QTest::newRow("double comma") << u"1,,2"_s << 5 << Typed::Rejected;
    QTest::newRow("double dash") << u"1--2"_s << 5 << Typed::Rejected;
    QTest::newRow("dash comma") << u"1-,2"_s << 5 << Typed::Rejected;
    QTest::newRow("comma dash") << u"1,-2"_s << 5 << Typed::Rejected;
    QTest::newRow("two dashes") << u"1-2-3"_s << 5 << Typed::Rejected;
    QTest::newRow("space") << u"1 2"_s << 5 << Typed::Rejected;
    QTest::newRow("semicolon") << u"1;2"_s << 5 << Typed::Rejected;
    QTest::newRow("full-width digit") << u"１"_s << 5 << Typed::Rejected;
    QTest::newRow("Arabic-Indic digit") << u"٣"_s << 5 << Typed::Rejected;
    QTest::newRow("all-pages word in list") << u"1,All"_s << 5 << Typed::Rejected;

    QTest::newRow("no pages, page 1") << u"1"_s << 0 << Typed::Rejected;
    QTest::newRow("one page, page 1") << u"1"_s << 1 << Typed::Accepted;
    QTest::newRow("one page, page 2") << u"2"_s << 1 << Typed::Rejected;
    QTest::newRow("one page, range to 2") << u"1-2"_s << 1 << Typed::Rejected;

    // Numbers too large for int must not wrap around into the document.
    QTest::newRow("page beyond int") << u"99999999999"_s << 5 << Typed::Rejected;
    QTest::newRow("2^32 + 1") << u"4294967297"_s << 5 << Typed::Rejected;
    QTest::newRow("range end beyond int") << u"1-99999999999"_s << 5 << Typed::Rejected;
    QTest::newRow("range start beyond int") << u"4294967297-2"_s << 5 << Typed::Rejected;
}

void TestPageSelection::checkTyped()
{
    QFETCH(QString, text);
    QFETCH(int, pageCount);
    QFETCH(Typed, expected);
    QCOMPARE(PageSelection::checkTyped(text, pageCount), expected);
}

void TestPageSelection::elementValid_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("expected");
    // all with a page count of 5
    QTest::newRow("last page") << u"5"_s << true;
    QTest::newRow("beyond") << u"6"_s << false;
    QTest::newRow("empty counts as 0") << QString() << true;
    QTest::newRow("range") << u"2-5"_s << true;
    QTest::newRow("range beyond") << u"2-6"_s << false;
    QTest::newRow("range start beyond") << u"6-2"_s << false;
    QTest::newRow("range from 0") << u"0-3"_s << false;
    QTest::newRow("range without start") << u"-3"_s << false;
    QTest::newRow("range end with zero") << u"3-05"_s << false;
    QTest::newRow("open end") << u"3-"_s << true;
    QTest::newRow("split at the last dash") << u"2-3-4"_s << false;
}

void TestPageSelection::elementValid()
{
    QFETCH(QString, element);
    QFETCH(bool, expected);
    QCOMPARE(PageSelection::elementValid(element, 5), expected);
}

void TestPageSelection::rangesValid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("all-pages word") << u"alle"_s << true;
    QTest::newRow("list") << u"1,3,7-9"_s << true;
    QTest::newRow("trailing comma") << u"1,2,"_s << true;
    QTest::newRow("equal ends") << u"3-3"_s << false;
    QTest::newRow("downwards") << u"5-2"_s << false;
    QTest::newRow("open end") << u"3-"_s << false;
    QTest::newRow("bad range first") << u"4-1,7-9"_s << false;
    QTest::newRow("huge equal ends") << u"99999999999-99999999999"_s << false;
}

void TestPageSelection::rangesValid()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(PageSelection::rangesValid(text), expected);
}

void TestPageSelection::pages_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("All") << u"All"_s << 3 << QList<int>{1, 2, 3};
    QTest::newRow("Chinese all") << u"全部"_s << 2 << QList<int>{1, 2};
    QTest::newRow("All, one page") << u"alle"_s << 1 << QList<int>{1};
    QTest::newRow("All, no pages") << u"Tout"_s << 0 << QList<int>{};
    QTest::newRow("lower-case all is no word") << u"all"_s << 3 << QList<int>{};
    QTest::newRow("list") << u"1,3,7-9"_s << 9 << QList<int>{1, 3, 7, 8, 9};
    QTest::newRow("sorted") << u"7-9,1"_s << 9 << QList<int>{1, 7, 8, 9};
    QTest::newRow("duplicates kept") << u"2,2"_s << 3 << QList<int>{2, 2};
    QTest::newRow("overlap kept") << u"2-4,3"_s << 5 << QList<int>{2, 3, 3, 4};
    QTest::newRow("trailing comma") << u"1,2,"_s << 5 << QList<int>{1, 2};
    QTest::newRow("missing pages dropped") << u"0,4,2"_s << 3 << QList<int>{2};
    QTest::newRow("huge range end") << u"2-99999999999"_s << 3 << QList<int>{2, 3};
}

void TestPageSelection::pages()
{
    QFETCH(QString, selection);
    QFETCH(int, pageCount);
    QFETCH(QList<int>, expected);
    QCOMPARE(PageSelection::pages(selection, pageCount), expected);
}

// Every text of up to five characters from the selection alphabet that passes both checks
// renders only pages the document has.
void TestPageSelection::acceptedTextsOnlyGiveExistingPages()
{
    const QString alphabet = u"0129-,"_s;
    QStringList texts = {QString()};
    for (qsizetype start = 0, length = 0; length < 5; ++length) {
        const qsizetype end = texts.size();
        for (qsizetype i = start; i < end; ++i) {
            for (const QChar c : alphabet)
                texts.append(texts.at(i) + c);
        }
        start = end;
    }
    for (int pageCount = 0; pageCount <= 10; ++pageCount) {
        for (const QString &text : std::as_const(texts)) {
            if (PageSelection::checkTyped(text, pageCount) != Typed::Accepted ||
                !PageSelection::rangesValid(text))
                continue;
            for (const int page : PageSelection::pages(text, pageCount)) {
                if (page < 1 || page > pageCount)
                    QFAIL(qPrintable(
                        u"\"%1\" with %2 pages gives page %3"_s.arg(text).arg(pageCount).arg(
                            page)));
            }
        }
    }
}

void TestPageSelection::longTextsStayFast()
{
    QString ranges;
    for (int i = 0; i < 25000; ++i)
        ranges += u"1-3,"_s;
    const QString digits(100000, u'9');

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(PageSelection::checkTyped(ranges, 3), Typed::Accepted);
    QVERIFY(PageSelection::rangesValid(ranges));
    QCOMPARE(PageSelection::pages(ranges, 3).size(), 75000);
    QCOMPARE(PageSelection::checkTyped(digits, 1000), Typed::Rejected);
    QVERIFY(PageSelection::pages(digits, 1000).isEmpty());
    QVERIFY2(timer.elapsed() < 3000, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
}

QTEST_APPLESS_MAIN(TestPageSelection)
#include "tst_pageselection.moc"
