#include "cli/watchoptions.h"

#include "cli/convertarguments.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

std::function<QString(WatchSettings &, const QString &)> seconds(int WatchSettings::*field,
                                                                 int lowest, const QString &what)
{
    return [=](WatchSettings &settings, const QString &text) {
        bool isNumber = false;
        const int value = text.toInt(&isNumber);
        if (!isNumber || value < lowest || value > 86400)
            return u"%1 must be from %2 to 86400 seconds"_s.arg(what).arg(lowest);
        settings.*field = value;
        return QString();
    };
}

QList<WatchOption> declare()
{
    return {
        {u"settle"_s, u"S"_s,
         u"Take a PDF once its size and modification time stayed the same for S seconds "
         "(default: 5)."_s,
         seconds(&WatchSettings::settleSeconds, 1, u"--settle"_s)},
        {u"rescan"_s, u"S"_s,
         u"Look at the whole trees every S seconds, for file systems that report no changes; 0: "
         "only at the start, on SIGHUP and when events were lost (default: 3600)."_s,
         seconds(&WatchSettings::rescanSeconds, 0, u"--rescan"_s)},
        {u"summary"_s, u"S"_s,
         u"Print the files done, failed and waiting every S seconds and on SIGUSR1; 0: only on "
         "SIGUSR1 (default: 3600)."_s,
         seconds(&WatchSettings::summarySeconds, 0, u"--summary"_s)},
        {u"max-size"_s, u"MIB"_s, u"Refuse PDFs of MIB mebibytes or more (default: 2048)."_s,
         [](WatchSettings &settings, const QString &text) {
             bool isNumber = false;
             const qint64 value = text.toLongLong(&isNumber);
             if (!isNumber || value < 1 || value > 1024 * 1024)
                 return u"--max-size must be from 1 to 1048576 MiB"_s;
             settings.largestBytes = value * 1024 * 1024;
             return QString();
         }},
    };
}

QString helpText()
{
    QString text = u"Usage: vezudiri --watch [options] IN... -o OUT\n"
                   "Converts every PDF under the folders IN that has no complete images under OUT, "
                   "then each PDF\nput there, once it is complete, into OUT/<path inside "
                   "IN>/<name>/.\n\nWatch options:\n"_s;
    for (const WatchOption &option : WatchOptionTable::all()) {
        const QString lead = u"  --%1 <%2>"_s.arg(option.name, option.valueName);
        text += lead.leftJustified(24) + u' ' + option.description + u'\n';
    }
    text += u"\nEvery option of vezudiri --convert --help for how and what to convert, except "
            "those of plans\nand dry runs. SIGHUP looks at the whole trees, SIGUSR1 prints a "
            "summary, SIGTERM and SIGINT\nend the watch."_s;
    return text;
}

// Whether path is folder or lies below it.
bool inside(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

ParsedWatch usageError(const QString &text)
{
    ParsedWatch parsed;
    parsed.text = text;
    return parsed;
}

} // namespace

const QList<WatchOption> &WatchOptionTable::all()
{
    static const QList<WatchOption> table = declare();
    return table;
}

ParsedWatch WatchArguments::parse(const QStringList &arguments, const QString &workingFolder,
                                  QIODevice *standardInput)
{
    ParsedWatch parsed;
    QStringList rest;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString &argument = arguments.at(index);
        if (index > 0 && argument == u"--watch")
            continue;
        const WatchOption *matched = nullptr;
        QString value;
        for (const WatchOption &option : WatchOptionTable::all()) {
            const QString name = u"--"_s + option.name;
            if (argument == name) {
                matched = &option;
                if (index + 1 >= arguments.size())
                    return usageError(u"Missing value after '%1'."_s.arg(name));
                value = arguments.at(++index);
            } else if (argument.startsWith(name + u'=')) {
                matched = &option;
                value = argument.mid(name.size() + 1);
            }
        }
        if (!matched) {
            rest << argument;
            continue;
        }
        if (const QString wrong = matched->take(parsed.settings, value); !wrong.isEmpty())
            return usageError(wrong + u'.');
    }
    const ParsedCommand command = ConvertArguments::parse(rest, workingFolder, standardInput);
    if (command.kind == ParsedCommand::Help || command.kind == ParsedCommand::Version) {
        parsed.kind = ParsedWatch::Help;
        parsed.text = command.kind == ParsedCommand::Help ? helpText() : command.text;
        return parsed;
    }
    if (command.kind == ParsedCommand::UsageError)
        return usageError(command.text);
    const ConvertOptions &options = command.options;
    if (options.planned() || !options.planOut.isEmpty() || options.dryRun)
        return usageError(u"--watch converts as it goes: no plan, shard, resume or dry run."_s);
    const QString &out = options.choices.outputFolder;
    if (out.isEmpty())
        return usageError(u"--watch needs an output folder: -o OUT."_s);
    for (const QString &folder : options.paths) {
        if (!QFileInfo(folder).isDir())
            return usageError(u"%1 is no folder to watch."_s.arg(QDir::toNativeSeparators(folder)));
        if (inside(out, folder) || inside(folder, out))
            return usageError(u"The output folder and a watched folder cannot lie in each "
                              "other."_s);
    }
    parsed.kind = ParsedWatch::Run;
    parsed.options = options;
    return parsed;
}
