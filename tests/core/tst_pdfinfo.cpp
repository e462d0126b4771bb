#include "core/pdf/pdfinfo.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestPdfInfo final : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parseRealOutput_data();
    void parseRealOutput();
    void parsePageBoxes_data();
    void parsePageBoxes();
    void sizeText_data();
    void sizeText();
    void readableDate_data();
    void readableDate();
};

void TestPdfInfo::parse_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("encrypted");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QString>("fileSize");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("creationDate");

    QTest::newRow("legacy 16 columns, CR LF")
        << QByteArray("Producer:       GPL Ghostscript 8.15\r\n"
                      "CreationDate:   Sat Feb 08 12:23:13 2025\r\n"
                      "Tagged:         no\r\n"
                      "Pages:          12\r\n"
                      "Encrypted:      no\r\n"
                      "Page size:      612 x 792 pts (letter)\r\n"
                      "File size:      123456 bytes\r\n"
                      "Optimized:      no\r\n"
                      "PDF version:    1.4\r\n")
        << u"12"_s << u"no"_s << u"612 x 792 pts (letter)"_s << u"123456 bytes"_s << qint64(123456)
        << u"1.4"_s << u"Sat Feb 08 12:23:13 2025"_s;
    QTest::newRow("poppler 17 columns, LF, Page rot")
        << QByteArray("Creator:         Writer\n"
                      "CreationDate:    Sat Feb  8 12:23:13 2025 UTC\n"
                      "Pages:           3\n"
                      "Encrypted:       yes (print:yes copy:no change:no addNotes:no)\n"
                      "Page size:       595.2 x 841.92 pts (A4)\n"
                      "Page rot:        0\n"
                      "File size:       9876543210 bytes\n"
                      "Optimized:       no\n"
                      "PDF version:     1.7\n")
        << u"3"_s << u"yes (print:yes copy:no change:no addNotes:no)"_s
        << u"595.2 x 841.92 pts (A4)"_s << u"9876543210 bytes"_s << qint64(9876543210) << u"1.7"_s
        << u"Sat Feb  8 12:23:13 2025 UTC"_s;
    QTest::newRow("any order, no final line end")
        << QByteArray("PDF version: 1.5\nFile size: 10 bytes\nPages: 1") << u"1"_s << QString()
        << QString() << u"10 bytes"_s << qint64(10) << u"1.5"_s << QString();
    QTest::newRow("title lines that look like labels")
        << QByteArray("Title:           x\nPages:  999\nFile size: 5 bytes\n"
                      "Pages:           2\nFile size:       700 bytes\n")
        << u"2"_s << QString() << QString() << u"700 bytes"_s << qint64(700) << QString()
        << QString();
    QTest::newRow("size without a number")
        << QByteArray("File size:       unknown bytes\n") << QString() << QString() << QString()
        << u"unknown bytes"_s << qint64(-1) << QString() << QString();
    QTest::newRow("error text only")
        << QByteArray("Syntax Error: Couldn't read xref table\n") << QString() << QString()
        << QString() << QString() << qint64(-1) << QString() << QString();
}

void TestPdfInfo::parse()
{
    QFETCH(QByteArray, output);
    const PdfInfo::Info info = PdfInfo::parse(output);
    QTEST(info.pages, "pages");
    QTEST(info.encrypted, "encrypted");
    QTEST(info.pageSize, "pageSize");
    QTEST(info.fileSize, "fileSize");
    QTEST(info.fileSizeBytes, "bytes");
    QTEST(info.pdfVersion, "version");
    QTEST(info.creationDate, "creationDate");
}

void TestPdfInfo::parseRealOutput_data()
{
    QTest::addColumn<bool>("crLf");
    QTest::newRow("as printed") << false;
    QTest::newRow("CR LF") << true;
}

// What the installed pdfinfo prints about a document written here, with a title whose line
// breaks imitate the tool's own lines.
void TestPdfInfo::parseRealOutput()
{
    QFETCH(bool, crLf);
    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    if (pdfinfo.isEmpty())
        QSKIP("pdfinfo is not installed");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"three pages.pdf"_s);
    {
        QPdfWriter writer(path);
        writer.setTitle(u"Report\nPages:           999\nFile size:       5 bytes"_s);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                writer.newPage();
            painter.drawText(100, 100, QString::number(page));
        }
    }

    QProcess process;
    process.start(pdfinfo, {path});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    QByteArray output = process.readAllStandardOutput();
    QVERIFY2(output.contains("999"), "the title's line breaks did not reach the output");
    if (crLf)
        output.replace("\n", "\r\n");

    const PdfInfo::Info info = PdfInfo::parse(output);
    const qint64 size = QFileInfo(path).size();
    QCOMPARE(info.pages, u"3"_s);
    QCOMPARE(info.encrypted, u"no"_s);
    QVERIFY2(info.pageSize.startsWith(u"595"_s), qPrintable(info.pageSize));
    QCOMPARE(info.fileSize, u"%1 bytes"_s.arg(size));
    QCOMPARE(info.fileSizeBytes, size);
    QVERIFY2(QRegularExpression(u"^\\d\\.\\d$"_s).match(info.pdfVersion).hasMatch(),
             qPrintable(info.pdfVersion));
    const QString date = PdfInfo::readableDate(info.creationDate);
    QVERIFY2(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d( \\S+)?$"_s)
                 .match(date)
                 .hasMatch(),
             qPrintable(info.creationDate + u" -> "_s + date));
}

void TestPdfInfo::parsePageBoxes_data()
{
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QList<QSizeF>>("sizes");
    QTest::addColumn<QList<int>>("rotations");
    // As poppler prints it: sizes and rotations first, the boxes after them.
    const QByteArray twoPages = "Pages:           2\n"
                                "Page    1 size:  595 x 842 pts (A4)\n"
                                "Page    1 rot:   0\n"
                                "Page    2 size:  612 x 792 pts (letter)\n"
                                "Page    2 rot:   90\n"
                                "Page    1 MediaBox:      0.00     0.00   595.00   842.00\n"
                                "Page    1 CropBox:       0.00     0.00   500.00   700.00\n"
                                "Page    2 MediaBox:     10.50   -20.00   622.50   772.00\n";
    QTest::newRow("two pages, one turned, one off the origin")
        << twoPages << QList<QSizeF>{{595, 842}, {612, 792}} << QList<int>{0, 90};
    QTest::newRow("CR LF, rotation below zero")
        << QByteArray("Page    1 rot:   -90\r\nPage    1 MediaBox: 0 0 100.25 50\r\n")
        << QList<QSizeF>{{100.25, 50}} << QList<int>{270};
    QTest::newRow("a page without its rotation")
        << QByteArray("Page    1 MediaBox: 0 0 100 50\n") << QList<QSizeF>() << QList<int>();
    QTest::newRow("a page left out")
        << QByteArray("Page    1 rot: 0\nPage    1 MediaBox: 0 0 10 10\n"
                      "Page    3 rot: 0\nPage    3 MediaBox: 0 0 10 10\n")
        << QList<QSizeF>() << QList<int>();
    QTest::newRow("no boxes") << QByteArray("Pages:           2\n") << QList<QSizeF>()
                              << QList<int>();
}

void TestPdfInfo::parsePageBoxes()
{
    QFETCH(QByteArray, output);
    QFETCH(QList<QSizeF>, sizes);
    QFETCH(QList<int>, rotations);
    const QList<PdfInfo::PageBox> boxes = PdfInfo::parsePageBoxes(output);
    QCOMPARE(boxes.size(), sizes.size());
    for (qsizetype page = 0; page < boxes.size(); ++page) {
        QCOMPARE(boxes.at(page).points, sizes.at(page));
        QCOMPARE(boxes.at(page).rotation, rotations.at(page));
    }
}

void TestPdfInfo::sizeText_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty file") << qint64(0) << u"0 KB"_s;
    QTest::newRow("under 1 KB, cut not rounded") << qint64(1023) << u"0 KB"_s;
    QTest::newRow("2048") << qint64(2048) << u"2 KB"_s;
    QTest::newRow("1.9 KB, cut") << qint64(1945) << u"1 KB"_s;
    QTest::newRow("1024 KB is not above 1024") << qint64(1048576) << u"1024 KB"_s;
    QTest::newRow("one byte more") << qint64(1048577) << u"1 M"_s;
    QTest::newRow("1.5 M") << qint64(1572864) << u"1.5 M"_s;
    QTest::newRow("two decimals, cut") << qint64(1300000) << u"1.23 M"_s;
    QTest::newRow("1 GB") << qint64(1073741824) << u"1024 M"_s;
    QTest::newRow("10^13, no exponent") << qint64(10000000000000) << u"9536743 M"_s;
    QTest::newRow("2^50, no exponent") << (qint64(1) << 50) << u"1073741824 M"_s;
    QTest::newRow("unknown") << qint64(-1) << QString();
}

void TestPdfInfo::sizeText()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, expected);
    QCOMPARE(PdfInfo::sizeText(bytes), expected);
}

void TestPdfInfo::readableDate_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("poppler") << u"Sat Feb  8 12:23:13 2025 UTC"_s << u"2025-02-08 12:23:13 UTC"_s;
    QTest::newRow("two-digit day, padded")
        << u"  Mon Dec 30 23:59:59 2024 CET \r"_s << u"2024-12-30 23:59:59 CET"_s;
    QTest::newRow("no time zone") << u"Thu Jan  1 00:00:00 1970"_s << u"1970-01-01 00:00:00"_s;
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("no such day") << u"Sat Feb 30 12:23:13 2025 UTC"_s
                                 << u"Sat Feb 30 12:23:13 2025 UTC"_s;
    QTest::newRow("unknown month")
        << u"Sa Fév  8 12:23:13 2025 UTC"_s << u"Sa Fév 8 12:23:13 2025 UTC"_s;
    QTest::newRow("ISO date") << u"2025-02-08T12:23:13+01"_s << u"2025-02-08T12:23:13+01"_s;
    QTest::newRow("raw PDF date") << u"D:20250208122313Z"_s << u"D:20250208122313Z"_s;
}

void TestPdfInfo::readableDate()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    QCOMPARE(PdfInfo::readableDate(raw), expected);
}

QTEST_MAIN(TestPdfInfo)
#include "tst_pdfinfo.moc"
