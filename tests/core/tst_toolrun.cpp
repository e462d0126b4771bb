// One tool run: how it ends (its exit, its watchdog, too much output), the last line of its
// error output, and a stop that takes what the tool started along.
#include "core/platform/toolrun.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class tst_ToolRun : public QObject
{
    Q_OBJECT

private slots:
    void ends_data();
    void ends();
    void killEndsWhatTheToolStarted();
};

void tst_ToolRun::ends_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("watchMs");    // 0: no watchdog
    QTest::addColumn<qint64>("collect"); // below 0: the error tail only
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("timedOut");
    QTest::addColumn<bool>("tooMuch");
    QTest::addColumn<QString>("lastLine");

    QTest::newRow("exit code and last error line")
        << u"echo first >&2; printf '  why it failed \\n\\n' >&2; exit 3"_s << 0 << qint64(-1) << 3
        << false << false << u"why it failed"_s;
    QTest::newRow("quiet too long")
        << u"exec sleep 30"_s << 300 << qint64(-1) << -1 << true << false << QString();
    QTest::newRow("output within its limit")
        << u"echo out; echo err >&2"_s << 0 << qint64(100) << 0 << false << false << u"err"_s;
    QTest::newRow("output without end")
        << u"exec yes"_s << 0 << qint64(10000) << -1 << false << true << QString();
}

void tst_ToolRun::ends()
{
    QFETCH(QString, script);
    QFETCH(int, watchMs);
    QFETCH(qint64, collect);
    QFETCH(int, exitCode);
    QFETCH(bool, timedOut);
    QFETCH(bool, tooMuch);
    QFETCH(QString, lastLine);
    ToolRun tool;
    if (collect >= 0)
        tool.collect(collect);
    QSignalSpy ended(&tool, &ToolRun::ended);
    tool.start(u"/bin/sh"_s, {u"-c"_s, script});
    if (watchMs > 0)
        tool.watch(watchMs);
    QVERIFY(ended.wait(10000));
    QCOMPARE(tool.timedOut(), timedOut);
    QCOMPARE(tool.tooMuchOutput(), tooMuch);
    if (exitCode >= 0)
        QCOMPARE(ended.at(0).at(0).toInt(), exitCode);
    else
        QCOMPARE(ended.at(0).at(1).value<QProcess::ExitStatus>(), QProcess::CrashExit);
    QCOMPARE(tool.lastErrorLine(), lastLine);
    if (collect >= 0 && !tooMuch)
        QCOMPARE(tool.readOutput(), "out\n");
}

void tst_ToolRun::killEndsWhatTheToolStarted()
{
    ToolRun tool;
    tool.start(u"/bin/sh"_s, {u"-c"_s, u"sleep 30 & echo $!; wait"_s});
    QSignalSpy output(&tool, &ToolRun::output);
    QVERIFY(output.wait(10000));
    const QString child = QString::fromLatin1(tool.readOutput()).trimmed();
    QVERIFY(QFileInfo::exists(u"/proc/"_s + child));
    tool.kill();
    QVERIFY(tool.waitForEnd(5000));
    // Gone, or a zombie no one waits for yet.
    const auto gone = [&child] {
        QFile stat(u"/proc/%1/stat"_s.arg(child));
        if (!stat.open(QIODevice::ReadOnly))
            return true;
        const QByteArray fields = stat.readAll();
        return fields.mid(fields.lastIndexOf(')') + 2, 1) == "Z";
    };
    QTRY_VERIFY(gone());
}

QTEST_GUILESS_MAIN(tst_ToolRun)
#include "tst_toolrun.moc"
