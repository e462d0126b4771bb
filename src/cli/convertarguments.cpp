#include "cli/convertarguments.h"

#include "core/options/formats.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace Qt::Literals::StringLiterals;

namespace {

using Group = ConvertOption::Group;
using Kind = ConvertOption::Kind;

const QList<std::pair<Group, QString>> groupTitles = {
    {Group::What, u"What to convert"_s},
    {Group::How, u"How"_s},
    {Group::Where, u"Where"_s},
    {Group::Passwords, u"Passwords"_s},
    {Group::RunControl, u"Run control"_s},
    {Group::Output, u"Output"_s},
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

QString helpText()
{
    constexpr int column = 28;
    QString text =
        u"Usage: vezudiri --convert [options] PATH...\n"
        "Converts PDF documents into images, each into a fresh folder named after it.\n"_s;
    for (const auto &[group, title] : groupTitles) {
        text += u'\n' + title + u":\n"_s;
        if (group == Group::What)
            text += wrapped(u"  PATH..."_s, u"PDF files, and folders searched for PDF files."_s,
                            column);
        for (const ConvertOption &option : ConvertOptionTable::all()) {
            if (option.group != group)
                continue;
            QStringList names;
            for (const QString &name : option.names)
                names << (name.size() == 1 ? u"-"_s : u"--"_s) + name;
            QString lead = u"  "_s + names.join(u", "_s);
            if (!option.valueName.isEmpty())
                lead += u" <"_s + option.valueName + u'>';
            text += wrapped(lead, option.description, column);
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

ParsedCommand usageError(const QString &text)
{
    return {ParsedCommand::UsageError, {}, text};
}

// What an option's check says, as a sentence of its own.
QString sentence(const QString &text)
{
    return text.left(1).toUpper() + text.mid(1) + u'.';
}

// The value of an option as its check takes it.
QJsonValue valueOf(const ConvertOption &option, const QString &text,
                   const std::function<QString(const QString &)> &absolute)
{
    switch (option.kind) {
    case Kind::Switch:
        return true;
    case Kind::Number: {
        bool isNumber = false;
        const qint64 number = text.toLongLong(&isNumber);
        return isNumber ? QJsonValue(number) : QJsonValue(text);
    }
    case Kind::Text:
        return text;
    case Kind::File:
        if (text == u"-")
            return text;
        [[fallthrough]];
    case Kind::Path:
        return absolute(text);
    }
    return text;
}

// Choices that do not go together, once each option is taken; what is wrong, or nothing.
QString combinationError(const QCommandLineParser &parser, const ConvertOptions &options)
{
    if (!options.planIn.isEmpty()) {
        if (!options.paths.isEmpty() || !options.planOut.isEmpty())
            return u"--plan converts a plan: give no PDF file or folder, and no --plan-out."_s;
        // The plan holds what to convert and how; the run's own choices may still be given.
        for (const ConvertOption &option : ConvertOptionTable::all()) {
            if (option.inPlan && parser.isSet(option.key()))
                return u"--%1 cannot change a plan; make a new one with --plan-out."_s.arg(
                    option.key());
        }
    }
    const BatchChoices &choices = options.choices;
    if (parser.isSet(u"dpi"_s) && choices.scale().inPixels())
        return u"-r sets the resolution, --scale-to, --width and --height the pixels: give one "
               "of them."_s;
    if (choices.scaleTo > 0 && (choices.width > 0 || choices.height > 0))
        return u"--scale-to sets both sides: give it without --width and --height."_s;
    if (!options.planOut.isEmpty() && (options.sharded || options.resume))
        return u"--plan-out plans the whole run: convert its shards with --plan and --shard."_s;
    if (options.usesPlan() && options.dryRun)
        return u"--dry-run does not go with the plan's options: see a plan with --plan-out -."_s;
    if (options.paths.isEmpty() && options.planIn.isEmpty())
        return u"No PDF file or folder given."_s;
    return {};
}

bool readPasswords(const QString &path, QIODevice *standardInput, QStringList &passwords)
{
    QFile file(path);
    const bool fromInput = path == u"-";
    const bool opened = fromInput ? standardInput && (standardInput->isOpen() ||
                                                      standardInput->open(QIODevice::ReadOnly))
                                  : file.open(QIODevice::ReadOnly);
    if (!opened)
        return false;
    QIODevice *source = fromInput ? standardInput : &file;
    const QList<QByteArray> lines = source->readAll().split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.isEmpty())
            passwords << QString::fromUtf8(line);
    }
    return true;
}

} // namespace

ParsedCommand ConvertArguments::parse(const QStringList &arguments, const QString &workingFolder,
                                      QIODevice *standardInput)
{
    QCommandLineParser parser;
    parser.addOption({u"convert"_s, u"Convert without a window."_s});
    for (const ConvertOption &option : ConvertOptionTable::all())
        parser.addOption({option.names, option.description, option.valueName});
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(u"help"_s))
        return {ParsedCommand::Help, {}, helpText()};
    if (parser.isSet(u"version"_s)) {
        return {ParsedCommand::Version,
                {},
                QCoreApplication::applicationName() + u' ' +
                    QCoreApplication::applicationVersion()};
    }

    ConvertOptions options;
    const QDir here(workingFolder);
    const auto absolute = [&here](const QString &path) {
        return QDir::cleanPath(here.absoluteFilePath(path));
    };
    for (const QString &path : parser.positionalArguments())
        options.paths << absolute(path);
    for (const ConvertOption &option : ConvertOptionTable::all()) {
        if (!option.take || !parser.isSet(option.key()))
            continue;
        // A repeated option takes each value in turn: the last counts, or each is kept.
        const QStringList texts =
            option.kind == Kind::Switch ? QStringList{QString()} : parser.values(option.key());
        for (const QString &text : texts) {
            const QString wrong = option.take(options, valueOf(option, text, absolute));
            if (!wrong.isEmpty())
                return usageError(sentence(wrong));
        }
    }
    if (const QString wrong = combinationError(parser, options); !wrong.isEmpty())
        return usageError(wrong);
    if (!options.passwordFile.isEmpty() &&
        !readPasswords(options.passwordFile, standardInput, options.passwords))
        return usageError(u"The password file %1 cannot be read."_s.arg(
            options.passwordFile == u"-" ? options.passwordFile
                                         : QDir::toNativeSeparators(options.passwordFile)));
    return {ParsedCommand::Run, options, {}};
}
