// A file's page ranges: how they are cut, which range a free worker takes pages from, which
// range renders a page after a cut, and the pages begun for the progress bar.
#include "core/engine/rendertasks.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// "first+count" of each range, in the tasks' order.
QStringList layout(const RenderTasks &tasks)
{
    QStringList ranges;
    for (int range = 0; range < tasks.size(); ++range)
        ranges << u"%1+%2"_s.arg(tasks[range].first).arg(tasks[range].count);
    return ranges;
}

} // namespace

class tst_RenderTasks : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void takeLaterHalf_data();
    void takeLaterHalf();
    void cutRangeCountsItsOwnPagesOnly();
    void mostLeft_data();
    void mostLeft();
};

void tst_RenderTasks::split_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("ranges");
    QTest::newRow("nearly equal") << 10 << 2 << QStringList{u"0+5"_s, u"5+5"_s};
    QTest::newRow("the last is longer") << 14 << 3 << QStringList{u"0+4"_s, u"4+5"_s, u"9+5"_s};
    QTest::newRow("too few for another run") << 7 << 4 << QStringList{u"0+7"_s};
    QTest::newRow("one page") << 1 << 8 << QStringList{u"0+1"_s};
}

void tst_RenderTasks::split()
{
    QFETCH(int, pages);
    QFETCH(int, runs);
    QFETCH(QStringList, ranges);
    RenderTasks tasks;
    tasks.split(pages, runs);
    QCOMPARE(layout(tasks), ranges);
}

void tst_RenderTasks::takeLaterHalf_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QList<int>>("begun"); // by each range of an even split
    QTest::addColumn<QStringList>("ranges");
    // The range of each distinct page after the cut.
    QTest::addColumn<QList<int>>("rangeOfPage");

    QTest::newRow("the first of two ranges")
        << 16 << QList<int>{0, 2} << QStringList{u"0+4"_s, u"8+8"_s, u"4+4"_s}
        << QList<int>{0, 0, 0, 0, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1};
    QTest::newRow("the range with the most left")
        << 24 << QList<int>{10, 3} << QStringList{u"0+12"_s, u"12+7"_s, u"19+5"_s}
        << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2};
    QTest::newRow("too few left") << 10 << QList<int>{3} << QStringList{u"0+10"_s} << QList<int>();
}

void tst_RenderTasks::takeLaterHalf()
{
    QFETCH(int, pages);
    QFETCH(QList<int>, begun);
    QFETCH(QStringList, ranges);
    QFETCH(QList<int>, rangeOfPage);
    RenderTasks tasks;
    tasks.split(pages, int(begun.size()));
    for (int range = 0; range < tasks.size(); ++range)
        tasks[range].begun = begun.at(range);
    QCOMPARE(tasks.takeLaterHalf() >= 0, ranges.size() > begun.size());
    QCOMPARE(layout(tasks), ranges);
    for (int index = 0; index < rangeOfPage.size(); ++index)
        QCOMPARE(tasks.rangeOf(index), rangeOfPage.at(index));
    const bool cut = ranges.size() > begun.size();
    QCOMPARE(tasks[0].cut || tasks[begun.size() - 1].cut, cut);
}

// A cut renderer begins the page after its own before it is stopped: counted, that page would
// be counted twice, once for each range.
void tst_RenderTasks::cutRangeCountsItsOwnPagesOnly()
{
    RenderTasks tasks;
    tasks.split(16, 1);
    tasks[0].begun = 2;
    QCOMPARE(tasks.takeLaterHalf(), 1);
    QCOMPARE(layout(tasks), (QStringList{u"0+9"_s, u"9+7"_s}));
    tasks[0].begun = 10;
    tasks[0].completed = 8;
    QVERIFY(!tasks[0].ownPagesDone());
    tasks[0].completed = 9;
    QVERIFY(tasks[0].ownPagesDone());
    tasks[1].begun = 7;
    // Two images of each page, a copy included.
    QCOMPARE(tasks.imagesBegun(QList<int>(16, 2)), 32);
    QCOMPARE(tasks.going(), 2);
    tasks[1].ended = true;
    QCOMPARE(tasks.going(), 1);
}

void tst_RenderTasks::mostLeft_data()
{
    QTest::addColumn<QList<int>>("left");
    QTest::addColumn<int>("most");
    QTest::newRow("none") << QList<int>() << -1;
    QTest::newRow("two big files and a small one ending") << QList<int>{9, 0, 20} << 2;
    QTest::newRow("the first of equals") << QList<int>{3, 12, 12} << 1;
}

void tst_RenderTasks::mostLeft()
{
    QFETCH(QList<int>, left);
    QFETCH(int, most);
    QCOMPARE(RenderTasks::mostLeft(left), most);
}

QTEST_GUILESS_MAIN(tst_RenderTasks)
#include "tst_rendertasks.moc"
