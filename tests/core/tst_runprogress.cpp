// A run's overall progress: files and pages done, and the time left at the pace so far.
#include "core/engine/runprogress.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_RunProgress : public QObject
{
    Q_OBJECT

private slots:
    void progress_data();
    void progress();
};

void tst_RunProgress::progress_data()
{
    // Three files of 10, 30 and 60 pages; each report is "row:percent", or "row:end".
    QTest::addColumn<QStringList>("reports");
    QTest::addColumn<int>("filesDone");
    QTest::addColumn<int>("pagesDone");
    QTest::addColumn<int>("secondsLeft"); // after 10 seconds; -1: no estimate yet

    QTest::newRow("nothing yet") << QStringList() << 0 << 0 << -1;
    QTest::newRow("half of the second file") << QStringList{u"1:50"_s} << 0 << 15 << 57;
    QTest::newRow("a failed file counts as done")
        << QStringList{u"0:30"_s, u"0:end"_s} << 1 << 10 << 90;
    QTest::newRow("percent out of range") << QStringList{u"2:250"_s, u"1:-5"_s} << 0 << 60 << 7;
    QTest::newRow("all ended") << QStringList{u"0:end"_s, u"1:end"_s, u"2:end"_s} << 3 << 100 << 0;
    QTest::newRow("an unknown row") << QStringList{u"7:50"_s, u"7:end"_s} << 0 << 0 << -1;
}

void tst_RunProgress::progress()
{
    QFETCH(QStringList, reports);
    QFETCH(int, filesDone);
    QFETCH(int, pagesDone);
    QFETCH(int, secondsLeft);
    RunProgress run;
    run.addFile(0, 10);
    run.addFile(1, 30);
    run.addFile(2, 60);
    for (const QString &report : std::as_const(reports)) {
        const int row = report.section(u':', 0, 0).toInt();
        const QString what = report.section(u':', 1);
        if (what == u"end")
            run.endFile(row);
        else
            run.setPercent(row, what.toInt());
    }
    QCOMPARE(run.files(), 3);
    QCOMPARE(run.pages(), 100);
    QCOMPARE(run.filesDone(), filesDone);
    QCOMPARE(run.pagesDone(), pagesDone);
    QCOMPARE(run.fraction(), pagesDone / 100.0);
    QCOMPARE(run.secondsLeft(10000).value_or(-1), secondsLeft);
}

QTEST_GUILESS_MAIN(tst_RunProgress)
#include "tst_runprogress.moc"
