// After a run: the ten-second countdown and the session-end request, and what the end of a real
// conversion hands over to them.
#include "core/platform/countdown.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

using Action = SessionEnd::Action;

// Every countdown text the main window sends, when it was sent and how many session-end
// requests had been made by then.
struct Shown
{
    QString text;
    qint64 atMs;
    qsizetype requestsBefore;
};

class CountdownLog final
{
public:
    CountdownLog(MainWindow &window, const TestEnvironment &env)
    {
        clock.start();
        QObject::connect(&window, &MainWindow::setsddlgText, &context,
                         [this, &env](const QString &text) {
                             shown.append({text, clock.elapsed(), env.sessionEnd.requested.size()});
                         });
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown &entry : shown)
            all.append(entry.text);
        return all;
    }

    QList<Shown> shown;

private:
    QElapsedTimer clock;
    QObject context;
};

QString question(int action)
{
    switch (action) {
    case 2:
        return u"  Are you sure to logout the windows!"_s;
    case 3:
        return u"  Are you sure to restart the windows!"_s;
    default:
        return u"  Are you sure to shutdown the windows!"_s;
    }
}

QStringList fullCount(int action)
{
    QStringList texts;
    for (int left = 10; left >= 1; --left)
        texts.append(question(action) + u'(' + QString::number(left) + u')');
    return texts;
}

// Clicks the countdown's button a tick after it has shown a text ending in "ending".
void clickAfter(MainWindow &window, const QString &ending, const QString &button)
{
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = QObject::connect(
        &window, &MainWindow::setsddlgText, &window,
        [connection, ending, button, &window](const QString &text) {
            if (!text.endsWith(ending))
                return;
            QObject::disconnect(*connection);
            QTimer::singleShot(Countdown::interval(), &window, [&window, button] {
                MainWindowProbe(window).countdownDialog().findChild<QPushButton *>(button)->click();
            });
        });
}

} // namespace

class tst_Posttask : public QObject
{
    Q_OBJECT

private slots:
    void countdownRunsOut_data();
    void countdownRunsOut();
    void yesActsAtOnce_data();
    void yesActsAtOnce();
    void noAndCloseButtonCancel_data();
    void noAndCloseButtonCancel();
    void secondCountdownStartsAgain();
    void outOfRangeDuringCountdown_data();
    void outOfRangeDuringCountdown();
    void refusedRequestIsNotRepeated();
    void endOfRunHandsOver_data();
    void endOfRunHandsOver();
    void toastShownAsTheDialogShows_data();
    void toastShownAsTheDialogShows();
    void endOfRunTellsTheTruth_data();
    void endOfRunTellsTheTruth();
};

void tst_Posttask::countdownRunsOut_data()
{
    QTest::addColumn<int>("changeOver");
    QTest::addColumn<Action>("action");
    QTest::newRow("shut down") << 1 << Action::PowerOff;
    QTest::newRow("log off") << 2 << Action::LogOff;
    QTest::newRow("restart") << 3 << Action::Reboot;
}

void tst_Posttask::countdownRunsOut()
{
    QFETCH(int, changeOver);
    QFETCH(Action, action);
    constexpr int tick = 60;
    TestEnvironment env;
    env.writeConfig(u"changeOver"_s, changeOver);
    Countdown::setInterval(tick);
    MainWindow window;
    MainWindowProbe probe(window);
    CountdownLog log(window, env);

    probe.startCountdown(changeOver);

    QCOMPARE(log.texts(), fullCount(changeOver));
    QCOMPARE(env.sessionEnd.requested, QList<Action>{action});
    // A tick apart, starting with "(10)" as the dialog opens; nothing is requested before "(1)"
    // is on screen.
    QVERIFY(log.shown.first().atMs < tick);
    for (qsizetype i = 1; i < log.shown.size(); ++i) {
        QVERIFY2(log.shown[i].atMs - log.shown.first().atMs >= i * tick - tick / 2,
                 qPrintable(log.shown[i].text));
        QCOMPARE(log.shown[i].requestsBefore, 0);
    }
    QCOMPARE(probe.countdownDialog().text(), question(changeOver) + u"(1)"_s);
    QVERIFY(!probe.countdownDialog().isVisible());
}

void tst_Posttask::yesActsAtOnce_data()
{
    countdownRunsOut_data();
}

void tst_Posttask::yesActsAtOnce()
{
    QFETCH(int, changeOver);
    QFETCH(Action, action);
    TestEnvironment env;
    env.writeConfig(u"changeOver"_s, changeOver);
    Countdown::setInterval(60000);
    MainWindow window;
    MainWindowProbe probe(window);
    CountdownLog log(window, env);

    Modal::clickNext(u"Yes"_s, "shutdowndlg");
    QElapsedTimer clock;
    clock.start();
    probe.startCountdown(changeOver);

    QVERIFY(clock.elapsed() < 30000);
    QCOMPARE(env.sessionEnd.requested, QList<Action>{action});
    QCOMPARE(log.texts(), QStringList{question(changeOver) + u"(10)"_s});
}

void tst_Posttask::noAndCloseButtonCancel_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("No") << u"No"_s;
    QTest::newRow("close button") << u"mainCls"_s;
}

void tst_Posttask::noAndCloseButtonCancel()
{
    QFETCH(QString, button);
    constexpr int tick = 30;
    TestEnvironment env;
    env.writeConfig(u"changeOver"_s, 1);
    Countdown::setInterval(tick);
    MainWindow window;
    MainWindowProbe probe(window);
    CountdownLog log(window, env);

    clickAfter(window, u"(7)"_s, button);
    probe.startCountdown(1);
    const QStringList shown = log.texts();
    QTest::qWait(4 * tick);

    // Nothing more is counted once the dialog is gone.
    QCOMPARE(log.texts(), shown);
    QVERIFY(shown.size() >= 4 && shown.size() < 10);
    QCOMPARE(shown, fullCount(1).mid(0, shown.size()));
    QCOMPARE(env.sessionEnd.requested, QList<Action>());
    QVERIFY(!probe.countdownDialog().isVisible());
    QVERIFY(probe.idle());
}

void tst_Posttask::secondCountdownStartsAgain()
{
    constexpr int tick = 30;
    TestEnvironment env;
    env.writeConfig(u"changeOver"_s, 2);
    Countdown::setInterval(tick);
    MainWindow window;
    MainWindowProbe probe(window);

    clickAfter(window, u"(5)"_s, u"No"_s);
    probe.startCountdown(2);

    CountdownLog log(window, env);
    probe.startCountdown(2);
    QCOMPARE(log.texts(), fullCount(2));
    QCOMPARE(env.sessionEnd.requested, QList<Action>{Action::LogOff});

    // And once more after a count that ran out.
    CountdownLog again(window, env);
    probe.startCountdown(2);
    QCOMPARE(again.texts(), fullCount(2));
    QCOMPARE(env.sessionEnd.requested, QList<Action>({Action::LogOff, Action::LogOff}));
}

void tst_Posttask::outOfRangeDuringCountdown_data()
{
    QTest::addColumn<int>("edited");
    QTest::addColumn<bool>("yes"); // met by "Yes" rather than by the next tick
    for (bool yes : {false, true}) {
        const char *by = yes ? "Yes" : "tick";
        QTest::addRow("show information, %s", by) << 0 << yes;
        QTest::addRow("four, %s", by) << 4 << yes;
        QTest::addRow("negative, %s", by) << -1 << yes;
    }
}

void tst_Posttask::outOfRangeDuringCountdown()
{
    QFETCH(int, edited);
    QFETCH(bool, yes);
    const int tick = yes ? 60000 : 30;
    TestEnvironment env;
    env.writeConfig(u"changeOver"_s, 1);
    Countdown::setInterval(tick);
    MainWindow window;
    MainWindowProbe probe(window);
    CountdownLog log(window, env);
    QObject context;
    connect(&window, &MainWindow::setsddlgText, &context, [&env, edited](const QString &text) {
        if (text.endsWith(u"(10)"_s))
            env.writeConfig(u"changeOver"_s, edited);
    });
    if (yes)
        Modal::clickNext(u"Yes"_s, "shutdowndlg");

    probe.startCountdown(1);

    QCOMPARE(env.readConfig(u"changeOver"_s).toInt(), 0);
    QCOMPARE(env.sessionEnd.requested, QList<Action>());
    QCOMPARE(log.texts(), fullCount(1).mid(0, 1));
    QVERIFY(!probe.countdownDialog().isVisible());
}

void tst_Posttask::refusedRequestIsNotRepeated()
{
    constexpr int tick = 20;
    TestEnvironment env;
    env.sessionEnd.accept = false;
    env.writeConfig(u"changeOver"_s, 3);
    Countdown::setInterval(tick);
    MainWindow window;
    MainWindowProbe probe(window);
    CountdownLog log(window, env);
    bool stillOpen = false;
    QObject context;
    connect(&window, &MainWindow::setsddlgText, &context, [&](const QString &text) {
        if (text.endsWith(u')'))
            return;
        QTimer::singleShot(5 * tick, &context, [&] {
            stillOpen = probe.countdownDialog().isVisible();
            probe.countdownDialog().findChild<QPushButton *>(u"No"_s)->click();
        });
    });

    probe.startCountdown(3);

    // The dialog stays until the user answers, and the refused request is not sent again.
    QVERIFY(stillOpen);
    QCOMPARE(env.sessionEnd.requested, QList<Action>{Action::Reboot});
    QCOMPARE(log.texts().mid(0, 10), fullCount(3));
    QCOMPARE(log.texts().size(), 11);
}

void tst_Posttask::endOfRunHandsOver_data()
{
    QTest::addColumn<bool>("postTask");
    QTest::addColumn<int>("changeOver");
    QTest::addColumn<QString>("countdown"); // first text of the countdown; empty: none
    QTest::addColumn<bool>("toast");
    QTest::addColumn<int>("changeOverAfter");
    QTest::newRow("shut down") << true << 1 << question(1) + u"(10)"_s << false << 1;
    QTest::newRow("restart") << true << 3 << question(3) + u"(10)"_s << false << 3;
    QTest::newRow("show information") << true << 0 << QString() << true << 0;
    QTest::newRow("out of range") << true << 7 << QString() << true << 0;
    QTest::newRow("post task off") << false << 1 << QString() << false << 1;
}

void tst_Posttask::endOfRunHandsOver()
{
    QFETCH(bool, postTask);
    QFETCH(int, changeOver);
    QFETCH(QString, countdown);
    QFETCH(bool, toast);
    QFETCH(int, changeOverAfter);
    TestEnvironment env;
    env.writeConfig(u"isclosewindow"_s, postTask);
    env.writeConfig(u"isShowMsg"_s, true);
    env.writeConfig(u"changeOver"_s, changeOver);
    const QString pdf = env.scratch(u"run.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    QCOMPARE(probe.files()->rowCount(), 1);
    CountdownLog log(window, env);

    QString countdownShown;
    if (!countdown.isEmpty()) {
        Modal::whenShown(
            [&countdownShown](QWidget *dialog) {
                countdownShown = static_cast<shutdowndlg *>(dialog)->text();
                dialog->findChild<QPushButton *>(u"No"_s)->click();
            },
            "shutdowndlg");
    }
    probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(probe.idle(), 60000);
    QTRY_COMPARE(probe.alreadyConverted(), true);

    QCOMPARE(countdownShown, countdown);
    QCOMPARE(log.texts().isEmpty(), countdown.isEmpty());
    QCOMPARE(env.sessionEnd.requested, QList<Action>());
    QCOMPARE(env.readConfig(u"changeOver"_s).toInt(), changeOverAfter);
    information &summary = probe.summaryToast();
    QCOMPARE(summary.isVisible(), toast);
    if (toast) {
        QCOMPARE(summary.findChild<QLabel *>(u"inforLable"_s)->text(), u"Success: 1 file(s)"_s);
        QCOMPARE(summary.findChild<QLabel *>(u"inforLable_2"_s)->text(), u"Fail:    0 file(s)"_s);
    }
}

void tst_Posttask::toastShownAsTheDialogShows_data()
{
    // What the settings dialog stores for its "After the conversion operation" box; invalid: a
    // first start, without config.ini.
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("shown");
    QTest::newRow("first start") << QVariant() << true;
    QTest::newRow("ticked") << QVariant(true) << true;
    QTest::newRow("unticked") << QVariant(false) << false;
}

void tst_Posttask::toastShownAsTheDialogShows()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, shown);
    TestEnvironment env;
    if (stored.isValid()) {
        env.writeConfig(u"isclosewindow"_s, stored);
        env.writeConfig(u"isShowMsg"_s, stored);
    } else {
        env.removeConfig();
    }
    const QString pdf = env.scratch(u"run.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    QCOMPARE(probe.configDialog().findChild<QCheckBox *>(u"showMsg"_s)->isChecked(), shown);
    probe.add({pdf});
    probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(probe.alreadyConverted(), 60000);
    QCOMPARE(probe.summaryToast().isVisible(), shown);
}

void tst_Posttask::endOfRunTellsTheTruth_data()
{
    QTest::addColumn<QStringList>("files"); // "failing" ones fail in the renderer
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("notifications");

    QTest::newRow("all converted, window shown")
        << QStringList{u"a"_s, u"b"_s} << u"shown"_s << u"Successfully"_s << QStringList();
    QTest::newRow("one failed, window hidden")
        << QStringList{u"a"_s, u"failing"_s} << u"hidden"_s << u"Some files failed"_s
        << QStringList{u"Some files failed\n1 file(s) converted, 1 failed"_s};
    QTest::newRow("all failed, window minimised")
        << QStringList{u"failing1"_s, u"failing2"_s} << u"minimised"_s << u"All files failed"_s
        << QStringList{u"All files failed\n0 file(s) converted, 2 failed"_s};
}

void tst_Posttask::endOfRunTellsTheTruth()
{
    QFETCH(QStringList, files);
    QFETCH(QString, window);
    QFETCH(QString, title);
    QFETCH(QStringList, notifications);
    TestEnvironment env;
    // The tray icon's tool tip as each file ends, below the program's name.
    QStringList toolTips;
    env.installTool(u"P2I.exe"_s, u"case \"$*\" in *failing*) exit 1 ;; esac\nexec gs \"$@\""_s);
    env.writeConfig(u"isclosewindow"_s, true);
    env.writeConfig(u"isShowMsg"_s, true);
    env.writeConfig(u"parallelJobs"_s, 1);
    MainWindow main;
    MainWindowProbe probe(main);
    for (const QString &name : std::as_const(files)) {
        QVERIFY(Pdfs::write(env.scratch(name + u".pdf"_s), 1));
        probe.add({env.scratch(name + u".pdf"_s)});
    }
    if (window == u"shown")
        main.show();
    else if (window == u"minimised")
        main.showMinimized();
    const auto noteToolTip = [&] {
        toolTips << probe.trayIcon()->toolTip().section(u'\n', 1, 1);
    };
    connect(&probe.engine(), &ConversionQueue::fileFinished, this, noteToolTip);
    connect(&probe.engine(), &ConversionQueue::fileFailed, this, noteToolTip);

    probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(probe.alreadyConverted(), 60000);

    QCOMPARE(probe.summaryToast().findChild<QLabel *>(u"titleTextLabel"_s)->text(), title);
    QCOMPARE(env.notices.notifications, notifications);
    QCOMPARE(toolTips,
             QStringList({u"1 of 2 files, 1 of 2 pages"_s, u"2 of 2 files, 2 of 2 pages"_s}));
    QCOMPARE(probe.trayIcon()->toolTip(), u"ZEMRA VEZ ud Iri"_s);
    // The dock shows the run from its start to its end, then nothing.
    const QList<std::optional<double>> &progress = env.notices.progress;
    QVERIFY(!progress.isEmpty());
    QVERIFY(progress.first() == 0.0);
    QVERIFY(progress.contains(1.0));
    QVERIFY(!progress.last());
}

QTEST_MAIN(tst_Posttask)
#include "tst_posttask.moc"
