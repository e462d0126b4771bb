#include "core/engine/ghostscript.h"
#include "pdfs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

RenderJob reportJob(const QString &format, const QString &colour, int dpi)
{
    RenderJob job;
    job.format = format;
    job.colour = colour;
    job.dpi = dpi;
    job.pages = {3};
    job.outputFolder = u"/docs/report"_s;
    job.imageName = RenderJob::imageFileName(u"report"_s, 1, format);
    job.sourcePath = u"/docs/report.pdf"_s;
    return job;
}

// A one-page PDF, small enough to write by hand; text, when given, is set in Helvetica.
QByteArray onePagePdf(const QByteArray &text = {})
{
    const QByteArray content = "BT /F1 18 Tf 4 30 Td (" + text + ") Tj ET";
    QList<QByteArray> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 72 72] >>",
    };
    if (!text.isEmpty()) {
        objects[2] = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 72 72] /Contents 4 0 R "
                     "/Resources << /Font << /F1 5 0 R >> >> >>";
        objects << "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content +
                       "\nendstream"
                << "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
    }
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects.at(i) + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    const QByteArray count = QByteArray::number(objects.size() + 1);
    pdf += "xref\n0 " + count + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + count + " /Root 1 0 R >>\nstartxref\n" +
           QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

} // namespace

class TestRenderCommand final : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void resolution_data();
    void resolution();
    void smoothText_data();
    void smoothText();
    void smoothTextHasShades();
    void nextPageKeepsSourceAndFolder();
    void arguments_data();
    void arguments();
    void rendererReadsThePassword_data();
    void rendererReadsThePassword();
    void rendererWritesTheNamedFile_data();
    void rendererWritesTheNamedFile();
    void extension_data();
    void extension();
};

void TestRenderCommand::text_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("expected");

    const auto row = [](const QString &format, const QString &colour, const QString &device,
                        const QString &options, const QString &extension) {
        QTest::addRow("%s %s", qPrintable(format), qPrintable(colour))
            << format << colour
            << u"P2I.exe -sDEVICE=%1 -dSAFER -dBATCH -dNOPROMPT -dNOPAUSE %2 -dFirstPage=3 "
               u"-dLastPage=3 -sOutputFile=\"/docs/report/report1.%3\" \"/docs/report.pdf\""_s.arg(
                   device, options, extension);
    };
    // all at 120 DPI
    row(u"PNG"_s, QString(), u"png16m"_s, u"-r121"_s, u"png"_s);
    row(u"PNGGRAY"_s, QString(), u"pnggray"_s, u"-r121"_s, u"png"_s);
    row(u"JPEG"_s, QString(), u"jpeg"_s, u"-dJPEGQ=100 -r120"_s, u"jpeg"_s);
    row(u"JPG"_s, QString(), u"jpeg"_s, u"-dJPEGQ=100 -r120"_s, u"jpg"_s);
    row(u"GIF"_s, QString(), u"ppmraw"_s, u"-r121"_s, u"gif"_s);
    row(u"WEBP"_s, QString(), u"jpeg"_s, u"-dJPEGQ=100 -r120"_s, u"jpg"_s);

    const QStringList tiff = {u"24nc"_s, u"32nc"_s, u"12nc"_s, u"sep"_s, u"crle"_s, u"gray"_s,
                              u"g3"_s,   u"g32d"_s, u"g4"_s,   u"lzw"_s, u"pack"_s};
    for (const QString &colour : tiff)
        row(u"TIFF"_s, colour, u"tiff"_s + colour, u"-r120"_s, u"tiff"_s);
    for (const QString &colour : {u"g3"_s, u"g32d"_s, u"g4"_s})
        row(u"FAX"_s, colour, u"tiff"_s + colour, u"-r120"_s, u"tiff"_s);
    row(u"PSD"_s, u"rgb"_s, u"psdrgb"_s, u"-r120"_s, u"psd"_s);
    row(u"PSD"_s, u"cmyk"_s, u"psdcmyk"_s, u"-r120"_s, u"psd"_s);

    row(u"BMP"_s, u"16m"_s, u"bmp16m"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"256 Color"_s, u"bmp256"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"16 Color"_s, u"bmp16"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"mono"_s, u"bmpmono"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"gray"_s, u"bmpgray"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"sep1"_s, u"bmpsep1"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"sep8"_s, u"bmpsep8"_s, u"-r121"_s, u"bmp"_s);
    row(u"BMP"_s, u"32bit"_s, u"bmp32b"_s, u"-r121"_s, u"bmp"_s);

    row(u"PCX"_s, u"24bit"_s, u"pcx24b"_s, u"-r120"_s, u"pcx"_s);
    row(u"PCX"_s, u"256 Color"_s, u"pcx256"_s, u"-r120"_s, u"pcx"_s);
    row(u"PCX"_s, u"16 Color"_s, u"pcx16"_s, u"-r120"_s, u"pcx"_s);
    row(u"PCX"_s, u"mono"_s, u"pcxmono"_s, u"-r120"_s, u"pcx"_s);
    row(u"PCX"_s, u"gray"_s, u"pcxgray"_s, u"-r120"_s, u"pcx"_s);
    row(u"PCX"_s, u"cmyk"_s, u"pcxcmyk"_s, u"-r120"_s, u"pcx"_s);

    // No stored colour: the format's default, as the renderer has no bare "bmp" or "tiff".
    row(u"BMP"_s, QString(), u"bmp16m"_s, u"-r121"_s, u"bmp"_s);
    row(u"PCX"_s, QString(), u"pcx24b"_s, u"-r120"_s, u"pcx"_s);
    row(u"TIFF"_s, QString(), u"tiff24nc"_s, u"-r120"_s, u"tiff"_s);
    row(u"FAX"_s, QString(), u"tiffg3"_s, u"-r120"_s, u"tiff"_s);
    row(u"PSD"_s, QString(), u"psdrgb"_s, u"-r120"_s, u"psd"_s);
}

void TestRenderCommand::text()
{
    QFETCH(QString, format);
    QFETCH(QString, colour);
    QFETCH(QString, expected);
    QCOMPARE(reportJob(format, colour, 120).text(), expected);
}

void TestRenderCommand::resolution_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");
    QTest::newRow("PNG 72") << u"PNG"_s << 72 << 73;
    QTest::newRow("PNGGRAY 300") << u"PNGGRAY"_s << 300 << 301;
    QTest::newRow("GIF 70") << u"GIF"_s << 70 << 71;
    QTest::newRow("BMP 96") << u"BMP"_s << 96 << 96;
    QTest::newRow("BMP 99") << u"BMP"_s << 99 << 99;
    QTest::newRow("BMP 100") << u"BMP"_s << 100 << 101;
    QTest::newRow("PCX 100") << u"PCX"_s << 100 << 100;
    QTest::newRow("JPEG 1000") << u"JPEG"_s << 1000 << 1000;
    QTest::newRow("unknown format as JPG") << u"bmp"_s << 120 << 120;
}

void TestRenderCommand::resolution()
{
    QFETCH(QString, format);
    QFETCH(int, dpi);
    QFETCH(int, expected);
    const RenderJob job = reportJob(format, QString(), dpi);
    QCOMPARE(job.resolution(), expected);
    QVERIFY(job.arguments().contains(u"-r"_s + QString::number(expected)));
}

void TestRenderCommand::smoothText_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("asked");
    QTest::newRow("BMP 24 bit") << u"BMP"_s << u"16m"_s << true;
    QTest::newRow("BMP 256 colours") << u"BMP"_s << u"256 Color"_s << true;
    QTest::newRow("BMP grey") << u"BMP"_s << u"gray"_s << true;
    QTest::newRow("PNG") << u"PNG"_s << QString() << true;
    QTest::newRow("JPEG") << u"JPEG"_s << QString() << true;
    QTest::newRow("TIFF grey") << u"TIFF"_s << u"gray"_s << true;
    // Black and white has no shade to smooth with: the images stay as they were.
    QTest::newRow("BMP mono") << u"BMP"_s << u"mono"_s << false;
    QTest::newRow("BMP one bit separations") << u"BMP"_s << u"sep1"_s << false;
    QTest::newRow("PCX mono") << u"PCX"_s << u"mono"_s << false;
    QTest::newRow("fax g4") << u"FAX"_s << u"g4"_s << false;
    QTest::newRow("TIFF lzw") << u"TIFF"_s << u"lzw"_s << false;
}

// Smooth text adds one switch and nothing else; off, the command is the described one.
void TestRenderCommand::smoothText()
{
    QFETCH(QString, format);
    QFETCH(QString, colour);
    QFETCH(bool, asked);
    RenderJob job = reportJob(format, colour, 120);
    const QStringList plain = job.arguments();
    QVERIFY(!plain.join(u' ').contains(u"AlphaBits"_s));
    job.smooth = true;
    QStringList smooth = job.arguments();
    QCOMPARE(smooth.removeAll(u"-dTextAlphaBits=4"_s), asked ? 1 : 0);
    QCOMPARE(smooth, plain);
    QCOMPARE(job.text().contains(u" -dTextAlphaBits=4 "_s), asked);
}

// The real renderer draws text in shades of grey with it (16 here), in two colours without.
void TestRenderCommand::smoothTextHasShades()
{
    const QString gs = QStandardPaths::findExecutable(u"gs"_s);
    if (gs.isEmpty())
        QSKIP("Ghostscript is not installed");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile pdf(dir.filePath(u"text.pdf"_s));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(onePagePdf("Smooth"));
    pdf.close();
    const auto colours = [&](bool smooth) {
        RenderJob job = reportJob(u"BMP"_s, u"16m"_s, 120);
        job.pages = {1};
        job.smooth = smooth;
        job.outputFolder = dir.path();
        job.imageName = smooth ? u"smooth.bmp"_s : u"plain.bmp"_s;
        job.sourcePath = dir.filePath(u"text.pdf"_s);
        QProcess renderer;
        renderer.start(gs, job.arguments());
        if (!renderer.waitForFinished(30000) || renderer.exitCode() != 0)
            return -1;
        QSet<QRgb> seen;
        const QImage image(dir.filePath(job.imageName));
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y));
        }
        return int(seen.size());
    };
    QCOMPARE(colours(false), 2);
    QVERIFY2(colours(true) > 8, "smooth text has shades between ink and paper");
}

// Moving to the next page touches only the page and the image name, so a source or folder name
// that looks like an image name or a page number stays as it is.
void TestRenderCommand::nextPageKeepsSourceAndFolder()
{
    RenderJob job = reportJob(u"BMP"_s, u"256 Color"_s, 96);
    job.outputFolder = u"/scans/v1.png"_s;
    job.sourcePath = u"/scans/scan1.bmp.pdf"_s;
    job.password = u"se cret"_s;
    job.pages = {12};
    job.imageName = RenderJob::imageFileName(u"scan1.bmp"_s, 2, job.format);
    QCOMPARE(job.text(),
             u"P2I.exe -sDEVICE=bmp256 -dSAFER -dBATCH -dNOPROMPT -dNOPAUSE -r96 -dFirstPage=12 "
             u"-dLastPage=12 -sOutputFile=\"/scans/v1.png/scan1.bmp2.bmp\" -sPDFPassword=se cret "
             u"\"/scans/scan1.bmp.pdf\""_s);
}

void TestRenderCommand::arguments_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("outputArgument");

    QTest::newRow("spaces") << u"/home/me/My Images/a b"_s << QString() << u"/home/me/a b.pdf"_s
                            << u"-sOutputFile=/home/me/My Images/a b/x1.png"_s;
    QTest::newRow("quotes and apostrophes")
        << u"/tmp/say \"hi\" l'été"_s << u"it's \"q\""_s << u"/tmp/l'été \"x\".pdf"_s
        << u"-sOutputFile=/tmp/say \"hi\" l'été/x1.png"_s;
    QTest::newRow("non-ASCII") << u"/tmp/日本語/Ünïcödé"_s << u"пароль"_s << u"/tmp/文書.pdf"_s
                               << u"-sOutputFile=/tmp/日本語/Ünïcödé/x1.png"_s;
    // The renderer would read "%d" as the page number; "%%" is a plain "%" to it.
    QTest::newRow("percent") << u"/tmp/50%done"_s << u"100%"_s << u"/tmp/a.pdf"_s
                             << u"-sOutputFile=/tmp/50%%done/x1.png"_s;
    QTest::newRow("password with slash and spaces")
        << u"/tmp/out"_s << u"a/b c  d"_s << u"/tmp/a.pdf"_s << u"-sOutputFile=/tmp/out/x1.png"_s;
    // A leading "|" would pipe the image into a shell command.
    QTest::newRow("relative folder") << u"|touch pwned"_s << QString() << u"/tmp/a.pdf"_s
                                     << u"-sOutputFile=./|touch pwned/x1.png"_s;
}

void TestRenderCommand::arguments()
{
    QFETCH(QString, folder);
    QFETCH(QString, password);
    QFETCH(QString, source);
    QFETCH(QString, outputArgument);

    RenderJob job;
    job.format = u"PNG"_s;
    job.dpi = 72;
    job.outputFolder = folder;
    job.imageName = u"x1.png"_s;
    job.password = password;
    job.passwordFile = u"/dev/fd/7"_s;
    job.sourcePath = source;

    QStringList expected = {u"-sDEVICE=png16m"_s, u"-dSAFER"_s,      u"-dBATCH"_s,
                            u"-dNOPROMPT"_s,      u"-dNOPAUSE"_s,    u"-r73"_s,
                            u"-dFirstPage=1"_s,   u"-dLastPage=1"_s, outputArgument};
    // Every local user can read a command line: the password goes through a file.
    if (!password.isEmpty())
        expected << u"@/dev/fd/7"_s;
    expected << source;
    QCOMPARE(job.arguments(), expected);
    QVERIFY(job.text().contains(u"\""_s + outputArgument.mid(13) + u'"'));
}

void TestRenderCommand::rendererReadsThePassword_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("fits");
    QTest::newRow("plain") << u"secret"_s << true;
    QTest::newRow("spaces") << u"  two  words "_s << true;
    QTest::newRow("tab") << u"a\tb"_s << true;
    QTest::newRow("quotes") << u"it's \"q\" x\"\"y"_s << true;
    QTest::newRow("backslash inside") << u"back\\slash"_s << true;
    QTest::newRow("backslash before a quote") << u"a\\\"b"_s << true;
    QTest::newRow("backslash at the end") << u"end\\"_s << true;
    QTest::newRow("non-ASCII and signs") << u"pér cent% #@x"_s << true;
    QTest::newRow("leading signs") << u"#@-x"_s << true;
    QTest::newRow("two backslashes") << u"a\\\\b"_s << false;
    QTest::newRow("backslash at the end after a space") << u"a b\\"_s << false;
    QTest::newRow("line break") << u"a\nb"_s << false;
}

// What the argument file carries opens the document in the real renderer, or is refused.
void TestRenderCommand::rendererReadsThePassword()
{
    QFETCH(QString, password);
    QFETCH(bool, fits);
    RenderJob job;
    job.password = password;
    QCOMPARE(job.passwordFits(), fits);
    const QString gs = QStandardPaths::findExecutable(u"gs"_s);
    if (!fits || gs.isEmpty() || QStandardPaths::findExecutable(u"qpdf"_s).isEmpty())
        return;

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile pdf(dir.filePath(u"plain.pdf"_s));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(onePagePdf());
    pdf.close();
    QVERIFY(Pdfs::encrypt(pdf.fileName(), dir.filePath(u"locked.pdf"_s), password));
    QFile argumentFile(dir.filePath(u"arguments"_s));
    QVERIFY(argumentFile.open(QIODevice::WriteOnly));
    argumentFile.write(job.passwordArgument());
    argumentFile.close();

    job.format = u"PNG"_s;
    job.dpi = 20;
    job.outputFolder = dir.path();
    job.imageName = u"page.png"_s;
    job.passwordFile = argumentFile.fileName();
    job.sourcePath = dir.filePath(u"locked.pdf"_s);
    QProcess renderer;
    renderer.start(gs, job.arguments());
    QVERIFY(renderer.waitForFinished(30000));
    QCOMPARE(renderer.exitStatus(), QProcess::NormalExit);
    QVERIFY(QFileInfo(dir.filePath(u"page.png"_s)).isFile());
}

void TestRenderCommand::rendererWritesTheNamedFile_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("spaces and apostrophe") << u"l'été à 2 pm"_s;
    QTest::newRow("percent signs") << u"50%d %s %%"_s;
}

// The real renderer writes exactly the file the job names.
void TestRenderCommand::rendererWritesTheNamedFile()
{
    QFETCH(QString, folderName);
    const QString gs = QStandardPaths::findExecutable(u"gs"_s);
    if (gs.isEmpty())
        QSKIP("Ghostscript is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile pdf(dir.filePath(u"page.pdf"_s));
    QVERIFY(pdf.open(QIODevice::WriteOnly));
    pdf.write(onePagePdf());
    pdf.close();
    QVERIFY(QDir(dir.path()).mkdir(folderName));

    RenderJob job;
    job.format = u"PNG"_s;
    job.dpi = 70;
    job.outputFolder = dir.filePath(folderName);
    job.imageName = RenderJob::imageFileName(u"page %d"_s, 1, job.format);
    job.sourcePath = pdf.fileName();

    QProcess renderer;
    renderer.start(gs, job.arguments());
    QVERIFY(renderer.waitForFinished(30000));
    QCOMPARE(renderer.exitCode(), 0);
    const QStringList written = QDir(job.outputFolder).entryList(QDir::Files);
    QCOMPARE(written, QStringList{job.imageName});
}

void TestRenderCommand::extension_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("expected");
    QTest::newRow("PNG") << u"PNG"_s << u"png"_s;
    QTest::newRow("PNGGRAY") << u"PNGGRAY"_s << u"png"_s;
    QTest::newRow("JPEG") << u"JPEG"_s << u"jpeg"_s;
    QTest::newRow("TIFF") << u"TIFF"_s << u"tiff"_s;
    QTest::newRow("BMP") << u"BMP"_s << u"bmp"_s;
    QTest::newRow("PSD") << u"PSD"_s << u"psd"_s;
    QTest::newRow("PCX") << u"PCX"_s << u"pcx"_s;
    QTest::newRow("FAX") << u"FAX"_s << u"tiff"_s;
    QTest::newRow("GIF") << u"GIF"_s << u"gif"_s;
    QTest::newRow("JPG") << u"JPG"_s << u"jpg"_s;
    QTest::newRow("unknown") << u"Png"_s << u"jpg"_s;
}

void TestRenderCommand::extension()
{
    QFETCH(QString, format);
    QFETCH(QString, expected);
    QCOMPARE(RenderJob::extension(format), expected);
    QCOMPARE(RenderJob::imageFileName(u"report"_s, 12, format), u"report12."_s + expected);
    QCOMPARE(RenderJob::imageFileName(QString(), 3, format), u"3."_s + expected);
}

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "tst_rendercommand.moc"
