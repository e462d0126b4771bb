// The window on a Wayland compositor (wayland.sh starts a headless weston for it): it is drawn,
// its dialogs open as windows of their own that belong to it, and a file is converted. (A
// headless compositor has no keyboard to give the window focus: the keys are tested offscreen.)
#include "conversion.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QGuiApplication>
#include <QTest>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

class tst_Wayland : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowIsDrawn();
    void dialogsBelongToTheWindow();
    void convertsAFile();
};

void tst_Wayland::initTestCase()
{
    QCOMPARE(QGuiApplication::platformName(), u"wayland"_s);
}

void tst_Wayland::windowIsDrawn()
{
    TestEnvironment env;
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), MainWindow::windowSize);
    // The skin is drawn: the title strip is dark, the file list light.
    const QImage shot = window.grab().toImage();
    QVERIFY(qGray(shot.pixel(300, 10)) < 80);
    QVERIFY(qGray(shot.pixel(250, 300)) > 200);
}

void tst_Wayland::dialogsBelongToTheWindow()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    bool shown = false;
    Modal::whenShown(
        [&](QWidget *dialog) {
            // Wayland places it; the program only names the window it belongs to.
            shown = QTest::qWaitForWindowExposed(dialog) &&
                    dialog->windowHandle()->transientParent() == window.windowHandle();
            dialog->close();
        },
        "Config");
    window.showConfig();
    QVERIFY(shown);
}

void tst_Wayland::convertsAFile()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"docs/wayland.pdf"_s);
    QDir().mkpath(env.scratch(u"docs"_s));
    QVERIFY(Pdfs::write(pdf, 2));
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    probe.add({pdf});
    probe.dpiValues()[0] = u"70"_s;
    probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(probe.idle(), 60000);
    QCOMPARE(Conversion::filesIn(env.scratch(u"docs/wayland"_s)).size(), 2);
}

QTEST_MAIN(tst_Wayland)
#include "tst_wayland.moc"
