// The command line of `vezudiri --convert`: every option, its checks, help and version, and the
// progress bar it draws on a terminal.
#include "cli/convertarguments.h"
#include "cli/pagerange.h"
#include "cli/progressbar.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// One parsed value by name, as text.
QString field(const ConvertOptions &options, const QString &name)
{
    const QMap<QString, QString> fields = {
        {u"paths"_s, options.paths.join(u'|')},
        {u"pages"_s, options.choices.pages},
        {u"dpi"_s, QString::number(options.choices.dpi)},
        {u"pixels"_s, u"%1 %2x%3"_s.arg(options.choices.scaleTo)
                          .arg(options.choices.width)
                          .arg(options.choices.height)},
        {u"format"_s, options.choices.format},
        {u"colour"_s, options.choices.colour},
        {u"merge"_s, options.choices.merge ? u"yes"_s : u"no"_s},
        {u"output"_s, options.choices.outputFolder},
        {u"naming"_s, options.choices.naming + u':' + options.choices.templateText},
        {u"passwords"_s, options.passwords.join(u'|')},
        {u"jobs"_s, QString::number(options.jobs)},
        {u"timeout"_s, QString::number(options.timeoutSeconds)},
        {u"dry-run"_s, options.dryRun ? u"yes"_s : u"no"_s},
        {u"force"_s, options.force ? u"yes"_s : u"no"_s},
        {u"verbosity"_s, QString::number(int(options.verbosity))},
        {u"plan"_s, options.planIn + u'|' + options.planOut},
        {u"shard"_s,
         u"%1/%2 %3%4"_s.arg(options.shard)
             .arg(options.shards)
             .arg(options.resume ? u"resume "_s : QString(), options.json ? u"json"_s : QString())},
    };
    return fields.value(name, u"no such field"_s);
}

} // namespace

class tst_ConvertArguments : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void passwordsFromAFile();
    void pageRanges_data();
    void pageRanges();
    void help_data();
    void help();
    void progressLine_data();
    void progressLine();
};

void tst_ConvertArguments::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    const int run = ParsedCommand::Run;
    const int error = ParsedCommand::UsageError;
    const auto row = [](const char *title, const QStringList &arguments, int kind,
                        const QString &name = QString(), const QString &value = QString()) {
        QTest::newRow(title) << (QStringList{u"vezudiri"_s, u"--convert"_s} + arguments) << kind
                             << name << value;
    };

    row("defaults", {u"a.pdf"_s}, run, u"pages"_s, u"All"_s);
    row("default resolution", {u"a.pdf"_s}, run, u"dpi"_s, u"120"_s);
    row("default format", {u"a.pdf"_s}, run, u"format"_s, u"BMP"_s);
    row("relative and absolute paths", {u"a.pdf"_s, u"../b"_s, u"/c/d.pdf"_s}, run, u"paths"_s,
        u"/work/here/a.pdf|/work/b|/c/d.pdf"_s);
    row("no path", {}, error);
    row("unknown option", {u"--colours"_s, u"x"_s, u"a.pdf"_s}, error);

    row("page list", {u"-p"_s, u"3,1,7-9"_s, u"a.pdf"_s}, run, u"pages"_s, u"3,1,7-9"_s);
    row("all pages, German", {u"--pages"_s, u"alle"_s, u"a.pdf"_s}, run, u"pages"_s, u"alle"_s);
    row("range downwards", {u"-p"_s, u"9-7"_s, u"a.pdf"_s}, error);
    row("page 0", {u"-p"_s, u"0"_s, u"a.pdf"_s}, error);
    row("not a page", {u"-p"_s, u"one"_s, u"a.pdf"_s}, error);
    row("empty element", {u"-p"_s, u"1,,2"_s, u"a.pdf"_s}, error);
    row("page too large", {u"-p"_s, u"99999999999"_s, u"a.pdf"_s}, error);

    row("lowest resolution", {u"-r"_s, u"70"_s, u"a.pdf"_s}, run, u"dpi"_s, u"70"_s);
    row("highest resolution", {u"--dpi"_s, u"1000"_s, u"a.pdf"_s}, run, u"dpi"_s, u"1000"_s);
    row("resolution too low", {u"-r"_s, u"0"_s, u"a.pdf"_s}, error);
    row("resolution too high", {u"-r"_s, u"1001"_s, u"a.pdf"_s}, error);
    row("resolution not a number", {u"-r"_s, u"high"_s, u"a.pdf"_s}, error);

    row("scale-to", {u"--scale-to"_s, u"100"_s, u"a.pdf"_s}, run, u"pixels"_s, u"100 0x0"_s);
    row("width and height", {u"--width"_s, u"30"_s, u"--scale-to-y"_s, u"9"_s, u"a.pdf"_s}, run,
        u"pixels"_s, u"0 30x9"_s);
    row("pixels and resolution", {u"-r"_s, u"300"_s, u"--width"_s, u"30"_s, u"a.pdf"_s}, error);
    row("scale-to and width", {u"--scale-to"_s, u"9"_s, u"--width"_s, u"30"_s, u"a.pdf"_s}, error);
    row("too many pixels", {u"--height"_s, u"100001"_s, u"a.pdf"_s}, error);

    row("format in any case", {u"-f"_s, u"pnggray"_s, u"a.pdf"_s}, run, u"format"_s, u"PNGGRAY"_s);
    row("unknown format", {u"-f"_s, u"webp"_s, u"a.pdf"_s}, error);
    row("colour", {u"-c"_s, u"gray"_s, u"a.pdf"_s}, run, u"colour"_s, u"gray"_s);
    row("colour without its space", {u"-c"_s, u"256color"_s, u"a.pdf"_s}, run, u"colour"_s,
        u"256 Color"_s);
    row("colour of the format", {u"-f"_s, u"tiff"_s, u"--color"_s, u"G4"_s, u"a.pdf"_s}, run,
        u"colour"_s, u"g4"_s);
    row("colour of another format", {u"-c"_s, u"g4"_s, u"a.pdf"_s}, error);
    row("format without colours", {u"-f"_s, u"PNG"_s, u"-c"_s, u"gray"_s, u"a.pdf"_s}, error);
    row("merge TIFF", {u"-f"_s, u"FAX"_s, u"--merge"_s, u"a.pdf"_s}, run, u"merge"_s, u"yes"_s);
    row("merge BMP", {u"--merge"_s, u"a.pdf"_s}, error);

    row("output folder", {u"-o"_s, u"out"_s, u"a.pdf"_s}, run, u"output"_s, u"/work/here/out"_s);
    row("naming by number", {u"--naming"_s, u"number"_s, u"a.pdf"_s}, run, u"naming"_s,
        u"number:"_s);
    row("naming template", {u"--naming"_s, u"template:Scan "_s, u"a.pdf"_s}, run, u"naming"_s,
        u"template:Scan "_s);
    row("template out of the folder", {u"--naming"_s, u"template:../x"_s, u"a.pdf"_s}, error);
    row("naming by page", {u"--naming"_s, u"page"_s, u"a.pdf"_s}, run, u"naming"_s, u"page:"_s);
    row("unknown naming", {u"--naming"_s, u"date"_s, u"a.pdf"_s}, error);

    row("passwords in order", {u"--password"_s, u"b"_s, u"--password"_s, u"a"_s, u"a.pdf"_s}, run,
        u"passwords"_s, u"b|a"_s);
    row("missing password file", {u"--password-file"_s, u"/no/such/file"_s, u"a.pdf"_s}, error);
    row("jobs", {u"-j"_s, u"3"_s, u"a.pdf"_s}, run, u"jobs"_s, u"3"_s);
    row("no jobs", {u"--jobs"_s, u"0"_s, u"a.pdf"_s}, error);
    row("time limit", {u"--timeout"_s, u"20"_s, u"a.pdf"_s}, run, u"timeout"_s, u"20"_s);
    row("no time", {u"--timeout"_s, u"0"_s, u"a.pdf"_s}, error);
    row("dry run", {u"--dry-run"_s, u"a.pdf"_s}, run, u"dry-run"_s, u"yes"_s);
    row("force", {u"--force"_s, u"a.pdf"_s}, run, u"force"_s, u"yes"_s);
    row("normal output", {u"a.pdf"_s}, run, u"verbosity"_s, u"1"_s);
    row("quiet", {u"-q"_s, u"a.pdf"_s}, run, u"verbosity"_s, u"0"_s);
    row("verbose", {u"--verbose"_s, u"a.pdf"_s}, run, u"verbosity"_s, u"2"_s);
    row("quiet and verbose", {u"--quiet"_s, u"-v"_s, u"a.pdf"_s}, error);

    row("plan out", {u"--plan-out"_s, u"p.json"_s, u"a.pdf"_s}, run, u"plan"_s,
        u"|/work/here/p.json"_s);
    row("plan instead of paths", {u"--plan"_s, u"p.json"_s}, run, u"plan"_s,
        u"/work/here/p.json|"_s);
    row("plan and paths", {u"--plan"_s, u"p.json"_s, u"a.pdf"_s}, error);
    row("plan with a choice it holds", {u"--plan"_s, u"p.json"_s, u"-r"_s, u"300"_s}, error);
    row("shard, resumed, as JSON", {u"--shard"_s, u"3/4"_s, u"--resume"_s, u"--json"_s, u"a.pdf"_s},
        run, u"shard"_s, u"3/4 resume json"_s);
    row("shard beyond the parts", {u"--shard"_s, u"4/4"_s, u"a.pdf"_s}, error);
    row("shard without parts", {u"--shard"_s, u"0/0"_s, u"a.pdf"_s}, error);
    row("shards of a plan written", {u"--plan-out"_s, u"p"_s, u"--shard"_s, u"0/2"_s, u"a.pdf"_s},
        error);

    row("help", {u"--help"_s}, ParsedCommand::Help);
    row("version", {u"--version"_s}, ParsedCommand::Version);
}

void tst_ConvertArguments::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, kind);
    QFETCH(QString, name);
    QFETCH(QString, value);
    const ParsedCommand command = ConvertArguments::parse(arguments, u"/work/here"_s, nullptr);
    QCOMPARE(int(command.kind), kind);
    if (kind == ParsedCommand::Run) {
        QCOMPARE(field(command.options, name), value);
    } else {
        QVERIFY(!command.text.isEmpty());
    }
    if (kind == ParsedCommand::Help)
        QVERIFY(command.text.contains(u"--password-file"_s));
    if (kind == ParsedCommand::Version)
        QVERIFY(command.text.endsWith(QCoreApplication::applicationVersion()));
}

void tst_ConvertArguments::passwordsFromAFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath(u"passwords.txt"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("first\r\n\nsecond word\nlast");
    file.close();
    QByteArray typed = "from input\n";
    QBuffer input(&typed);
    for (const QString &name : {u"passwords.txt"_s, u"-"_s}) {
        const ParsedCommand command =
            ConvertArguments::parse({u"vezudiri"_s, u"--convert"_s, u"--password"_s, u"given"_s,
                                     u"--password-file"_s, name, u"a.pdf"_s},
                                    dir.path(), &input);
        QCOMPARE(int(command.kind), int(ParsedCommand::Run));
        QCOMPARE(command.options.passwords,
                 name == u"-" ? QStringList({u"given"_s, u"from input"_s})
                              : QStringList({u"given"_s, u"first"_s, u"second word"_s, u"last"_s}));
    }
}

void tst_ConvertArguments::pageRanges_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<int>("pageCount");
    QTest::addColumn<QString>("pages"); // "-": not a selection
    QTest::addColumn<bool>("clipped");
    QTest::newRow("all") << u"all"_s << 3 << u"1,2,3"_s << false;
    QTest::newRow("range past the end") << u"1-3"_s << 1 << u"1"_s << true;
    QTest::newRow("to the end") << u"2-"_s << 4 << u"2,3,4"_s << false;
    QTest::newRow("odd") << u"odd"_s << 5 << u"1,3,5"_s << false;
    QTest::newRow("even") << u"EVEN"_s << 5 << u"2,4"_s << false;
    QTest::newRow("spaces, unsorted") << u"3, 1"_s << 3 << u"1,3"_s << false;
    QTest::newRow("none in the document") << u"7-9"_s << 2 << QString() << true;
    QTest::newRow("start past the end") << u"1,5-"_s << 2 << u"1"_s << true;
    QTest::newRow("backwards") << u"3-1"_s << 5 << u"-"_s << false;
    QTest::newRow("zero") << u"0-2"_s << 5 << u"-"_s << false;
    QTest::newRow("open start") << u"-2"_s << 5 << u"-"_s << false;
    QTest::newRow("empty item") << u"1,,2"_s << 5 << u"-"_s << false;
}

void tst_ConvertArguments::pageRanges()
{
    QFETCH(QString, selection);
    QFETCH(int, pageCount);
    QFETCH(QString, pages);
    QFETCH(bool, clipped);
    QCOMPARE(PageRange::isValid(selection), pages != u"-");
    const PageRange::Selected selected = PageRange::of(selection, pageCount);
    QStringList numbers;
    for (int page : selected.pages)
        numbers << QString::number(page);
    QCOMPARE(numbers.join(u','), pages == u"-" ? QString() : pages);
    QCOMPARE(selected.clipped, clipped);
}

void tst_ConvertArguments::help_data()
{
    QTest::addColumn<QString>("shown");
    QTest::newRow("a group and its option") << u"Run control:\n  -j, --jobs <N>"_s;
    QTest::newRow("the last group") << u"Output:\n  -q, --quiet"_s;
    QTest::newRow("a long option's text on its own line")
        << u"  -c, --colour, --color <NAME>\n" + QString(28, u' ') + u"Colours"_s;
    QTest::newRow("a format's colours, wrapped")
        << u"  TIFF      24nc, 32nc, 12nc, sep, crle, gray, g3, g32d, g4, lzw, pack\n"_s;
    QTest::newRow("formats without colours")
        << u"  No colour choice: PNG, PNGGRAY, JPEG, GIF, JPG\n"_s;
    QTest::newRow("exit statuses") << u"  141 "_s;
    QTest::newRow("examples") << u"    vezudiri --convert --dry-run"_s;
}

void tst_ConvertArguments::help()
{
    QFETCH(QString, shown);
    const ParsedCommand command =
        ConvertArguments::parse({u"vezudiri"_s, u"--convert"_s, u"--help"_s}, u"/"_s, nullptr);
    QVERIFY2(command.text.contains(shown), qPrintable(command.text));
    for (const QString &line : command.text.split(u'\n'))
        QVERIFY2(line.size() < 80, qPrintable(line));
}

void tst_ConvertArguments::progressLine_data()
{
    QTest::addColumn<int>("done");
    QTest::addColumn<qint64>("milliseconds");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing done yet")
        << 0 << qint64(0) << 50 << u"[" + QString(30, u'.') + u"]   0% 0/120 pages"_s;
    QTest::newRow("speed and time left, 50 columns")
        << 30 << qint64(10000) << 50 << u"[#......]  25% 30/120 pages 0:30 left 3.0 pages/s"_s;
    QTest::newRow("slow, 120 columns") << 60 << qint64(3000000) << 120
                                       << u"[" + QString(37, u'#') + QString(38, u'.') +
                                              u"]  50% 60/120 pages 50:00 left 0.02 pages/s"_s;
    QTest::newRow("narrow: the speed goes first")
        << 30 << qint64(10000) << 40 << u"[##.......]  25% 30/120 pages 0:30 left"_s;
    QTest::newRow("too narrow for a bar") << 30 << qint64(10000) << 12 << u"25%"_s;
}

void tst_ConvertArguments::progressLine()
{
    QFETCH(int, done);
    QFETCH(qint64, milliseconds);
    QFETCH(int, columns);
    QFETCH(QString, expected);
    const QString line = ProgressBar::line(done, 120, milliseconds, columns);
    QCOMPARE(line, expected);
    QVERIFY(line.size() < columns);
}

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationVersion(u"2.2.2.24"_s);
    tst_ConvertArguments test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_convertarguments.moc"
