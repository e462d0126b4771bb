// The configuration dialog: what "OK" stores and hands to the main window, what "Cancel",
// "Default", the naming radios, the page buttons, "Browse" and "Open" do.
#include "gui/widgets/filedialog.h"
#include "gui/widgets/messagebox.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "testenvironment.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace {

template <typename T> T *control(QWidget &dialog, const char *name)
{
    auto *widget = dialog.findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QByteArray configBytes(const TestEnvironment &env)
{
    QFile ini(env.path(u"config.ini"_s));
    return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
}

// Runs the dialog the way the main menu does, letting edit() work on it while it is open.
void runDialog(MainWindow &window, const std::function<void(QWidget &)> &edit)
{
    Modal::whenShown([edit](QWidget *dialog) { edit(*dialog); }, "Config");
    window.showConfig();
}

} // namespace

class tst_Config : public QObject
{
    Q_OBJECT

private slots:
    void okWritesEveryKey_data();
    void okWritesEveryKey();
    void okTwiceKeepsDsSystem_data();
    void okTwiceKeepsDsSystem();
    void okKeepsAChoiceTheBoxCannotShow_data();
    void okKeepsAChoiceTheBoxCannotShow();
    void okSendsOutputFolder_data();
    void okSendsOutputFolder();
    void okKeepsAFolderPickedInTheMainWindow();
    void okPassesRememberToCloseQuestion_data();
    void okPassesRememberToCloseQuestion();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void unsafeTemplateIsRefused_data();
    void unsafeTemplateIsRefused();
    void defaultSetsControlsOnly();
    void namingRadiosEnableTemplate_data();
    void namingRadiosEnableTemplate();
    void pageButtonsKeepOneChecked_data();
    void pageButtonsKeepOneChecked();
    void languageBox_data();
    void languageBox();
    void browseTakesChosenFolder_data();
    void browseTakesChosenFolder();
    void openShowsFolder_data();
    void openShowsFolder();
};

void tst_Config::okWritesEveryKey_data()
{
    QTest::addColumn<bool>("on"); // every check box
    QTest::addColumn<int>("changeOver");
    QTest::addColumn<int>("updatemodel");
    QTest::addColumn<QString>("password"); // empty: the password box stays unticked
    QTest::addColumn<QString>("naming");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("all on, template")
        << true << 3 << 1 << u"s3cret"_s << u"templateRadio"_s << u"Scan_"_s;
    QTest::newRow("all off, source")
        << false << 0 << 0 << QString() << u"sourceRadio"_s << u"Ignored"_s;
    QTest::newRow("shutdown, number")
        << true << 1 << 0 << QString() << u"numberRadio"_s << u"Ignored"_s;
    QTest::newRow("logout, template, empty prefix")
        << false << 2 << 1 << u"pw"_s << u"templateRadio"_s << QString();
}

void tst_Config::okWritesEveryKey()
{
    QFETCH(bool, on);
    QFETCH(int, changeOver);
    QFETCH(int, updatemodel);
    QFETCH(QString, password);
    QFETCH(QString, naming);
    QFETCH(QString, prefix);
    TestEnvironment env;
    env.removeConfig();
    MainWindow window;
    MainWindowProbe probe(window);
    const QStringList keysBefore =
        QSettings(env.path(u"config.ini"_s), QSettings::IniFormat).allKeys();

    runDialog(window, [&](QWidget &dialog) {
        for (const char *box : {"listCls", "minDesk", "setCls", "checkBox", "showMsg", "smoothBox"})
            control<QCheckBox>(dialog, box)->setChecked(on);
        control<QCheckBox>(dialog, "oneTiffCheckBox")->setChecked(true);
        control<QComboBox>(dialog, "ConversionCombo")->setCurrentIndex(changeOver);
        control<QComboBox>(dialog, "comboBox")->setCurrentIndex(updatemodel);
        control<QCheckBox>(dialog, "psCheckBox")->setChecked(!password.isEmpty());
        // A password typed with the box unticked is not kept.
        control<QLineEdit>(dialog, "pswordLineEdit")
            ->setText(password.isEmpty() ? u"typed"_s : password);
        control<QRadioButton>(dialog, naming.toLatin1().constData())->click();
        control<QLineEdit>(dialog, "ouputNameEdit")->setText(prefix);
        control<QPushButton>(dialog, "conflgOK")->click();
    });

    QVERIFY(!probe.configDialog().isVisible());
    for (const QString &key : {u"listC"_s, u"mDesk"_s, u"checkBox"_s, u"isUpdate"_s,
                               u"isclosewindow"_s, u"isShowMsg"_s, u"smoothText"_s})
        QCOMPARE(env.readConfig(key).toBool(), on);
    QCOMPARE(env.readConfig(u"changeOver"_s).toInt(), changeOver);
    QCOMPARE(env.readConfig(u"updatemodel"_s).toInt(), updatemodel);
    QCOMPARE(env.readConfig(u"dsSystem"_s).toInt(), 1);
    QCOMPARE(env.readConfig(u"havePSW"_s).toBool(), !password.isEmpty());
    QCOMPARE(env.readConfig(u"Psword"_s).toString(), password);
    const QString model = naming.chopped(5);
    QCOMPARE(env.readConfig(u"outputFileNameModel"_s).toString(), model);
    // Only the template stores its prefix; the other rules keep the one stored before.
    QCOMPARE(env.readConfig(u"outFileNameModelfirst"_s).toString(),
             model == u"template" ? prefix : u"Temp"_s);

    // "Output one tiff file" has no key; nothing but the dialog's own keys appears.
    QStringList keys = QSettings(env.path(u"config.ini"_s), QSettings::IniFormat).allKeys();
    for (const QString &key : keysBefore)
        keys.removeAll(key);
    keys.sort();
    QCOMPARE(keys, QStringList({u"Psword"_s, u"havePSW"_s, u"isShowMsg"_s, u"listC"_s, u"mDesk"_s,
                                u"smoothText"_s}));

    // The flags the main window reads follow at once.
    QCOMPARE(probe.configDialog().warnOnListClose, on);
    QCOMPARE(probe.configDialog().minimizeToTray, on);
    QCOMPARE(probe.configDialog().postTaskEnabled, on);
}

void tst_Config::okTwiceKeepsDsSystem_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("expected");
    QTest::newRow("absent") << QVariant() << 1;
    QTest::newRow("shut down") << QVariant(1) << 1;
    QTest::newRow("log off") << QVariant(2) << 2;
    QTest::newRow("restart") << QVariant(3) << 3;
}

void tst_Config::okTwiceKeepsDsSystem()
{
    QFETCH(QVariant, stored);
    QFETCH(int, expected);
    TestEnvironment env;
    if (stored.isValid())
        env.writeConfig(u"dsSystem"_s, stored);
    MainWindow window;
    for (int round = 0; round < 2; ++round) {
        runDialog(window,
                  [](QWidget &dialog) { control<QPushButton>(dialog, "conflgOK")->click(); });
        QCOMPARE(env.readConfig(u"dsSystem"_s).toInt(), expected);
    }
}

void tst_Config::okKeepsAChoiceTheBoxCannotShow_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("pick"); // empty: the box is left alone
    QTest::addColumn<int>("expected");
    // A hand-edited update interval other than 0 and 1 is checked weekly.
    QTest::newRow("update interval, left alone")
        << u"updatemodel"_s << u"comboBox"_s << 5 << QString() << 5;
    QTest::newRow("update interval, daily picked")
        << u"updatemodel"_s << u"comboBox"_s << 5 << u"first"_s << 0;
    QTest::newRow("post action, left alone")
        << u"changeOver"_s << u"ConversionCombo"_s << 7 << QString() << 7;
    QTest::newRow("post action below range, left alone")
        << u"changeOver"_s << u"ConversionCombo"_s << -1 << QString() << -1;
    QTest::newRow("post action, restart picked")
        << u"changeOver"_s << u"ConversionCombo"_s << 7 << u"last"_s << 3;
    QTest::newRow("shutdown plan, left alone")
        << u"dsSystem"_s << u"systemComboBox"_s << 0 << QString() << 0;
    QTest::newRow("shutdown plan, shutdown picked")
        << u"dsSystem"_s << u"systemComboBox"_s << 9 << u"first"_s << 1;
}

void tst_Config::okKeepsAChoiceTheBoxCannotShow()
{
    QFETCH(QString, key);
    QFETCH(QString, box);
    QFETCH(int, stored);
    QFETCH(QString, pick);
    QFETCH(int, expected);
    TestEnvironment env;
    env.writeConfig(key, stored);
    MainWindow window;
    int shown = -1;
    runDialog(window, [&](QWidget &dialog) {
        auto *choices = control<QComboBox>(dialog, box.toLatin1().constData());
        shown = choices->currentIndex();
        // As the user picks with the keyboard; the first entry is shown already.
        if (pick == u"first") {
            QTest::keyClick(choices, Qt::Key_Down);
            QTest::keyClick(choices, Qt::Key_Home);
        } else if (pick == u"last") {
            QTest::keyClick(choices, Qt::Key_End);
        }
        control<QPushButton>(dialog, "conflgOK")->click();
    });
    QCOMPARE(shown, 0);
    QCOMPARE(env.readConfig(key).toInt(), expected);
}

void tst_Config::okSendsOutputFolder_data()
{
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty folder") << true;
    QTest::newRow("other folder") << false;
}

void tst_Config::okSendsOutputFolder()
{
    QFETCH(bool, empty);
    TestEnvironment env;
    env.writeConfig(u"saveFilePath"_s, env.scratch(u"before"_s));
    MainWindow window;
    MainWindowProbe probe(window);
    const QString folder = empty ? QString() : env.scratch(u"after"_s);

    runDialog(window, [&](QWidget &dialog) {
        control<QLineEdit>(dialog, "outPathEdit")->setText(QDir::toNativeSeparators(folder));
        control<QPushButton>(dialog, "conflgOK")->click();
    });

    QCOMPARE(probe.ui()->pathEdit->text(), QDir::toNativeSeparators(folder));
    QCOMPARE(probe.outputPath(), folder);
    QVERIFY(env.readConfig(u"saveFilePath"_s).isValid());
    QCOMPARE(env.readConfig(u"saveFilePath"_s).toString(), folder);
}

void tst_Config::okKeepsAFolderPickedInTheMainWindow()
{
    TestEnvironment env;
    env.writeConfig(u"saveFilePath"_s, env.scratch(u"before"_s));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.ui()->pathEdit->setText(env.scratch(u"picked later"_s));

    runDialog(window, [](QWidget &dialog) { control<QPushButton>(dialog, "conflgOK")->click(); });

    QCOMPARE(probe.outputPath(), env.scratch(u"picked later"_s));
    QCOMPARE(env.readConfig(u"saveFilePath"_s).toString(), env.scratch(u"picked later"_s));
}

void tst_Config::okPassesRememberToCloseQuestion_data()
{
    QTest::addColumn<bool>("remember");
    QTest::newRow("ticked") << true;
    QTest::newRow("unticked") << false;
}

void tst_Config::okPassesRememberToCloseQuestion()
{
    QFETCH(bool, remember);
    TestEnvironment env;
    env.writeConfig(u"checkBox"_s, !remember);
    MainWindow window;
    MainWindowProbe probe(window);
    auto *questionBox = control<QCheckBox>(probe.closeChoice(), "checkBox");
    QCOMPARE(questionBox->isChecked(), !remember);

    runDialog(window, [&](QWidget &dialog) {
        control<QCheckBox>(dialog, "setCls")->setChecked(remember);
        control<QPushButton>(dialog, "conflgOK")->click();
    });
    QCOMPARE(questionBox->isChecked(), remember);
}

void tst_Config::cancelWritesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("Cancel") << u"configCancel"_s;
    QTest::newRow("close button") << u"mainCls"_s;
}

void tst_Config::cancelWritesNothing()
{
    QFETCH(QString, button);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    const QByteArray before = configBytes(env);
    const QString pathShown = probe.ui()->pathEdit->text();
    const bool flags[] = {config.warnOnListClose, config.minimizeToTray, config.postTaskEnabled};
    QSignalSpy languageSpy(&config, &Config::changeJp);

    runDialog(window, [&](QWidget &dialog) {
        for (const char *box :
             {"listCls", "minDesk", "setCls", "checkBox", "showMsg", "psCheckBox"})
            control<QCheckBox>(dialog, box)->toggle();
        control<QComboBox>(dialog, "ConversionCombo")->setCurrentIndex(2);
        control<QComboBox>(dialog, "languageComBo")->setCurrentIndex(1);
        control<QLineEdit>(dialog, "outPathEdit")->setText(env.scratch(u"elsewhere"_s));
        control<QRadioButton>(dialog, "templateRadio")->click();
        control<QPushButton>(dialog, button.toLatin1().constData())->click();
    });

    QVERIFY(!config.isVisible());
    QCOMPARE(configBytes(env), before);
    QCOMPARE(probe.ui()->pathEdit->text(), pathShown);
    QCOMPARE(languageSpy.count(), 0);
    QCOMPARE(config.warnOnListClose, flags[0]);
    QCOMPARE(config.minimizeToTray, flags[1]);
    QCOMPARE(config.postTaskEnabled, flags[2]);
    // The edits stay in the controls until the dialog loads again.
    QCOMPARE(control<QComboBox>(config, "ConversionCombo")->currentIndex(), 2);
    QVERIFY(control<QRadioButton>(config, "templateRadio")->isChecked());
}

void tst_Config::unsafeTemplateIsRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << u"Scan - 2024 (b) "_s << true;
    QTest::newRow("non-ASCII") << u"Überweisung_日本"_s << true;
    QTest::newRow("a dot") << u"v1.2_"_s << true;
    QTest::newRow("parent folder") << u"../x"_s << false;
    QTest::newRow("two dots") << u"a..b"_s << false;
    QTest::newRow("folder separator") << u"sub/x"_s << false;
    QTest::newRow("backslash") << u"a\\b"_s << false;
    QTest::newRow("colon") << u"a:b"_s << false;
    QTest::newRow("control character") << u"a\tb"_s << false;
    QTest::newRow("too long") << QString(201, u'x') << false;
}

void tst_Config::unsafeTemplateIsRefused()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    const QByteArray before = configBytes(env);

    runDialog(window, [&](QWidget &dialog) {
        control<QRadioButton>(dialog, "templateRadio")->click();
        control<QLineEdit>(dialog, "ouputNameEdit")->setText(text);
        control<QPushButton>(dialog, "conflgOK")->click();
        if (!accepted) {
            QVERIFY(dialog.isVisible());
            control<QPushButton>(dialog, "configCancel")->click();
        }
    });

    QCOMPARE(MessageBox::takeRecorded().size(), accepted ? 0 : 1);
    if (accepted) {
        QCOMPARE(env.readConfig(u"outFileNameModelfirst"_s).toString(), text);
    } else {
        QCOMPARE(configBytes(env), before);
    }
}

void tst_Config::defaultSetsControlsOnly()
{
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"template"_s);
    env.writeConfig(u"outFileNameModelfirst"_s, u"Scan"_s);
    env.writeConfig(u"havePSW"_s, true);
    env.writeConfig(u"Psword"_s, u"pw"_s);
    env.writeConfig(u"mDesk"_s, true);
    env.writeConfig(u"checkBox"_s, true);
    env.writeConfig(u"isUpdate"_s, false);
    env.writeConfig(u"updatemodel"_s, 1);
    env.writeConfig(u"changeOver"_s, 2);
    env.writeConfig(u"Language"_s, 4);
    env.writeConfig(u"saveFilePath"_s, env.scratch());
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    const QByteArray before = configBytes(env);

    control<QPushButton>(config, "RestoreBtn")->click();

    QCOMPARE(configBytes(env), before);
    for (const char *box : {"listCls", "checkBox", "showMsg"})
        QVERIFY2(control<QCheckBox>(config, box)->isChecked(), box);
    for (const char *box : {"minDesk", "setCls", "psCheckBox"})
        QVERIFY2(!control<QCheckBox>(config, box)->isChecked(), box);
    auto *outPath = control<QLineEdit>(config, "outPathEdit");
    QCOMPARE(outPath->text(), QDir::toNativeSeparators(QStandardPaths::writableLocation(
                                                           QStandardPaths::DocumentsLocation) +
                                                       u"/ZEMRA VEZ ud Iri"_s));
    QCOMPARE(outPath->cursorPosition(), 0);
    QCOMPARE(control<QLineEdit>(config, "pswordLineEdit")->text(), QString());
    QVERIFY(control<QRadioButton>(config, "sourceRadio")->isChecked());
    auto *prefix = control<QLineEdit>(config, "ouputNameEdit");
    QCOMPARE(prefix->text(), QString());
    QVERIFY(prefix->isEnabled());
    QCOMPARE(control<QComboBox>(config, "comboBox")->currentIndex(), 1);
    QCOMPARE(control<QComboBox>(config, "ConversionCombo")->currentIndex(), 2);
    QCOMPARE(control<QComboBox>(config, "languageComBo")->currentIndex(), 2);
    // The flags change only with "OK".
    QVERIFY(config.minimizeToTray);
    QVERIFY(!config.warnOnListClose);
}

void tst_Config::namingRadiosEnableTemplate_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<bool>("enabledBefore");
    QTest::addColumn<bool>("enabledAfter");
    QTest::newRow("number to template") << u"number"_s << u"templateRadio"_s << false << true;
    QTest::newRow("source to template") << u"source"_s << u"templateRadio"_s << false << true;
    QTest::newRow("template to source") << u"template"_s << u"sourceRadio"_s << true << false;
    QTest::newRow("template to number") << u"template"_s << u"numberRadio"_s << true << false;
    QTest::newRow("template again") << u"template"_s << u"templateRadio"_s << true << true;
    QTest::newRow("unknown reads as number") << u"fancy"_s << u"numberRadio"_s << false << false;
}

void tst_Config::namingRadiosEnableTemplate()
{
    QFETCH(QString, stored);
    QFETCH(QString, radio);
    QFETCH(bool, enabledBefore);
    QFETCH(bool, enabledAfter);
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, stored);
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    auto *prefix = control<QLineEdit>(config, "ouputNameEdit");
    QCOMPARE(prefix->isEnabled(), enabledBefore);

    control<QRadioButton>(config, radio.toLatin1().constData())->click();
    QCOMPARE(prefix->isEnabled(), enabledAfter);
    QVERIFY(control<QRadioButton>(config, radio.toLatin1().constData())->isChecked());
}

void tst_Config::pageButtonsKeepOneChecked_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("page");
    QTest::newRow("as built") << QStringList() << u"general"_s;
    QTest::newRow("General again") << QStringList{u"generalBtn"_s} << u"general"_s;
    QTest::newRow("Convert") << QStringList{u"convertBtn"_s} << u"convert"_s;
    QTest::newRow("Convert twice") << QStringList{u"convertBtn"_s, u"convertBtn"_s} << u"convert"_s;
    QTest::newRow("Others") << QStringList{u"othersBtn"_s} << u"others"_s;
    QTest::newRow("Others, then General")
        << QStringList{u"othersBtn"_s, u"generalBtn"_s} << u"general"_s;
    QTest::newRow("Convert, Others, Others")
        << QStringList{u"convertBtn"_s, u"othersBtn"_s, u"othersBtn"_s} << u"others"_s;
}

void tst_Config::pageButtonsKeepOneChecked()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, page);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    config.show();
    for (const QString &button : std::as_const(clicks))
        config.findChild<QPushButton *>(button)->click();

    for (const QString &name : {u"general"_s, u"convert"_s, u"others"_s}) {
        QCOMPARE(config.findChild<QWidget *>(name)->isVisible(), name == page);
        QCOMPARE(config.findChild<QPushButton *>(name + u"Btn"_s)->isChecked(), name == page);
    }
    config.close();
}

void tst_Config::languageBox_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("menuChoice"); // a language chosen from the main menu first
    QTest::addColumn<int>("index");          // chosen before "OK"; -1 leaves the box as it is
    QTest::addColumn<int>("shownIndex");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("language");
    QTest::newRow("English") << QVariant(4) << QString() << 0 << 2 << u"changeEn"_s << 2;
    QTest::newRow("Japanese") << QVariant(2) << QString() << 1 << 0 << u"changeJp"_s << 3;
    QTest::newRow("German") << QVariant(2) << QString() << 2 << 0 << u"changeDe"_s << 4;
    QTest::newRow("French") << QVariant(2) << QString() << 3 << 0 << u"changeFr"_s << 5;
    QTest::newRow("kept French") << QVariant(5) << QString() << -1 << 3 << u"changeFr"_s << 5;
    QTest::newRow("Chinese") << QVariant(2) << QString() << 4 << 0 << u"changeCh"_s << 1;
    QTest::newRow("kept Chinese") << QVariant(1) << QString() << -1 << 4 << u"changeCh"_s << 1;
    // "OK" must not undo a language chosen from the main menu in the meantime.
    QTest::newRow("German from the menu")
        << QVariant(2) << u"changeGerman"_s << -1 << 2 << u"changeDe"_s << 4;
    QTest::newRow("Chinese from the menu")
        << QVariant(4) << u"changeChinese"_s << -1 << 4 << u"changeCh"_s << 1;
}

void tst_Config::languageBox()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, menuChoice);
    QFETCH(int, index);
    QFETCH(int, shownIndex);
    QFETCH(QString, signal);
    QFETCH(int, language);
    TestEnvironment env;
    env.writeConfig(u"Language"_s, stored);
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    if (!menuChoice.isEmpty())
        QVERIFY(QMetaObject::invokeMethod(&window, menuChoice.toLatin1().constData()));
    QCOMPARE(control<QComboBox>(config, "languageComBo")->currentIndex(), shownIndex);

    QSignalSpy english(&config, &Config::changeEn);
    QSignalSpy japanese(&config, &Config::changeJp);
    QSignalSpy german(&config, &Config::changeDe);
    QSignalSpy french(&config, &Config::changeFr);
    QSignalSpy chinese(&config, &Config::changeCh);
    runDialog(window, [index](QWidget &dialog) {
        if (index >= 0)
            control<QComboBox>(dialog, "languageComBo")->setCurrentIndex(index);
        control<QPushButton>(dialog, "conflgOK")->click();
    });

    const QMap<QString, qsizetype> emitted{{u"changeEn"_s, english.count()},
                                           {u"changeJp"_s, japanese.count()},
                                           {u"changeDe"_s, german.count()},
                                           {u"changeFr"_s, french.count()},
                                           {u"changeCh"_s, chinese.count()}};
    for (auto it = emitted.cbegin(); it != emitted.cend(); ++it)
        QCOMPARE(it.value(), it.key() == signal ? 1 : 0);
    QCOMPARE(env.readConfig(u"Language"_s).toInt(), language);
    // Retranslating the dialog into the new language keeps the choice.
    if (index >= 0)
        QCOMPARE(control<QComboBox>(config, "languageComBo")->currentIndex(), index);
}

void tst_Config::browseTakesChosenFolder_data()
{
    QTest::addColumn<QString>("chosen"); // relative to the scratch folder; empty: cancelled
    QTest::addColumn<QString>("expected");
    QTest::newRow("folder") << u"out"_s << u"out"_s;
    QTest::newRow("trailing slash dropped") << u"out/"_s << u"out"_s;
    QTest::newRow("cancelled") << QString() << u"start"_s;
}

void tst_Config::browseTakesChosenFolder()
{
    QFETCH(QString, chosen);
    QFETCH(QString, expected);
    TestEnvironment env;
    const QString start = env.scratch(u"start"_s);
    QVERIFY(QDir().mkpath(start));
    env.writeConfig(u"saveFilePath"_s, start);
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    const QByteArray before = configBytes(env);

    FileDialog::setNextDirectory(chosen.isEmpty() ? QString() : env.scratch() + u'/' + chosen);
    control<QPushButton>(config, "setOutPath")->click();

    QCOMPARE(FileDialog::lastStartFolder(), start);
    auto *outPath = control<QLineEdit>(config, "outPathEdit");
    QCOMPARE(outPath->text(), QDir::toNativeSeparators(env.scratch(expected)));
    QCOMPARE(outPath->cursorPosition(), 0);
    // The folder reaches the main window only with "OK".
    QCOMPARE(configBytes(env), before);
}

void tst_Config::openShowsFolder_data()
{
    QTest::addColumn<QString>("folder"); // relative to the scratch folder
    QTest::addColumn<bool>("opens");
    QTest::newRow("existing") << u"."_s << true;
    QTest::newRow("missing, created with its parents") << u"a/b/c"_s << true;
    QTest::newRow("below a file") << u"file.txt/sub"_s << false;
}

void tst_Config::openShowsFolder()
{
    QFETCH(QString, folder);
    QFETCH(bool, opens);
    TestEnvironment env;
    QFile file(env.scratch(u"file.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    MainWindow window;
    MainWindowProbe probe(window);
    Config &config = probe.configDialog();
    const QString path = QDir::cleanPath(env.scratch() + u'/' + folder);
    control<QLineEdit>(config, "outPathEdit")->setText(QDir::toNativeSeparators(path));

    QString warning;
    if (!opens) {
        Modal::whenShown(
            [&warning](QWidget *dialog) {
                warning = control<QTextEdit>(*dialog, "textEdit")->toPlainText();
                control<QPushButton>(*dialog, "Yes")->click();
            },
            "deleteDlg");
    }
    control<QPushButton>(config, "openBtn")->click();

    if (opens) {
        QCOMPARE(env.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
        QVERIFY(QFileInfo(path).isDir());
    } else {
        QCOMPARE(env.desktop.opened, QList<QUrl>());
        QCOMPARE(warning, u"  Invalid output path or output file name!"_s);
    }
}

QTEST_MAIN(tst_Config)
#include "tst_config.moc"
