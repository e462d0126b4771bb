// Adding files: the open dialog, a folder, a drop; probing with the real pdfinfo; protected files.
#include "core/pdf/pdfinfo.h"
#include "gui/widgets/filedialog.h"
#include "gui/widgets/messagebox.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QScopeGuard>
#include <QTest>
#include <QTextEdit>

using namespace Qt::Literals::StringLiterals;

class tst_FileList : public QObject
{
    Q_OBJECT

private slots:
    void addedFilesShowNameSizeAndPages();
    void rowsAreNumberedAndShaded();
    void everyRowNumberIsReadable_data();
    void everyRowNumberIsReadable();
    void formatAndMergeFlagComeFromTheRowAbove();
    void awkwardNamesArriveIntact_data();
    void awkwardNamesArriveIntact();
    void pathSplitsAtItsLastSlash_data();
    void pathSplitsAtItsLastSlash();
    void folderScanCountsBeforeProbing();
    void dropTakesFilesAndFolders();
    void badFilesAreListedWithTheirReason_data();
    void badFilesAreListedWithTheirReason();
    void oldPathFollowsTheLastAddedFolder();
    void missingOrHangingToolIsReported_data();
    void missingOrHangingToolIsReported();
    void progressMovesForLargeBatches_data();
    void progressMovesForLargeBatches();
    void protectedFiles_data();
    void protectedFiles();
    void promptRemembersTheLastPassword();

private:
    static QString pdf(TestEnvironment &env, const QString &name, int pages = 1);
};

QString tst_FileList::pdf(TestEnvironment &env, const QString &name, int pages)
{
    const QString path = env.scratch(name);
    if (!Pdfs::write(path, pages))
        qFatal("could not write %s", qPrintable(path));
    return path;
}

void tst_FileList::addedFilesShowNameSizeAndPages()
{
    TestEnvironment env;
    const QString path = pdf(env, u"report.pdf"_s, 3);
    MainWindow window;
    MainWindowProbe probe(window);
    FileDialog::setNextFileNames({path});
    window.openFile();

    QCOMPARE(probe.files()->rowCount(), 1);
    QCOMPARE(probe.files()->item(0, 1)->text(), u"report.pdf"_s);
    QCOMPARE(probe.files()->item(0, 2)->text(),
             u"%1 KB"_s.arg(int(float(QFileInfo(path).size()) / 1024.0f)));
    QCOMPARE(probe.files()->item(0, 3)->text(), u"BMP"_s);
    QCOMPARE(probe.files()->item(0, 4)->text(), u"Ready"_s);
    QCOMPARE(probe.pageCounts(), QStringList{u"3"_s});
    QCOMPARE(probe.filePaths(), QStringList{path});
    QCOMPARE(probe.fileFolders(), QStringList{env.scratch()});
    QCOMPARE(probe.pageRanges(), QStringList{u"All"_s});
    QCOMPARE(probe.dpiValues(), QStringList{u"120"_s});
    QCOMPARE(probe.optionValue(0), u"3"_s);
    QVERIFY(probe.ui()->stratBtn->isEnabled());
    QVERIFY(probe.ui()->delectBtn->isEnabled());
    QVERIFY(probe.ui()->ApplyAllBtn->isEnabled());
    QVERIFY(probe.ui()->tabLabel->isHidden());
    QVERIFY(probe.passwordOptions().isEmpty());
    QCOMPARE(FileDialog::lastStartFolder(), probe.documentsPath() + u"/ZEMRA VEZ ud Iri/"_s);
}

void tst_FileList::rowsAreNumberedAndShaded()
{
    TestEnvironment env;
    const QString path = pdf(env, u"a.pdf"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add(QStringList(12, path));

    QCOMPARE(probe.files()->rowCount(), 12);
    for (int row = 0; row < 12; ++row) {
        QCOMPARE(probe.files()->item(row, 0)->text(), QString::number(row + 1));
        const QColor expected = row % 2 ? QColor(244, 244, 245) : QColor(255, 255, 255);
        for (int column = 0; column < 5; ++column)
            QCOMPARE(probe.files()->item(row, column)->background().color(), expected);
        QCOMPARE(probe.files()->rowHeight(row), 25);
    }
    // The same file twice is two rows: there is no duplicate check.
    QCOMPARE(probe.filePaths().count(path), 12);
}

void tst_FileList::everyRowNumberIsReadable_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("9") << 9;
    QTest::newRow("10") << 10;
    QTest::newRow("1000") << 1000;
    QTest::newRow("10000") << 10000;
}

void tst_FileList::everyRowNumberIsReadable()
{
    QFETCH(int, rows);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    probe.appendRows(env.scratch(u"a.pdf"_s), rows);
    QTableWidget *files = probe.files();
    const auto itemColumn = [files](Qt::TextElideMode mode) {
        files->scrollToBottom();
        files->setTextElideMode(mode);
        return files->viewport()
            ->grab(QRect(files->columnViewportPosition(0), 0, files->columnWidth(0),
                         files->viewport()->height()))
            .toImage();
    };
    // A number that fits looks the same whether it would be elided or not. The column keeps its
    // 40 pixels or is no wider than the largest number needs: a little narrower and it would not
    // fit.
    const auto checkFit = [&] {
        QCOMPARE(itemColumn(Qt::ElideRight), itemColumn(Qt::ElideNone));
        const int width = files->columnWidth(0);
        if (width == 40)
            return;
        QVERIFY(width > 40);
        files->setColumnWidth(0, width - 2);
        QVERIFY(itemColumn(Qt::ElideRight) != itemColumn(Qt::ElideNone));
        files->setColumnWidth(0, width);
    };
    checkFit();
    QCOMPARE(files->columnWidth(0) == 40, rows < 10);
    // The Status column gives way: the list never scrolls sideways.
    QCOMPARE(files->horizontalHeader()->length(), files->viewport()->width());

    // Removing the last row of 10, 1000 or 10000 drops a digit and gives back what it took.
    const int widthBefore = files->columnWidth(0);
    files->selectRow(rows - 1);
    Modal::clickNext(u"Yes"_s, "deleteDlg");
    probe.ui()->delectBtn->click();
    QCOMPARE(files->rowCount(), rows - 1);
    checkFit();
    QCOMPARE(files->columnWidth(0) < widthBefore, rows >= 10);
}

void tst_FileList::formatAndMergeFlagComeFromTheRowAbove()
{
    TestEnvironment env;
    const QString path = pdf(env, u"a.pdf"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({path});
    probe.files()->item(0, 3)->setText(u"TIFF"_s);
    probe.add({path});
    QCOMPARE(probe.files()->item(1, 3)->text(), u"TIFF"_s);
    QCOMPARE(probe.mergeFlags().value(1), true);
    probe.files()->item(1, 3)->setText(u"PNG"_s);
    probe.add({path});
    QCOMPARE(probe.files()->item(2, 3)->text(), u"PNG"_s);
    QVERIFY(!probe.mergeFlags().contains(2));
}

void tst_FileList::awkwardNamesArriveIntact_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("spaces") << u"my documents/annual report 2025.pdf"_s;
    QTest::newRow("quotes") << u"it's \"quoted\"/o'brien \"draft\".pdf"_s;
    QTest::newRow("chinese") << u"报告/年度报告.pdf"_s;
    QTest::newRow("japanese") << u"資料/請求書 ファイル.pdf"_s;
    QTest::newRow("leading dash") << u"-folder/-rf.pdf"_s;
}

void tst_FileList::awkwardNamesArriveIntact()
{
    QFETCH(QString, relative);
    TestEnvironment env;
    const QString path = pdf(env, relative, 2);
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({path});
    QCOMPARE(probe.files()->rowCount(), 1);
    QCOMPARE(probe.files()->item(0, 1)->text(), QFileInfo(path).fileName());
    QCOMPARE(probe.pageCounts(), QStringList{u"2"_s});
    QCOMPARE(probe.fileFolders().value(0), QFileInfo(path).absolutePath());
}

void tst_FileList::pathSplitsAtItsLastSlash_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::newRow("at the root") << u"/report.pdf"_s << u"/"_s << u"report.pdf"_s;
    QTest::newRow("one letter at the root") << u"/r"_s << u"/"_s << u"r"_s;
    QTest::newRow("one folder down") << u"/srv/report.pdf"_s << u"/srv"_s << u"report.pdf"_s;
}

void tst_FileList::pathSplitsAtItsLastSlash()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    TestEnvironment env;
    // Whatever the path, the tool answers for a one-page PDF.
    env.installTool(u"pdfinfo"_s, u"printf 'Pages:          1\\nFile size:      2048 bytes\\n'"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({path});
    QCOMPARE(probe.fileFolders(), QStringList{folder});
    QCOMPARE(probe.fileNames(), QStringList{name});
    QCOMPARE(probe.files()->item(0, 1)->text(), name);
}

void tst_FileList::folderScanCountsBeforeProbing()
{
    TestEnvironment env;
    const QString root = env.scratch(u"tree"_s);
    pdf(env, u"tree/b.pdf"_s);
    pdf(env, u"tree/a.pdf"_s);
    pdf(env, u"tree/sub/c.pdf"_s, 4);
    pdf(env, u"tree/sub/deeper/d.pdf"_s);
    pdf(env, u"tree/.hidden.pdf"_s);
    QDir().mkpath(root + u"/empty/also empty"_s);
    QFile notes(root + u"/notes.txt"_s);
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("not a pdf");
    notes.close();

    MainWindow window;
    MainWindowProbe probe(window);
    QList<int> announced;
    connect(&window, &MainWindow::SaddFile, [&](int total) { announced << total; });
    QString errorText;
    QString countText;
    Modal::whenShown(
        [&](QWidget *dialog) {
            errorText = dialog->findChild<QTextEdit *>(u"errEdit"_s)->toPlainText();
            countText = dialog->findChild<QLabel *>(u"inLabel"_s)->text();
            dialog->close();
        },
        "ErrorDialog");
    FileDialog::setNextDirectory(root);
    window.openFolder();

    // Every file of the tree is counted before the first probe; hidden files are left out.
    QCOMPARE(announced, QList<int>(5, 5));
    QCOMPARE(probe.fileNames(), QStringList({u"a.pdf"_s, u"b.pdf"_s, u"c.pdf"_s, u"d.pdf"_s}));
    QCOMPARE(probe.pageCounts().value(2), u"4"_s);
    QCOMPARE(errorText.trimmed(),
             QDir::toNativeSeparators(root + u"/notes.txt"_s) + u" <Format error>"_s);
    QCOMPARE(countText, u"Total 4 file(s) be added in filelist."_s);
}

void tst_FileList::dropTakesFilesAndFolders()
{
    TestEnvironment env;
    const QString first = pdf(env, u"drop/first.pdf"_s);
    const QString second = pdf(env, u"drop/second.pdf"_s);
    pdf(env, u"drop folder/x.pdf"_s);
    pdf(env, u"drop folder/y.pdf"_s);
    MainWindow window;
    MainWindowProbe probe(window);
    QList<int> announced;
    connect(&window, &MainWindow::SaddFile, [&](int total) { announced << total; });

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(env.scratch(u"drop folder"_s)),
                  QUrl::fromLocalFile(second), QUrl(u"https://example.com/remote.pdf"_s)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);

    QCOMPARE(announced, QList<int>(4, 4));
    QCOMPARE(probe.fileNames(),
             QStringList({u"first.pdf"_s, u"x.pdf"_s, u"y.pdf"_s, u"second.pdf"_s}));
}

void tst_FileList::badFilesAreListedWithTheirReason_data()
{
    QTest::addColumn<QString>("closeWith"); // a button of the dialog, or "Escape"
    QTest::newRow("OK") << u"OKButton"_s;
    QTest::newRow("Cancel") << u"CancelButton"_s;
    QTest::newRow("close button") << u"mainCls"_s;
    QTest::newRow("Escape") << u"Escape"_s;
}

void tst_FileList::badFilesAreListedWithTheirReason()
{
    QFETCH(QString, closeWith);
    TestEnvironment env;
    const QString good = pdf(env, u"good.pdf"_s, 5);
    const QString percent = pdf(env, u"100% done.pdf"_s);
    QVERIFY(Pdfs::truncate(good, env.scratch(u"truncated.pdf"_s), 0.3));
    QFile text(env.scratch(u"photo.pdf"_s));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("this is not a PDF at all");
    text.close();

    MainWindow window;
    MainWindowProbe probe(window);
    QStringList lines;
    const QMetaObject::Connection rejecting =
        connect(&window, &MainWindow::SerrFile, [&](const QStringList &rejected, int total) {
            QCOMPARE(total, 4);
            lines << rejected;
        });
    // What the dialog shows: its list, then its two counts.
    QStringList shown;
    const auto readAndClose = [&] {
        Modal::whenShown(
            [&](QWidget *dialog) {
                shown = QStringList{dialog->findChild<QTextEdit *>(u"errEdit"_s)->toPlainText(),
                                    dialog->findChild<QLabel *>(u"inLabel"_s)->text(),
                                    dialog->findChild<QLabel *>(u"errorLabel"_s)->text()};
                if (closeWith == u"Escape")
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else
                    dialog->findChild<QPushButton *>(closeWith)->click();
            },
            "ErrorDialog");
    };
    readAndClose();
    FileDialog::setNextFileNames(
        {percent, env.scratch(u"truncated.pdf"_s), good, env.scratch(u"photo.pdf"_s)});
    window.openFile();

    QCOMPARE(lines, QStringList({percent + u" <File name error(without %)>"_s,
                                 env.scratch(u"truncated.pdf"_s) + u" <Format error>"_s,
                                 env.scratch(u"photo.pdf"_s) + u" <Format error>"_s}));
    QCOMPARE(shown,
             QStringList({lines.join(u'\n') + u'\n', u"Total 1 file(s) be added in filelist."_s,
                          u"Thefollowing 3 file(s) cann’t be added in filelist."_s}));
    QVERIFY(!probe.errorDialog().isVisible());
    QCOMPARE(probe.fileNames(), QStringList{u"good.pdf"_s});

    // The next batch lists only its own files.
    disconnect(rejecting);
    readAndClose();
    FileDialog::setNextFileNames({good, percent});
    window.openFile();
    QCOMPARE(shown, QStringList({percent + u" <File name error(without %)>\n"_s,
                                 u"Total 1 file(s) be added in filelist."_s,
                                 u"Thefollowing 1 file(s) cann’t be added in filelist."_s}));
}

void tst_FileList::oldPathFollowsTheLastAddedFolder()
{
    TestEnvironment env;
    const QString broken = env.scratch(u"first/broken.pdf"_s);
    QDir().mkpath(env.scratch(u"first"_s));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4 nothing else");
    file.close();
    MainWindow window;
    MainWindowProbe probe(window);
    Modal::clickNext(u"OKButton"_s, "ErrorDialog");
    probe.add({broken});
    // A failed first probe leaves no folder to remember.
    QVERIFY(!env.readConfig(u"oldPath"_s).isValid());

    probe.add({pdf(env, u"second/a.pdf"_s)});
    QCOMPARE(env.readConfig(u"oldPath"_s).toString(), env.scratch(u"second"_s));
    FileDialog::setNextFileNames({});
    window.openFile();
    QCOMPARE(FileDialog::lastStartFolder(), env.scratch(u"second"_s));
}

void tst_FileList::missingOrHangingToolIsReported_data()
{
    QTest::addColumn<QString>("script"); // empty: there is no pdfinfo or probe child at all
    // A protected file, whose probes need neither pdfinfo nor pdfinfo.exe.
    QTest::addColumn<bool>("passwordRetry");
    QTest::newRow("hangs") << u"sleep 30"_s << false;
    QTest::newRow("missing") << QString() << false;
    QTest::newRow("hangs, but not needed for the password retry") << u"sleep 30"_s << true;
    QTest::newRow("missing, but not needed for the password retry") << QString() << true;
}

void tst_FileList::missingOrHangingToolIsReported()
{
    QFETCH(QString, script);
    QFETCH(bool, passwordRetry);
    TestEnvironment env;
    const QString plain = pdf(env, u"a.pdf"_s);
    const QString path = passwordRetry ? env.scratch(u"locked.pdf"_s) : plain;
    QVERIFY(!passwordRetry || Pdfs::encrypt(plain, path, u"pw"_s));
    const QByteArray searchPath = qgetenv("PATH");
    const auto restorePath = qScopeGuard([&searchPath] { qputenv("PATH", searchPath); });
    if (script.isEmpty())
        qputenv("PATH", env.scratch().toUtf8());
    // The properties dialog runs "pdfinfo.exe"; the first probe "vezudiri-probe", and "pdfinfo"
    // where that gives no answer.
    if (passwordRetry) {
        env.writeConfig(u"havePSW"_s, true);
        env.writeConfig(u"Psword"_s, u"pw"_s);
    } else if (script.isEmpty()) {
        QVERIFY(QFile::remove(env.path(u"vezudiri-probe"_s)));
    } else {
        env.installTool(u"vezudiri-probe"_s, script);
    }
    if (!script.isEmpty())
        env.installTool(passwordRetry ? u"pdfinfo.exe"_s : u"pdfinfo"_s, script);
    PdfInfoCommand::setTimeout(500);
    MainWindow window;
    MainWindowProbe probe(window);
    QStringList rejected;
    connect(&window, &MainWindow::SerrFile, [&](const QStringList &lines) {
        rejected << lines;
        Modal::clickNext(u"OKButton"_s, "ErrorDialog");
    });
    QElapsedTimer clock;
    clock.start();
    probe.add({path, path});
    QVERIFY(clock.elapsed() < 5000);
    const QList<MessageBox::Shown> shown = MessageBox::takeRecorded();
    if (passwordRetry) {
        QCOMPARE(shown.size(), 0);
        QCOMPARE(rejected, QStringList());
        QCOMPARE(probe.files()->rowCount(), 2);
        return;
    }
    // Once per file, and the batch goes on; the file is not refused for a reason it never had.
    QCOMPARE(shown.size(), 2);
    QCOMPARE(shown.first().title, u"Open Error"_s);
    QCOMPARE(shown.first().text, u"Can not open program pdfinfo.exe"_s);
    QCOMPARE(rejected, QStringList());
    QCOMPARE(probe.files()->rowCount(), 0);
}

void tst_FileList::progressMovesForLargeBatches_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("three") << 3 << QList<int>({33, 66});
    QTest::newRow("hundred and fifty") << 150 << QList<int>({0, 1, 2, 2, 3});
}

void tst_FileList::progressMovesForLargeBatches()
{
    QFETCH(int, files);
    QFETCH(QList<int>, values);
    TestEnvironment env;
    ProDlg dialog;
    for (int index = 0; index < values.size(); ++index) {
        dialog.setProValue(files);
        QCOMPARE(dialog.progressValue(), values.at(index));
    }
    // The last file closes the dialog, which starts the next batch at zero.
    for (int index = int(values.size()); index < files; ++index)
        dialog.setProValue(files);
    QCOMPARE(dialog.progressValue(), 0);
}

void tst_FileList::protectedFiles_data()
{
    QTest::addColumn<QVariant>("defaultPassword"); // invalid: none configured
    QTest::addColumn<QString>("typed");            // empty: the prompt is cancelled
    QTest::addColumn<QString>("reason");           // empty: the file is added
    QTest::newRow("default password right") << QVariant(u"s3cret pw"_s) << QString() << QString();
    QTest::newRow("default password wrong")
        << QVariant(u"wrong"_s) << QString() << u" <Password error>"_s;
    QTest::newRow("typed right") << QVariant() << u"s3cret pw"_s << QString();
    QTest::newRow("typed wrong") << QVariant() << u"nope"_s << u" <Password error>"_s;
    QTest::newRow("cancelled") << QVariant() << QString() << u" <Cancel>"_s;
}

void tst_FileList::protectedFiles()
{
    QFETCH(QVariant, defaultPassword);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    TestEnvironment env;
    const QString plain = pdf(env, u"plain.pdf"_s, 2);
    const QString locked = env.scratch(u"locked file.pdf"_s);
    QVERIFY(Pdfs::encrypt(plain, locked, u"s3cret pw"_s));
    if (defaultPassword.isValid()) {
        env.writeConfig(u"havePSW"_s, true);
        env.writeConfig(u"Psword"_s, defaultPassword);
    }
    MainWindow window;
    MainWindowProbe probe(window);
    QString shownPath;
    if (!defaultPassword.isValid()) {
        Modal::whenShown(
            [&](QWidget *dialog) {
                shownPath = dialog->findChild<QLabel *>(u"fileNameLabel"_s)->text();
                if (typed.isEmpty()) {
                    dialog->findChild<QPushButton *>(u"pushButton_2"_s)->click();
                    return;
                }
                dialog->findChild<QLineEdit *>(u"password"_s)->setText(typed);
                dialog->findChild<QPushButton *>(u"pushButton"_s)->click();
            },
            "passWordPDF");
    }
    QStringList rejected;
    connect(&window, &MainWindow::SerrFile,
            [&](const QStringList &lines, int) { rejected << lines; });
    if (!reason.isEmpty())
        Modal::clickNext(u"OKButton"_s, "ErrorDialog");
    const bool applyAllBefore = probe.ui()->ApplyAllBtn->isEnabled();
    probe.add({locked});

    if (!defaultPassword.isValid())
        QCOMPARE(shownPath, QDir::toNativeSeparators(locked));
    if (reason.isEmpty()) {
        QCOMPARE(probe.files()->rowCount(), 1);
        QCOMPARE(probe.pageCounts(), QStringList{u"2"_s});
        QCOMPARE(probe.passwordOptions().value(locked), u" -p s3cret pw"_s);
        QCOMPARE(probe.files()->item(0, 0)->icon().pixmap(16).toImage(),
                 QIcon(u"skin/black/Btn/lock.png"_s).pixmap(16).toImage());
        QCOMPARE(probe.ui()->ApplyAllBtn->isEnabled(), applyAllBefore);
    } else {
        QCOMPARE(probe.files()->rowCount(), 0);
        QCOMPARE(rejected, QStringList{locked + reason});
        QVERIFY(probe.passwordOptions().isEmpty());
    }

    // An unprotected file shows the open lock and has no password entry.
    probe.add({plain});
    const int row = probe.files()->rowCount() - 1;
    QCOMPARE(probe.files()->item(row, 0)->icon().pixmap(16).toImage(),
             QIcon(u"skin/black/Btn/ulock.png"_s).pixmap(16).toImage());
    QVERIFY(!probe.passwordOptions().contains(plain));
    if (row > 0) {
        // Told apart at a glance, whatever the colours: at the size the list draws them, the open
        // padlock has an outline of its own.
        const int extent = probe.files()->style()->pixelMetric(QStyle::PM_SmallIconSize);
        const QImage closed = probe.files()->item(0, 0)->icon().pixmap(extent).toImage();
        const QImage open = probe.files()->item(row, 0)->icon().pixmap(extent).toImage();
        int differing = 0;
        for (int y = 0; y < extent; ++y) {
            for (int x = 0; x < extent; ++x)
                differing += (qAlpha(closed.pixel(x, y)) > 127) != (qAlpha(open.pixel(x, y)) > 127);
        }
        QVERIFY2(differing >= extent * extent / 8, qPrintable(QString::number(differing)));
    }
}

void tst_FileList::promptRemembersTheLastPassword()
{
    TestEnvironment env;
    const QString plain = pdf(env, u"plain.pdf"_s);
    const QString first = env.scratch(u"first.pdf"_s);
    const QString second = env.scratch(u"second.pdf"_s);
    QVERIFY(Pdfs::encrypt(plain, first, u"one"_s));
    QVERIFY(Pdfs::encrypt(plain, second, u"one"_s));
    MainWindow window;
    MainWindowProbe probe(window);
    QString secondPath;
    QString secondField;
    Modal::whenShown(
        [&](QWidget *dialog) {
            dialog->findChild<QLineEdit *>(u"password"_s)->setText(u"one"_s);
            dialog->findChild<QPushButton *>(u"pushButton"_s)->click();
            Modal::whenShown(
                [&](QWidget *again) {
                    secondPath = again->findChild<QLabel *>(u"fileNameLabel"_s)->text();
                    secondField = again->findChild<QLineEdit *>(u"password"_s)->text();
                    again->findChild<QPushButton *>(u"pushButton"_s)->click();
                },
                "passWordPDF");
        },
        "passWordPDF");
    probe.add({first, second});
    QCOMPARE(secondPath, QDir::toNativeSeparators(second));
    QCOMPARE(secondField, u"one"_s);
    QCOMPARE(probe.currentPassword(), u"one"_s);
    QCOMPARE(probe.files()->rowCount(), 2);
}

QTEST_MAIN(tst_FileList)
#include "tst_filelist.moc"
