// The window from the keyboard alone: Tab through the work, the arrows through files and
// options, Space or F2 to edit an option; every control named for screen readers.
#include "mainwindowprobe.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

enum OptionRow { AllPagesRow, SelectPagesRow, DpiRow, WidthRow, HeightRow, ColourRow };

// Two listed files of two and three pages, the second selected, the window active.
struct Listed
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe{window};

    bool setUp()
    {
        const QString two = env.scratch(u"two.pdf"_s);
        const QString three = env.scratch(u"three.pdf"_s);
        if (!Pdfs::write(two, 2) || !Pdfs::write(three, 3))
            return false;
        probe.add({two});
        probe.add({three});
        window.show();
        window.activateWindow();
        // The adding's progress dialog, a child of the window, was active last: wait for the
        // window itself.
        return QTest::qWaitFor([this] { return QApplication::activeWindow() == &window; });
    }
    QString focused() const
    {
        const QWidget *widget = QApplication::focusWidget();
        return widget ? widget->objectName() : QString();
    }
};

} // namespace

class tst_Keyboard : public QObject
{
    Q_OBJECT

private slots:
    void tabGoesThroughTheWork_data();
    void tabGoesThroughTheWork();
    void arrowsMoveThroughFilesAndOptions();
    void keysEditAnOption_data();
    void keysEditAnOption();
    void everyControlHasAName();
};

void tst_Keyboard::tabGoesThroughTheWork_data()
{
    QTest::addColumn<bool>("customFolder");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("beside each PDF")
        << false
        << QStringList{
               u"addMenuBtn"_s,         u"delectBtn"_s,     u"delectAllBtn"_s, u"tableWidget"_s,
               u"OptionsTableWidget"_s, u"applytoalldpi"_s, u"oldFileRadio"_s, u"pathEdit"_s,
               u"openPath"_s,           u"browseBtn"_s,     u"stratBtn"_s};
    QTest::newRow("a folder of one's own")
        << true
        << QStringList{
               u"addMenuBtn"_s,         u"delectBtn"_s,     u"delectAllBtn"_s, u"tableWidget"_s,
               u"OptionsTableWidget"_s, u"applytoalldpi"_s, u"newFileRadio"_s, u"pathEdit"_s,
               u"openPath"_s,           u"browseBtn"_s,     u"stratBtn"_s};
}

// Tab and Shift+Tab go round the controls in the order the work is done, starting on "Add Files".
void tst_Keyboard::tabGoesThroughTheWork()
{
    QFETCH(bool, customFolder);
    QFETCH(QStringList, order);
    Listed listed;
    QVERIFY(listed.setUp());
    // The radio buttons are one stop, the one chosen last; the arrows go between them.
    if (customFolder)
        QTest::mouseClick(listed.probe.ui()->newFileRadio, Qt::LeftButton);
    listed.probe.ui()->addMenuBtn->setFocus();
    QStringList forwards{listed.focused()};
    for (qsizetype step = 1; step < order.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        forwards << listed.focused();
    }
    QCOMPARE(forwards, order);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(listed.focused(), order.first());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(listed.focused(), order.last());
}

void tst_Keyboard::arrowsMoveThroughFilesAndOptions()
{
    Listed listed;
    QVERIFY(listed.setUp());
    QTableWidget *files = listed.probe.files();
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Up);
    QCOMPARE(files->currentRow(), 0);
    QCOMPARE(listed.probe.optionValue(AllPagesRow), u"2"_s);
    QTest::keyClick(files, Qt::Key_Down);
    QCOMPARE(files->currentRow(), 1);
    QCOMPARE(listed.probe.optionValue(AllPagesRow), u"3"_s);
    QCOMPARE(files->selectionModel()->selectedRows().size(), 1);

    QTableWidget *options = listed.probe.options();
    QTest::keyClick(files, Qt::Key_Tab);
    QVERIFY(options->hasFocus());
    QCOMPARE(options->currentRow(), int(AllPagesRow));
    QTest::keyClick(options, Qt::Key_Down);
    QTest::keyClick(options, Qt::Key_Down);
    QCOMPARE(options->currentRow(), int(DpiRow));
    QVERIFY(listed.probe.editor(DpiRow)); // the editor waits for Space or F2
    QVERIFY(options->hasFocus());
    QTest::keyClick(options, Qt::Key_Down);
    QCOMPARE(options->currentRow(), int(WidthRow));
    QVERIFY(!listed.probe.editor(DpiRow));
}

void tst_Keyboard::keysEditAnOption_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("F2") << int(Qt::Key_F2);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

// The key hands the option's editor the keys; Escape gives them back to the table.
void tst_Keyboard::keysEditAnOption()
{
    QFETCH(int, key);
    Listed listed;
    QVERIFY(listed.setUp());
    QTableWidget *options = listed.probe.options();
    options->setFocus();
    options->setCurrentCell(DpiRow, 0);
    QTest::keyClick(options, Qt::Key(key));
    QComboBox *dpi = listed.probe.editor(DpiRow);
    QVERIFY(dpi);
    QTRY_VERIFY(dpi->lineEdit()->hasFocus());
    QVERIFY(dpi->lineEdit()->hasSelectedText()); // typing replaces the value
    QTest::keyClicks(dpi->lineEdit(), u"200"_s);
    QCOMPARE(listed.probe.dpiValues().value(1), u"200"_s);
    QTest::keyClick(dpi->lineEdit(), Qt::Key_Escape);
    QVERIFY(options->hasFocus());

    // A choice without typing opens its list.
    QTest::keyClick(options, Qt::Key_Down);
    QTest::keyClick(options, Qt::Key_Down);
    QTest::keyClick(options, Qt::Key_Down);
    QCOMPARE(options->currentRow(), int(ColourRow));
    QTest::keyClick(options, Qt::Key(key));
    QComboBox *colours = listed.probe.editor(ColourRow);
    QVERIFY(colours);
    QTRY_VERIFY(colours->view()->isVisible());
    colours->hidePopup();
}

// Screen readers name every control; the image-only buttons and the fields say what they are.
void tst_Keyboard::everyControlHasAName()
{
    Listed listed;
    QVERIFY(listed.setUp());
    MainWindowProbe &probe = listed.probe;
    const QList<QWidget *> windows = {
        &listed.window,          &probe.closeChoice(),    &probe.summaryToast(),
        &probe.configDialog(),   &probe.progressDialog(), &probe.errorDialog(),
        &probe.fileInfoDialog(), probe.listClose(),       &probe.passwordDialog(),
        &probe.aboutDialog(),    &probe.confirmDialog(),  &probe.countdownDialog()};
    QStringList unnamed;
    for (QWidget *window : windows) {
        const QList<QWidget *> controls = window->findChildren<QWidget *>();
        for (QWidget *control : controls) {
            // The form's own controls: Qt's parts of them (a combo's field) share their name.
            const bool isControl =
                qobject_cast<QAbstractButton *>(control) || control->focusPolicy() & Qt::TabFocus;
            if (!isControl || control->window() != window || control->objectName().isEmpty() ||
                control->objectName().startsWith(u"qt_"))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << QString::fromLatin1(window->metaObject()->className()) + u"::"_s +
                               control->objectName();
        }
    }
    QCOMPARE(unnamed, QStringList());
}

QTEST_MAIN(tst_Keyboard)
#include "tst_keyboard.moc"
