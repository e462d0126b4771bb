// Conversions with the real Ghostscript and tiffcp: every format and colour, page selections,
// naming, output folders, TIFF merging.
#include "conversion.h"
#include "core/engine/ghostscript.h"
#include "core/options/formats.h"
#include "modal.h"
#include "pdfs.h"
#include "testenvironment.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QProcess>
#include <QSet>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QSizeF a4Points(595.276, 841.89);

// Gives row the format (as the hidden format box would) and the colour keyword.
void setFormat(MainWindowProbe &probe, int row, const QString &format, const QString &colour)
{
    probe.files()->selectRow(row);
    probe.ui()->formatCombo->setCurrentIndex(Formats::indexOf(format));
    if (!colour.isEmpty())
        probe.colorModes()[row] = colour;
}

// Every page of a TIFF file, in the file's order.
QList<QImage> tiffPages(const QString &path)
{
    QImageReader reader(path, "tiff");
    QList<QImage> pages;
    for (int index = 0; index < reader.imageCount(); ++index) {
        if (!reader.jumpToImage(index))
            return {};
        pages << reader.read();
    }
    return pages;
}

// The page as one renderer run for it alone draws it, in the format's default colour.
QImage pageAlone(const QString &pdf, const QString &format, int page, int dpi,
                 const QString &folder)
{
    RenderJob render;
    render.format = format;
    render.dpi = dpi;
    render.pages = {page};
    render.outputFolder = folder;
    render.imageName = u"alone%1.tiff"_s.arg(page);
    render.sourcePath = pdf;
    QProcess gs;
    gs.start(u"gs"_s, render.arguments());
    if (!gs.waitForFinished(60000) || gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0)
        return {};
    return QImage(folder + u'/' + render.imageName, "tiff");
}

} // namespace

class tst_Conversion : public QObject
{
    Q_OBJECT

private slots:
    void everyFormatAndColour_data();
    void everyFormatAndColour();
    void smoothTextFromTheSettings_data();
    void smoothTextFromTheSettings();
    void pageSelections_data();
    void pageSelections();
    void naming_data();
    void naming();
    void everyFileGetsAFreshFolder();
    void customOutputFolder();
    void namesThatLookLikeImages();
    void mergeJoinsPages_data();
    void mergeJoinsPages();
    void failedMergeKeepsThePages();
};

void tst_Conversion::everyFormatAndColour_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("extension");

    const QStringList plain = {u"PNG"_s, u"PNGGRAY"_s, u"JPEG"_s, u"JPG"_s, u"GIF"_s};
    // GIF is drawn raw and encoded by the program.
    const QStringList plainDevices = {u"png16m"_s, u"pnggray"_s, u"jpeg"_s, u"jpeg"_s, u"ppmraw"_s};
    const QStringList plainExtensions = {u"png"_s, u"png"_s, u"jpeg"_s, u"jpg"_s, u"gif"_s};
    for (int index = 0; index < plain.size(); ++index) {
        const bool plusOne = plain[index].startsWith(u"PNG") || plain[index] == u"GIF";
        QTest::addRow("%s", qPrintable(plain[index]))
            << plain[index] << QString() << plainDevices[index] << 72 << (plusOne ? 73 : 72)
            << plainExtensions[index];
    }
    // Every colour keyword the option table offers, with the Ghostscript device it must select.
    const struct
    {
        const char *format;
        QStringList devices;
    } coloured[] = {
        {"TIFF",
         {u"tiff24nc"_s, u"tiff32nc"_s, u"tiff12nc"_s, u"tiffsep"_s, u"tiffcrle"_s, u"tiffgray"_s,
          u"tiffg3"_s, u"tiffg32d"_s, u"tiffg4"_s, u"tifflzw"_s, u"tiffpack"_s}},
        {"FAX", {u"tiffg3"_s, u"tiffg32d"_s, u"tiffg4"_s}},
        {"BMP",
         {u"bmp16m"_s, u"bmp256"_s, u"bmp16"_s, u"bmpmono"_s, u"bmpgray"_s, u"bmpsep1"_s,
          u"bmpsep8"_s, u"bmp32b"_s}},
        {"PSD", {u"psdrgb"_s, u"psdcmyk"_s}},
        {"PCX", {u"pcx24b"_s, u"pcx256"_s, u"pcx16"_s, u"pcxmono"_s, u"pcxgray"_s, u"pcxcmyk"_s}},
    };
    for (const auto &[name, devices] : coloured) {
        const QString format = QString::fromLatin1(name);
        const QStringList colours = Formats::colourChoices(format);
        QCOMPARE(colours.size(), devices.size());
        for (qsizetype index = 0; index < colours.size(); ++index) {
            QTest::addRow("%s %s", name, qPrintable(colours[index]))
                << format << colours[index] << devices[index] << 72 << 72
                << RenderJob::extension(format);
        }
    }
    QTest::newRow("BMP above 99 DPI")
        << u"BMP"_s << u"16m"_s << u"bmp16m"_s << 100 << 101 << u"bmp"_s;
    QTest::newRow("BMP at 99 DPI") << u"BMP"_s << u"mono"_s << u"bmpmono"_s << 99 << 99 << u"bmp"_s;
    QTest::newRow("BMP without a colour")
        << u"BMP"_s << QString() << u"bmp16m"_s << 72 << 72 << u"bmp"_s;
}

void tst_Conversion::everyFormatAndColour()
{
    QFETCH(QString, format);
    QFETCH(QString, colour);
    QFETCH(QString, device);
    QFETCH(int, dpi);
    QFETCH(int, resolution);
    QFETCH(QString, extension);
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"source"_s);
    const QString pdf = env.scratch(u"docs/report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    setFormat(probe, 0, format, colour);
    if (colour.isEmpty())
        probe.colorModes().remove(0);
    probe.dpiValues()[0] = QString::number(dpi);

    QVERIFY(Conversion::run(probe));
    const QString folder = env.scratch(u"docs/report"_s);
    const QString image = folder + u"/report1."_s + extension;
    const QString jpegQuality = device == u"jpeg" ? u" -dJPEGQ=100"_s : QString();
    // The renderer writes under temporary names; each page is renamed once complete.
    const QString raw = device == u"ppmraw" ? u"ppm"_s : QString();
    const QString rendered = folder + u"/.rendering/%d."_s + (raw.isEmpty() ? extension : raw);
    // Raw pages wait for the encoders: the renderer pauses after each until it is let on.
    const QString noPause = raw.isEmpty() ? u" -dNOPAUSE"_s : QString();
    QCOMPARE(probe.renderCommand(),
             u"P2I.exe -sDEVICE=%1 -dSAFER -dBATCH -dNOPROMPT%2 -r%3 -dFirstPage=1 "
             "-dLastPage=1 -sOutputFile=\"%4\" \"%5\""_s.arg(device, noPause + jpegQuality)
                 .arg(resolution)
                 .arg(rendered, pdf));
    QCOMPARE(probe.outputFolders(), QStringList{folder});
    QVERIFY2(QFileInfo(image).isFile(), qPrintable(Conversion::filesIn(folder).join(u", ")));
    const QSize size = Conversion::imageSize(image, format);
    QVERIFY2(Conversion::closeTo(size, Conversion::expectedSize(a4Points, resolution)),
             qPrintable(u"%1x%2"_s.arg(size.width()).arg(size.height())));
    if (format == u"GIF") {
        QFile gif(image);
        QVERIFY(gif.open(QIODevice::ReadOnly));
        QVERIFY(gif.read(6).startsWith("GIF8"));
    }
    QVERIFY(qobject_cast<QLabel *>(probe.files()->cellWidget(0, 4))); // the finished mark
}

void tst_Conversion::smoothTextFromTheSettings_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("smooth");
    QTest::newRow("absent") << QVariant() << false;
    QTest::newRow("off") << QVariant(false) << false;
    QTest::newRow("on") << QVariant(true) << true;
}

// The settings dialog's "Smooth text" reaches the renderer; off, the command and the few-colour
// page are those of the described command line.
void tst_Conversion::smoothTextFromTheSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, smooth);
    TestEnvironment env;
    if (stored.isValid())
        env.writeConfig(u"smoothText"_s, stored);
    const QString pdf = env.scratch(u"text.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    setFormat(probe, 0, u"BMP"_s, u"16m"_s);
    probe.dpiValues()[0] = u"72"_s;
    QVERIFY(Conversion::run(probe));
    QCOMPARE(probe.renderCommand().contains(u" -r72 -dTextAlphaBits=4 -dFirstPage=1 "_s), smooth);
    QCOMPARE(probe.renderCommand().contains(u"AlphaBits"_s), smooth);
    const QStringList images = Conversion::filesIn(env.scratch(u"text"_s));
    QCOMPARE(images.size(), 1);
    const QImage image(env.scratch(u"text/"_s + images.first()));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY2(smooth ? colours.size() > 8 : colours.size() <= 3,
             qPrintable(QString::number(colours.size())));
}

void tst_Conversion::pageSelections_data()
{
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("pageArguments");
    QTest::addColumn<int>("images");
    QTest::newRow("all") << 3 << u"All"_s << u"-dFirstPage=1 -dLastPage=3"_s << 3;
    QTest::newRow("alle") << 2 << u"alle"_s << u"-dFirstPage=1 -dLastPage=2"_s << 2;
    QTest::newRow("Tout") << 2 << u"Tout"_s << u"-dFirstPage=1 -dLastPage=2"_s << 2;
    QTest::newRow("全部") << 2 << u"全部"_s << u"-dFirstPage=1 -dLastPage=2"_s << 2;
    QTest::newRow("ranges out of order") << 9 << u"7-9,1"_s << u"-sPageList=1,7-9"_s << 4;
    QTest::newRow("a page twice") << 3 << u"2,2"_s << u"-dFirstPage=2 -dLastPage=2"_s << 2;
    QTest::newRow("trailing comma") << 3 << u"1,3,"_s << u"-sPageList=1,3"_s << 2;
}

void tst_Conversion::pageSelections()
{
    QFETCH(int, pages);
    QFETCH(QString, selection);
    QFETCH(QString, pageArguments);
    QFETCH(int, images);
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"number"_s);
    const QString pdf = env.scratch(u"doc.pdf"_s);
    QVERIFY(Pdfs::write(pdf, pages));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    probe.pageRanges()[0] = selection;
    probe.dpiValues()[0] = u"20"_s; // quick pages; the resolution is clamped to 70
    QVERIFY(Conversion::run(probe));
    QVERIFY2(probe.renderCommand().contains(u' ' + pageArguments + u' '),
             qPrintable(probe.renderCommand()));
    QStringList expected;
    for (int number = 1; number <= images; ++number)
        expected << u"%1.bmp"_s.arg(number);
    expected.sort();
    QCOMPARE(Conversion::filesIn(env.scratch(u"doc"_s)), expected);
}

void tst_Conversion::naming_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("firstFolder");
    QTest::addColumn<QStringList>("secondFolder");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("source") << u"source"_s << QStringList({u"one1.bmp"_s, u"one2.bmp"_s})
                            << QStringList({u"two3.bmp"_s}) << u"source"_s;
    QTest::newRow("number") << u"number"_s << QStringList({u"1.bmp"_s, u"2.bmp"_s})
                            << QStringList({u"3.bmp"_s}) << u"number"_s;
    QTest::newRow("template") << u"template"_s << QStringList({u"Scan-1.bmp"_s, u"Scan-2.bmp"_s})
                              << QStringList({u"Scan-3.bmp"_s}) << u"template"_s;
    QTest::newRow("wrong case becomes source")
        << u"Source"_s << QStringList({u"one1.bmp"_s, u"one2.bmp"_s})
        << QStringList({u"two3.bmp"_s}) << u"source"_s;
}

void tst_Conversion::naming()
{
    QFETCH(QString, model);
    QFETCH(QStringList, firstFolder);
    QFETCH(QStringList, secondFolder);
    QFETCH(QString, storedAfter);
    TestEnvironment env;
    const QString one = env.scratch(u"one.pdf"_s);
    const QString two = env.scratch(u"two.pdf"_s);
    QVERIFY(Pdfs::write(one, 2));
    QVERIFY(Pdfs::write(two, 1));
    MainWindow window;
    MainWindowProbe probe(window);
    // Written after start-up, where a first start stores its own default.
    env.writeConfig(u"outputFileNameModel"_s, model);
    env.writeConfig(u"outFileNameModelfirst"_s, u"Scan-"_s);
    probe.add({one, two});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    QVERIFY(Conversion::run(probe));
    // The image number runs on from one file to the next.
    QCOMPARE(Conversion::filesIn(env.scratch(u"one"_s)), firstFolder);
    QCOMPARE(Conversion::filesIn(env.scratch(u"two"_s)), secondFolder);
    QCOMPARE(env.readConfig(u"outputFileNameModel"_s).toString(), storedAfter);
}

void tst_Conversion::everyFileGetsAFreshFolder()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"a.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    QVERIFY(QDir().mkpath(env.scratch(u"a"_s)));
    QVERIFY(QDir().mkpath(env.scratch(u"a(1)"_s)));
    QFile earlier(env.scratch(u"a/1.bmp"_s));
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("an earlier result");
    earlier.close();
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf, pdf});
    probe.dpiValues() = {u"70"_s, u"70"_s};
    QVERIFY(Conversion::run(probe));
    QCOMPARE(probe.outputFolders(), QStringList({env.scratch(u"a(2)"_s), env.scratch(u"a(3)"_s)}));
    QCOMPARE(Conversion::filesIn(env.scratch(u"a(1)"_s)), QStringList());
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("an earlier result"));
}

void tst_Conversion::customOutputFolder()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"in/report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 1));
    env.writeConfig(u"outPath"_s, true);
    env.writeConfig(u"saveFilePath"_s, env.scratch(u"out/not yet/there"_s));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    probe.dpiValues()[0] = u"70"_s;
    QVERIFY(Conversion::run(probe));
    QCOMPARE(probe.outputFolders(), QStringList{env.scratch(u"out/not yet/there/report"_s)});
    QCOMPARE(Conversion::filesIn(probe.outputFolders().first()).size(), 1);
}

void tst_Conversion::namesThatLookLikeImages()
{
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"source"_s);
    const QString pdf = env.scratch(u"v1.png/scan1.bmp.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 3));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    probe.dpiValues()[0] = u"70"_s;
    QVERIFY(Conversion::run(probe));
    // Moving to the next page renames only the image, never the source or its folder.
    QCOMPARE(Conversion::filesIn(env.scratch(u"v1.png/scan1.bmp"_s)),
             QStringList({u"scan1.bmp1.bmp"_s, u"scan1.bmp2.bmp"_s, u"scan1.bmp3.bmp"_s}));
    QVERIFY(probe.renderCommand().endsWith(u"\""_s + pdf + u'"'));
    QVERIFY(QFileInfo(pdf).isFile());
}

void tst_Conversion::mergeJoinsPages_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("naming");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("pdfName");
    QTest::addColumn<QList<int>>("pages");
    const QList<int> all = {1, 2, 3};
    QTest::newRow("TIFF") << u"TIFF"_s << u"source"_s << u"All"_s << u"report.pdf"_s << all;
    QTest::newRow("FAX") << u"FAX"_s << u"source"_s << u"All"_s << u"report.pdf"_s << all;
    QTest::newRow("a page twice") << u"TIFF"_s << u"source"_s << u"2,2"_s << u"report.pdf"_s
                                  << QList<int>{2, 2};
    QTest::newRow("scattered pages")
        << u"TIFF"_s << u"source"_s << u"3,1"_s << u"report.pdf"_s << QList<int>{1, 3};
    // The merged file carries the name of its own first page: 1.pdf, named by number.
    QTest::newRow("name of a page") << u"TIFF"_s << u"number"_s << u"All"_s << u"1.pdf"_s << all;
}

void tst_Conversion::mergeJoinsPages()
{
    QFETCH(QString, format);
    QFETCH(QString, naming);
    QFETCH(QString, selection);
    QFETCH(QString, pdfName);
    QFETCH(QList<int>, pages);
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, naming);
    const QString pdf = env.scratch(pdfName);
    QVERIFY(Pdfs::write(pdf, 3));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    setFormat(probe, 0, format, QString());
    probe.mergeFlags()[0] = true;
    probe.pageRanges()[0] = selection;
    probe.dpiValues()[0] = u"70"_s;
    QVERIFY(Conversion::run(probe));
    const QString base = QFileInfo(pdfName).completeBaseName();
    const QString folder = env.scratch(base);
    QCOMPARE(Conversion::filesIn(folder), QStringList{base + u".tiff"_s});
    // Each page of the joined file is the page selected in that place, drawn alone.
    const QList<QImage> joined = tiffPages(folder + u'/' + base + u".tiff"_s);
    QCOMPARE(joined.size(), pages.size());
    for (qsizetype index = 0; index < pages.size(); ++index) {
        const QImage alone = pageAlone(pdf, format, pages.at(index), 70, env.scratch());
        QVERIFY(!alone.isNull());
        QVERIFY2(joined.at(index) == alone, qPrintable(u"page %1"_s.arg(index + 1)));
    }
    QVERIFY(qobject_cast<QLabel *>(probe.files()->cellWidget(0, 4)));
}

void tst_Conversion::failedMergeKeepsThePages()
{
    TestEnvironment env;
    env.writeConfig(u"outputFileNameModel"_s, u"source"_s);
    env.installTool(u"tiffcp.exe"_s, u"echo 'cannot merge' >&2; exit 3"_s);
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    MainWindow window;
    MainWindowProbe probe(window);
    probe.add({pdf});
    setFormat(probe, 0, u"TIFF"_s, u"24nc"_s);
    probe.mergeFlags()[0] = true;
    probe.dpiValues()[0] = u"70"_s;
    QVERIFY(Conversion::run(probe));
    QCOMPARE(Conversion::filesIn(env.scratch(u"report"_s)),
             QStringList({u"report1.tiff"_s, u"report2.tiff"_s}));
    const QTableWidgetItem *status = probe.files()->item(0, 4);
    QVERIFY(probe.files()->cellWidget(0, 4) == nullptr);
    QVERIFY(!status->icon().isNull());
    QVERIFY(!status->toolTip().isEmpty());
}

QTEST_MAIN(tst_Conversion)
#include "tst_conversion.moc"
