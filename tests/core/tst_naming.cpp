#include "core/engine/conversionjob.h"
#include "core/engine/naming.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestNaming final : public QObject
{
    Q_OBJECT

private slots:
    void prefixFor_data();
    void prefixFor();
    void safeTemplate_data();
    void safeTemplate();
    void baseName_data();
    void baseName();
    void imageNames_data();
    void imageNames();
};

void TestNaming::prefixFor_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<bool>("rewrite");
    QTest::newRow("source") << u"source"_s << u"report"_s << false;
    QTest::newRow("number") << u"number"_s << QString() << false;
    QTest::newRow("template") << u"template"_s << u"Scan_"_s << false;
    QTest::newRow("wrong case") << u"Source"_s << u"report"_s << true;
    QTest::newRow("missing") << QString() << u"report"_s << true;
    QTest::newRow("unknown") << u"date"_s << u"report"_s << true;
}

void TestNaming::prefixFor()
{
    QFETCH(QString, model);
    const Naming::Prefix prefix = Naming::prefixFor(model, u"Scan_"_s, u"report"_s);
    QTEST(prefix.prefix, "prefix");
    QTEST(prefix.rewriteToSource, "rewrite");
}

void TestNaming::safeTemplate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("safe");
    QTest::newRow("safe") << u"Scan (b) 2.0 "_s << u"Scan (b) 2.0 "_s;
    QTest::newRow("parent folder") << u"../x"_s << u"___x"_s;
    QTest::newRow("absolute") << u"/etc/x"_s << u"_etc_x"_s;
    QTest::newRow("reserved characters") << u"a\\b:c*?\"<>|"_s << u"a_b_c______"_s;
    QTest::newRow("control character") << u"a\nb"_s << u"a_b"_s;
    QTest::newRow("too long") << QString(300, u'x') << QString(200, u'x');
    QTest::newRow("too long, not split in a character") << QString(150, u'é') << QString(100, u'é');
}

void TestNaming::safeTemplate()
{
    QFETCH(QString, text);
    QFETCH(QString, safe);
    QCOMPARE(Naming::safeTemplate(text), safe);
    QCOMPARE(Naming::isSafeTemplate(text), text == safe);
    QCOMPARE(Naming::prefixFor(u"template"_s, text, u"report"_s).prefix, safe);
}

void TestNaming::baseName_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pdf") << u"report.pdf"_s << u"report"_s;
    QTest::newRow("upper case") << u"report.PDF"_s << u"report"_s;
    QTest::newRow("mixed case") << u"Report.Pdf"_s << u"Report"_s;
    QTest::newRow("dots before") << u"scan1.bmp.pdf"_s << u"scan1.bmp"_s;
    QTest::newRow("twice pdf") << u"x.pdf.pdf"_s << u"x.pdf"_s;
    QTest::newRow("non-ASCII") << u"日本語 文書.pdf"_s << u"日本語 文書"_s;
    QTest::newRow("other suffix") << u"a.b"_s << u"a"_s;
    QTest::newRow("last suffix only") << u"a.tar.gz"_s << u"a.tar"_s;
    QTest::newRow("no suffix") << u"README"_s << u"README"_s;
    QTest::newRow("only .pdf") << u".pdf"_s << u".pdf"_s;
    QTest::newRow("only .PDF") << u".PDF"_s << u".PDF"_s;
    QTest::newRow("hidden file") << u".hidden"_s << u".hidden"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestNaming::baseName()
{
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QCOMPARE(Naming::baseName(fileName), expected);
}

void TestNaming::imageNames_data()
{
    QTest::addColumn<QString>("naming");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("by page, padded to the page count")
        << u"page"_s << u"3,10"_s << 120 << false
        << QStringList{u"report-003.tiff"_s, u"report-010.tiff"_s};
    QTest::newRow("by page, fewer than ten pages")
        << u"page"_s << u"All"_s << 2 << false
        << QStringList{u"report-1.tiff"_s, u"report-2.tiff"_s};
    QTest::newRow("by page, a page selected three times")
        << u"page"_s << u"2,1-2,2"_s << 12 << false
        << QStringList{u"report-01.tiff"_s, u"report-02.tiff"_s, u"report-02(1).tiff"_s,
                       u"report-02(2).tiff"_s};
    QTest::newRow("by page, joined")
        << u"page"_s << u"1-2"_s << 2 << true << QStringList{u"report.tiff"_s};
    QTest::newRow("by number, a page selected twice")
        << u"source"_s << u"2,2"_s << 12 << false
        << QStringList{u"report5.tiff"_s, u"report6.tiff"_s};
}

// The planner and the run take the names from the same job.
void TestNaming::imageNames()
{
    QFETCH(QString, naming);
    QFETCH(QString, pages);
    QFETCH(int, pageCount);
    QFETCH(bool, merge);
    QFETCH(QStringList, expected);
    FileChoices choices;
    choices.sourcePath = u"/in/report.pdf"_s;
    choices.pageCount = pageCount;
    choices.pages = pages;
    choices.naming = naming;
    choices.namesByPage = naming == u"page";
    choices.format = u"TIFF"_s;
    choices.merge = merge;
    ConversionJob job = ConversionJob::from(0, choices);
    job.firstNumber = 5;
    QCOMPARE(job.imageNames(), expected);
}

QTEST_APPLESS_MAIN(TestNaming)
#include "tst_naming.moc"
