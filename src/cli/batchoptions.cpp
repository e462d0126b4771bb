#include "cli/batchoptions.h"

#include "core/engine/naming.h"
#include "core/options/dpi.h"
#include "core/options/formats.h"
#include "core/options/pageselection.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption convert{u"convert"_s,
                               u"Convert the PDFs given, and those in the folders given, without "
                               "a window."_s};
    QCommandLineOption pages{{u"p"_s, u"pages"_s},
                             u"Pages to convert: All, or a list such as 1,3,7-9 (default: All)."_s,
                             u"SEL"_s};
    QCommandLineOption dpi{{u"r"_s, u"dpi"_s}, u"Resolution, 70 to 1000 (default: 120)."_s, u"N"_s};
    QCommandLineOption colour{{u"c"_s, u"colour"_s, u"color"_s},
                              u"Colours of the format, listed below (default: the first)."_s,
                              u"NAME"_s};
    QCommandLineOption format{
        {u"f"_s, u"format"_s},
        u"Image format: %1 (default: BMP)."_s.arg(Formats::names().join(u", "_s)),
        u"NAME"_s};
    QCommandLineOption merge{u"merge"_s,
                             u"Join the pages of each PDF into one TIFF (TIFF, FAX)."_s};
    QCommandLineOption output{
        {u"o"_s, u"output"_s},
        u"Put every PDF's folder of images here (default: next to the PDF)."_s,
        u"DIR"_s};
    QCommandLineOption naming{u"naming"_s,
                              u"Image names: source (report1.bmp ...), number (1.bmp ...), "
                              "template:TEXT (TEXT1.bmp ...) or page (report-003.bmp: page 3 of "
                              "120 pages); default: as set in the window."_s,
                              u"RULE"_s};
    QCommandLineOption password{u"password"_s,
                                u"Password of protected PDFs; may be repeated. Other users can "
                                "read it in the process list: use --password-file."_s,
                                u"PW"_s};
    QCommandLineOption passwordFile{u"password-file"_s,
                                    u"Passwords, one a line, tried in order; - reads them from "
                                    "standard input."_s,
                                    u"FILE"_s};
    QCommandLineOption jobs{
        {u"j"_s, u"jobs"_s}, u"PDFs converted at once (default: the number of cores)."_s, u"N"_s};
    QCommandLineOption timeout{u"timeout"_s,
                               u"Stop a renderer that reports no new page for S seconds "
                               "(default: 300)."_s,
                               u"S"_s};
    QCommandLineOption dryRun{u"dry-run"_s,
                              u"Print what would be written and the room it needs; create "
                              "nothing."_s};
    QCommandLineOption force{u"force"_s, u"Convert even when the disk seems too small."_s};
    QCommandLineOption quiet{{u"q"_s, u"quiet"_s},
                             u"Print only failures and the last line; no progress bar."_s};
    QCommandLineOption verbose{{u"v"_s, u"verbose"_s},
                               u"Also print each image written (with --dry-run: every image "
                               "name and the pixel sizes)."_s};
    // --plan-out, --plan, --shard, --resume, --json, in that order.
    const QList<QCommandLineOption> plan = PlanOptions::all();
    QCommandLineOption help{{u"h"_s, u"help"_s}, u"Print this help."_s};
    QCommandLineOption version{u"version"_s, u"Print the version."_s};

    struct Group
    {
        QString title;
        QList<const QCommandLineOption *> options;
    };
    // The help lists the options in these groups, in this order.
    const QList<Group> groups = {
        {u"What to convert"_s, {&pages, &plan.at(1)}},
        {u"How"_s, {&format, &colour, &dpi, &merge}},
        {u"Where"_s, {&output, &naming}},
        {u"Passwords"_s, {&password, &passwordFile}},
        {u"Run control"_s, {&jobs, &timeout, &dryRun, &force, &plan.at(2), &plan.at(3)}},
        {u"Output"_s, {&quiet, &verbose, &plan.at(4), &plan.at(0), &help, &version}},
    };

    Parser()
    {
        parser.addOption(convert);
        for (const Group &group : groups) {
            for (const QCommandLineOption *option : group.options)
                parser.addOption(*option);
        }
    }

    QString helpText() const;
};

// The text wrapped at 79 columns from the given column on, after lead on the first line (or on
// a line of its own when lead reaches that column).
QString wrapped(const QString &lead, const QString &text, int column)
{
    constexpr int width = 79;
    QString result;
    QString line = lead;
    if (line.size() >= column) {
        result += line + u'\n';
        line.clear();
    }
    line = line.leftJustified(column, u' ');
    bool empty = true;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!empty && line.size() + 1 + word.size() > width) {
            result += line + u'\n';
            line = QString(column, u' ');
            empty = true;
        }
        line += (empty ? QString() : u" "_s) + word;
        empty = false;
    }
    return result + line + u'\n';
}

QString Parser::helpText() const
{
    constexpr int column = 28;
    QString text =
        u"Usage: vezudiri --convert [options] PATH...\n"
        "Converts PDF documents into images, each into a fresh folder named after it.\n"_s;
    for (const Group &group : groups) {
        text += u'\n' + group.title + u":\n"_s;
        if (group.options.contains(&pages))
            text += wrapped(u"  PATH..."_s, u"PDF files, and folders searched for PDF files."_s,
                            column);
        for (const QCommandLineOption *option : group.options) {
            QStringList names;
            for (const QString &name : option->names())
                names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
            QString lead = u"  "_s + names.join(u", "_s);
            if (!option->valueName().isEmpty())
                lead += u" <"_s + option->valueName() + u'>';
            text += wrapped(lead, option->description(), column);
        }
    }
    text += u"\nColours of each format, the default first (case and spaces do not matter):\n"_s;
    QStringList colourless;
    for (const Formats::Format &entry : Formats::all()) {
        if (entry.colours.isEmpty())
            colourless << entry.name;
        else
            text += wrapped(u"  "_s + entry.name, entry.colours.join(u", "_s), 12);
    }
    text += u"  No colour choice: "_s + colourless.join(u", "_s) + u'\n';
    text += u"\nExit status:\n"
            "  0       every PDF was converted (--dry-run: would be, and the images fit)\n"
            "  1       a PDF was not converted, or the images do not fit on the disk\n"
            "  2       the command line is wrong\n"
            "  128+N   signal N stopped the run; the interrupted PDFs' images are deleted\n"
            "  141     the output was closed before the run ended\n"
            "\nExamples:\n"
            "  Pages 1 to 3 of every PDF below ~/scans as 300 DPI grey PNG, into one folder:\n"
            "    vezudiri --convert -f PNGGRAY -r 300 -p 1-3 -o ~/images ~/scans\n"
            "  What a run would write, and whether it fits, without creating anything:\n"
            "    vezudiri --convert --dry-run -r 600 -o /srv/out /srv/in\n"
            "  Protected PDFs, the passwords from a file, one fax TIFF per PDF, two at once:\n"
            "    vezudiri --convert -f FAX -c g4 --merge \\\n"
            "      --password-file passwords.txt -j 2 *.pdf"_s;
    return text;
}

BatchCommand usageError(const QString &text)
{
    return {BatchCommand::UsageError, {}, text};
}

// A whole number within bounds, or nothing.
std::optional<int> numberIn(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

QString matching(const QStringList &choices, const QString &text)
{
    const auto folded = [](QString name) {
        return name.remove(u' ').toLower();
    };
    for (const QString &choice : choices) {
        if (folded(choice) == folded(text))
            return choice;
    }
    return {};
}

bool pagesValid(const QString &selection)
{
    if (PageSelection::isAllPagesWord(selection))
        return true;
    return !selection.isEmpty() &&
           PageSelection::checkTyped(selection, INT_MAX) == PageSelection::Typed::Accepted &&
           PageSelection::rangesValid(selection);
}

} // namespace

bool BatchCommandLine::requested(const QStringList &arguments)
{
    return arguments.mid(1).contains(u"--convert"_s);
}

BatchCommand BatchCommandLine::parse(const QStringList &arguments, const QString &workingFolder,
                                     QIODevice *standardInput)
{
    Parser p;
    QCommandLineParser &parser = p.parser;
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(p.help))
        return {BatchCommand::Help, {}, p.helpText()};
    if (parser.isSet(p.version)) {
        return {BatchCommand::Version,
                {},
                QCoreApplication::applicationName() + u' ' +
                    QCoreApplication::applicationVersion()};
    }

    BatchOptions options;
    const QDir here(workingFolder);
    const auto absolute = [&here](const QString &path) {
        return QDir::cleanPath(here.absoluteFilePath(path));
    };
    for (const QString &path : parser.positionalArguments())
        options.paths << absolute(path);
    if (const QString wrong = PlanOptions::read(parser, absolute, options.plan); !wrong.isEmpty())
        return usageError(wrong);
    if (options.paths.isEmpty() && options.plan.planIn.isEmpty())
        return usageError(u"No PDF file or folder given."_s);

    if (parser.isSet(p.pages)) {
        options.pages = parser.value(p.pages);
        if (!pagesValid(options.pages))
            return usageError(u"\"%1\" is no page selection: use All, or a list such as "
                              "1,3,7-9."_s.arg(options.pages));
    }
    if (parser.isSet(p.dpi)) {
        const std::optional<int> dpi = numberIn(parser.value(p.dpi), Dpi::minimum, Dpi::maximum);
        if (!dpi)
            return usageError(u"The resolution must be a number from %1 to %2."_s.arg(Dpi::minimum)
                                  .arg(Dpi::maximum));
        options.dpi = *dpi;
    }
    if (parser.isSet(p.format)) {
        options.format = matching(Formats::names(), parser.value(p.format));
        if (options.format.isEmpty())
            return usageError(u"\"%1\" is no format; choose one of %2."_s.arg(
                parser.value(p.format), Formats::names().join(u", "_s)));
    }
    if (parser.isSet(p.colour)) {
        const QStringList choices = Formats::colourChoices(options.format);
        options.colour = matching(choices, parser.value(p.colour));
        if (options.colour.isEmpty())
            return usageError(
                choices.isEmpty()
                    ? u"%1 has no colour choice."_s.arg(options.format)
                    : u"\"%1\" is no colour of %2; choose one of %3."_s.arg(
                          parser.value(p.colour), options.format, choices.join(u", "_s)));
    }
    options.merge = parser.isSet(p.merge);
    if (options.merge && !Formats::hasMergeRow(options.format))
        return usageError(u"Only TIFF and FAX pages can be joined into one file."_s);
    if (parser.isSet(p.output))
        options.outputFolder = absolute(parser.value(p.output));
    if (parser.isSet(p.naming)) {
        const QString rule = parser.value(p.naming);
        if (rule.startsWith(u"template:"_s)) {
            options.naming = u"template"_s;
            options.templateText = rule.mid(9);
            if (!Naming::isSafeTemplate(options.templateText))
                return usageError(u"The name template cannot hold a folder separator, \"..\", a "
                                  "control character or any of \\ : * ? \" < > |, and must be "
                                  "shorter than 200 bytes."_s);
        } else if (rule == u"source" || rule == u"number" || rule == u"page") {
            options.naming = rule;
        } else {
            return usageError(u"\"%1\" is no naming rule; use source, number, page or "
                              "template:TEXT."_s.arg(rule));
        }
    }
    options.passwords = parser.values(p.password);
    if (parser.isSet(p.passwordFile)) {
        const QString name = parser.value(p.passwordFile);
        QFile file(absolute(name));
        const bool opened =
            name == u"-" ? standardInput &&
                               (standardInput->isOpen() || standardInput->open(QIODevice::ReadOnly))
                         : file.open(QIODevice::ReadOnly);
        if (!opened)
            return usageError(u"The password file %1 cannot be read."_s.arg(name));
        QIODevice *source = name == u"-" ? standardInput : &file;
        const QList<QByteArray> lines = source->readAll().split('\n');
        for (QByteArray line : lines) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (!line.isEmpty())
                options.passwords << QString::fromUtf8(line);
        }
    }
    if (parser.isSet(p.jobs)) {
        const std::optional<int> jobs = numberIn(parser.value(p.jobs), 1, 256);
        if (!jobs)
            return usageError(u"The number of PDFs at once must be from 1 to 256."_s);
        options.jobs = *jobs;
    }
    if (parser.isSet(p.timeout)) {
        const std::optional<int> seconds = numberIn(parser.value(p.timeout), 1, 86400);
        if (!seconds)
            return usageError(u"The renderer time limit must be from 1 to 86400 seconds."_s);
        options.timeoutSeconds = *seconds;
    }
    options.dryRun = parser.isSet(p.dryRun);
    options.force = parser.isSet(p.force);
    if (parser.isSet(p.quiet) && parser.isSet(p.verbose))
        return usageError(u"--quiet and --verbose cannot be used together."_s);
    if (parser.isSet(p.quiet))
        options.verbosity = BatchOptions::Verbosity::Quiet;
    if (parser.isSet(p.verbose))
        options.verbosity = BatchOptions::Verbosity::Verbose;
    return {BatchCommand::Run, options, {}};
}
