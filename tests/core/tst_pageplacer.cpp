// A complete page's way to its final names: moved out of the rendering folder, its separations
// beside it, copies for a page selected twice, never over a name already there and never through
// a link, where a planned name replaces the link itself.
#include "core/engine/pageplacer.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray page = "the page";
const QByteArray theirs = "someone else's";

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_PagePlacer : public QObject
{
    Q_OBJECT

private slots:
    void place_data();
    void place();
};

void tst_PagePlacer::place_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("separated"); // the page comes with a separation of its own
    QTest::addColumn<QString>(
        "inTheWay"); // a file of that name, or a link to one when it ends in >
    QTest::addColumn<bool>("planned");
    QTest::addColumn<QStringList>("files"); // the folder's images after; empty: refused

    const QStringList one = {u"a.bmp"_s};
    const QStringList twice = {u"a.bmp"_s, u"b.bmp"_s};
    QTest::newRow("placed once") << one << false << QString() << false << one;
    QTest::newRow("selected twice: a copy") << twice << false << QString() << false << twice;
    QTest::newRow("separations beside each copy")
        << QStringList{u"a.tiff"_s, u"b.tiff"_s} << true << QString() << false
        << QStringList{u"a(Cyan).tiff"_s, u"a.tiff"_s, u"b(Cyan).tiff"_s, u"b.tiff"_s};
    QTest::newRow("name taken") << one << false << u"a.bmp"_s << false << QStringList();
    QTest::newRow("link in the way") << one << false << u"a.bmp>"_s << false << QStringList();
    QTest::newRow("link in the way of a copy")
        << twice << false << u"b.bmp>"_s << false << QStringList();
    QTest::newRow("link in the way of a planned copy")
        << twice << false << u"b.bmp>"_s << true << twice;
}

void tst_PagePlacer::place()
{
    QFETCH(QStringList, names);
    QFETCH(bool, separated);
    QFETCH(QString, inTheWay);
    QFETCH(bool, planned);
    QFETCH(QStringList, files);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"file"_s);
    const QString outside = dir.filePath(u"outside"_s);
    QVERIFY(QDir().mkdir(path) && write(outside, theirs));
    const FolderHandle folder = FolderHandle::open(path);
    const FolderHandle rendering = folder.makeFolder(u".rendering"_s, 0700);
    Journal journal;
    SliceRecord record;
    QVERIFY(journal.begin(rendering, names));
    QVERIFY(!planned || record.open(folder, 1));
    const QString extension = QFileInfo(names.first()).suffix();
    QVERIFY(write(rendering.filePath(u"1."_s + extension), page));
    if (separated)
        QVERIFY(write(rendering.filePath(u"1(Cyan).tiff"_s), page));
    const QString blocked = inTheWay.chopped(inTheWay.endsWith(u'>') ? 1 : 0);
    if (blocked != inTheWay)
        QVERIFY(QFile::link(outside, folder.filePath(blocked)));
    else if (!blocked.isEmpty())
        QVERIFY(write(folder.filePath(blocked), theirs));

    PagePlacer placer(folder, rendering, journal, record);
    placer.aim({path, planned, 0644});
    QSignalSpy written(&placer, &PagePlacer::imageWritten);
    const QStringList separations = separated ? QStringList{u"1(Cyan).tiff"_s} : QStringList();
    const bool placed = placer.placeRendered(u"1."_s + extension, separations, names);

    QCOMPARE(placed, !files.isEmpty());
    QCOMPARE(read(outside), theirs);
    if (!placed) {
        QCOMPARE(placer.failure(), u"The image %1/%2 could not be written."_s.arg(path, blocked));
        QCOMPARE(read(folder.filePath(blocked)), theirs);
        QCOMPARE(folder.kindOf(blocked),
                 blocked == inTheWay ? FolderHandle::Kind::File : FolderHandle::Kind::Link);
        return;
    }
    QCOMPARE(QDir(path).entryList(QDir::Files), files);
    QStringList placedSorted = placer.placed();
    placedSorted.sort();
    QCOMPARE(placedSorted, files);
    for (const QString &image : std::as_const(files))
        QCOMPARE(read(folder.filePath(image)), page);
    QCOMPARE(written.size(), names.size());
    QCOMPARE(written.last().at(0).toString(), path + u'/' + names.last());
    QCOMPARE(rendering.entries(), QStringList{Journal::fileName});
    // What it placed goes again with a stop, and nothing else.
    placer.removeAll();
    QCOMPARE(QDir(path).entryList(QDir::Files), QStringList());
}

QTEST_GUILESS_MAIN(tst_PagePlacer)
#include "tst_pageplacer.moc"
