// A plan: refused whole when any field of it is wrong, its file trusted only when it is the
// user's, every option of --convert kept through it, and its cut into shards: every image in
// exactly one slice, shards of about equal size, a joined TIFF never cut.
#include "cli/convertarguments.h"
#include "cli/outputlayout.h"
#include "cli/pagerange.h"
#include "cli/plancodec.h"
#include "cli/planfile.h"
#include "cli/shardcut.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

PlanEntry entryFor(const Plan &plan, const QString &source, int pageCount, int first,
                   const QString &folder)
{
    PlanEntry entry;
    entry.source = source;
    entry.size = 600;
    entry.modified = QDateTime(QDate(2025, 2, 8), QTime(12, 23, 13), Qt::UTC);
    entry.pageCount = pageCount;
    entry.job = Plans::jobFor(plan.choices, source, pageCount, int(plan.entries.size()), {});
    entry.job.firstNumber = first;
    entry.images = entry.job.imageNames();
    entry.folder = folder;
    entry.bytes = 1000;
    return entry;
}

// Two PDFs of one name into one output folder, and one that failed.
Plan samplePlan()
{
    Plan plan;
    plan.choices.pages = u"1,2,2"_s;
    plan.choices.outputFolder = u"/out"_s;
    plan.choices.naming = u"source"_s;
    plan.entries << entryFor(plan, u"/in/a.pdf"_s, 3, 1, u"/out/a"_s);
    plan.entries << entryFor(plan, u"/in/sub/a.pdf"_s, 2, 4, u"/out/a(1)"_s);
    PlanEntry gone;
    gone.source = u"/in/gone.pdf"_s;
    gone.failure = u"no such file or folder"_s;
    plan.entries << gone;
    plan.id = PlanCodec::idOf(plan);
    return plan;
}

// The value at path ("files/1/folder") replaced.
QJsonValue edited(const QJsonValue &value, QStringList path, const QJsonValue &replacement)
{
    if (path.isEmpty())
        return replacement;
    const QString step = path.takeFirst();
    if (value.isArray()) {
        QJsonArray array = value.toArray();
        array[step.toInt()] = edited(array.at(step.toInt()), path, replacement);
        return array;
    }
    QJsonObject object = value.toObject();
    object[step] = edited(object.value(step), path, replacement);
    return object;
}

} // namespace

class tst_Plan : public QObject
{
    Q_OBJECT

private slots:
    void pagesAsPdftoppmTakesThem_data();
    void pagesAsPdftoppmTakesThem();
    void foldersMirrorTheTree_data();
    void foldersMirrorTheTree();
    void corruptPlanIsRefused_data();
    void corruptPlanIsRefused();
    void planFileOfTheUserOnly_data();
    void planFileOfTheUserOnly();
    void everyOptionSurvivesThePlan_data();
    void everyOptionSurvivesThePlan();
    void shards_data();
    void shards();
};

void tst_Plan::corruptPlanIsRefused_data()
{
    QTest::addColumn<QString>("path"); // empty: the plan cut short
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("field");
    const auto row = [](const char *title, const QString &path, const QJsonValue &value, int entry,
                        const QString &field) {
        QTest::newRow(title) << path << value << entry << field;
    };
    row("resolution as text", u"options/dpi"_s, u"300"_s, -1, u"options.dpi"_s);
    row("resolution out of range", u"options/dpi"_s, 5000, -1, u"options.dpi"_s);
    row("naming left to the machine", u"options/naming"_s, u""_s, -1, u"options.naming"_s);
    row("unknown option", u"options/speed"_s, 1, -1, u"options.speed"_s);
    row("page count as text", u"files/0/pageCount"_s, u"3"_s, 0, u"pageCount"_s);
    row("page count too large", u"files/0/pageCount"_s, 2147483647, 0, u"pageCount"_s);
    row("pages not the selection's", u"files/0/pages"_s, QJsonArray{1, 2, 3}, 0, u"pages"_s);
    row("first number", u"files/1/firstNumber"_s, 3, 1, u"firstNumber"_s);
    row("bytes beyond any disk", u"files/0/bytes"_s, 9e18, 0, u"bytes"_s);
    row("size negative", u"files/1/size"_s, -5, 1, u"size"_s);
    row("date no date", u"files/0/modified"_s, u"yesterday"_s, 0, u"modified"_s);
    row("relative path", u"files/0/path"_s, u"in/a.pdf"_s, 0, u"path"_s);
    row("another entry's folder", u"files/1/folder"_s, u"/out/a"_s, 1, u"folder"_s);
    row("folder outside the output", u"files/0/folder"_s, u"/home/a"_s, 0, u"folder"_s);
    row("folder through ..", u"files/0/folder"_s, u"/out/../out/a"_s, 0, u"folder"_s);
    row("an image twice", u"files/0/images/1"_s, u"a1.bmp"_s, 0, u"images"_s);
    row("an image elsewhere", u"files/0/images/0"_s, u"../a1.bmp"_s, 0, u"images"_s);
    row("unknown field", u"files/2/pageCount"_s, 3, 2, u"pageCount"_s);
    row("total of images", u"images"_s, 99, -1, u"images"_s);
    row("edited after the id", u"files/1/folder"_s, u"/out/a(2)"_s, -1, u"id"_s);
    row("another version", u"version"_s, 1, -1, u"version"_s);
    row("cut short", QString(), QJsonValue(), -1, QString());
}

void tst_Plan::corruptPlanIsRefused()
{
    QFETCH(QString, path);
    QFETCH(QJsonValue, value);
    QFETCH(int, entry);
    QFETCH(QString, field);
    const QByteArray good = PlanCodec::write(samplePlan());
    PlanError error;
    QVERIFY2(PlanCodec::read(good, &error), qPrintable(error.text()));

    const QJsonValue root = QJsonDocument::fromJson(good).object();
    const QByteArray bad =
        path.isEmpty() ? good.left(good.size() / 2)
                       : QJsonDocument(edited(root, path.split(u'/'), value).toObject()).toJson();
    QVERIFY(!PlanCodec::read(bad, &error));
    QCOMPARE(error.entry, entry);
    QCOMPARE(error.field, field);
    if (entry >= 0)
        QVERIFY2(error.text().startsWith(u"files[%1] ("_s.arg(entry)), qPrintable(error.text()));
}

void tst_Plan::planFileOfTheUserOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("the user's") << u"plan"_s << QString();
    QTest::newRow("others may write it") << u"writable"_s << u"other users may change it"_s;
    QTest::newRow("larger than any plan") << u"huge"_s << u"larger than"_s;
    QTest::newRow("a pipe") << u"pipe"_s << u"no regular file"_s;
    QTest::newRow("missing") << u"missing"_s << u"cannot be read"_s;
    if (::geteuid() == 0)
        QTest::newRow("another user's") << u"foreign"_s << u"belongs to another user"_s;
}

void tst_Plan::planFileOfTheUserOnly()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plan.json"_s);
    const QByteArray name = QFile::encodeName(path);
    if (kind == u"pipe") {
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
    } else if (kind != u"missing") {
        QVERIFY(PlanFile::write(samplePlan(), path));
        QCOMPARE(QFileInfo(path).permissions() & (QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
    }
    if (kind == u"writable")
        QCOMPARE(::chmod(name.constData(), 0666), 0);
    if (kind == u"huge")
        QVERIFY(QFile::resize(path, PlanFile::largestPlan + 1));
    if (kind == u"foreign")
        QCOMPARE(::chown(name.constData(), 65534, 65534), 0);

    QString wrong;
    const std::optional<Plan> plan = PlanFile::read(path, &wrong);
    QCOMPARE(bool(plan), reason.isEmpty());
    QVERIFY2(wrong.contains(reason), qPrintable(wrong));
}

namespace {

// The ways of giving a size, each away from the default: a plan holds one of them.
QList<QStringList> sizes()
{
    return {{u"--dpi"_s, u"300"_s},
            {u"--scale-to"_s, u"500"_s},
            {u"--width"_s, u"30"_s, u"--height"_s, u"40"_s}};
}

} // namespace

void tst_Plan::everyOptionSurvivesThePlan_data()
{
    QTest::addColumn<QStringList>("size");
    for (const QStringList &size : sizes())
        QTest::newRow(qPrintable(size.constFirst())) << size;
}

// Every option a plan holds, each away from its default, comes back from the plan as given.
void tst_Plan::everyOptionSurvivesThePlan()
{
    QFETCH(QStringList, size);
    const QStringList given =
        QStringList{u"--pages"_s, u"2-3"_s, u"--format"_s, u"TIFF"_s, u"--colour"_s, u"g4"_s} +
        size + QStringList{u"--smooth"_s, u"--jpeg-quality"_s, u"80"_s,     u"--merge"_s,
                           u"--output"_s, u"/out"_s,           u"--flat"_s, u"--skip-existing"_s,
                           u"--naming"_s, u"template:Scan "_s};
    QStringList everySize;
    for (const QStringList &other : sizes())
        everySize += other;
    // What follows an option's name, or whether it is there at all.
    const auto valueOf = [](const QStringList &arguments, const QString &name) {
        const qsizetype at = arguments.indexOf(name);
        return at < 0 ? u"(absent)"_s : arguments.value(at + 1, u"(present)"_s);
    };
    const QStringList defaults = ConvertOptionTable::arguments(BatchChoices());
    for (const ConvertOption &option : ConvertOptionTable::all()) {
        const QString name = u"--"_s + option.key();
        const QStringList &among = everySize.contains(name) ? everySize : given;
        if (option.inPlan)
            QVERIFY2(valueOf(among, name) != valueOf(defaults, name), qPrintable(name));
    }
    const ParsedCommand command = ConvertArguments::parse(
        QStringList{u"vezudiri"_s, u"--convert"_s} + given + QStringList{u"/in/a.pdf"_s}, u"/"_s,
        nullptr);
    QCOMPARE(int(command.kind), int(ParsedCommand::Run));
    Plan plan;
    plan.choices = command.options.choices;
    plan.entries << entryFor(plan, u"/in/a.pdf"_s, 4, 1, u"/out/a"_s);
    plan.id = PlanCodec::idOf(plan);

    QTemporaryDir dir;
    QVERIFY(PlanFile::write(plan, dir.filePath(u"plan.json"_s)));
    QString wrong;
    const std::optional<Plan> read = PlanFile::read(dir.filePath(u"plan.json"_s), &wrong);
    QVERIFY2(read, qPrintable(wrong));
    QCOMPARE(ConvertOptionTable::arguments(read->choices), given);
    QCOMPARE(read->entries.constFirst().images, QStringList{u"a.tiff"_s});
    QCOMPARE(read->id, plan.id);
}

void tst_Plan::shards_data()
{
    QTest::addColumn<QList<int>>("images");
    QTest::addColumn<QList<bool>>("whole");
    QTest::addColumn<int>("shards");
    QTest::addColumn<QList<int>>("imagesPerShard");
    QTest::newRow("one big file cut by range")
        << QList<int>{10} << QList<bool>{} << 4 << QList<int>{2, 3, 2, 3};
    QTest::newRow("small files") << QList<int>{3, 3, 3, 3, 3} << QList<bool>{} << 2
                                 << QList<int>{7, 8};
    QTest::newRow("more shards than images")
        << QList<int>{1, 2} << QList<bool>{} << 5 << QList<int>{0, 1, 0, 1, 1};
    QTest::newRow("a joined TIFF stays whole")
        << QList<int>{2, 8, 2} << QList<bool>{false, true, false} << 3 << QList<int>{2, 8, 2};
    QTest::newRow("failed files without images")
        << QList<int>{0, 4, 0} << QList<bool>{} << 2 << QList<int>{2, 2};
    QTest::newRow("one machine") << QList<int>{5, 0, 7} << QList<bool>{false, false, true} << 1
                                 << QList<int>{12};
}

void tst_Plan::shards()
{
    QFETCH(QList<int>, images);
    QFETCH(QList<bool>, whole);
    QFETCH(int, shards);
    QFETCH(QList<int>, imagesPerShard);
    QList<QList<int>> owner(images.size());
    for (int file = 0; file < images.size(); ++file)
        owner[file] = QList<int>(qMax(images.at(file), 1), -1);
    QList<int> perShard;
    for (int shard = 0; shard < shards; ++shard) {
        int count = 0;
        for (const ShardCut::Slice &slice : ShardCut::slices(images, whole, shard, shards)) {
            if (whole.value(slice.file) || images.at(slice.file) == 0)
                QCOMPARE(slice.count, images.at(slice.file));
            for (int image = slice.offset; image < slice.offset + qMax(slice.count, 1); ++image) {
                QCOMPARE(owner[slice.file][image], -1);
                owner[slice.file][image] = shard;
            }
            count += slice.count;
        }
        perShard << count;
    }
    QCOMPARE(perShard, imagesPerShard);
    for (const QList<int> &shardOf : std::as_const(owner)) {
        QVERIFY(!shardOf.contains(-1));
        // A file's images go to the shards in order: each slice is one range.
        QVERIFY(std::is_sorted(shardOf.cbegin(), shardOf.cend()));
    }
}

void tst_Plan::pagesAsPdftoppmTakesThem_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QList<int>>("pages");
    QTest::addColumn<bool>("clipped");
    QTest::newRow("1-3 of one page") << u"1-3"_s << 1 << QList<int>{1} << true;
    QTest::newRow("1-3 of 311 pages") << u"1-3"_s << 311 << QList<int>{1, 2, 3} << false;
    QTest::newRow("to the end") << u"3-"_s << 5 << QList<int>{3, 4, 5} << false;
    QTest::newRow("odd") << u"odd"_s << 5 << QList<int>{1, 3, 5} << false;
    QTest::newRow("even") << u"Even"_s << 5 << QList<int>{2, 4} << false;
    QTest::newRow("spaces, twice, unordered") << u"4, 2 ,2"_s << 5 << QList<int>{2, 2, 4} << false;
    QTest::newRow("none in the document") << u"7-9"_s << 5 << QList<int>{} << true;
    QTest::newRow("all") << u"all"_s << 2 << QList<int>{1, 2} << false;
    QTest::newRow("downwards") << u"3-1"_s << 5 << QList<int>{} << false;
    QTest::newRow("page 0") << u"0-2"_s << 5 << QList<int>{} << false;
    QTest::newRow("words") << u"1,x"_s << 5 << QList<int>{} << false;
}

void tst_Plan::pagesAsPdftoppmTakesThem()
{
    QFETCH(QString, selection);
    QFETCH(int, pageCount);
    QFETCH(QList<int>, pages);
    QFETCH(bool, clipped);
    const PageRange::Selected selected = PageRange::of(selection, pageCount);
    QCOMPARE(selected.pages, pages);
    QCOMPARE(selected.clipped, clipped);
    QCOMPARE(PageRange::isValid(selection), !pages.isEmpty() || clipped);
}

void tst_Plan::foldersMirrorTheTree_data()
{
    QTest::addColumn<QString>("tree");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<QString>("parent");
    QTest::newRow("two levels down") << u"/in"_s << false << u"/out/a/b"_s;
    QTest::newRow("flat") << u"/in"_s << true << u"/out"_s;
    QTest::newRow("named by itself") << QString() << false << u"/out"_s;
    QTest::newRow("the tree itself") << u"/in/a/b"_s << false << u"/out"_s;
}

void tst_Plan::foldersMirrorTheTree()
{
    QFETCH(QString, tree);
    QFETCH(bool, flat);
    QFETCH(QString, parent);
    QCOMPARE(OutputLayout::parentFolder(u"/out"_s, tree, u"/in/a/b/doc.pdf"_s, flat), parent);
    QCOMPARE(OutputLayout::parentFolder({}, tree, u"/in/a/b/doc.pdf"_s, flat), u"/in/a/b"_s);
}

QTEST_APPLESS_MAIN(tst_Plan)
#include "tst_plan.moc"
