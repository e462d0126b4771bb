// Removing and clearing rows, the file list's context menu, file properties and opening files and
// output folders.
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString removeQuestion = u"    Are you sure to remove the selected item(s) from the lies"_s;
const QString clearQuestion = u"    Are you sure to clear all the items from the list"_s;
const QString password = u"pass word"_s;

// A main window whose confirmation questions are recorded.
struct Fixture
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe{window};
    QStringList questions;

    Fixture()
    {
        env.writeConfig(u"havePSW"_s, true);
        env.writeConfig(u"Psword"_s, password);
        QObject::connect(&window, &MainWindow::setdelDlgText, &window,
                         [this](const QString &text) { questions << text; });
    }

    // Adds a PDF at that path in the scratch folder; a file whose name starts with "locked" opens
    // only with the configured password, so no prompt is shown.
    QString add(const QString &name, int pages = 1,
                const QPageSize &size = QPageSize(QPageSize::A4))
    {
        const QString path = env.scratch(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (QFileInfo(path).fileName().startsWith(u"locked")) {
            const QString plain = env.scratch(u"plain source.pdf"_s);
            if (!Pdfs::write(plain, pages, size) || !Pdfs::encrypt(plain, path, password))
                qFatal("could not write %s", qPrintable(path));
        } else if (!Pdfs::write(path, pages, size)) {
            qFatal("could not write %s", qPrintable(path));
        }
        probe.add({path});
        return path;
    }
    // "abc": a.pdf with one page, b.pdf with two, c.pdf with three.
    void addLetters(const QString &letters)
    {
        for (const QChar letter : letters)
            add(QString(letter) + u".pdf"_s, int(letter.unicode() - u'a') + 1);
    }
    void select(const QList<int> &rows)
    {
        probe.files()->clearSelection();
        for (const int row : rows)
            probe.files()->selectionModel()->select(probe.files()->model()->index(row, 0),
                                                    QItemSelectionModel::Select |
                                                        QItemSelectionModel::Rows);
    }
    void answerAndClick(const QString &button, QPushButton *target)
    {
        Modal::clickNext(button, "deleteDlg");
        target->click();
    }
    QList<int> selectedRows() const
    {
        QList<int> rows;
        const QModelIndexList selected = probe.files()->selectionModel()->selectedRows();
        for (const QModelIndex &index : selected)
            rows << index.row();
        return rows;
    }
    bool showsLock(int row, bool locked) const
    {
        const QString icon = locked ? u"skin/black/Btn/lock.png"_s : u"skin/black/Btn/ulock.png"_s;
        return probe.files()->item(row, 0)->icon().pixmap(16).toImage() ==
               QIcon(icon).pixmap(16).toImage();
    }
    QList<QWidget *> guide() const
    {
        const Ui::MainWindow *ui = probe.ui();
        return {ui->tabLabel, ui->iconButton, ui->label,   ui->label_2, ui->label_3,
                ui->label_4,  ui->label_5,    ui->label_6, ui->label_7};
    }
};

// Opens the file list's context menu at a viewport position and reads which actions can be
// chosen, then closes it without a choice.
QMap<QString, bool> contextMenu(Fixture &f, const QPoint &position)
{
    QMap<QString, bool> enabled;
    QTimer reader;
    reader.setInterval(10);
    QObject::connect(&reader, &QTimer::timeout, &reader, [&] {
        for (QMenu *menu : f.window.findChildren<QMenu *>()) {
            if (!menu->isVisible())
                continue;
            for (const QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    enabled.insert(action->text(), action->isEnabled());
            }
            menu->close();
        }
    });
    reader.start();
    emit f.probe.files()->customContextMenuRequested(position);
    return enabled;
}

// What poppler's pdfinfo itself prints, by label.
QMap<QString, QString> pdfinfo(const QStringList &arguments)
{
    QProcess tool;
    tool.start(u"/usr/bin/pdfinfo"_s, arguments);
    if (!tool.waitForFinished(30000))
        qFatal("pdfinfo did not finish");
    QMap<QString, QString> values;
    const QStringList lines = QString::fromUtf8(tool.readAllStandardOutput()).split(u'\n');
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(u':');
        if (colon > 0)
            values.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return values;
}

} // namespace

class tst_Removal : public QObject
{
    Q_OBJECT

private slots:
    void removingRowsKeepsEverythingAligned();
    void removingARowAboveTheRunMovesRunIndex_data();
    void removingARowAboveTheRunMovesRunIndex();
    void twoCellsOfOneRowRemoveItOnce();
    void removeWithNothingSelectedRenumbers();
    void closedLockStaysWithItsFile();
    void emptyingTheListRestoresTheStartState_data();
    void emptyingTheListRestoresTheStartState();
    void refusingChangesNothing_data();
    void refusingChangesNothing();
    void contextMenuOffersWhatApplies_data();
    void contextMenuOffersWhatApplies();
    void informationMatchesPdfinfo_data();
    void informationMatchesPdfinfo();
    void openFileHandsOverTheLocalFile_data();
    void openFileHandsOverTheLocalFile();
    void statusCellOpensTheConvertedFolder();
};

void tst_Removal::removingRowsKeepsEverythingAligned()
{
    Fixture f;
    f.addLetters(u"abcde"_s);
    f.select({1, 3});
    f.probe.colorModes() = {{0, u"c0"_s}, {1, u"c1"_s}, {2, u"c2"_s}, {3, u"c3"_s}, {4, u"c4"_s}};
    f.probe.mergeFlags() = {{0, true}, {1, false}, {3, true}, {4, false}};
    f.probe.dpiValues() = {u"72"_s, u"96"_s, u"100"_s, u"150"_s, u"200"_s};
    f.probe.pageRanges() = {u"1"_s, u"1-2"_s, u"2-3"_s, u"1,4"_s, u"5"_s};
    f.answerAndClick(u"Yes"_s, f.probe.ui()->delectBtn);

    QCOMPARE(f.questions, QStringList{removeQuestion});
    QCOMPARE(f.probe.files()->rowCount(), 3);
    QCOMPARE(f.probe.fileNames(), QStringList({u"a.pdf"_s, u"c.pdf"_s, u"e.pdf"_s}));
    QCOMPARE(f.probe.filePaths(), QStringList({f.env.scratch(u"a.pdf"_s), f.env.scratch(u"c.pdf"_s),
                                               f.env.scratch(u"e.pdf"_s)}));
    QCOMPARE(f.probe.fileFolders(), QStringList(3, f.env.scratch()));
    QCOMPARE(f.probe.pageCounts(), QStringList({u"1"_s, u"3"_s, u"5"_s}));
    QCOMPARE(f.probe.pageRanges(), QStringList({u"1"_s, u"2-3"_s, u"5"_s}));
    QCOMPARE(f.probe.dpiValues(), QStringList({u"72"_s, u"100"_s, u"200"_s}));
    QCOMPARE(f.probe.colorModes(), (QMap<int, QString>{{0, u"c0"_s}, {1, u"c2"_s}, {2, u"c4"_s}}));
    QCOMPARE(f.probe.mergeFlags(), (QMap<int, bool>{{0, true}, {2, false}}));
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(f.probe.files()->item(row, 0)->text(), QString::number(row + 1));
        QCOMPARE(f.probe.files()->item(row, 1)->text(), f.probe.fileNames().at(row));
        const QColor shade = row % 2 ? QColor(244, 244, 245) : QColor(255, 255, 255);
        for (int column = 0; column < 5; ++column)
            QCOMPARE(f.probe.files()->item(row, column)->background().color(), shade);
    }
    // Row 0 is selected and its options are shown.
    QCOMPARE(f.selectedRows(), QList<int>{0});
    QCOMPARE(f.probe.optionValue(0), u"1"_s);
    QCOMPARE(f.probe.optionValue(2), u"72"_s);
    QCOMPARE(f.probe.optionValue(5), u"c0"_s);
}

void tst_Removal::removingARowAboveTheRunMovesRunIndex_data()
{
    QTest::addColumn<int>("removed");
    QTest::addColumn<int>("runIndex");
    QTest::addColumn<QStringList>("outputFolders");
    QTest::addColumn<QString>("next"); // the file the run goes on with
    QTest::newRow("first finished") << 0 << 1 << QStringList{u"/out/b"_s} << u"c.pdf"_s;
    QTest::newRow("last finished") << 1 << 1 << QStringList{u"/out/a"_s} << u"c.pdf"_s;
    QTest::newRow("next one") << 2 << 2 << QStringList({u"/out/a"_s, u"/out/b"_s}) << u"d.pdf"_s;
    QTest::newRow("below") << 3 << 2 << QStringList({u"/out/a"_s, u"/out/b"_s}) << u"c.pdf"_s;
}

void tst_Removal::removingARowAboveTheRunMovesRunIndex()
{
    QFETCH(int, removed);
    QFETCH(int, runIndex);
    QFETCH(QStringList, outputFolders);
    QFETCH(QString, next);
    Fixture f;
    f.addLetters(u"abcd"_s);
    // A run that finished a and b, then was stopped.
    f.probe.runIndex() = 2;
    f.probe.setOutputFolders({u"/out/a"_s, u"/out/b"_s});
    f.probe.files()->selectRow(removed);
    f.answerAndClick(u"Yes"_s, f.probe.ui()->delectBtn);

    QCOMPARE(f.probe.files()->rowCount(), 3);
    QCOMPARE(f.probe.runIndex(), runIndex);
    QCOMPARE(f.probe.outputFolders(), outputFolders);
    QCOMPARE(f.probe.fileNames().value(f.probe.runIndex()), next);
}

void tst_Removal::twoCellsOfOneRowRemoveItOnce()
{
    Fixture f;
    f.addLetters(u"abc"_s);
    QItemSelectionModel *selection = f.probe.files()->selectionModel();
    selection->select(f.probe.files()->model()->index(1, 1), QItemSelectionModel::ClearAndSelect);
    selection->select(f.probe.files()->model()->index(1, 3), QItemSelectionModel::Select);
    QCOMPARE(f.probe.files()->selectedItems().size(), 2);
    f.answerAndClick(u"Yes"_s, f.probe.ui()->delectBtn);
    QCOMPARE(f.probe.fileNames(), QStringList({u"a.pdf"_s, u"c.pdf"_s}));
    QCOMPARE(f.probe.pageCounts(), QStringList({u"1"_s, u"3"_s}));
}

void tst_Removal::removeWithNothingSelectedRenumbers()
{
    Fixture f;
    f.addLetters(u"abc"_s);
    f.probe.files()->clearSelection();
    QVERIFY(!f.probe.ui()->delectBtn->isEnabled());
    Modal::clickNext(u"Yes"_s, "deleteDlg");
    emit f.probe.ui()->delectBtn->clicked();

    QCOMPARE(f.questions, QStringList{removeQuestion});
    QCOMPARE(f.probe.fileNames(), QStringList({u"a.pdf"_s, u"b.pdf"_s, u"c.pdf"_s}));
    for (int row = 0; row < 3; ++row)
        QCOMPARE(f.probe.files()->item(row, 0)->text(), QString::number(row + 1));
    QCOMPARE(f.selectedRows(), QList<int>{0});
    QCOMPARE(f.probe.optionValue(0), u"1"_s);
    QVERIFY(f.probe.ui()->delectBtn->isEnabled());
}

void tst_Removal::closedLockStaysWithItsFile()
{
    Fixture f;
    f.add(u"a.pdf"_s);
    const QString locked = f.add(u"locked b.pdf"_s, 2);
    f.add(u"c.pdf"_s);
    QVERIFY(f.showsLock(1, true));
    f.probe.files()->selectRow(0);
    f.answerAndClick(u"Yes"_s, f.probe.ui()->delectBtn);

    QCOMPARE(f.probe.fileNames(), QStringList({u"locked b.pdf"_s, u"c.pdf"_s}));
    QVERIFY(f.showsLock(0, true));
    QVERIFY(f.showsLock(1, false));
    QCOMPARE(f.probe.passwordOptions().value(locked), u" -p "_s + password);
}

void tst_Removal::emptyingTheListRestoresTheStartState_data()
{
    QTest::addColumn<bool>("clear"); // Clear, or Remove with every row selected
    QTest::addColumn<int>("files");
    QTest::newRow("remove the only row") << false << 1;
    QTest::newRow("remove every row") << false << 2;
    QTest::newRow("clear") << true << 2;
}

void tst_Removal::emptyingTheListRestoresTheStartState()
{
    QFETCH(bool, clear);
    QFETCH(int, files);
    Fixture f;
    f.add(u"locked.pdf"_s, 3);
    if (files > 1)
        f.add(u"a.pdf"_s);
    f.select(files > 1 ? QList<int>{0, 1} : QList<int>{0});
    f.probe.files()->item(0, 3)->setText(u"TIFF"_s);
    f.probe.mergeFlags().insert(0, true);
    f.probe.colorModes().insert(0, u"g4"_s);
    f.probe.runIndex() = 1;
    f.probe.setAlreadyConverted(true);
    f.probe.setOutputFolders({f.env.scratch()});
    f.probe.options()->selectRow(2);
    QVERIFY(f.probe.editor(2));
    for (QWidget *widget : f.guide())
        QVERIFY(widget->isHidden());

    f.answerAndClick(u"Yes"_s, clear ? f.probe.ui()->delectAllBtn : f.probe.ui()->delectBtn);

    QCOMPARE(f.questions, QStringList{clear ? clearQuestion : removeQuestion});
    QCOMPARE(f.probe.files()->rowCount(), 0);
    for (const QStringList *list : std::initializer_list<const QStringList *>{
             &f.probe.filePaths(), &f.probe.fileFolders(), &f.probe.fileNames(),
             &f.probe.pageCounts(), &f.probe.pageRanges(), &f.probe.dpiValues(),
             &f.probe.outputFolders()})
        QVERIFY(list->isEmpty());
    QVERIFY(f.probe.colorModes().isEmpty());
    QVERIFY(f.probe.mergeFlags().isEmpty());
    QVERIFY(f.probe.passwordOptions().isEmpty());
    QCOMPARE(f.probe.runIndex(), 0);
    QVERIFY(!f.probe.alreadyConverted());
    for (QWidget *widget : f.guide())
        QVERIFY(!widget->isHidden());
    // Nothing of the removed files is left to see or edit in the option table.
    for (int row = 0; row < f.probe.options()->rowCount(); ++row) {
        QCOMPARE(f.probe.optionValue(row), QString());
        QVERIFY(!f.probe.editor(row));
    }
    QVERIFY(!f.probe.ui()->formatCombo->isEnabled());
    const Ui::MainWindow *ui = f.probe.ui();
    for (const QWidget *button : std::initializer_list<const QWidget *>{
             ui->delectBtn, ui->delectAllBtn, ui->stratBtn, ui->ApplyAllBtn})
        QVERIFY(!button->isEnabled());

    // The list starts afresh: the next file is row 1 again, in BMP.
    f.add(u"next.pdf"_s);
    QCOMPARE(f.probe.files()->item(0, 0)->text(), u"1"_s);
    QCOMPARE(f.probe.files()->item(0, 3)->text(), u"BMP"_s);
    QVERIFY(f.showsLock(0, false));
}

void tst_Removal::refusingChangesNothing_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("clear");
    for (const QString &button : {u"No"_s, u"mainCls"_s}) {
        QTest::addRow("Remove, %s", qPrintable(button)) << button << false;
        QTest::addRow("Clear, %s", qPrintable(button)) << button << true;
    }
}

void tst_Removal::refusingChangesNothing()
{
    QFETCH(QString, button);
    QFETCH(bool, clear);
    Fixture f;
    f.addLetters(u"abc"_s);
    f.probe.files()->selectRow(1);
    f.probe.runIndex() = 2;
    const QStringList names = f.probe.fileNames();
    const QStringList paths = f.probe.filePaths();
    const QMap<int, QString> colours = f.probe.colorModes();

    f.answerAndClick(button, clear ? f.probe.ui()->delectAllBtn : f.probe.ui()->delectBtn);

    QCOMPARE(f.questions.size(), 1);
    QCOMPARE(f.probe.files()->rowCount(), 3);
    QCOMPARE(f.probe.fileNames(), names);
    QCOMPARE(f.probe.filePaths(), paths);
    QCOMPARE(f.probe.colorModes(), colours);
    QCOMPARE(f.probe.runIndex(), 2);
    QCOMPARE(f.selectedRows(), QList<int>{1});
    QVERIFY(f.probe.ui()->delectBtn->isEnabled());
    QVERIFY(f.probe.ui()->tabLabel->isHidden());
}

void tst_Removal::contextMenuOffersWhatApplies_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("running");
    QTest::addColumn<bool>("rowCommands");  // "Open file", "File Information"
    QTest::addColumn<bool>("listCommands"); // "Delete", "Delect All"
    QTest::newRow("over the first row") << 2 << 5 << false << true << true;
    QTest::newRow("over the last row") << 2 << 49 << false << true << true;
    QTest::newRow("below the last row") << 2 << 51 << false << false << false;
    QTest::newRow("empty list") << 0 << 5 << false << false << false;
    QTest::newRow("during a run") << 2 << 5 << true << true << false;
}

void tst_Removal::contextMenuOffersWhatApplies()
{
    QFETCH(int, files);
    QFETCH(int, y);
    QFETCH(bool, running);
    QFETCH(bool, rowCommands);
    QFETCH(bool, listCommands);
    Fixture f;
    f.env.installTool(u"P2I.exe"_s, u"exec sleep 60"_s);
    f.addLetters(u"ab"_s.left(files));
    if (running) {
        f.probe.ui()->stratBtn->click();
        QVERIFY(!f.probe.idle());
    }

    const QMap<QString, bool> enabled = contextMenu(f, QPoint(10, y));
    const QMap<QString, bool> expected = {
        {u"Add File(s) ..."_s, true},  {u"Add Folder ..."_s, true},
        {u"Delete"_s, listCommands},   {u"Delect All"_s, listCommands},
        {u"Open file"_s, rowCommands}, {u"File Information"_s, rowCommands},
    };
    QCOMPARE(enabled, expected);

    if (running) {
        f.probe.ui()->stratBtn->click();
        QTRY_VERIFY(f.probe.idle());
        // Once the run is over the list commands come back.
        QCOMPARE(contextMenu(f, QPoint(10, y)).value(u"Delete"_s), true);
    }
}

void tst_Removal::informationMatchesPdfinfo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("size");
    QTest::newRow("ordinary") << u"my report #1.pdf"_s << 3 << int(QPageSize::A4);
    QTest::newRow("protected") << u"locked bericht ü.pdf"_s << 2 << int(QPageSize::Letter);
}

void tst_Removal::informationMatchesPdfinfo()
{
    QFETCH(QString, name);
    QFETCH(int, pages);
    QFETCH(int, size);
    Fixture f;
    f.add(u"first.pdf"_s);
    const QString path =
        f.add(u"sub folder/"_s + name, pages, QPageSize(QPageSize::PageSizeId(size)));
    f.add(u"last.pdf"_s);
    f.probe.files()->selectRow(1);
    f.probe.action(u"File Information"_s)->trigger();

    QStringList arguments = {path};
    if (QFileInfo(path).fileName().startsWith(u"locked"))
        arguments = QStringList{u"-upw"_s, password, path};
    const QMap<QString, QString> expected = pdfinfo(arguments);
    QCOMPARE(expected.value(u"Pages"_s), QString::number(pages));

    const fileInfo &dialog = f.probe.fileInfoDialog();
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.isModal());
    const auto shown = [&dialog](const char *label) {
        return dialog.findChild<QLabel *>(QString::fromLatin1(label))->text();
    };
    QCOMPARE(shown("fileNameL"), name);
    const auto *folder = dialog.findChild<QLineEdit *>(u"filePathL"_s);
    QCOMPARE(folder->text(), QDir::toNativeSeparators(f.env.scratch(u"sub folder"_s)));
    QCOMPARE(folder->cursorPosition(), 0);
    QCOMPARE(shown("pagesL"), expected.value(u"Pages"_s));
    QCOMPARE(shown("pageSizeL"), expected.value(u"Page size"_s));
    QCOMPARE(shown("fileSizeL"), expected.value(u"File size"_s));
    QCOMPARE(shown("PDFL"), expected.value(u"PDF version"_s));

    // The date keeps its parts apart: the year and the time as the tool prints them, single
    // spaces, nothing squeezed together.
    const QString raw = expected.value(u"CreationDate"_s);
    const QString date = shown("creatDateL");
    const QRegularExpressionMatch time = QRegularExpression(u"\\d\\d:\\d\\d:\\d\\d"_s).match(raw);
    const QRegularExpressionMatch year = QRegularExpression(u"\\b\\d{4}\\b"_s).match(raw);
    QVERIFY2(time.hasMatch() && year.hasMatch(), qPrintable(raw));
    QVERIFY2(date.contains(time.captured()) && date.contains(year.captured()), qPrintable(date));
    QVERIFY2(date.contains(u' ') && !date.contains(u"  "_s), qPrintable(date));
    QVERIFY(date != QString(raw).remove(u' '));
}

void tst_Removal::openFileHandsOverTheLocalFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces") << u"annual report 2025.pdf"_s;
    QTest::newRow("hash") << u"issue #12.pdf"_s;
    QTest::newRow("non-ASCII") << u"Übersicht 报告.pdf"_s;
    QTest::newRow("all of them in a folder") << u"dir #1 ä/a #b ü?.pdf"_s;
}

void tst_Removal::openFileHandsOverTheLocalFile()
{
    QFETCH(QString, name);
    Fixture f;
    f.add(u"first.pdf"_s);
    const QString path = f.add(name);
    f.add(u"last.pdf"_s);
    f.probe.files()->setCurrentCell(1, 1);
    f.probe.action(u"Open file"_s)->trigger();

    QCOMPARE(f.env.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(path)});
    QCOMPARE(f.env.desktop.opened.first().toLocalFile(), path);
}

void tst_Removal::statusCellOpensTheConvertedFolder()
{
    Fixture f;
    f.add(u"done.pdf"_s);
    f.probe.ui()->stratBtn->click();
    QTRY_VERIFY_WITH_TIMEOUT(f.probe.alreadyConverted(), 60000);
    QCOMPARE(f.probe.outputFolders().size(), 1);
    const QString folder = f.probe.outputFolders().first();
    QVERIFY(!QDir(folder).isEmpty(QDir::Files));
    f.add(u"waiting.pdf"_s);

    emit f.probe.files()->cellClicked(1, 4);
    emit f.probe.files()->cellClicked(0, 1);
    emit f.probe.files()->cellClicked(0, 3);
    QVERIFY(f.env.desktop.opened.isEmpty());
    emit f.probe.files()->cellClicked(0, 4);
    QCOMPARE(f.env.desktop.opened, QList<QUrl>{QUrl::fromLocalFile(folder)});

    // The file being converted already has its folder, but it is not finished.
    f.env.installTool(u"P2I.exe"_s, u"exec sleep 60"_s);
    Modal::clickNext(u"No"_s, "deleteDlg"); // do not convert done.pdf again
    f.probe.ui()->stratBtn->click();
    QVERIFY(!f.probe.idle());
    QTRY_COMPARE(f.probe.outputFolders().size(), 2);
    QVERIFY(QFileInfo(f.probe.outputFolders().at(1)).isDir());
    emit f.probe.files()->cellClicked(1, 4);
    QCOMPARE(f.env.desktop.opened.size(), 1);
    f.probe.ui()->stratBtn->click();
    QTRY_VERIFY(f.probe.idle());

    // A folder deleted since then is not opened.
    QVERIFY(QDir(folder).removeRecursively());
    emit f.probe.files()->cellClicked(0, 4);
    QCOMPARE(f.env.desktop.opened.size(), 1);
}

QTEST_MAIN(tst_Removal)
#include "tst_removal.moc"
