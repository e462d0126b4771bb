// Cutting a plan into shards: every image in exactly one slice, shards of about equal size, a
// joined TIFF never cut.
#include "cli/runplan.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_RunPlan : public QObject
{
    Q_OBJECT

private slots:
    void shards_data();
    void shards();
};

void tst_RunPlan::shards_data()
{
    QTest::addColumn<QList<int>>("images");
    QTest::addColumn<QList<bool>>("whole");
    QTest::addColumn<int>("shards");
    QTest::addColumn<QList<int>>("imagesPerShard");
    QTest::newRow("one big file cut by range")
        << QList<int>{10} << QList<bool>{} << 4 << QList<int>{2, 3, 2, 3};
    QTest::newRow("small files") << QList<int>{3, 3, 3, 3, 3} << QList<bool>{} << 2
                                 << QList<int>{7, 8};
    QTest::newRow("more shards than images")
        << QList<int>{1, 2} << QList<bool>{} << 5 << QList<int>{0, 1, 0, 1, 1};
    QTest::newRow("a joined TIFF stays whole")
        << QList<int>{2, 8, 2} << QList<bool>{false, true, false} << 3 << QList<int>{2, 8, 2};
    QTest::newRow("failed files without images")
        << QList<int>{0, 4, 0} << QList<bool>{} << 2 << QList<int>{2, 2};
    QTest::newRow("one machine") << QList<int>{5, 0, 7} << QList<bool>{false, false, true} << 1
                                 << QList<int>{12};
}

void tst_RunPlan::shards()
{
    QFETCH(QList<int>, images);
    QFETCH(QList<bool>, whole);
    QFETCH(int, shards);
    QFETCH(QList<int>, imagesPerShard);
    QList<QList<int>> owner(images.size());
    for (int file = 0; file < images.size(); ++file)
        owner[file] = QList<int>(qMax(images.at(file), 1), -1);
    QList<int> perShard;
    for (int shard = 0; shard < shards; ++shard) {
        int count = 0;
        for (const RunPlans::Slice &slice : RunPlans::shard(images, whole, shard, shards)) {
            if (whole.value(slice.file) || images.at(slice.file) == 0)
                QCOMPARE(slice.count, images.at(slice.file));
            for (int image = slice.offset; image < slice.offset + qMax(slice.count, 1); ++image) {
                QCOMPARE(owner[slice.file][image], -1);
                owner[slice.file][image] = shard;
            }
            count += slice.count;
        }
        perShard << count;
    }
    QCOMPARE(perShard, imagesPerShard);
    for (const QList<int> &shardOf : std::as_const(owner)) {
        QVERIFY(!shardOf.contains(-1));
        // A file's images go to the shards in order: each slice is one range.
        QVERIFY(std::is_sorted(shardOf.cbegin(), shardOf.cend()));
    }
}

QTEST_APPLESS_MAIN(tst_RunPlan)
#include "tst_runplan.moc"
