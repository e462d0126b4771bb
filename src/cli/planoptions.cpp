#include "cli/planoptions.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

QList<QCommandLineOption> PlanOptions::all()
{
    return {
        {u"plan-out"_s,
         u"Write the whole run as a plan (JSON; - for standard output) and convert nothing."_s,
         u"FILE"_s},
        {u"plan"_s, u"Convert the plan in FILE instead of PATHs."_s, u"FILE"_s},
        {u"shard"_s,
         u"Convert only shard K (0 to N-1) of the run cut by pages into N shards, as other "
         "machines of a cluster convert the others."_s,
         u"K/N"_s},
        {u"resume"_s,
         u"Keep the images an earlier run of the same plan and shard completed and convert the "
         "rest."_s},
        {u"json"_s, u"Report each PDF, and the run, as one JSON object a line."_s},
    };
}

QString PlanOptions::read(const QCommandLineParser &parser,
                          const std::function<QString(const QString &)> &absolute,
                          PlanChoices &choices)
{
    if (parser.isSet(u"plan-out"_s)) {
        choices.planOut = parser.value(u"plan-out"_s);
        if (choices.planOut != u"-")
            choices.planOut = absolute(choices.planOut);
    }
    if (parser.isSet(u"plan"_s)) {
        choices.planIn = absolute(parser.value(u"plan"_s));
        if (!parser.positionalArguments().isEmpty() || !choices.planOut.isEmpty())
            return u"--plan converts a plan: give no PDF file or folder, and no --plan-out."_s;
        // The plan holds what to convert and how; the run's own choices may still be given.
        for (const QString &name : {u"pages"_s, u"dpi"_s, u"colour"_s, u"format"_s, u"merge"_s,
                                    u"output"_s, u"naming"_s}) {
            if (parser.isSet(name))
                return u"--%1 cannot change a plan; make a new one with --plan-out."_s.arg(name);
        }
    }
    if (parser.isSet(u"shard"_s)) {
        const QRegularExpressionMatch match =
            QRegularExpression(u"^(\\d{1,6})/(\\d{1,6})$"_s).match(parser.value(u"shard"_s));
        choices.shard = match.captured(1).toInt();
        choices.shards = match.captured(2).toInt();
        if (!match.hasMatch() || choices.shards < 1 || choices.shard >= choices.shards)
            return u"--shard takes K/N: shard K, from 0 to N-1, of N shards, such as 0/4."_s;
        choices.sharded = true;
    }
    choices.resume = parser.isSet(u"resume"_s);
    choices.json = parser.isSet(u"json"_s);
    if (!choices.planOut.isEmpty() && (choices.sharded || choices.resume))
        return u"--plan-out plans the whole run: convert its shards with --plan and --shard."_s;
    if (choices.any() && parser.isSet(u"dry-run"_s))
        return u"--dry-run does not go with the plan's options: see a plan with --plan-out -."_s;
    return {};
}
