#include "core/platform/terminationsignals.h"

#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <unistd.h>

class tst_TerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    void signalReachesTheEventLoop_data();
    void signalReachesTheEventLoop();
    void floodNeverBlocksTheHandler();
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

// Signals arriving faster than the event loop reads them fill the socket; the handler then drops
// them instead of blocking the thread it interrupted. A blocked handler is ended by the alarm.
void tst_TerminationSignals::floodNeverBlocksTheHandler()
{
    TerminationSignals termination;
    QSignalSpy received(&termination, &TerminationSignals::received);
    ::alarm(20);
    for (int sent = 0; sent < 20000; ++sent)
        QCOMPARE(std::raise(SIGHUP), 0);
    ::alarm(0);
    QTRY_VERIFY(!received.isEmpty());
    QCOMPARE(received.first().first().toInt(), int(SIGHUP));
}

QTEST_GUILESS_MAIN(tst_TerminationSignals)
#include "tst_terminationsignals.moc"
