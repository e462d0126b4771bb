#include "core/platform/terminationsignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>

class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void signalReachesTheEventLoop_data();
    void signalReachesTheEventLoop();
};

void tst_TerminationSignals::signalReachesTheEventLoop_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void tst_TerminationSignals::signalReachesTheEventLoop()
{
    QFETCH(int, signalNumber);
    TerminationSignals termination;
    QSignalSpy received(&termination, &TerminationSignals::received);
    // Without the handler the signal would end this test process.
    QCOMPARE(std::raise(signalNumber), 0);
    QVERIFY(received.isEmpty());
    QTRY_COMPARE(received.size(), 1);
    QCOMPARE(received.first().first().toInt(), signalNumber);
}

QTEST_GUILESS_MAIN(tst_TerminationSignals)
#include "tst_terminationsignals.moc"
