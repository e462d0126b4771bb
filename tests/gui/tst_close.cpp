// Closing the main window: the first-start settings, the close question, the list warning and
// the tray's "Quit".
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

// Answers every modal window that opens while it lives by clicking the named buttons in turn
// ("Escape" presses that key), and notes the class of each window it answered. A window the clicks
// leave open is closed, so an unexpected question never blocks a test.
class ModalAnswers final : public QObject
{
public:
    explicit ModalAnswers(QStringList clicks)
        : clicks(std::move(clicks))
    {
        connect(&poll, &QTimer::timeout, this, &ModalAnswers::answer);
        poll.start(5);
    }

    QStringList shown;

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        shown.append(QString::fromLatin1(modal->metaObject()->className()));
        for (const QString &name : std::as_const(clicks)) {
            if (name == u"Escape")
                QTest::keyClick(modal, Qt::Key_Escape);
            else if (auto *button = modal->findChild<QAbstractButton *>(name))
                button->click();
        }
        if (modal->isVisible())
            modal->close();
    }

    QStringList clicks;
    QTimer poll;
};

// Whether the window was really closed (a close event reached it) rather than only hidden.
class CloseWatch final : public QObject
{
public:
    explicit CloseWatch(QWidget &window)
        : window(window)
    {
        window.installEventFilter(this);
    }

    QString outcome() const
    {
        if (!window.isVisible())
            return closed ? u"closed"_s : u"hidden"_s;
        return window.isMinimized() ? u"minimised"_s : u"shown"_s;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &window && event->type() == QEvent::Close)
            closed = true;
        return false;
    }

private:
    QWidget &window;
    bool closed = false;
};

// "Minimize to tray" hides the window only where a tray can show it again.
QString trayOutcome()
{
    return QSystemTrayIcon::isSystemTrayAvailable() ? u"hidden"_s : u"minimised"_s;
}

void addOneFile(const TestEnvironment &env, MainWindowProbe &probe)
{
    const QString pdf = env.scratch(u"one.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    probe.add({pdf});
    QCOMPARE(probe.files()->rowCount(), 1);
}

} // namespace

class tst_Close : public QObject
{
    Q_OBJECT

private slots:
    void freshConfigHoldsFirstStartValues();
    void closeMatrix_data();
    void closeMatrix();
    void cancelForgetsNoLongerToRemind_data();
    void cancelForgetsNoLongerToRemind();
    void escapeCancelsQuestion();
    void rememberedExitAppliesOnNextStart();
    void minimiseWithoutTrayKeepsWindowReachable_data();
    void minimiseWithoutTrayKeepsWindowReachable();
    void trayQuitClosesWithoutQuestion_data();
    void trayQuitClosesWithoutQuestion();
};

void tst_Close::freshConfigHoldsFirstStartValues()
{
    TestEnvironment env;
    env.removeConfig();
    MainWindow window;
    MainWindowProbe probe(window);

    const QSettings ini(env.path(u"config.ini"_s), QSettings::IniFormat);
    const QMap<QString, QString> expected{
        {u"checkBox"_s, u"false"_s},
        {u"isclosewindow"_s, u"true"_s},
        {u"changeOver"_s, u"0"_s},
        {u"dsSystem"_s, u"1"_s},
        {u"isUpdate"_s, u"true"_s},
        {u"updatemodel"_s, u"0"_s},
        {u"Language"_s, u"2"_s},
        {u"outputFileNameModel"_s, u"number"_s},
        {u"outFileNameModelfirst"_s, u"Temp"_s},
        // The output-folder field shows the default folder, and showing it stores it.
        {u"saveFilePath"_s, probe.documentsPath() + u"/ZEMRA VEZ ud Iri"_s},
    };
    QStringList keys = ini.allKeys();
    keys.sort();
    QCOMPARE(keys, expected.keys());
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(ini.value(it.key()).toString(), it.value());

    // The close question starts with "Minimize to tray" chosen and nothing remembered.
    QVERIFY(probe.closeChoice().findChild<QRadioButton *>(u"radioButton_2"_s)->isChecked());
    QVERIFY(!probe.closeChoice().findChild<QCheckBox *>(u"checkBox"_s)->isChecked());
}

void tst_Close::closeMatrix_data()
{
    QTest::addColumn<bool>("filesListed");
    QTest::addColumn<int>("remembered"); // the stored "radioNum" of a remembered answer, or -1
    QTest::addColumn<bool>("warnOnListClose");
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<bool>("rememberAfter");
    QTest::addColumn<int>("radioNumAfter");

    const QStringList question{u"Dialog"_s};
    const QStringList warning{u"ListCls"_s};
    const QString tray = trayOutcome();

    QTest::newRow("empty: Yes with Exit")
        << false << -1 << false << QStringList{u"radioButton"_s, u"YesButton"_s} << question
        << u"closed"_s << false << 1;
    QTest::newRow("empty: Yes with Minimize to tray")
        << false << -1 << false << QStringList{u"radioButton_2"_s, u"YesButton"_s} << question
        << tray << false << 2;
    QTest::newRow("empty: Yes as preselected")
        << false << -1 << false << QStringList{u"YesButton"_s} << question << tray << false << 0;
    QTest::newRow("empty: Exit remembered")
        << false << -1 << false << QStringList{u"radioButton"_s, u"checkBox"_s, u"YesButton"_s}
        << question << u"closed"_s << true << 1;
    QTest::newRow("empty: Cancel")
        << false << -1 << false << QStringList{u"radioButton"_s, u"NoButton"_s} << question
        << u"shown"_s << false << 1;
    QTest::newRow("empty: close button")
        << false << -1 << true << QStringList{u"mainCls"_s} << question << u"shown"_s << false << 0;
    QTest::newRow("empty, remembered Exit")
        << false << 1 << true << QStringList() << QStringList() << u"closed"_s << true << 1;
    QTest::newRow("empty, remembered tray")
        << false << 2 << true << QStringList() << QStringList() << tray << true << 2;

    QTest::newRow("files: Yes with Exit, no warning")
        << true << -1 << true << QStringList{u"radioButton"_s, u"YesButton"_s} << question
        << u"closed"_s << false << 1;
    QTest::newRow("files: Yes with Minimize to tray")
        << true << -1 << true << QStringList{u"radioButton_2"_s, u"YesButton"_s} << question << tray
        << false << 2;
    QTest::newRow("files: Cancel")
        << true << -1 << true << QStringList{u"NoButton"_s} << question << u"shown"_s << false << 0;
    QTest::newRow("files, remembered tray, no warning")
        << true << 2 << false << QStringList() << QStringList() << u"closed"_s << true << 2;
    QTest::newRow("files, remembered, warning OK")
        << true << 2 << true << QStringList{u"OK"_s} << warning << u"closed"_s << true << 2;
    QTest::newRow("files, remembered, warning Cancel")
        << true << 1 << true << QStringList{u"Cancel"_s} << warning << u"shown"_s << true << 1;
    QTest::newRow("files, remembered, warning close button")
        << true << 1 << true << QStringList{u"mainCls"_s} << warning << u"shown"_s << true << 1;
}

void tst_Close::closeMatrix()
{
    QFETCH(bool, filesListed);
    QFETCH(int, remembered);
    QFETCH(bool, warnOnListClose);
    QFETCH(QStringList, clicks);
    QFETCH(QStringList, asked);
    QFETCH(QString, outcome);
    QFETCH(bool, rememberAfter);
    QFETCH(int, radioNumAfter);

    TestEnvironment env;
    if (remembered >= 0) {
        env.writeConfig(u"checkBox"_s, true);
        env.writeConfig(u"OkChecked"_s, true);
        env.writeConfig(u"radioNum"_s, remembered);
    }
    env.writeConfig(u"listC"_s, warnOnListClose);
    MainWindow window;
    MainWindowProbe probe(window);
    if (filesListed)
        addOneFile(env, probe);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CloseWatch watch(window);

    ModalAnswers answers(clicks);
    probe.ui()->mainCls->click();

    QCOMPARE(answers.shown, asked);
    QCOMPARE(watch.outcome(), outcome);
    QCOMPARE(env.readConfig(u"checkBox"_s).toBool(), rememberAfter);
    QCOMPARE(env.readConfig(u"radioNum"_s).toInt(), radioNumAfter);
    // The configuration dialog follows what the close question stored.
    QCOMPARE(probe.configDialog().findChild<QCheckBox *>(u"setCls"_s)->isChecked(), rememberAfter);
}

void tst_Close::cancelForgetsNoLongerToRemind_data()
{
    QTest::addColumn<QString>("cancelButton");
    QTest::newRow("Cancel") << u"NoButton"_s;
    QTest::newRow("close button") << u"mainCls"_s;
}

void tst_Close::cancelForgetsNoLongerToRemind()
{
    QFETCH(QString, cancelButton);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    auto *remember = probe.closeChoice().findChild<QCheckBox *>(u"checkBox"_s);

    {
        ModalAnswers answers({u"radioButton"_s, u"checkBox"_s, cancelButton});
        probe.ui()->mainCls->click();
        QCOMPARE(answers.shown, QStringList{u"Dialog"_s});
    }
    QVERIFY(window.isVisible());
    QVERIFY(!remember->isChecked());
    QCOMPARE(env.readConfig(u"checkBox"_s).toBool(), false);
    QCOMPARE(env.readConfig(u"OkChecked"_s).toBool(), false);

    // Not remembered, so the next close asks again.
    ModalAnswers answers({u"YesButton"_s});
    probe.ui()->mainCls->click();
    QCOMPARE(answers.shown, QStringList{u"Dialog"_s});
    QVERIFY(!window.isVisible());
}

void tst_Close::escapeCancelsQuestion()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    CloseWatch watch(window);
    {
        // An earlier "Yes" must not count for a later question that was escaped.
        ModalAnswers answers({u"radioButton_2"_s, u"YesButton"_s});
        probe.ui()->mainCls->click();
    }
    QCOMPARE(watch.outcome(), trayOutcome());
    window.showNormal();

    ModalAnswers answers({u"radioButton"_s, u"checkBox"_s, u"Escape"_s});
    probe.ui()->mainCls->click();
    QCOMPARE(answers.shown, QStringList{u"Dialog"_s});
    QCOMPARE(watch.outcome(), u"shown"_s);
    QCOMPARE(env.readConfig(u"OkChecked"_s).toBool(), false);
    QCOMPARE(env.readConfig(u"checkBox"_s).toBool(), false);
}

void tst_Close::rememberedExitAppliesOnNextStart()
{
    TestEnvironment env;
    env.removeConfig();
    {
        MainWindow first;
        MainWindowProbe probe(first);
        first.show();
        ModalAnswers answers({u"radioButton"_s, u"checkBox"_s, u"YesButton"_s});
        probe.ui()->mainCls->click();
        QCOMPARE(answers.shown, QStringList{u"Dialog"_s});
        QVERIFY(!first.isVisible());
    }

    MainWindow second;
    MainWindowProbe probe(second);
    second.show();
    CloseWatch watch(second);
    ModalAnswers answers({u"NoButton"_s});
    QVERIFY(probe.closeChoice().findChild<QRadioButton *>(u"radioButton"_s)->isChecked());
    probe.ui()->mainCls->click();
    QCOMPARE(answers.shown, QStringList());
    QCOMPARE(watch.outcome(), u"closed"_s);
}

void tst_Close::minimiseWithoutTrayKeepsWindowReachable_data()
{
    QTest::addColumn<bool>("throughCloseQuestion");
    QTest::newRow("close question") << true;
    QTest::newRow("minimise button") << false;
}

void tst_Close::minimiseWithoutTrayKeepsWindowReachable()
{
    QFETCH(bool, throughCloseQuestion);
    if (QSystemTrayIcon::isSystemTrayAvailable())
        QSKIP("A system tray is available here; the window hides to it.");
    TestEnvironment env;
    env.writeConfig(u"mDesk"_s, true);
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    CloseWatch watch(window);

    ModalAnswers answers({u"radioButton_2"_s, u"YesButton"_s});
    if (throughCloseQuestion)
        probe.ui()->mainCls->click();
    else
        probe.ui()->minBtn->click();
    QCOMPARE(watch.outcome(), u"minimised"_s);

    // "Display window" brings it back.
    probe.action(u"Display window"_s)->trigger();
    QCOMPARE(watch.outcome(), u"shown"_s);
}

void tst_Close::trayQuitClosesWithoutQuestion_data()
{
    QTest::addColumn<bool>("filesListed");
    QTest::newRow("empty list") << false;
    QTest::newRow("files listed, warning on") << true;
}

void tst_Close::trayQuitClosesWithoutQuestion()
{
    QFETCH(bool, filesListed);
    TestEnvironment env;
    env.writeConfig(u"listC"_s, true);
    MainWindow window;
    MainWindowProbe probe(window);
    if (filesListed)
        addOneFile(env, probe);
    window.show();
    CloseWatch watch(window);

    ModalAnswers answers({u"NoButton"_s, u"Cancel"_s});
    QAction *quit = probe.action(u"Quit"_s);
    QVERIFY(quit);
    QVERIFY(probe.trayMenu()->actions().contains(quit));
    quit->trigger();
    QCOMPARE(answers.shown, QStringList());
    QCOMPARE(watch.outcome(), u"closed"_s);
    QVERIFY(!env.readConfig(u"OkChecked"_s).isValid());
}

QTEST_MAIN(tst_Close)
#include "tst_close.moc"
