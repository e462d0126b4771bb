// The course of a run: progress, Stop, failures that end a file but never the run, the re-run
// question and the result toast.
#include "conversion.h"
#include "core/engine/diskspace.h"
#include "core/engine/sharedrender.h"
#include "gui/dialogs/information.h"
#include "gui/widgets/messagebox.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A status the run set keeps the row's shade.
bool shaded(MainWindowProbe &probe, int row)
{
    const QTableWidgetItem *status = probe.files()->item(row, 4);
    return status && status->background().color() ==
                         (row % 2 ? QColor(244, 244, 245) : QColor(255, 255, 255));
}

bool failedWithReason(MainWindowProbe &probe, int row)
{
    const QTableWidgetItem *status = probe.files()->item(row, 4);
    // The reason shows on the row, not only in its tool tip.
    return !probe.files()->cellWidget(row, 4) && status && !status->icon().isNull() &&
           !status->text().isEmpty() && status->toolTip().startsWith(status->text()) &&
           shaded(probe, row);
}

bool finished(MainWindowProbe &probe, int row)
{
    return qobject_cast<QLabel *>(probe.files()->cellWidget(row, 4)) != nullptr &&
           shaded(probe, row);
}

} // namespace

class tst_Run : public QObject
{
    Q_OBJECT

private slots:
    void progressFollowsPageMarkers_data();
    void progressFollowsPageMarkers();
    void stopDiscardsOnlyTheInterruptedFile();
    void endingTheProgramMidPageIsAStop();
    void crashingRendererFailsOneFile();
    void failuresEndTheFileNotTheRun_data();
    void failuresEndTheFileNotTheRun();
    void rerunQuestion_data();
    void rerunQuestion();
    void outputFoldersStayWithTheirRows();
    void outputFolderLostMidRun();
    void templateNeverWritesOutsideTheFolder();
    void roomOnTheDisk();
    void toastShowsTheCounts();
    void secondRunCountsOnlyItself_data();
    void secondRunCountsOnlyItself();
};

void tst_Run::progressFollowsPageMarkers_data()
{
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QList<int>>("values");
    // A page's marker comes when it begins.
    QTest::newRow("one marker a read")
        << u"gs \"$@\" | while read -r line; do echo \"$line\"; sleep 0.1; done"_s << u"1-3"_s
        << QList<int>({33, 66, 100});
    QTest::newRow("every marker in one read")
        << u"out=$(gs \"$@\"); status=$?; printf '%s\\n' \"$out\"; exit $status"_s << u"1-4"_s
        << QList<int>({100});
}

void tst_Run::progressFollowsPageMarkers()
{
    QFETCH(QString, renderer);
    QFETCH(QString, selection);
    QFETCH(QList<int>, values);
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s, renderer);
    const QString pdf = env.scratch(u"doc.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 4));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    probe.pageRanges()[0] = selection;
    probe.dpiValues()[0] = u"70"_s;
    QList<int> sent;
    connect(&window, &MainWindow::sendValue, [&](int percent) { sent << percent; });
    QVERIFY(Conversion::run(probe));
    QCOMPARE(sent, values);
    QVERIFY(finished(probe, 0));
}

void tst_Run::stopDiscardsOnlyTheInterruptedFile()
{
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"number"_s);
    env.writeConfig(u"parallelJobs"_s, 1);
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(4, pid));
    const QString done = env.scratch(u"done.pdf"_s);
    const QString pdf = env.scratch(u"long.pdf"_s);
    QVERIFY(Pdfs::write(done, 3));
    QVERIFY(Pdfs::write(pdf, 10));
    QVERIFY(QDir().mkpath(env.scratch(u"long"_s)));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, done, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s, u"70"_s};
    probe.pageRanges()[1] = u"1"_s;
    probe.ui()->stratBtn->click();
    // Pages 1 to 3 of the first file are written, page 4 is under way.
    const QString folder = env.scratch(u"long(1)"_s);
    QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(folder).size(), 3, 60000);
    probe.ui()->stratBtn->click();
    QVERIFY(probe.idle());
    QTRY_VERIFY(Conversion::processGone(pid));

    QVERIFY2(!QFileInfo::exists(folder), qPrintable(Conversion::filesIn(folder).join(u' ')));
    QVERIFY(QFileInfo(env.scratch(u"long"_s)).isDir()); // not this run's folder
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(probe.files()->item(row, 4)->text(), u"Ready"_s);
        QVERIFY(!probe.files()->cellWidget(row, 4));
        QVERIFY(shaded(probe, row));
    }
    QCOMPARE(probe.runIndex(), 0);
    QVERIFY(!probe.ui()->stratBtn->isChecked());
    QVERIFY(probe.ui()->delectBtn->isEnabled());

    // Start again: every file is converted from its first page, with the names it had.
    env.installTool(u"P2I.exe"_s, u"exec gs \"$@\""_s);
    QVERIFY(Conversion::run(probe));
    QCOMPARE(Conversion::filesIn(folder).size(), 10);
    QCOMPARE(Conversion::filesIn(folder).first(), u"1.bmp"_s);
    QCOMPARE(Conversion::filesIn(env.scratch(u"done"_s)), QStringList{u"11.bmp"_s});
    for (int row = 0; row < 3; ++row)
        QVERIFY(finished(probe, row));
}

void tst_Run::endingTheProgramMidPageIsAStop()
{
    TestEnvironment env;
    const QString pid = env.scratch(u"gs.pid"_s);
    env.installTool(u"P2I.exe"_s, Conversion::pausingRenderer(2, pid));
    const QString pdf = env.scratch(u"doc.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 3));
    {
        MainWindow window;
        MainWindowProbe probe(window);
        probe.add({pdf});
        probe.dpiValues()[0] = u"70"_s;
        probe.ui()->stratBtn->click();
        QTRY_COMPARE_WITH_TIMEOUT(Conversion::filesIn(env.scratch(u"doc"_s)).size(), 1, 30000);
        window.close();
    }
    QVERIFY(!QFileInfo::exists(env.scratch(u"doc"_s)));
    QTRY_VERIFY(Conversion::processGone(pid));
    QVERIFY(QFileInfo(pdf).isFile());
}

void tst_Run::crashingRendererFailsOneFile()
{
    TestEnvironment env;
    env.installTool(u"P2I.exe"_s,
                    u"case \"$*\" in *second*) kill -SEGV $$ ;; esac\nexec gs \"$@\""_s);
    env.writeConfig(u"isShowMsg"_s, true);
    QStringList pdfs;
    for (const QString &name : {u"first"_s, u"second"_s, u"third"_s}) {
        pdfs << env.scratch(name + u".pdf"_s);
        QVERIFY(Pdfs::write(pdfs.last(), 1));
    }
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add(pdfs);
    probe.dpiValues() = {u"70"_s, u"70"_s, u"70"_s};
    QList<std::pair<int, int>> counts;
    connect(&window, &MainWindow::changefileNum, [&](int total, int failed) {
        counts.append({total, failed});
    });
    QVERIFY(Conversion::run(probe));

    const QList<MessageBox::Shown> warnings = MessageBox::takeRecorded();
    QCOMPARE(warnings.size(), 1);
    QCOMPARE(warnings.first().title, u"Error"_s);
    QVERIFY(finished(probe, 0));
    QVERIFY(failedWithReason(probe, 1));
    QVERIFY(finished(probe, 2));
    QCOMPARE(counts, (QList<std::pair<int, int>>{{3, 1}}));
    QVERIFY(probe.alreadyConverted());
}

void tst_Run::failuresEndTheFileNotTheRun_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("protected, rendered without its password") << u"password"_s;
    QTest::newRow("output folder cannot be made") << u"folder"_s;
    QTest::newRow("renderer exits with an error") << u"exit code"_s;
    QTest::newRow("renderer missing") << u"missing"_s;
    QTest::newRow("renderer hangs") << u"hangs"_s;
    QTest::newRow("no page to convert") << u"no pages"_s;
}

void tst_Run::failuresEndTheFileNotTheRun()
{
    QFETCH(QString, failure);
    TestEnvironment env;
    const QString good = env.scratch(u"good.pdf"_s);
    QVERIFY(Pdfs::write(good, 1));
    QString bad = env.scratch(u"bad.pdf"_s);
    QVERIFY(Pdfs::write(bad, 2));
    const QByteArray searchPath = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&searchPath] { qputenv("PATH", searchPath); });

    MainWindow window;
    MainWindowProbe probe(window);
    if (failure == u"password") {
        const QString locked = env.scratch(u"locked.pdf"_s);
        QVERIFY(Pdfs::encrypt(bad, locked, u"pw"_s));
        env.writeConfig(u"havePSW"_s, true);
        env.writeConfig(u"Psword"_s, u"pw"_s);
        bad = locked;
    }
    probe.add({bad, good});
    QCOMPARE(probe.files()->rowCount(), 2);
    probe.dpiValues() = {u"70"_s, u"70"_s};
    if (failure == u"password") {
        // As if the password had never been given.
        const_cast<QMap<QString, QString> &>(probe.passwordOptions()).clear();
    } else if (failure == u"folder") {
        // A folder that exists but takes no new folder, even for root.
        probe.ui()->newFileRadio->click();
        probe.ui()->pathEdit->setText(u"/proc"_s);
    } else if (failure == u"exit code") {
        env.installTool(u"P2I.exe"_s,
                        u"case \"$*\" in *bad.pdf*) echo 'Error: broken' >&2; exit 1 ;; esac\n"
                        "exec gs \"$@\""_s);
    } else if (failure == u"hangs") {
        env.writeConfig(u"rendererTimeout"_s, 1);
        env.installTool(u"P2I.exe"_s,
                        u"case \"$*\" in *bad.pdf*) exec sleep 60 ;; esac\nexec gs \"$@\""_s);
    } else if (failure == u"missing") {
        QVERIFY(QFile::remove(env.path(u"vezudiri-render"_s)));
        qputenv("PATH", env.scratch().toUtf8());
    } else {
        probe.pageRanges()[0] = u""_s;
    }

    QVERIFY(Conversion::run(probe, 60000));
    QVERIFY(failedWithReason(probe, 0));
    if (failure == u"missing" || failure == u"folder") {
        QVERIFY(failedWithReason(probe, 1));
    } else {
        QVERIFY(finished(probe, 1));
    }
    // Only a crash stops for a message box; a folder on a file system without room asks first.
    const QList<MessageBox::Shown> shown = MessageBox::takeRecorded();
    QCOMPARE(shown.size(), failure == u"folder" ? 1 : 0);
    if (!shown.isEmpty())
        QCOMPARE(shown.first().title, u"Not enough room"_s);
    QVERIFY(probe.alreadyConverted());
    QVERIFY(probe.ui()->delectAllBtn->isEnabled());
}

void tst_Run::rerunQuestion_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("rowsConverted");
    QTest::addColumn<bool>("started");
    QTest::newRow("yes: everything again") << u"Yes"_s << 3 << true;
    QTest::newRow("no: only the new file") << u"No"_s << 1 << true;
    QTest::newRow("close button: nothing") << u"mainCls"_s << 0 << false;
}

void tst_Run::rerunQuestion()
{
    QFETCH(QString, answer);
    QFETCH(int, rowsConverted);
    QFETCH(bool, started);
    TestEnvironment env;
    const QString pdf = env.scratch(u"a.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    QVERIFY(Conversion::run(probe));
    probe.add({pdf});
    probe.dpiValues()[2] = u"70"_s;

    int renders = 0;
    connect(&probe.engine(), &ConversionQueue::fileStarted, [&] { ++renders; });
    Modal::clickNext(answer, "deleteDlg");
    QVERIFY(Conversion::run(probe));
    QCOMPARE(renders, rowsConverted);
    QVERIFY(probe.alreadyConverted());
    QVERIFY(!probe.ui()->stratBtn->isChecked());
    QCOMPARE(finished(probe, 2), started);
    if (answer == u"mainCls") {
        // After the close button nothing starts, even with a row waiting.
        QCOMPARE(probe.runIndex(), 2);
    }
}

void tst_Run::outputFoldersStayWithTheirRows()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"x.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s, u"70"_s};
    probe.pageRanges()[1] = QString(); // the middle file fails before its folder is made
    QVERIFY(Conversion::run(probe));
    QCOMPARE(probe.outputFolders().value(0), env.scratch(u"x"_s));
    QCOMPARE(probe.outputFolders().value(1), QString());
    QCOMPARE(probe.outputFolders().value(2), env.scratch(u"x(1)"_s));
    env.desktop.opened.clear();
    window.openPath(2, 4);
    window.openPath(1, 4);
    QCOMPARE(env.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(env.scratch(u"x(1)"_s))});
}

void tst_Run::outputFolderLostMidRun()
{
    TestEnvironment env;
    const QString out = env.scratch(u"out"_s);
    env.writeConfig(u"parallelJobs"_s, 1);
    // Once the first file is rendered, the chosen folder is replaced by a file: it can no longer
    // be made. Tried until it is gone: the program may still be placing an earlier page in it.
    env.installTool(u"P2I.exe"_s,
                    u"gs \"$@\"; status=$?\n"
                    "case \"$*\" in *first.pdf*)\n"
                    "  until rm -rf '%1' 2>/dev/null && echo > '%1'; do sleep 0.05; done ;;\n"
                    "esac\nexit $status"_s.arg(out));
    QStringList pdfs;
    for (const QString &name : {u"first"_s, u"second"_s}) {
        pdfs << env.scratch(name + u".pdf"_s);
        // Too many pages to share a renderer: the folder goes between the two files.
        QVERIFY(Pdfs::write(pdfs.last(), SharedRender::mostPages + 1));
    }
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add(pdfs);
    probe.dpiValues() = {u"70"_s, u"70"_s};
    probe.ui()->newFileRadio->click();
    probe.ui()->pathEdit->setText(out);

    QVERIFY(Conversion::run(probe));
    QVERIFY(failedWithReason(probe, 1));
    QVERIFY(probe.files()->item(1, 4)->toolTip().contains(out));
    QVERIFY(!probe.ui()->stratBtn->isChecked());
    for (QWidget *control : std::initializer_list<QWidget *>{
             probe.ui()->stratBtn, probe.ui()->delectBtn, probe.ui()->pathEdit,
             probe.ui()->newFileRadio, probe.ui()->openPath})
        QVERIFY(control->isEnabled());
}

void tst_Run::templateNeverWritesOutsideTheFolder()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"in/x.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    QFile mine(env.scratch(u"in/x1.bmp"_s));
    QVERIFY(mine.open(QIODevice::WriteOnly));
    mine.write("the user's own file");
    mine.close();
    MainWindow window;
    MainWindowProbe probe(window);
    // A hand-edited template that points out of the file's folder.
    env.writeConfig(u"outputFileNameModel"_s, u"template"_s);
    env.writeConfig(u"outFileNameModelfirst"_s, u"../x"_s);
    probe.add({pdf});
    probe.dpiValues()[0] = u"70"_s;
    QVERIFY(Conversion::run(probe));

    QCOMPARE(Conversion::filesIn(env.scratch(u"in/x"_s)),
             QStringList({u"___x1.bmp"_s, u"___x2.bmp"_s}));
    QCOMPARE(Conversion::filesIn(env.scratch(u"in"_s)), QStringList({u"x.pdf"_s, u"x1.bmp"_s}));
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray("the user's own file"));
}

void tst_Run::roomOnTheDisk()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"doc.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    DiskSpace::setAvailableForTests([](const QString &) { return 1000; });

    // Two A4 pages at 120 DPI take 2 x 4.05 MiB; "Cancel" starts nothing.
    MessageBox::setNextAnswer(false);
    probe.ui()->stratBtn->click();
    QList<MessageBox::Shown> shown = MessageBox::takeRecorded();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().title, u"Not enough room"_s);
    QVERIFY2(shown.first().text.contains(u"8.10 MiB"_s) &&
                 shown.first().text.contains(QLocale().formattedDataSize(1000)),
             qPrintable(shown.first().text));
    QVERIFY(!probe.ui()->stratBtn->isChecked());
    QVERIFY(probe.idle());
    QTest::qWait(200);
    QVERIFY(!QFileInfo::exists(env.scratch(u"doc"_s)));

    // "Convert anyway": the disk fills at the first page, and the run stops with a message.
    env.installTool(u"P2I.exe"_s, u"gs \"$@\" | sed 's/^Page 2$/   **** Error: Page drawing "
                                  "error occurred.\\nPage 2/'"_s);
    QVERIFY(Conversion::run(probe));
    shown.clear();
    QTRY_VERIFY((shown += MessageBox::takeRecorded()).size() == 2);
    QCOMPARE(shown.at(0).title, u"Not enough room"_s);
    QCOMPARE(shown.at(1).title, u"Conversion stopped"_s);
    QVERIFY(shown.at(1).text.contains(u"is full"_s));
    QCOMPARE(probe.files()->item(0, 4)->text(), u"Ready"_s);
    QVERIFY(!QFileInfo::exists(env.scratch(u"doc"_s)));
    QVERIFY(probe.ui()->stratBtn->isEnabled() && !probe.ui()->stratBtn->isChecked());
}

void tst_Run::toastShowsTheCounts()
{
    TestEnvironment env;
    env.writeConfig(u"isShowMsg"_s, true);
    const QString pdf = env.scratch(u"x.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    QVERIFY(Conversion::run(probe));

    information &toast = probe.summaryToast();
    QTRY_VERIFY(toast.isVisible());
    QCOMPARE(toast.findChild<QLabel *>(u"inforLable"_s)->text(), u"Success: 2 file(s)"_s);
    QCOMPARE(toast.findChild<QLabel *>(u"inforLable_2"_s)->text(), u"Fail:    0 file(s)"_s);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QCOMPARE(toast.x(), area.right() - toast.width() - 1);
    QVERIFY(toast.y() < area.bottom() - toast.height() + 1);
    QTRY_VERIFY_WITH_TIMEOUT(!toast.isVisible(), 7000);
}

void tst_Run::secondRunCountsOnlyItself_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("files");
    QTest::newRow("every file again") << u"Yes"_s << 3;
    QTest::newRow("only the new file") << u"No"_s << 1;
}

void tst_Run::secondRunCountsOnlyItself()
{
    QFETCH(QString, answer);
    QFETCH(int, files);
    TestEnvironment env;
    env.writeConfig(u"isShowMsg"_s, true);
    const QString pdf = env.scratch(u"x.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    probe.pageRanges()[1] = QString();
    QList<std::pair<int, int>> counts;
    connect(&window, &MainWindow::changefileNum, [&](int total, int failed) {
        counts.append({total, failed});
    });
    QVERIFY(Conversion::run(probe));
    QCOMPARE(counts, (QList<std::pair<int, int>>{{2, 1}}));

    // The failed file is mended and a new one added: the second run has no failure.
    probe.pageRanges()[1] = u"1"_s;
    probe.add({pdf});
    probe.dpiValues()[2] = u"70"_s;
    Modal::clickNext(answer, "deleteDlg");
    QVERIFY(Conversion::run(probe));
    QCOMPARE(counts.value(1), std::make_pair(files, 0));
    const information &toast = probe.summaryToast();
    QCOMPARE(toast.findChild<QLabel *>(u"inforLable"_s)->text(),
             u"Success: %1 file(s)"_s.arg(files));
    QCOMPARE(toast.findChild<QLabel *>(u"inforLable_2"_s)->text(), u"Fail:    0 file(s)"_s);
}

QTEST_MAIN(tst_Run)
#include "tst_run.moc"
