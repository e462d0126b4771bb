// The option table of the selected file, the page-selection editor and the output-folder controls.
#include "core/engine/ghostscript.h"
#include "core/options/formats.h"
#include "core/options/pageselection.h"
#include "gui/widgets/filedialog.h"
#include "mainwindowprobe.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTextEdit>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString pageWarning = u"  invalid format or out of range!"_s;

// A main window with files of 8 and 5 pages unless told otherwise. Every text the window puts into
// its confirmation box is recorded and the box is closed, as a user dismisses a warning.
struct Fixture
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe{window};
    QStringList warnings;

    explicit Fixture(const QList<int> &pages = {8, 5})
    {
        QObject::connect(&window, &MainWindow::setdelDlgText, &window, [this](const QString &text) {
            warnings << text;
            Modal::clickNext(u"No"_s, "deleteDlg");
        });
        for (int index = 0; index < pages.size(); ++index) {
            const QString path = env.scratch(u"file %1.pdf"_s.arg(index));
            if (!Pdfs::write(path, pages.at(index)))
                qFatal("could not write %s", qPrintable(path));
            probe.add({path});
        }
    }

    QComboBox *openEditor(int optionRow)
    {
        probe.options()->selectRow(optionRow);
        return probe.editor(optionRow);
    }
    void setFormat(int index) { probe.ui()->formatCombo->setCurrentIndex(index); }
    QStringList values(int rows = 5) const
    {
        QStringList shown;
        for (int row = 0; row < rows; ++row)
            shown << probe.optionValue(row);
        return shown;
    }
};

} // namespace

class tst_Options : public QObject
{
    Q_OBJECT

private slots:
    void selectionDecidesWhatTheTableShows_data();
    void selectionDecidesWhatTheTableShows();
    void formatDecidesColourAndMergeRows_data();
    void formatDecidesColourAndMergeRows();
    void storedOptionsFollowTheSelection();
    void onlyAPickedDpiGoesToAll_data();
    void onlyAPickedDpiGoesToAll();
    void dpiEditorClampsWhatItStores_data();
    void dpiEditorClampsWhatItStores();
    void colourAndMergeEditorsStorePerFile_data();
    void colourAndMergeEditorsStorePerFile();
    void acceptedPagesReachTheListAtCommit_data();
    void acceptedPagesReachTheListAtCommit();
    void rejectedPagesNeverReachTheList_data();
    void rejectedPagesNeverReachTheList();
    void emptyRangeIsResetAtCommit_data();
    void emptyRangeIsResetAtCommit();
    void hintItemSelectsPageOne();
    void sizeIsThatOfTheImage_data();
    void sizeIsThatOfTheImage();
    void outputFolderAtStartUp_data();
    void outputFolderAtStartUp();
    void typedBackslashesAreStoredAsSlashes();
    void pickedFolder_data();
    void pickedFolder();
    void radiosWriteOutPath();
    void openShowsTheFolder_data();
    void openShowsTheFolder();
};

void tst_Options::selectionDecidesWhatTheTableShows_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("tableEnabled");
    QTest::addColumn<bool>("controlsEnabled"); // Remove and the format combo
    QTest::addColumn<QStringList>("values");   // rows 0 to 5

    const QStringList second = {u"5"_s, u"All"_s, u"300"_s, u"2487"_s, u"3520"_s, u"16m"_s};
    QTest::newRow("one") << QList<int>{1} << true << true << second;
    // Several files keep what the first of them showed and can't be edited.
    QTest::newRow("several") << QList<int>{1, 0} << false << true << second;
    QTest::newRow("none") << QList<int>{} << true << false << QStringList(6, QString());
}

void tst_Options::selectionDecidesWhatTheTableShows()
{
    QFETCH(QList<int>, rows);
    QFETCH(bool, tableEnabled);
    QFETCH(bool, controlsEnabled);
    QFETCH(QStringList, values);
    Fixture f;
    f.probe.dpiValues()[1] = u"300"_s;
    f.probe.files()->selectRow(0);
    f.openEditor(2);

    f.probe.files()->selectRow(1);
    for (const int row : rows.mid(1))
        f.probe.files()->selectionModel()->select(f.probe.files()->model()->index(row, 0),
                                                  QItemSelectionModel::Select |
                                                      QItemSelectionModel::Rows);
    if (rows.isEmpty())
        f.probe.files()->clearSelection();

    QCOMPARE(f.values(6), values);
    QCOMPARE(f.probe.options()->isEnabled(), tableEnabled);
    QCOMPARE(f.probe.ui()->delectBtn->isEnabled(), controlsEnabled);
    QCOMPARE(f.probe.ui()->formatCombo->isEnabled(), controlsEnabled);
    QVERIFY(f.probe.options()->selectedItems().isEmpty());
    QVERIFY(!f.probe.editor(2));
    QCOMPARE(f.probe.dpiValues(), QStringList({u"120"_s, u"300"_s}));
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::formatDecidesColourAndMergeRows_data()
{
    QTest::addColumn<int>("format");     // its place in the format box
    QTest::addColumn<QString>("colour"); // the default colour; empty: no colour row
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QStringList>("size"); // of an A4 page at 120 DPI, as the format renders it
    const QStringList plusOne{u"1000"_s, u"1415"_s};
    const QStringList asTyped{u"992"_s, u"1403"_s};
    // Each row is named after its format.
    QTest::newRow("PNG") << 0 << QString() << false << plusOne;
    QTest::newRow("PNGGRAY") << 1 << QString() << false << plusOne;
    QTest::newRow("JPEG") << 2 << QString() << false << asTyped;
    QTest::newRow("TIFF") << 3 << u"24nc"_s << true << asTyped;
    QTest::newRow("BMP") << 4 << u"16m"_s << false << plusOne;
    QTest::newRow("PSD") << 5 << u"rgb"_s << false << asTyped;
    QTest::newRow("PCX") << 6 << u"24bit"_s << false << asTyped;
    QTest::newRow("FAX") << 7 << u"g3"_s << true << asTyped;
    QTest::newRow("GIF") << 8 << QString() << false << plusOne;
    QTest::newRow("JPG") << 9 << QString() << false << asTyped;
}

void tst_Options::formatDecidesColourAndMergeRows()
{
    QFETCH(int, format);
    QFETCH(QString, colour);
    QFETCH(bool, merge);
    QFETCH(QStringList, size);
    Fixture f({2});
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    // From a format without the two rows (PNG) and from one with both (TIFF).
    for (const int from : {0, 3}) {
        f.setFormat(from);
        f.setFormat(format);
        QCOMPARE(f.probe.files()->item(0, 3)->text(), name);
        QCOMPARE(f.probe.options()->rowCount(), merge ? 7 : colour.isEmpty() ? 5 : 6);
        QCOMPARE(f.probe.colorModes().contains(0), !colour.isEmpty());
        QCOMPARE(f.probe.colorModes().value(0), colour);
        QCOMPARE(f.probe.mergeFlags().contains(0), merge);
        QCOMPARE(f.probe.mergeFlags().value(0), false);
        if (!colour.isEmpty()) {
            QCOMPARE(f.probe.options()->item(5, 0)->text(), u"Colors"_s);
            QCOMPARE(f.probe.optionValue(5), colour);
        }
        if (merge) {
            QCOMPARE(f.probe.options()->item(6, 0)->text(), u"Merge into One"_s);
            QCOMPARE(f.probe.optionValue(6), u"No"_s);
        }
        // The rows every format has are left alone; the image's size follows the format.
        QCOMPARE(f.values(), QStringList({u"2"_s, u"All"_s, u"120"_s}) + size);
    }
}

void tst_Options::storedOptionsFollowTheSelection()
{
    Fixture f({3, 4, 5, 6});
    f.probe.files()->selectRow(0);
    f.setFormat(Formats::TIFF);
    f.openEditor(5)->setCurrentText(u"g4"_s);
    f.openEditor(6)->setCurrentIndex(0);
    f.probe.files()->selectRow(1);
    f.setFormat(Formats::PNG);
    f.probe.files()->selectRow(2);
    f.openEditor(5)->setCurrentText(u"gray"_s);
    f.probe.files()->selectRow(3);
    f.setFormat(Formats::TIFF);

    struct Expected
    {
        int row;
        QString format;
        QStringList values; // rows 0 and 5 onwards
    };
    const Expected tiff = {0, u"TIFF"_s, {u"3"_s, u"g4"_s, u"Yes"_s}};
    const Expected png = {1, u"PNG"_s, {u"4"_s}};
    const Expected bmp = {2, u"BMP"_s, {u"5"_s, u"gray"_s}};
    // Same format as row 0: the format combo does not change between the two.
    const Expected otherTiff = {3, u"TIFF"_s, {u"6"_s, u"24nc"_s, u"No"_s}};
    for (const Expected &step : {tiff, otherTiff, tiff, png, bmp, png, otherTiff, bmp, tiff}) {
        f.probe.files()->selectRow(step.row);
        QStringList shown = {f.probe.optionValue(0)};
        for (int row = 5; row < f.probe.options()->rowCount(); ++row)
            shown << f.probe.optionValue(row);
        QCOMPARE(shown, step.values);
        QCOMPARE(f.probe.ui()->formatCombo->currentText(), step.format);
        // The editors show the stored choice of the file they edit.
        if (step.values.size() > 1)
            QCOMPARE(f.openEditor(5)->currentText(), step.values.at(1));
        if (step.values.size() > 2)
            QCOMPARE(f.openEditor(6)->currentText(), step.values.at(2));
    }
    for (const Expected &file : {tiff, png, bmp, otherTiff})
        QCOMPARE(f.probe.files()->item(file.row, 3)->text(), file.format);
    QCOMPARE(f.probe.colorModes(),
             (QMap<int, QString>{{0, u"g4"_s}, {2, u"gray"_s}, {3, u"24nc"_s}}));
    QCOMPARE(f.probe.mergeFlags(), (QMap<int, bool>{{0, true}, {3, false}}));
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::onlyAPickedDpiGoesToAll_data()
{
    QTest::addColumn<bool>("applyToAll");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("action"); // with the second file selected
    QTest::addColumn<QStringList>("after");

    const QStringList mixed{u"96"_s, u"300"_s, u"150"_s};
    const QStringList common(3, u"300"_s);
    QTest::newRow("ticked, selecting") << true << mixed << u"select"_s << mixed;
    QTest::newRow("unticked, selecting") << false << mixed << u"select"_s << mixed;
    QTest::newRow("ticked, picking") << true << mixed << u"pick 200"_s << QStringList(3, u"200"_s);
    QTest::newRow("unticked, picking")
        << false << mixed << u"pick 200"_s << QStringList({u"96"_s, u"200"_s, u"150"_s});
    QTest::newRow("ticked, adding") << true << common << u"add"_s << QStringList(4, u"300"_s);
    QTest::newRow("unticked, adding")
        << false << common << u"add"_s << common + QStringList{u"120"_s};
}

void tst_Options::onlyAPickedDpiGoesToAll()
{
    QFETCH(bool, applyToAll);
    QFETCH(QStringList, before);
    QFETCH(QString, action);
    QFETCH(QStringList, after);
    Fixture f({1, 1, 1});
    f.probe.dpiValues() = before;
    f.probe.ui()->applytoalldpi->setChecked(applyToAll);
    f.probe.files()->selectRow(1);
    if (action == u"pick 200") {
        f.openEditor(2)->setEditText(u"200"_s);
    } else if (action == u"add") {
        const QString added = f.env.scratch(u"added.pdf"_s);
        QVERIFY(Pdfs::write(added, 1));
        f.probe.add({added});
    }
    QCOMPARE(f.probe.dpiValues(), after);
}

void tst_Options::dpiEditorClampsWhatItStores_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown"); // DPI, width, height
    // An A4 page as BMP, which renders from 100 DPI at one dot per inch more.
    QTest::newRow("in range") << u"300"_s << QStringList({u"300"_s, u"2487"_s, u"3520"_s});
    QTest::newRow("72") << u"72"_s << QStringList({u"72"_s, u"595"_s, u"842"_s});
    QTest::newRow("too high") << u"5000"_s << QStringList({u"1000"_s, u"8272"_s, u"11706"_s});
    QTest::newRow("too low") << u"69"_s << QStringList({u"70"_s, u"578"_s, u"819"_s});
    QTest::newRow("letters") << u"abc"_s << QStringList({u"70"_s, u"578"_s, u"819"_s});
    QTest::newRow("empty") << QString() << QStringList({u"70"_s, u"578"_s, u"819"_s});
}

void tst_Options::dpiEditorClampsWhatItStores()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);
    Fixture f;
    f.probe.files()->selectRow(1);
    QComboBox *editor = f.openEditor(2);
    QVERIFY(editor);
    QVERIFY(editor->isEditable());
    QCOMPARE(editor->currentText(), u"120"_s);
    QCOMPARE(editor->count(), 8);

    editor->setEditText(typed);
    QCOMPARE(editor->currentText(), typed);
    QCOMPARE(f.values().mid(2), shown);
    QCOMPARE(f.probe.dpiValues(), QStringList({u"120"_s, shown.first()}));
}

void tst_Options::colourAndMergeEditorsStorePerFile_data()
{
    QTest::addColumn<int>("format"); // its place in the format box
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<bool>("merge");
    QTest::newRow("TIFF") << 3
                          << QStringList({u"24nc"_s, u"32nc"_s, u"12nc"_s, u"sep"_s, u"crle"_s,
                                          u"gray"_s, u"g3"_s, u"g32d"_s, u"g4"_s, u"lzw"_s,
                                          u"pack"_s})
                          << true;
    QTest::newRow("BMP") << 4
                         << QStringList({u"16m"_s, u"256 Color"_s, u"16 Color"_s, u"mono"_s,
                                         u"gray"_s, u"sep1"_s, u"sep8"_s, u"32bit"_s})
                         << false;
    QTest::newRow("PSD") << 5 << QStringList({u"rgb"_s, u"cmyk"_s}) << false;
    QTest::newRow("PCX") << 6
                         << QStringList({u"24bit"_s, u"256 Color"_s, u"16 Color"_s, u"mono"_s,
                                         u"gray"_s, u"cmyk"_s})
                         << false;
    QTest::newRow("FAX") << 7 << QStringList({u"g3"_s, u"g32d"_s, u"g4"_s}) << true;
}

void tst_Options::colourAndMergeEditorsStorePerFile()
{
    QFETCH(int, format);
    QFETCH(QStringList, choices);
    QFETCH(bool, merge);
    Fixture f;
    for (const int row : {0, 1}) {
        f.probe.files()->selectRow(row);
        f.setFormat(format);
    }
    QComboBox *colours = f.openEditor(5);
    QVERIFY(colours);
    QStringList offered;
    for (int index = 0; index < colours->count(); ++index)
        offered << colours->itemText(index);
    QCOMPARE(offered, choices);
    QCOMPARE(colours->currentText(), choices.first());

    colours->setCurrentIndex(int(choices.size()) - 1);
    QCOMPARE(f.probe.optionValue(5), choices.last());
    QCOMPARE(f.probe.colorModes(), (QMap<int, QString>{{0, choices.first()}, {1, choices.last()}}));

    QCOMPARE(f.probe.options()->rowCount(), merge ? 7 : 6);
    if (merge) {
        QComboBox *yesNo = f.openEditor(6);
        QVERIFY(!f.probe.editor(5));
        QCOMPARE(yesNo->currentText(), u"No"_s);
        yesNo->setCurrentIndex(0);
        QCOMPARE(f.probe.optionValue(6), u"Yes"_s);
        QCOMPARE(f.probe.mergeFlags(), (QMap<int, bool>{{0, false}, {1, true}}));
        yesNo->setCurrentIndex(1);
        QCOMPARE(f.probe.optionValue(6), u"No"_s);
        QCOMPARE(f.probe.mergeFlags(), (QMap<int, bool>{{0, false}, {1, false}}));
    }
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::acceptedPagesReachTheListAtCommit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("list and range") << u"1,3,7-8"_s << u"1,3,7-8"_s;
    QTest::newRow("trailing comma") << u"1,2,"_s << u"1,2,"_s;
    QTest::newRow("last page") << u"8"_s << u"8"_s;
    QTest::newRow("German all") << u"alle"_s << u"alle"_s;
    QTest::newRow("French all") << u"Tout"_s << u"Tout"_s;
    QTest::newRow("Chinese all") << u"全部"_s << u"全部"_s;
    QTest::newRow("hint text") << u"Page:example(1,3,7-9)"_s << u"All"_s;
    QTest::newRow("emptied") << QString() << u"All"_s;
}

void tst_Options::acceptedPagesReachTheListAtCommit()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    Fixture f;
    f.probe.files()->selectRow(0);
    QComboBox *editor = f.openEditor(1);
    QVERIFY(editor);
    QCOMPARE(editor->currentText(), u"All"_s);

    editor->setEditText(typed);
    if (stored == typed)
        QCOMPARE(f.probe.optionValue(1), typed);
    QCOMPARE(f.probe.pageRanges(), QStringList({u"All"_s, u"All"_s}));

    // Selecting another file commits the edit to the file it was made for.
    f.probe.files()->selectRow(1);
    QVERIFY(!f.probe.editor(1));
    QCOMPARE(f.probe.pageRanges(), QStringList({stored, u"All"_s}));
    QCOMPARE(f.probe.optionValue(0), u"5"_s);
    f.probe.files()->selectRow(0);
    QCOMPARE(f.probe.optionValue(1), stored);
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::rejectedPagesNeverReachTheList_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("beyond the last page") << QStringList({u"1,3,7-9"_s, u"9"_s, u"2-9"_s});
    QTest::newRow("leading zero") << QStringList({u"0"_s, u"01"_s, u"1,03"_s, u"1-05"_s, u"0-3"_s});
    QTest::newRow("misplaced separators")
        << QStringList({u"-2"_s, u",2"_s, u"1,,2"_s, u"1--2"_s, u"1-,2"_s, u"1,-2"_s});
    QTest::newRow("other characters") << QStringList({u"1 2"_s, u"1;2"_s, u"all"_s, u"ALLE"_s});
}

void tst_Options::rejectedPagesNeverReachTheList()
{
    QFETCH(QStringList, texts);
    Fixture f;
    f.probe.files()->selectRow(0);
    QComboBox *editor = f.openEditor(1);
    editor->setEditText(u"2-4"_s);
    for (const QString &typed : std::as_const(texts)) {
        f.warnings.clear();
        editor->setEditText(typed);
        QVERIFY2(!f.warnings.isEmpty(), qPrintable(typed));
        for (const QString &warning : std::as_const(f.warnings))
            QCOMPARE(warning, pageWarning);
        QCOMPARE(f.probe.confirmDialog().findChild<QTextEdit *>(u"textEdit"_s)->toPlainText(),
                 pageWarning);
        // The last accepted text stays in force.
        QCOMPARE(editor->currentText(), typed);
        QCOMPARE(f.probe.optionValue(1), u"2-4"_s);
        QCOMPARE(f.probe.pendingPageText(), u"2-4"_s);
    }

    f.warnings.clear();
    f.probe.files()->selectRow(1);
    QCOMPARE(f.probe.pageRanges(), QStringList({u"2-4"_s, u"All"_s}));
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::emptyRangeIsResetAtCommit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("commit");
    for (const QString &commit :
         {u"select"_s, u"remove"_s, u"start"_s, u"another editor, then select"_s})
        QTest::addRow("3-3 by %s", qPrintable(commit)) << u"3-3"_s << commit;
    for (const QString &typed : {u"5-2"_s, u"3-"_s, u"1,4-4"_s})
        QTest::addRow("%s by select", qPrintable(typed)) << typed << u"select"_s;
}

void tst_Options::emptyRangeIsResetAtCommit()
{
    QFETCH(QString, typed);
    QFETCH(QString, commit);
    Fixture f;
    f.probe.files()->selectRow(0);
    f.openEditor(1)->setEditText(typed);
    QVERIFY(f.warnings.isEmpty());
    QCOMPARE(f.probe.optionValue(1), typed);

    if (commit.startsWith(u"another"))
        f.openEditor(2);
    if (commit.endsWith(u"select"))
        f.probe.files()->selectRow(1);
    else if (commit == u"remove")
        f.probe.ui()->delectBtn->click();
    else
        f.probe.ui()->stratBtn->click();

    // Only the warning: no removal question, no run, and the other file is not loaded.
    QCOMPARE(f.warnings, QStringList{pageWarning});
    QCOMPARE(f.probe.pageRanges(), QStringList({u"All"_s, u"All"_s}));
    QCOMPARE(f.probe.optionValue(1), u"All"_s);
    QCOMPARE(f.probe.optionValue(0), u"8"_s);
    QVERIFY(!f.probe.editor(1));
    QCOMPARE(f.probe.files()->rowCount(), 2);
    QVERIFY(f.probe.idle());
    QVERIFY(!f.probe.ui()->stratBtn->isChecked());
    QCOMPARE(f.probe.files()->item(0, 4)->text(), u"Ready"_s);
    // The list keeps the file the table shows, so later edits reach that file.
    QCOMPARE(f.probe.files()->currentRow(), 0);
    QCOMPARE(f.probe.files()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(f.probe.files()->selectionModel()->selectedRows().value(0).row(), 0);

    // The reset selection commits quietly.
    QVERIFY(!f.probe.commitPageSelection());
    QCOMPARE(f.probe.pageRanges(), QStringList({u"All"_s, u"All"_s}));
    QCOMPARE(f.warnings.size(), 1);
}

void tst_Options::hintItemSelectsPageOne()
{
    Fixture f;
    f.probe.files()->selectRow(1);
    QComboBox *editor = f.openEditor(1);
    QCOMPARE(editor->itemText(1), u"Page:example(1,3,7-9)"_s);
    emit editor->activated(0);
    QCOMPARE(f.probe.optionValue(1), u"All"_s);
    emit editor->activated(1);
    QCOMPARE(editor->currentText(), u"1"_s);
    QCOMPARE(f.probe.optionValue(1), u"1"_s);
    QVERIFY(!f.probe.commitPageSelection());
    QCOMPARE(f.probe.pageRanges(), QStringList({u"All"_s, u"1"_s}));
    QVERIFY(f.warnings.isEmpty());
}

void tst_Options::sizeIsThatOfTheImage_data()
{
    QTest::addColumn<QString>("document"); // made below
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("dpi");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("portrait") << u"portrait"_s << u"All"_s << u"120"_s << QSize(1000, 1415);
    QTest::newRow("landscape at 72 DPI")
        << u"landscape"_s << u"All"_s << u"72"_s << QSize(842, 595);
    QTest::newRow("turned a quarter") << u"turned"_s << u"All"_s << u"150"_s << QSize(1766, 1248);
    QTest::newRow("landscape second page") << u"mixed"_s << u"2"_s << u"96"_s << QSize(1123, 793);
    QTest::newRow("first selected page portrait")
        << u"mixed"_s << u"2,1"_s << u"96"_s << QSize(793, 1123);
}

// Width and Height are the pixels of the first selected page's image, as the renderer draws it.
void tst_Options::sizeIsThatOfTheImage()
{
    QFETCH(QString, document);
    QFETCH(QString, pages);
    QFETCH(QString, dpi);
    QFETCH(QSize, expected);
    if (QStandardPaths::findExecutable(u"qpdf"_s).isEmpty() ||
        QStandardPaths::findExecutable(u"gs"_s).isEmpty())
        QSKIP("qpdf and Ghostscript make and draw the pages");
    Fixture f(QList<int>{});
    const QString portrait = f.env.scratch(u"portrait.pdf"_s);
    const QString landscape = f.env.scratch(u"landscape.pdf"_s);
    QVERIFY(Pdfs::write(portrait, 1));
    QVERIFY(Pdfs::write(landscape, 1, QPageSize(QSizeF(842, 595), QPageSize::Point)));
    const QString pdf = f.env.scratch(document + u".pdf"_s);
    if (document == u"turned")
        QCOMPARE(QProcess::execute(u"qpdf"_s, {u"--rotate=+90"_s, portrait, pdf}), 0);
    else if (document == u"mixed")
        QCOMPARE(QProcess::execute(u"qpdf"_s,
                                   {u"--empty"_s, u"--pages"_s, portrait, landscape, u"--"_s, pdf}),
                 0);
    f.probe.add({pdf});
    f.openEditor(1)->setEditText(pages);
    f.openEditor(2)->setEditText(dpi);
    const QSize shown(f.probe.optionValue(3).toInt(), f.probe.optionValue(4).toInt());
    QCOMPARE(shown, expected);

    // What the renderer makes of that page.
    RenderJob render;
    render.format = u"BMP"_s;
    render.dpi = dpi.toInt();
    render.pages = {PageSelection::pages(pages, 2).constFirst()};
    render.outputFolder = f.env.scratch();
    render.imageName = u"page.bmp"_s;
    render.sourcePath = pdf;
    QCOMPARE(QProcess::execute(u"gs"_s, render.arguments()), 0);
    QCOMPARE(QImageReader(f.env.scratch(u"page.bmp"_s)).size(), expected);
}

void tst_Options::outputFolderAtStartUp_data()
{
    QTest::addColumn<bool>("fresh");
    QTest::newRow("fresh config.ini") << true;
    QTest::newRow("custom folder remembered") << false;
}

void tst_Options::outputFolderAtStartUp()
{
    QFETCH(bool, fresh);
    TestEnvironment env;
    env.removeConfig();
    const QString custom = env.scratch(u"my images"_s);
    if (!fresh) {
        env.writeConfig(u"outPath"_s, true);
        env.writeConfig(u"saveFilePath"_s, custom);
    }
    MainWindow window;
    MainWindowProbe probe(window);

    const QString folder = fresh ? probe.documentsPath() + u"/ZEMRA VEZ ud Iri"_s : custom;
    QVERIFY(!probe.documentsPath().isEmpty());
    QCOMPARE(probe.ui()->oldFileRadio->isChecked(), fresh);
    QCOMPARE(probe.ui()->newFileRadio->isChecked(), !fresh);
    QCOMPARE(probe.useOutputPath(), !fresh);
    QCOMPARE(probe.ui()->pathEdit->text(), QDir::toNativeSeparators(folder));
    QCOMPARE(probe.ui()->pathEdit->cursorPosition(), 0);
    QCOMPARE(probe.outputPath(), folder);
    QCOMPARE(env.readConfig(u"saveFilePath"_s).toString(), folder);
    QVERIFY(!QFileInfo::exists(custom));
}

void tst_Options::typedBackslashesAreStoredAsSlashes()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    QLineEdit *edit = probe.ui()->pathEdit;
    edit->clear();
    QTest::keyClicks(edit, u"/srv\\images\\2025"_s);
    QCOMPARE(edit->text(), u"/srv\\images\\2025"_s);
    QCOMPARE(probe.outputPath(), u"/srv/images/2025"_s);
    QCOMPARE(env.readConfig(u"saveFilePath"_s).toString(), u"/srv/images/2025"_s);
}

void tst_Options::pickedFolder_data()
{
    QTest::addColumn<QString>("picked"); // relative to the scratch folder; empty: cancelled
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << u"out"_s << u"out"_s;
    QTest::newRow("trailing slash") << u"out/"_s << u"out"_s;
    QTest::newRow("spaces and #") << u"new #2 images/"_s << u"new #2 images"_s;
    QTest::newRow("cancelled") << QString() << QString();
}

void tst_Options::pickedFolder()
{
    QFETCH(QString, picked);
    QFETCH(QString, stored);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    const QString before = probe.outputPath();
    QDir().mkpath(env.scratch(u"out"_s));
    QDir().mkpath(env.scratch(u"new #2 images"_s));

    FileDialog::setNextDirectory(picked.isEmpty() ? QString() : env.scratch() + u'/' + picked);
    probe.ui()->openPath->click();

    const QString expected = stored.isEmpty() ? before : env.scratch(stored);
    QCOMPARE(probe.outputPath(), expected);
    QCOMPARE(probe.ui()->pathEdit->text(), QDir::toNativeSeparators(expected));
    QCOMPARE(probe.ui()->pathEdit->cursorPosition(), 0);
    QCOMPARE(env.readConfig(u"saveFilePath"_s).toString(), expected);
}

void tst_Options::radiosWriteOutPath()
{
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    for (QRadioButton *radio :
         {probe.ui()->newFileRadio, probe.ui()->oldFileRadio, probe.ui()->newFileRadio}) {
        radio->click();
        const bool custom = radio == probe.ui()->newFileRadio;
        QCOMPARE(probe.useOutputPath(), custom);
        QCOMPARE(env.readConfig(u"outPath"_s).toBool(), custom);
    }
    MainWindow restarted;
    QVERIFY(MainWindowProbe(restarted).ui()->newFileRadio->isChecked());
}

void tst_Options::openShowsTheFolder_data()
{
    QTest::addColumn<QString>("typed");  // after the scratch folder
    QTest::addColumn<QString>("opened"); // relative to the scratch folder; empty: impossible
    QTest::newRow("existing") << u"/out"_s << u"out"_s;
    QTest::newRow("missing chain") << u"/a/b c/d#e"_s << u"a/b c/d#e"_s;
    QTest::newRow("typed backslashes") << u"\\x\\y"_s << u"x/y"_s;
    QTest::newRow("under a file") << u"/plain file/sub"_s << QString();
}

void tst_Options::openShowsTheFolder()
{
    QFETCH(QString, typed);
    QFETCH(QString, opened);
    TestEnvironment env;
    MainWindow window;
    MainWindowProbe probe(window);
    QDir().mkpath(env.scratch(u"out"_s));
    QFile file(env.scratch(u"plain file"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    probe.ui()->pathEdit->setText(QDir::toNativeSeparators(env.scratch()) + typed);

    QString warning;
    if (opened.isEmpty()) {
        Modal::whenShown(
            [&warning](QWidget *box) {
                warning = box->findChild<QTextEdit *>(u"textEdit"_s)->toPlainText();
                box->close();
            },
            "deleteDlg");
    }
    probe.ui()->browseBtn->click();

    // The folder shown is the one the run writes to.
    if (!opened.isEmpty())
        QCOMPARE(env.scratch(opened), probe.outputPath());
    QCOMPARE(env.desktop.opened, opened.isEmpty()
                                     ? QList<QUrl>{}
                                     : QList<QUrl>{QUrl::fromLocalFile(env.scratch(opened))});
    QCOMPARE(QFileInfo(probe.outputPath()).isDir(), !opened.isEmpty());
    QCOMPARE(warning,
             opened.isEmpty() ? u"  Invalid output path or output file name!"_s : QString());
}

QTEST_MAIN(tst_Options)
#include "tst_options.moc"
