// The application shell: settings, window placement and dragging, languages and skins, the
// confirmation box.
#include "core/platform/versionrecord.h"
#include "core/settings/appearance.h"
#include "core/settings/settings.h"
#include "gui/dialogs/startdlg.h"
#include "gui/widgets/chrome.h"
#include "gui/widgets/filedialog.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

class tst_Shell : public QObject
{
    Q_OBJECT

private slots:
    void settingsFoldKeyCase();
    void settingsAbsentKeys();
    void centring_data();
    void centring();
    void dragMovesOnlyFromTheStrip_data();
    void dragMovesOnlyFromTheStrip();
    void languageSwitchRetranslates();
    void storedLanguageOutsideRangeGivesEnglish_data();
    void storedLanguageOutsideRangeGivesEnglish();
    void styleOtherThanOneGivesDefaultSheet_data();
    void styleOtherThanOneGivesDefaultSheet();
    void messageBoxesAreReadable_data();
    void messageBoxesAreReadable();
    void confirmationTellsAnswersApart_data();
    void confirmationTellsAnswersApart();
    void menusHoldTheirActions_data();
    void menusHoldTheirActions();
    void trayIconShowsTheWindow();
    void keyboardShortcuts_data();
    void keyboardShortcuts();
    void fileDialogsShowTheirToolbarIcons_data();
    void fileDialogsShowTheirToolbarIcons();
    void splashFollowsStyleAndLanguage_data();
    void splashFollowsStyleAndLanguage();
};

void tst_Shell::settingsFoldKeyCase()
{
    TestEnvironment env;
    QFile ini(env.path(u"config.ini"_s));
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[General]\nlanguage=3\nISCLOSEWINDOW=false\n");
    ini.close();

    AppSettings settings;
    QCOMPARE(settings.language(), 3);
    QVERIFY(settings.contains(u"isCloseWindow"_s));
    QCOMPARE(settings.boolean(u"isclosewindow"_s), false);

    settings.setValue(u"Language"_s, 4);
    settings.setValue(u"isCloseWindow"_s, true);
    settings.setValue(u"Style"_s, 1);
    QCOMPARE(AppSettings().language(), 4);
    // One entry per key, kept under the spelling already in the file.
    QCOMPARE(QSettings(env.path(u"config.ini"_s), QSettings::IniFormat).allKeys(),
             QStringList({u"ISCLOSEWINDOW"_s, u"Style"_s, u"language"_s}));
}

void tst_Shell::settingsAbsentKeys()
{
    TestEnvironment env;
    env.removeConfig();
    const AppSettings settings;
    QVERIFY(!settings.value(u"radioNum"_s).isValid());
    QCOMPARE(settings.closeChoice(), 0);
    QCOMPARE(settings.boolean(u"checkBox"_s), false);
    QCOMPARE(settings.string(u"saveFilePath"_s), QString());
}

void tst_Shell::centring_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("expected");
    QTest::newRow("full hd") << QRect(0, 0, 1920, 1040) << QPoint(579, 229);
    QTest::newRow("odd remainder") << QRect(0, 0, 1281, 901) << QPoint(260, 160);
    QTest::newRow("panel on top") << QRect(0, 32, 1366, 736) << QPoint(302, 109);
    QTest::newRow("second screen") << QRect(1920, 0, 1280, 1024) << QPoint(2179, 221);
    QTest::newRow("smaller than the window") << QRect(0, 27, 700, 500) << QPoint(0, 27);
}

void tst_Shell::centring()
{
    QFETCH(QRect, available);
    QFETCH(QPoint, expected);
    QCOMPARE(Chrome::centredPosition(available, QSize(760, 580)), expected);
}

void tst_Shell::dragMovesOnlyFromTheStrip_data()
{
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("expectedMove");
    QTest::newRow("title strip, left button")
        << QPoint(100, 10) << int(Qt::LeftButton) << QPoint(37, 21);
    QTest::newRow("strip edge") << QPoint(760, 29) << int(Qt::LeftButton) << QPoint(37, 21);
    QTest::newRow("below the strip") << QPoint(100, 200) << int(Qt::LeftButton) << QPoint();
    QTest::newRow("right button") << QPoint(100, 10) << int(Qt::RightButton) << QPoint();
}

void tst_Shell::dragMovesOnlyFromTheStrip()
{
    QFETCH(QPoint, pressAt);
    QFETCH(int, button);
    QFETCH(QPoint, expectedMove);
    TestEnvironment env;
    MainWindow window;
    window.move(200, 150);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();
    const QPoint globalPress = window.mapToGlobal(pressAt);
    const auto send = [&](QEvent::Type type, const QPoint &global, Qt::MouseButtons buttons) {
        QMouseEvent event(type, window.mapFromGlobal(global), global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::MouseButton(button),
                          buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    };
    send(QEvent::MouseButtonPress, globalPress, Qt::MouseButtons(button));
    send(QEvent::MouseMove, globalPress + QPoint(1, 1), Qt::MouseButtons(button));
    QCOMPARE(window.pos() - start, expectedMove.isNull() ? QPoint() : QPoint(1, 1));
    send(QEvent::MouseMove, globalPress + QPoint(37, 21), Qt::MouseButtons(button));
    send(QEvent::MouseButtonRelease, globalPress + QPoint(37, 21), Qt::NoButton);
    QCOMPARE(window.pos() - start, expectedMove);
    // After the release, moving the mouse moves nothing.
    send(QEvent::MouseMove, globalPress + QPoint(80, 80), Qt::MouseButtons(button));
    QCOMPARE(window.pos() - start, expectedMove);
}

void tst_Shell::languageSwitchRetranslates()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    QCOMPARE(probe.ui()->delectAllBtn->text(), u"Clear"_s);
    QCOMPARE(window.windowTitle(), u"ZEMRA VEZ ud Iri"_s);
    QCOMPARE(probe.action(u"English"_s)->isChecked(), true);
    QAction *configuration = probe.action(u"Configuration"_s);
    QVERIFY(configuration);
    const QString englishConfirm = probe.confirmDialog().findChild<QPushButton *>(u"No"_s)->text();
    // Two files converted, a third waiting.
    const QString pdf = env.scratch(u"a.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    probe.add({pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(probe.idle(), 60000);
    probe.add({pdf});

    window.changeGerman();
    QCOMPARE(env.readConfig(u"Language"_s).toInt(), 4);
    QCOMPARE(probe.ui()->delectAllBtn->text(), u"Leeren"_s);
    QCOMPARE(configuration->text(), u"Einstellungen"_s);
    QVERIFY(probe.confirmDialog().findChild<QPushButton *>(u"No"_s)->text() != englishConfirm);
    int checkedLanguages = 0;
    for (const QString &name : {u"Chinese"_s, u"English"_s, u"Japanese"_s, u"French"_s})
        checkedLanguages += probe.action(name) && probe.action(name)->isChecked() ? 1 : 0;
    QCOMPARE(checkedLanguages, 0);
    // The waiting row says "Ready" in German; the converted rows keep their mark. Every row keeps
    // its shade.
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(probe.files()->item(row, 4)->text(), row < 2 ? QString() : u"Bereit"_s);
        QCOMPARE(qobject_cast<QLabel *>(probe.files()->cellWidget(row, 4)) != nullptr, row < 2);
        const QColor shade = row % 2 ? QColor(244, 244, 245) : QColor(255, 255, 255);
        QCOMPARE(probe.files()->item(row, 4)->background().color(), shade);
    }

    window.changeChinese();
    QVERIFY(probe.ui()->delectAllBtn->text() != u"Clear"_s);
    window.changeEnglish();
    QCOMPARE(probe.ui()->delectAllBtn->text(), u"Clear"_s);
    QCOMPARE(probe.confirmDialog().findChild<QPushButton *>(u"No"_s)->text(), englishConfirm);
    QCOMPARE(probe.action(u"English"_s)->isChecked(), true);
}

void tst_Shell::storedLanguageOutsideRangeGivesEnglish_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("zero") << QVariant(0);
    QTest::newRow("nine") << QVariant(9);
    QTest::newRow("negative") << QVariant(-2);
    QTest::newRow("text") << QVariant(u"german"_s);
}

void tst_Shell::storedLanguageOutsideRangeGivesEnglish()
{
    QFETCH(QVariant, stored);
    TestEnvironment env;
    env.writeConfig(u"Language"_s, stored);
    MainWindow window;
    MainWindowProbe probe(window);
    QCOMPARE(probe.ui()->delectAllBtn->text(), u"Clear"_s);
    QVERIFY(probe.action(u"English"_s)->isChecked());
    QCOMPARE(probe.confirmDialog().findChild<QPushButton *>(u"Yes"_s)->text(), u"Yes"_s);
}

void tst_Shell::styleOtherThanOneGivesDefaultSheet_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("checked");
    QTest::newRow("classic") << QVariant(1) << u"skin/black/mianStylse.css"_s << u"Classic"_s;
    QTest::newRow("elegant") << QVariant(2) << u"skin/default/mianStylse.css"_s << u"Elegant"_s;
    QTest::newRow("zero") << QVariant(0) << u"skin/default/mianStylse.css"_s << u"Elegant"_s;
    QTest::newRow("seven") << QVariant(7) << u"skin/default/mianStylse.css"_s << u"Elegant"_s;
    QTest::newRow("absent") << QVariant() << u"skin/default/mianStylse.css"_s << u"Elegant"_s;
}

void tst_Shell::styleOtherThanOneGivesDefaultSheet()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, sheet);
    QFETCH(QString, checked);
    TestEnvironment env;
    if (stored.isValid())
        env.writeConfig(u"Style"_s, stored);
    MainWindow window;
    MainWindowProbe probe(window);
    const QString expected = Appearance::readStyleSheet(sheet);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(window.styleSheet(), expected);
    QCOMPARE(probe.confirmDialog().styleSheet(), expected);
    QVERIFY(probe.action(checked)->isChecked());

    window.changeStyle1();
    QCOMPARE(window.styleSheet(), Appearance::readStyleSheet(u"skin/black/mianStylse.css"_s));
    QCOMPARE(probe.aboutDialog().styleSheet(), window.styleSheet());
    QVERIFY(probe.action(u"Classic"_s)->isChecked());
    QVERIFY(!probe.action(u"Elegant"_s)->isChecked());
}

void tst_Shell::messageBoxesAreReadable_data()
{
    QTest::addColumn<int>("style");
    QTest::newRow("Classic") << 1;
    QTest::newRow("Elegant") << 2;
}

// A box such as "Not enough room": its text stands out from its ground at least 4.5 to 1, as
// WCAG asks of body text.
void tst_Shell::messageBoxesAreReadable()
{
    QFETCH(int, style);
    TestEnvironment env;
    env.writeConfig(u"Style"_s, style);
    MainWindow window;
    QMessageBox box(QMessageBox::Question, u"Not enough room"_s,
                    u"The images need 7.4 GiB on /srv, where 1.2 GiB is free."_s,
                    QMessageBox::Ok | QMessageBox::Cancel, &window);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto *label = box.findChild<QLabel *>(u"qt_msgbox_label"_s);
    QVERIFY(label);
    const QImage shot = box.grab(label->geometry()).toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x)
            ++counts[shot.pixel(x, y)];
    }
    const auto luminance = [](QRgb rgb) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) +
               0.0722 * linear(qBlue(rgb));
    };
    QRgb ground = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(ground))
            ground = it.key();
    }
    double contrast = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double a = luminance(it.key()) + 0.05;
        const double b = luminance(ground) + 0.05;
        contrast = qMax(contrast, qMax(a, b) / qMin(a, b));
    }
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

void tst_Shell::confirmationTellsAnswersApart_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("closedByCloseButton");
    QTest::newRow("yes") << u"Yes"_s << int(QDialog::Accepted) << false;
    QTest::newRow("no") << u"No"_s << int(QDialog::Rejected) << false;
    QTest::newRow("close button") << u"mainCls"_s << int(QDialog::Rejected) << true;
}

void tst_Shell::confirmationTellsAnswersApart()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(bool, closedByCloseButton);
    TestEnvironment env;
    deleteDlg dialog;
    dialog.closedByCloseButton = !closedByCloseButton;
    dialog.setTextEdit(u"\n  A question?"_s);
    QCOMPARE(dialog.findChild<QTextEdit *>(u"textEdit"_s)->toPlainText(), u"\n  A question?"_s);
    Modal::clickNext(button);
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(dialog.closedByCloseButton, closedByCloseButton);
}

void tst_Shell::menusHoldTheirActions_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("entry");
    // A dialog's class, or what else the entry must bring about.
    QTest::addColumn<QString>("effect");
    for (const char *menu : {"main", "tray"}) {
        const QString name = QString::fromLatin1(menu);
        QTest::addRow("%s: Configuration", menu) << name << u"Configuration"_s << u"Config"_s;
        QTest::addRow("%s: Language", menu) << name << u"Language"_s << u"languages"_s;
        QTest::addRow("%s: Official Website", menu)
            << name << u"Official Website"_s << u"home page"_s;
        QTest::addRow("%s: About", menu) << name << u"About"_s << u"aboutDlg"_s;
        QTest::addRow("%s: Quit", menu) << name << u"Quit"_s << u"closed"_s;
    }
    QTest::newRow("main: Check for Updates") << u"main"_s << u"Check for Updates"_s << u"updater"_s;
    QTest::newRow("tray: Display window") << u"tray"_s << u"Display window"_s << u"shown"_s;
}

void tst_Shell::menusHoldTheirActions()
{
    QFETCH(QString, menu);
    QFETCH(QString, entry);
    QFETCH(QString, effect);
    TestEnvironment env;
    const QString updaterRan = env.scratch(u"updater-ran"_s);
    env.installTool(u"Updates.exe"_s, u"touch '%1'"_s.arg(updaterRan));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<QAction *> entries =
        (menu == u"main" ? probe.mainMenu() : probe.trayMenu())->actions();
    const auto found = std::find_if(entries.cbegin(), entries.cend(),
                                    [&entry](const QAction *a) { return a->text() == entry; });
    QVERIFY2(found != entries.cend(), qPrintable(entry));
    QAction *action = *found;
    // Every dialog the entry opens is noted and closed, so a wrong one cannot hold the test up.
    QStringList dialogs;
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, &closer, [&dialogs] {
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            dialogs << QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        }
    });
    closer.start();

    if (effect == u"languages") {
        // Each language the submenu offers switches to that language.
        const QHash<QString, int> numbers = {{u"Chinese"_s, 1},
                                             {u"English"_s, 2},
                                             {u"Japanese"_s, 3},
                                             {u"German"_s, 4},
                                             {u"French"_s, 5}};
        QVERIFY(action->menu());
        const QList<QAction *> languages = action->menu()->actions();
        QVERIFY(languages.size() >= 2);
        QStringList names;
        for (const QAction *language : languages)
            names << language->text();
        for (qsizetype index = languages.size() - 1; index >= 0; --index) {
            QVERIFY2(numbers.contains(names.at(index)), qPrintable(names.at(index)));
            languages.at(index)->trigger();
            QCOMPARE(env.readConfig(u"Language"_s).toInt(), numbers.value(names.at(index)));
            QVERIFY(languages.at(index)->isChecked());
        }
        QCOMPARE(dialogs, QStringList());
        return;
    }
    if (effect == u"shown")
        window.hide();
    action->trigger();
    if (effect == u"home page") {
        QCOMPARE(env.desktop.opened.size(), 1);
    } else if (effect == u"updater") {
        QTRY_VERIFY(QFileInfo::exists(updaterRan));
    } else if (effect == u"closed") {
        QVERIFY(!window.isVisible());
    } else if (effect == u"shown") {
        QVERIFY(window.isVisible());
    }
    const bool opensDialog =
        !QStringList{u"home page"_s, u"updater"_s, u"closed"_s, u"shown"_s}.contains(effect);
    QCOMPARE(dialogs, opensDialog ? QStringList{effect} : QStringList());
    if (effect != u"updater")
        QVERIFY(!QFileInfo::exists(updaterRan));
}

void tst_Shell::trayIconShowsTheWindow()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    QCOMPARE(probe.trayIcon()->contextMenu(), probe.trayMenu());
    QCOMPARE(probe.trayIcon()->toolTip(), u"ZEMRA VEZ ud Iri"_s);

    // A single click on the tray icon does nothing; a double click shows the window again.
    window.hide();
    window.isshow(QSystemTrayIcon::Trigger);
    QVERIFY(!window.isVisible());
    window.isshow(QSystemTrayIcon::DoubleClick);
    QVERIFY(window.isVisible());
}

void tst_Shell::keyboardShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("effect");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << u"file added"_s;
    QTest::newRow("Ctrl+Shift+O") << int(Qt::Key_O) << int(ctrl | Qt::ShiftModifier)
                                  << u"folder added"_s;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << u"removed after asking"_s;
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << u"all selected"_s;
    QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << ctrl << u"closed"_s;
    QTest::newRow("Return") << int(Qt::Key_Return) << 0 << u"started"_s;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << ctrl << u"started"_s;
    QTest::newRow("Return in the page editor") << int(Qt::Key_Return) << 0 << u"edited"_s;
}

void tst_Shell::keyboardShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, effect);
    TestEnvironment env;
    QDir().mkpath(env.scratch(u"folder"_s));
    for (const QString &name : {u"a.pdf"_s, u"b.pdf"_s, u"c.pdf"_s, u"folder/d.pdf"_s})
        QVERIFY(Pdfs::write(env.scratch(name), 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({env.scratch(u"a.pdf"_s)});
    probe.add({env.scratch(u"b.pdf"_s)});
    // Not selectRow(): a modifier key an earlier row pressed would make it toggle.
    probe.files()->selectionModel()->select(probe.files()->model()->index(1, 0),
                                            QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget *target = &window;
    if (effect == u"file added") {
        FileDialog::setNextFileNames({env.scratch(u"c.pdf"_s)});
    } else if (effect == u"folder added") {
        FileDialog::setNextDirectory(env.scratch(u"folder"_s));
    } else if (effect == u"removed after asking") {
        Modal::clickNext(u"Yes"_s, "deleteDlg");
    } else if (effect == u"edited") {
        probe.options()->selectRow(1);
        QLineEdit *pages = probe.editor(1)->lineEdit();
        pages->setFocus();
        QTRY_VERIFY(pages->hasFocus());
        target = pages;
    }
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    if (effect == u"file added" || effect == u"folder added")
        QTRY_COMPARE(probe.fileNames().value(2), effect == u"file added" ? u"c.pdf"_s : u"d.pdf"_s);
    else if (effect == u"removed after asking")
        QTRY_COMPARE(probe.fileNames(), QStringList{u"a.pdf"_s});
    else if (effect == u"all selected")
        QCOMPARE(probe.files()->selectionModel()->selectedRows().size(), 2);
    else if (effect == u"closed")
        QVERIFY(!window.isVisible());
    QCOMPARE(probe.idle(), effect != u"started");
}

void tst_Shell::fileDialogsShowTheirToolbarIcons_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("folder"); // the folder dialog, else the open dialog
    QTest::newRow("Classic, files") << 1 << false;
    QTest::newRow("Classic, folder") << 1 << true;
    QTest::newRow("Elegant, files") << 2 << false;
    QTest::newRow("Elegant, folder") << 2 << true;
}

void tst_Shell::fileDialogsShowTheirToolbarIcons()
{
    QFETCH(int, style);
    QFETCH(bool, folder);
    TestEnvironment env;
    env.writeConfig(u"Style"_s, style);
    MainWindow window;
    // What each toolbar button shows of its icon: the pixels that change when the icon goes,
    // against the pixels the icon itself covers.
    QHash<QString, std::pair<int, int>> drawn;
    Modal::whenShown(
        [&](QWidget *dialog) {
            const QList<QToolButton *> buttons = dialog->findChildren<QToolButton *>();
            for (QToolButton *button : buttons) {
                const QImage withIcon = button->grab().toImage();
                const QIcon icon = button->icon();
                button->setIcon(QIcon());
                const QImage withoutIcon = button->grab().toImage();
                const QImage alone = icon.pixmap(button->iconSize()).toImage();
                int shown = 0;
                for (int y = 0; y < withIcon.height(); ++y) {
                    for (int x = 0; x < withIcon.width(); ++x)
                        shown += withIcon.pixel(x, y) != withoutIcon.pixel(x, y);
                }
                int covered = 0;
                for (int y = 0; y < alone.height(); ++y) {
                    for (int x = 0; x < alone.width(); ++x)
                        covered += qAlpha(alone.pixel(x, y)) > 127;
                }
                drawn.insert(button->objectName(), {shown, covered});
            }
            qobject_cast<QDialog *>(dialog)->reject();
        },
        "QFileDialog");
    if (folder)
        window.openFolder();
    else
        window.openFile();

    for (const char *name : {"backButton", "forwardButton", "toParentButton", "newFolderButton",
                             "listModeButton", "detailModeButton"}) {
        const auto [shown, covered] = drawn.value(QString::fromLatin1(name));
        QVERIFY2(covered > 0 && shown >= covered / 2, name);
    }
}

void tst_Shell::splashFollowsStyleAndLanguage_data()
{
    QTest::addColumn<QVariant>("style"); // invalid: absent
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("initializing");
    const QString classic = u"skin/black/Background/start.png"_s;
    // The second skin's splash has always lived in a folder spelled "defalut".
    const QString elegant = u"skin/defalut/Background/start.png"_s;
    QTest::newRow("Classic, English")
        << QVariant(1) << QVariant(2) << classic << u"Initializing:"_s;
    QTest::newRow("Elegant, German")
        << QVariant(2) << QVariant(4) << elegant << u"Initialisierung:"_s;
    QTest::newRow("absent, Chinese") << QVariant() << QVariant(1) << elegant << u"正在初始化："_s;
    QTest::newRow("zero, Japanese") << QVariant(0) << QVariant(3) << elegant << u"初期化中："_s;
    QTest::newRow("Classic, French")
        << QVariant(1) << QVariant(5) << classic << u"Initialisation\u00a0:"_s;
    QTest::newRow("Elegant, language out of range")
        << QVariant(2) << QVariant(9) << elegant << u"Initializing:"_s;
}

void tst_Shell::splashFollowsStyleAndLanguage()
{
    QFETCH(QVariant, style);
    QFETCH(QVariant, language);
    QFETCH(QString, background);
    QFETCH(QString, initializing);
    TestEnvironment env;
    if (style.isValid())
        env.writeConfig(u"Style"_s, style);
    env.writeConfig(u"Language"_s, language);
    VersionRecord::write(u"3.1.4.15"_s);

    StartDlg splash;
    QCOMPARE(splash.styleSheet(), u"QDialog{border-image:url(%1)}"_s.arg(background));
    QVERIFY(QFileInfo(env.path(background)).isFile());
    QCOMPARE(splash.findChild<QLabel *>(u"label_3"_s)->text(), initializing);
    QCOMPARE(splash.findChild<QLabel *>(u"versionLabel"_s)->text(), u"3.1.4.15"_s);
    for (const char *title : {"label", "label_2"})
        QCOMPARE(splash.findChild<QLabel *>(QString::fromLatin1(title))->text(), u"VEZ ud IRI"_s);
}

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
