// The room images take: pixel sizes as the renderer rounds them, BMP sizes to the byte, and
// bounds that real renderer output (a page of pure noise, the hardest to compress) stays within.
#include "core/engine/diskspace.h"
#include "core/engine/encodestage.h"

#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;

class tst_DiskSpace : public QObject
{
    Q_OBJECT

private slots:
    void pixelSize_data();
    void pixelSize();
    void imageBytes_data();
    void imageBytes();
    void jobBytes_data();
    void jobBytes();
    void volumes();
    void room_data();
    void room();
};

void tst_DiskSpace::pixelSize_data()
{
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QSize>("pixels");
    // Checked against Ghostscript's own images.
    QTest::newRow("A4 at 121") << QSizeF(595, 842) << 0 << 121 << QSize(1000, 1415);
    QTest::newRow("A4 turned") << QSizeF(595, 842) << 90 << 121 << QSize(1415, 1000);
    QTest::newRow("upside down") << QSizeF(100, 200) << 180 << 72 << QSize(100, 200);
    QTest::newRow("fractions, turned back")
        << QSizeF(100.3, 200.7) << 270 << 301 << QSize(839, 419);
    QTest::newRow("A4 landscape at 1000")
        << QSizeF(841.89, 595.276) << 0 << 1000 << QSize(11693, 8268);
}

void tst_DiskSpace::pixelSize()
{
    QFETCH(QSizeF, points);
    QFETCH(int, rotation);
    QFETCH(int, resolution);
    QFETCH(QSize, pixels);
    QCOMPARE(DiskSpace::pixelSize(points, rotation, resolution), pixels);
}

void tst_DiskSpace::imageBytes_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<qint64>("written");
    QTest::addColumn<bool>("exact");
    // The sizes of files Ghostscript wrote.
    const QSize page(306, 433);
    QTest::newRow("bmp16m") << u"bmp16m"_s << page << qint64(398414) << true;
    QTest::newRow("bmp256") << u"bmp256"_s << page << qint64(134442) << true;
    QTest::newRow("bmp16") << u"bmp16"_s << page << qint64(67666) << true;
    QTest::newRow("bmpmono") << u"bmpmono"_s << page << qint64(17382) << true;
    QTest::newRow("bmpgray") << u"bmpgray"_s << page << qint64(134442) << true;
    QTest::newRow("bmpsep1") << u"bmpsep1"_s << page << qint64(69528) << true;
    QTest::newRow("bmpsep8") << u"bmpsep8"_s << page << qint64(537768) << true;
    QTest::newRow("bmp32b") << u"bmp32b"_s << page << qint64(530046) << true;
    QTest::newRow("pcx24b") << u"pcx24b"_s << page << qint64(56433) << false;
    QTest::newRow("pcx256") << u"pcx256"_s << page << qint64(19700) << false;
    // Noise.
    const QSize noise(400, 400);
    QTest::newRow("jpeg, noise") << u"jpeg"_s << noise << qint64(319424) << false;
    QTest::newRow("png16m, noise") << u"png16m"_s << noise << qint64(483740) << false;
    QTest::newRow("tiff24nc, noise") << u"tiff24nc"_s << noise << qint64(483298) << false;
    QTest::newRow("tiffsep, noise, with separations")
        << u"tiffsep"_s << noise << qint64(1499516) << false;
    QTest::newRow("tifflzw, noise") << u"tifflzw"_s << noise << qint64(16238) << false;
    QTest::newRow("tiffg4, noise") << u"tiffg4"_s << noise << qint64(60114) << false;
    QTest::newRow("tiffg3, noise") << u"tiffg3"_s << noise << qint64(63922) << false;
    QTest::newRow("tiffpack, noise") << u"tiffpack"_s << noise << qint64(18154) << false;
    QTest::newRow("psdrgb, noise") << u"psdrgb"_s << noise << qint64(482680) << false;
}

void tst_DiskSpace::imageBytes()
{
    QFETCH(QString, device);
    QFETCH(QSize, pixels);
    QFETCH(qint64, written);
    QFETCH(bool, exact);
    const qint64 estimate = DiskSpace::imageBytes(device, pixels);
    if (exact)
        QCOMPARE(estimate, written);
    else
        QVERIFY2(estimate >= written, qPrintable(u"%1 < %2"_s.arg(estimate).arg(written)));
}

void tst_DiskSpace::jobBytes_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<bool>("merge");
    QTest::addColumn<qint64>("bytes");
    const qint64 a4At72 = 54 + 596 * 3 / 4 * 4 * 842; // rows padded to 4 bytes
    QTest::newRow("each page once") << u"BMP"_s << QList<int>{1, 2} << false << 2 * a4At72;
    QTest::newRow("a page twice") << u"BMP"_s << QList<int>{2, 2} << false << 2 * a4At72;
    // An uncompressed 24-bit A4 page at 72 DPI takes 1520538 bytes, and the joined copy as much.
    QTest::newRow("joined beside its pages")
        << u"TIFF"_s << QList<int>{1} << true << qint64(2 * 1520538);
    // GIF renders A4 at 73 DPI: 776539 bytes for the GIF, 1548982 for each raw page it is made
    // from: one for every encoder and the next one rendered.
    const qint64 raw = 1548982 * (EncodeStage::pagesAtOnce() + 1);
    QTest::newRow("GIF beside the raw pages it comes from")
        << u"GIF"_s << QList<int>{1} << false << qint64(776539 + raw);
    // The renderer encodes PNG from its memory: no raw page is ever on the disk.
    QTest::newRow("PNG alone") << u"PNG"_s << QList<int>{1} << false << qint64(1555874);
    // A page box no disk can hold, as a hostile PDF may claim: sums saturate, never overflow.
    const qint64 largest = std::numeric_limits<qint64>::max();
    QTest::newRow("a page beyond any disk, twice")
        << u"BMP"_s << QList<int>{3, 3} << false << largest;
    QTest::newRow("joined, beyond any disk") << u"TIFF"_s << QList<int>{3} << true << largest;
    QTest::newRow("GIF, beyond any disk") << u"GIF"_s << QList<int>{3} << false << largest;
    QTest::newRow("a page the boxes do not cover")
        << u"BMP"_s << QList<int>{4} << false << qint64(-1);
}

void tst_DiskSpace::jobBytes()
{
    QFETCH(QString, format);
    QFETCH(QList<int>, pages);
    QFETCH(bool, merge);
    QFETCH(qint64, bytes);
    ConversionJob job;
    job.format = format;
    job.dpi = 72;
    job.pages = pages;
    job.merge = merge;
    const QList<PdfInfo::PageBox> boxes = {{{595, 842}, 0}, {{842, 595}, 90}, {{1e12, 1e12}, 0}};
    QCOMPARE(DiskSpace::jobBytes(job, boxes), bytes);
}

void tst_DiskSpace::volumes()
{
    QTemporaryDir dir;
    DiskSpace::setAvailableForTests([](const QString &) { return 5000; });
    const QList<DiskSpace::Volume> volumes = DiskSpace::volumes(
        {{dir.filePath(u"a"_s), 1000}, {dir.filePath(u"b/c/not yet"_s), 3000}, {dir.path(), -1}});
    DiskSpace::setAvailableForTests({});
    QCOMPARE(volumes.size(), 1);
    QCOMPARE(volumes.first().needed, 4000);
    QCOMPARE(volumes.first().available, 5000);
}

void tst_DiskSpace::room_data()
{
    QTest::addColumn<QList<qint64>>("needs"); // on a disk with 5000 bytes free
    QTest::addColumn<QList<bool>>("tooLarge");
    QTest::addColumn<qint64>("needed");
    QTest::addColumn<bool>("fits");
    const qint64 largest = std::numeric_limits<qint64>::max();
    QTest::newRow("all fit") << QList<qint64>{1000, 3000, -1} << QList<bool>{false, false, false}
                             << qint64(4000) << true;
    QTest::newRow("one alone too large") << QList<qint64>{1000, 6000, 3000}
                                         << QList<bool>{false, true, false} << qint64(4000) << true;
    QTest::newRow("each fits, not together")
        << QList<qint64>{3000, 3000} << QList<bool>{false, false} << qint64(6000) << false;
    QTest::newRow("beyond any disk") << QList<qint64>{largest, largest, 10}
                                     << QList<bool>{true, true, false} << qint64(10) << true;
}

void tst_DiskSpace::room()
{
    QFETCH(QList<qint64>, needs);
    QFETCH(QList<bool>, tooLarge);
    QFETCH(qint64, needed);
    QFETCH(bool, fits);
    QTemporaryDir dir;
    QList<std::pair<QString, qint64>> folders;
    for (const qint64 bytes : needs)
        folders.append({dir.filePath(u"out"_s), bytes});
    DiskSpace::setAvailableForTests([](const QString &) { return 5000; });
    const DiskSpace::Room room = DiskSpace::room(folders);
    DiskSpace::setAvailableForTests({});
    QCOMPARE(room.tooLarge, tooLarge);
    QCOMPARE(room.volumes.size(), 1);
    QCOMPARE(room.volumeOf, QList<int>(needs.size(), 0));
    QCOMPARE(room.volumes.first().needed, needed);
    QCOMPARE(room.fits(), fits);
}

QTEST_GUILESS_MAIN(tst_DiskSpace)
#include "tst_diskspace.moc"
