#include "pdfs.h"
#include "render/displayrun.h"
#include "render/markedoutput.h"
#include "testenvironment.h"

#include <ghostscript/gdevdsp.h>

#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// vezudiri-render: the command line it is given turned into Ghostscript's, the marker taken out
// of the output, and its PNGs beside Ghostscript's own on the same command.
class tst_Renderer : public QObject
{
    Q_OBJECT

private slots:
    void argumentsForGhostscript_data();
    void argumentsForGhostscript();
    void outputFileNames_data();
    void outputFileNames();
    void markersLeaveTheOutputAsItWas_data();
    void markersLeaveTheOutputAsItWas();
    void pngsAreGhostscriptsPixels_data();
    void pngsAreGhostscriptsPixels();
    void linkInTheWayIsNotFollowed();
    void pageTooLargeFailsAlone();
};

void tst_Renderer::argumentsForGhostscript_data()
{
    QTest::addColumn<QByteArrayList>("given");
    QTest::addColumn<QByteArrayList>("expected");
    QTest::addColumn<QByteArrayList>("outputs");
    // 8-bit samples, no alpha, most significant byte first, top row first.
    const unsigned int format =
        DISPLAY_ALPHA_NONE | DISPLAY_DEPTH_8 | DISPLAY_BIGENDIAN | DISPLAY_TOPFIRST;
    const QByteArray rgb = "-dDisplayFormat=" + QByteArray::number(DISPLAY_COLORS_RGB | format);
    const QByteArray grey = "-dDisplayFormat=" + QByteArray::number(DISPLAY_COLORS_GRAY | format);
    QTest::newRow("another device as it is")
        << QByteArrayList{"-sDEVICE=bmp16m", "-sOutputFile=a/%d.bmp", "x.pdf"}
        << QByteArrayList{"-sDEVICE=bmp16m", "-sOutputFile=a/%d.bmp", "x.pdf"} << QByteArrayList{};
    QTest::newRow("PNG") << QByteArrayList{"-sDEVICE=png16m", "-dSAFER", "-sOutputFile=a/%d.png",
                                           "x.pdf"}
                         << QByteArrayList{"-sDEVICE=display", rgb, "-dSAFER", "x.pdf"}
                         << QByteArrayList{"a/%d.png"};
    QTest::newRow("grey PNG, a later output file as Ghostscript ignores it")
        << QByteArrayList{"-sDEVICE=pnggray", "-sOutputFile=a/%d.png", "x.pdf",
                          "-sOutputFile=b/%d.png"}
        << QByteArrayList{"-sDEVICE=display", grey, "x.pdf"} << QByteArrayList{"a/%d.png"};
    QTest::newRow("the next document's output, announced")
        << QByteArrayList{"-sDEVICE=png16m",
                          "-sOutputFile=a/%d.png",
                          "x.pdf",
                          "-c",
                          "<< /OutputFile (/dev/fd/9/%d.png) >> setpagedevice",
                          "-f",
                          "y.pdf"}
        << QByteArrayList{"-sDEVICE=display",
                          rgb,
                          "x.pdf",
                          "-c",
                          "(MARK) print flush << /OutputFile (/dev/fd/9/%d.png) >> setpagedevice",
                          "-f",
                          "y.pdf"}
        << QByteArrayList{"a/%d.png", "/dev/fd/9/%d.png"};
    QTest::newRow("a resolution between documents names no output")
        << QByteArrayList{"-sDEVICE=png16m",
                          "-sOutputFile=a/%d.png",
                          "-c",
                          "<< /HWResolution [72 72] >> setpagedevice",
                          "-f",
                          "x.pdf"}
        << QByteArrayList{"-sDEVICE=display",
                          rgb,
                          "-c",
                          "<< /HWResolution [72 72] >> setpagedevice",
                          "-f",
                          "x.pdf"}
        << QByteArrayList{"a/%d.png"};
}

void tst_Renderer::argumentsForGhostscript()
{
    QFETCH(QByteArrayList, given);
    QFETCH(QByteArrayList, expected);
    QFETCH(QByteArrayList, outputs);
    const DisplayRun run = DisplayRun::of(given, "MARK");
    QCOMPARE(run.arguments, expected);
    QCOMPARE(run.outputs, outputs);
    QCOMPARE(run.colour == DisplayRun::Colour::None, outputs.isEmpty());
}

void tst_Renderer::outputFileNames_data()
{
    QTest::addColumn<QByteArray>("pattern");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("number") << QByteArray("./r/7-%d.png") << QByteArray("./r/7-12.png");
    QTest::newRow("percent") << QByteArray("100%%/%d%%.png") << QByteArray("100%/12%.png");
    QTest::newRow("a percent before d") << QByteArray("%%d.png") << QByteArray("%d.png");
    QTest::newRow("no number") << QByteArray("a.png") << QByteArray("a.png");
    QTest::newRow("another format") << QByteArray("%03d.png") << QByteArray();
    QTest::newRow("a string") << QByteArray("%s.png") << QByteArray();
    QTest::newRow("a percent at the end") << QByteArray("a%") << QByteArray();
}

void tst_Renderer::outputFileNames()
{
    QFETCH(QByteArray, pattern);
    QFETCH(QByteArray, name);
    QCOMPARE(DisplayRun::fileName(pattern, 12), name);
}

void tst_Renderer::markersLeaveTheOutputAsItWas_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("left");
    QTest::addColumn<int>("markers");
    QTest::newRow("none") << QByteArray("Page 1\nPage 2\n") << QByteArray("Page 1\nPage 2\n") << 0;
    QTest::newRow("between lines")
        << QByteArray("Page 1\n<M1>\n@@ 0 3\n") << QByteArray("Page 1\n\n@@ 0 3\n") << 1;
    QTest::newRow("first, last and twice") << QByteArray("<M1>a<M1><M1>") << QByteArray("a") << 3;
    QTest::newRow("its beginning alone") << QByteArray("<M<M1") << QByteArray("<M<M1") << 0;
    QTest::newRow("overlapping itself") << QByteArray("<M<M1>>") << QByteArray("<M>") << 1;
}

// Each text in two writes split at every point, and in one write a character at a time.
void tst_Renderer::markersLeaveTheOutputAsItWas()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, left);
    QFETCH(int, markers);
    QList<QByteArrayList> writes;
    for (qsizetype cut = 0; cut <= text.size(); ++cut)
        writes << QByteArrayList{text.left(cut), text.mid(cut)};
    QByteArrayList characters;
    for (const char character : text)
        characters << QByteArray(1, character);
    writes << characters;
    for (const QByteArrayList &chunks : std::as_const(writes)) {
        MarkedOutput output("<M1>");
        QByteArray passed;
        int counted = 0;
        for (const QByteArray &chunk : chunks) {
            int found = 0;
            passed += output.take(chunk, &found);
            counted += found;
        }
        passed += output.rest();
        QCOMPARE(passed, left);
        QCOMPARE(counted, markers);
    }
}

void tst_Renderer::pngsAreGhostscriptsPixels_data()
{
    QTest::addColumn<QByteArray>("device");
    QTest::newRow("PNG") << QByteArray("png16m");
    QTest::newRow("grey PNG") << QByteArray("pnggray");
}

// As a shared run gives it: two documents, the first at a page resolution of its own, the second
// into another folder named between them; the page count goes on across both.
void tst_Renderer::pngsAreGhostscriptsPixels()
{
    QFETCH(QByteArray, device);
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 3));
    const auto run = [&](const QString &program, const QString &folder) {
        QDir().mkpath(folder + u"/a"_s);
        QDir().mkpath(folder + u"/b"_s);
        QProcess renderer;
        renderer.setWorkingDirectory(folder);
        renderer.start(
            program,
            {u"-q"_s, u"-sDEVICE="_s + QString::fromLatin1(device), u"-dSAFER"_s, u"-dBATCH"_s,
             u"-dNOPAUSE"_s, u"--permit-file-write="_s + folder + u"/"_s,
             u"-sOutputFile=a/%d.png"_s, u"-c"_s,
             u"<< /HWResolution [100.5 72.25] >> setpagedevice"_s, u"-sPageList=1,3"_s, u"-f"_s,
             pdf, u"-c"_s,
             u"<< /OutputFile ("_s + folder +
                 u"/b/%d.png) /HWResolution [150 150] >> setpagedevice (\\nend\\n) print"_s,
             u"-sPageList=2"_s, u"-f"_s, pdf});
        renderer.waitForFinished(60000);
        return std::pair(renderer.exitCode(), renderer.readAllStandardOutput());
    };
    const auto ours = run(env.path(u"vezudiri-render"_s), env.scratch(u"ours"_s));
    const auto theirs = run(u"gs"_s, env.scratch(u"gs"_s));
    QCOMPARE(ours, theirs);
    for (const QString &name : {u"a/1.png"_s, u"a/2.png"_s, u"b/3.png"_s}) {
        const QImage own(env.scratch(u"ours/"_s + name));
        const QImage gs(env.scratch(u"gs/"_s + name));
        QVERIFY2(!gs.isNull(), qPrintable(name));
        QCOMPARE(own.format(), gs.format());
        QCOMPARE(own.dotsPerMeterX(), gs.dotsPerMeterX());
        QCOMPARE(own.dotsPerMeterY(), gs.dotsPerMeterY());
        QVERIFY2(own == gs, qPrintable(name));
    }
}

// A page's name taken by a link: the page is missing as a page drawing error, and nothing is
// written where the link points.
void tst_Renderer::linkInTheWayIsNotFollowed()
{
    TestEnvironment env;
    const QString pdf = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(pdf, 2));
    const QString folder = env.scratch(u"out"_s);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::link(env.scratch(u"elsewhere.png"_s), folder + u"/1.png"_s));
    QProcess renderer;
    renderer.start(env.path(u"vezudiri-render"_s),
                   {u"-q"_s, u"-sDEVICE=png16m"_s, u"-dSAFER"_s, u"-dBATCH"_s, u"-dNOPAUSE"_s,
                    u"-r30"_s, u"-sOutputFile="_s + folder + u"/%d.png"_s, pdf});
    QVERIFY(renderer.waitForFinished(60000));
    QVERIFY(renderer.readAllStandardOutput().contains("Page drawing error"));
    QVERIFY(renderer.readAllStandardError().contains(QFile::encodeName(folder + u"/1.png"_s)));
    QVERIFY(!QFileInfo::exists(env.scratch(u"elsewhere.png"_s)));
    QVERIFY(QImage(folder + u"/1.png"_s).isNull());
}

// A page of more pixels than a raw page may have is missing as a page drawing error, rather than
// drawn at the size before it; the next page, of the size kept, is as always.
void tst_Renderer::pageTooLargeFailsAlone()
{
    TestEnvironment env;
    const QString poster = env.scratch(u"poster.pdf"_s);
    const QString report = env.scratch(u"report.pdf"_s);
    QVERIFY(Pdfs::write(poster, 1, QPageSize(QSizeF(36, 36), QPageSize::Inch)));
    QVERIFY(Pdfs::write(report, 1));
    const QString folder = env.scratch(u"out"_s);
    QVERIFY(QDir().mkpath(folder));
    QProcess renderer;
    renderer.start(env.path(u"vezudiri-render"_s),
                   {u"-q"_s, u"-sDEVICE=pnggray"_s, u"-dSAFER"_s, u"-dBATCH"_s, u"-dNOPAUSE"_s,
                    u"-r600"_s, u"-sOutputFile="_s + folder + u"/%d.png"_s, report, poster,
                    report});
    QVERIFY(renderer.waitForFinished(60000));
    QCOMPARE(renderer.readAllStandardOutput().count("Page drawing error"), 1);
    QVERIFY(renderer.readAllStandardError().contains("21600 x 21600 pixels"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{u"1.png"_s, u"2.png"_s}));
    const QByteArray first = TestEnvironment::contents(folder + u"/1.png"_s);
    QVERIFY(!first.isEmpty());
    QCOMPARE(TestEnvironment::contents(folder + u"/2.png"_s), first);
}

QTEST_MAIN(tst_Renderer)
#include "tst_renderer.moc"
