#include "cli/convertoptions.h"

#include "cli/pagerange.h"
#include "core/engine/naming.h"
#include "core/options/dpi.h"
#include "core/options/formats.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <climits>
#include <cmath>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

using Group = ConvertOption::Group;
using Kind = ConvertOption::Kind;

// A value as it was written ("text", 12, true), cut short when long.
QString shown(const QJsonValue &value)
{
    constexpr int longest = 60;
    const QString text =
        QString::fromUtf8(QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
            .chopped(1)
            .mid(1);
    return text.size() > longest ? text.left(longest) + u"..."_s : text;
}

std::optional<int> wholeNumber(const QJsonValue &value, int lowest, int highest)
{
    const double number = value.toDouble(std::nan(""));
    if (!value.isDouble() || !(number >= lowest && number <= highest) ||
        std::floor(number) != number)
        return std::nullopt;
    return int(number);
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

QString takePages(ConvertOptions &options, const QJsonValue &value)
{
    if (!value.isString() || !PageRange::isValid(value.toString()))
        return u"%1 is no page selection: use All, odd, even, or a list such as 1,3,7-9,12-"_s.arg(
            shown(value));
    options.choices.pages = value.toString();
    return {};
}

QString takeFormat(ConvertOptions &options, const QJsonValue &value)
{
    const QString format = matching(Formats::names(), value.toString());
    if (!value.isString() || format.isEmpty())
        return u"%1 is no format; choose one of %2"_s.arg(shown(value),
                                                          Formats::names().join(u", "_s));
    options.choices.format = format;
    return {};
}

QString takeColour(ConvertOptions &options, const QJsonValue &value)
{
    BatchChoices &choices = options.choices;
    const QStringList colours = Formats::colourChoices(choices.format);
    if (value.isString() && value.toString().isEmpty()) {
        choices.colour.clear();
        return {};
    }
    const QString colour = matching(colours, value.toString());
    if (colours.isEmpty())
        return u"%1 has no colour choice"_s.arg(choices.format);
    if (!value.isString() || colour.isEmpty())
        return u"%1 is no colour of %2; choose one of %3"_s.arg(shown(value), choices.format,
                                                                colours.join(u", "_s));
    choices.colour = colour;
    return {};
}

constexpr int lowestDpi = 1;

QString takeDpi(ConvertOptions &options, const QJsonValue &value)
{
    // Down to thumbnails, as pdftoppm; the window's minimum is its own.
    const std::optional<int> dpi = wholeNumber(value, lowestDpi, Dpi::maximum);
    if (!dpi)
        return u"the resolution must be a number from %1 to %2"_s.arg(lowestDpi).arg(Dpi::maximum);
    options.choices.dpi = *dpi;
    return {};
}

// The most pixels a side may be asked for: about the largest resolution over a poster.
constexpr int mostPixels = 100000;

std::function<QString(ConvertOptions &, const QJsonValue &)> pixels(int BatchChoices::*field)
{
    return [=](ConvertOptions &options, const QJsonValue &value) {
        const std::optional<int> taken = wholeNumber(value, 0, mostPixels);
        if (!taken)
            return u"the pixels must be a number from 1 to %1 (0: not given)"_s.arg(mostPixels);
        options.choices.*field = *taken;
        return QString();
    };
}

QString takeMerge(ConvertOptions &options, const QJsonValue &value)
{
    if (!value.isBool())
        return u"%1 is neither true nor false"_s.arg(shown(value));
    if (value.toBool() && !Formats::hasMergeRow(options.choices.format))
        return u"only TIFF and FAX pages can be joined into one file"_s;
    options.choices.merge = value.toBool();
    return {};
}

QString takeOutput(ConvertOptions &options, const QJsonValue &value)
{
    const QString folder = value.toString();
    if (!value.isString() ||
        (!folder.isEmpty() && (!QDir::isAbsolutePath(folder) || QDir::cleanPath(folder) != folder)))
        return u"%1 is no absolute folder without . or .. in it"_s.arg(shown(value));
    options.choices.outputFolder = folder;
    return {};
}

QString takeNaming(ConvertOptions &options, const QJsonValue &value)
{
    BatchChoices &choices = options.choices;
    const QString rule = value.toString();
    if (value.isString() && rule.startsWith(u"template:"_s)) {
        if (!Naming::isSafeTemplate(rule.mid(9)))
            return u"the name template cannot hold a folder separator, \"..\", a control "
                   "character or any of \\ : * ? \" < > |, and must be shorter than 200 bytes"_s;
        choices.naming = u"template"_s;
        choices.templateText = rule.mid(9);
        return {};
    }
    if (!value.isString() || (rule != u"source" && rule != u"number" && rule != u"page"))
        return u"%1 is no naming rule; use source, number, page or template:TEXT"_s.arg(
            shown(value));
    choices.naming = rule;
    choices.templateText.clear();
    return {};
}

QString takeShard(ConvertOptions &options, const QJsonValue &value)
{
    const QRegularExpressionMatch match =
        QRegularExpression(u"^(\\d{1,6})/(\\d{1,6})$"_s).match(value.toString());
    options.shard = match.captured(1).toInt();
    options.shards = match.captured(2).toInt();
    if (!match.hasMatch() || options.shards < 1 || options.shard >= options.shards)
        return u"--shard takes K/N: shard K, from 0 to N-1, of N shards, such as 0/4"_s;
    options.sharded = true;
    return {};
}

// A number of the run's own, from lowest to highest.
std::function<QString(ConvertOptions &, const QJsonValue &)>
number(int ConvertOptions::*field, int lowest, int highest, const QString &what)
{
    return [=](ConvertOptions &options, const QJsonValue &value) {
        const std::optional<int> taken = wholeNumber(value, lowest, highest);
        if (!taken)
            return u"%1 must be from %2 to %3"_s.arg(what).arg(lowest).arg(highest);
        options.*field = *taken;
        return QString();
    };
}

// A switch of the run's own.
std::function<QString(ConvertOptions &, const QJsonValue &)> flag(bool ConvertOptions::*field)
{
    return [=](ConvertOptions &options, const QJsonValue &) {
        options.*field = true;
        return QString();
    };
}

// A switch among the batch's choices; a plan holds it as true or false.
std::function<QString(ConvertOptions &, const QJsonValue &)> choiceSwitch(bool BatchChoices::*field)
{
    return [=](ConvertOptions &options, const QJsonValue &value) {
        if (!value.isBool())
            return u"%1 is neither true nor false"_s.arg(shown(value));
        options.choices.*field = value.toBool();
        return QString();
    };
}

// A path of the run's own.
std::function<QString(ConvertOptions &, const QJsonValue &)> path(QString ConvertOptions::*field)
{
    return [=](ConvertOptions &options, const QJsonValue &value) {
        options.*field = value.toString();
        return QString();
    };
}

QList<ConvertOption> declare()
{
    QList<ConvertOption> table;
    table << ConvertOption{
        {u"p"_s, u"pages"_s},
        Kind::Text,
        u"SEL"_s,
        u"Pages to convert: All, odd, even, or a list such as 1,3,7-9,12- (12 to the end); "
        "pages past the end are left out (default: All)."_s,
        Group::What,
        true,
        takePages,
        [](const BatchChoices &choices) {
            return QJsonValue(choices.pages);
        }};
    table << ConvertOption{{u"plan"_s},
                           Kind::Path,
                           u"FILE"_s,
                           u"Convert the plan in FILE instead of PATHs."_s,
                           Group::What,
                           false,
                           path(&ConvertOptions::planIn),
                           {}};
    table << ConvertOption{
        {u"f"_s, u"format"_s},
        Kind::Text,
        u"NAME"_s,
        u"Image format: %1 (default: BMP)."_s.arg(Formats::names().join(u", "_s)),
        Group::How,
        true,
        takeFormat,
        [](const BatchChoices &choices) {
            return QJsonValue(choices.format);
        }};
    table << ConvertOption{{u"c"_s, u"colour"_s, u"color"_s},
                           Kind::Text,
                           u"NAME"_s,
                           u"Colours of the format, listed below (default: the first)."_s,
                           Group::How,
                           true,
                           takeColour,
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.colour);
                           }};
    table << ConvertOption{
        {u"r"_s, u"dpi"_s},
        Kind::Number,
        u"N"_s,
        u"Resolution in dots per inch, exactly as given, %1 to %2 (default: 120)."_s.arg(lowestDpi)
            .arg(Dpi::maximum),
        Group::How,
        true,
        takeDpi,
        [](const BatchChoices &choices) {
            return QJsonValue(choices.dpi);
        }};
    table << ConvertOption{{u"scale-to"_s},
                           Kind::Number,
                           u"PX"_s,
                           u"Scale every page so its longer side is PX pixels, the other one in "
                           "proportion (pdftoppm's -scale-to); instead of -r."_s,
                           Group::How,
                           true,
                           pixels(&BatchChoices::scaleTo),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.scaleTo);
                           }};
    table << ConvertOption{{u"width"_s, u"scale-to-x"_s},
                           Kind::Number,
                           u"PX"_s,
                           u"Scale every page to PX pixels across, its height in proportion "
                           "unless --height is given too; a page turned by 90 or 270 degrees is "
                           "measured before it is turned, as by pdftoppm's -scale-to-x."_s,
                           Group::How,
                           true,
                           pixels(&BatchChoices::width),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.width);
                           }};
    table << ConvertOption{{u"height"_s, u"scale-to-y"_s},
                           Kind::Number,
                           u"PX"_s,
                           u"Scale every page to PX pixels down, as --width across."_s,
                           Group::How,
                           true,
                           pixels(&BatchChoices::height),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.height);
                           }};
    table << ConvertOption{{u"smooth"_s},
                           Kind::Switch,
                           {},
                           u"Antialiased text (Ghostscript's -dTextAlphaBits=4); off by default "
                           "for crisp labels, barcodes and faxes."_s,
                           Group::How,
                           true,
                           choiceSwitch(&BatchChoices::smooth),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.smooth);
                           }};
    table << ConvertOption{{u"jpeg-quality"_s},
                           Kind::Number,
                           u"N"_s,
                           u"JPEG quality, 1 to 100 (default: 100)."_s,
                           Group::How,
                           true,
                           [](ConvertOptions &options, const QJsonValue &value) {
                               const std::optional<int> quality = wholeNumber(value, 1, 100);
                               if (!quality)
                                   return u"the JPEG quality must be a number from 1 to 100"_s;
                               options.choices.jpegQuality = *quality;
                               return QString();
                           },
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.jpegQuality);
                           }};
    table << ConvertOption{{u"merge"_s},
                           Kind::Switch,
                           {},
                           u"Join the pages of each PDF into one TIFF (TIFF, FAX)."_s,
                           Group::How,
                           true,
                           takeMerge,
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.merge);
                           }};
    table << ConvertOption{{u"o"_s, u"output"_s},
                           Kind::Path,
                           u"DIR"_s,
                           u"Put every PDF's folder of images here (default: next to the PDF)."_s,
                           Group::Where,
                           true,
                           takeOutput,
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.outputFolder);
                           }};
    table << ConvertOption{{u"flat"_s},
                           Kind::Switch,
                           {},
                           u"Put every PDF's folder right in DIR; without it, the PDFs found in a "
                           "folder PATH keep their sub-folders under DIR (DIR/a/b/doc/)."_s,
                           Group::Where,
                           true,
                           choiceSwitch(&BatchChoices::flat),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.flat);
                           }};
    table << ConvertOption{{u"skip-existing"_s},
                           Kind::Switch,
                           {},
                           u"Skip a PDF whose folder already holds its complete images of these "
                           "options, as recorded by an earlier run; a PDF changed since (size, "
                           "modification time) is converted again into a folder of its own."_s,
                           Group::Where,
                           true,
                           choiceSwitch(&BatchChoices::skipExisting),
                           [](const BatchChoices &choices) {
                               return QJsonValue(choices.skipExisting);
                           }};
    table << ConvertOption{
        {u"naming"_s},
        Kind::Text,
        u"RULE"_s,
        u"Image names: source (report1.bmp ...), number (1.bmp ...), template:TEXT "
        "(TEXT1.bmp ...) or page (report-003.bmp: page 3 of 120 pages); default: page."_s,
        Group::Where,
        true,
        takeNaming,
        [](const BatchChoices &choices) {
            return QJsonValue(choices.naming == u"template" ? u"template:"_s + choices.templateText
                                                            : choices.naming);
        }};
    table << ConvertOption{{u"password"_s},
                           Kind::Text,
                           u"PW"_s,
                           u"Password of protected PDFs; may be repeated. Other users can read "
                           "it in the process list: use --password-file."_s,
                           Group::Passwords,
                           false,
                           [](ConvertOptions &options, const QJsonValue &value) {
                               options.passwords << value.toString();
                               return QString();
                           },
                           {}};
    table << ConvertOption{{u"password-file"_s},
                           Kind::File,
                           u"FILE"_s,
                           u"Passwords, one a line, tried in order; - reads them from standard "
                           "input."_s,
                           Group::Passwords,
                           false,
                           path(&ConvertOptions::passwordFile),
                           {}};
    table << ConvertOption{{u"default-password"_s},
                           Kind::Switch,
                           {},
                           u"Also try the default password set in the window, last."_s,
                           Group::Passwords,
                           false,
                           flag(&ConvertOptions::defaultPassword),
                           {}};
    table << ConvertOption{{u"j"_s, u"jobs"_s},
                           Kind::Number,
                           u"N"_s,
                           u"PDFs converted at once (default: the number of cores)."_s,
                           Group::RunControl,
                           false,
                           number(&ConvertOptions::jobs, 1, 256, u"the number of PDFs at once"_s),
                           {}};
    table << ConvertOption{
        {u"timeout"_s},
        Kind::Number,
        u"S"_s,
        u"Stop a renderer that reports no new page for S seconds (default: 300)."_s,
        Group::RunControl,
        false,
        number(&ConvertOptions::timeoutSeconds, 1, 86400, u"the renderer time limit in seconds"_s),
        {}};
    table << ConvertOption{{u"dry-run"_s},
                           Kind::Switch,
                           {},
                           u"Print what would be written and the room it needs; create "
                           "nothing."_s,
                           Group::RunControl,
                           false,
                           flag(&ConvertOptions::dryRun),
                           {}};
    table << ConvertOption{{u"force"_s},
                           Kind::Switch,
                           {},
                           u"Convert even the PDFs whose images seem not to fit on the disk."_s,
                           Group::RunControl,
                           false,
                           flag(&ConvertOptions::force),
                           {}};
    table << ConvertOption{{u"shard"_s},
                           Kind::Text,
                           u"K/N"_s,
                           u"Convert only shard K (0 to N-1) of the run cut by pages into N "
                           "shards, as other machines of a cluster convert the others."_s,
                           Group::RunControl,
                           false,
                           takeShard,
                           {}};
    table << ConvertOption{{u"resume"_s},
                           Kind::Switch,
                           {},
                           u"Keep the images an earlier run of the same plan and shard "
                           "completed and convert the rest."_s,
                           Group::RunControl,
                           false,
                           flag(&ConvertOptions::resume),
                           {}};
    table << ConvertOption{{u"q"_s, u"quiet"_s},
                           Kind::Switch,
                           {},
                           u"Print only failures and the last line; no progress bar."_s,
                           Group::Output,
                           false,
                           [](ConvertOptions &options, const QJsonValue &) {
                               options.verbosity = ConvertOptions::Verbosity::Quiet;
                               return QString();
                           },
                           {}};
    table << ConvertOption{{u"v"_s, u"verbose"_s},
                           Kind::Switch,
                           {},
                           u"Also print each image written (with --dry-run: every image name "
                           "and the pixel sizes)."_s,
                           Group::Output,
                           false,
                           [](ConvertOptions &options, const QJsonValue &) {
                               if (options.verbosity == ConvertOptions::Verbosity::Quiet)
                                   return u"--quiet and --verbose cannot be used together"_s;
                               options.verbosity = ConvertOptions::Verbosity::Verbose;
                               return QString();
                           },
                           {}};
    table << ConvertOption{{u"json"_s},
                           Kind::Switch,
                           {},
                           u"Report each PDF, and the run, as one JSON object a line."_s,
                           Group::Output,
                           false,
                           flag(&ConvertOptions::json),
                           {}};
    table << ConvertOption{{u"plan-out"_s},
                           Kind::File,
                           u"FILE"_s,
                           u"Write the whole run as a plan (JSON; - for standard output) and "
                           "convert nothing."_s,
                           Group::Output,
                           false,
                           path(&ConvertOptions::planOut),
                           {}};
    table << ConvertOption{{u"h"_s, u"help"_s}, Kind::Switch, {}, u"Print this help."_s,
                           Group::Output,       false,        {}, {}};
    table << ConvertOption{{u"version"_s}, Kind::Switch, {}, u"Print the version."_s,
                           Group::Output,  false,        {}, {}};
    return table;
}

} // namespace

QString ConvertOption::key() const
{
    for (const QString &name : names) {
        if (name.size() > 1)
            return name;
    }
    return names.constFirst();
}

const QList<ConvertOption> &ConvertOptionTable::all()
{
    static const QList<ConvertOption> table = declare();
    return table;
}

QStringList ConvertOptionTable::arguments(const BatchChoices &choices)
{
    QStringList arguments;
    for (const ConvertOption &option : all()) {
        // Pixels replace the resolution: a line with both would be refused.
        if (!option.inPlan || (option.key() == u"dpi" && choices.scale().inPixels()))
            continue;
        const QJsonValue value = option.valueOf(choices);
        if (option.kind == ConvertOption::Kind::Switch) {
            if (value.toBool())
                arguments << u"--"_s + option.key();
            continue;
        }
        // A size in pixels not given is 0.
        const QString text = value.isString() ? value.toString() : QString::number(value.toInt());
        if (!text.isEmpty() && text != u"0")
            arguments << u"--"_s + option.key() << text;
    }
    return arguments;
}
