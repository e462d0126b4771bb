#pragma once

#include <QList>
#include <QString>

#include <functional>

class QCommandLineOption;
class QCommandLineParser;

// How a run is planned once, cut into shards for several machines, resumed and reported as JSON.
struct PlanChoices
{
    QString planOut; // write the plan here ("-": standard output) and convert nothing
    QString planIn;  // convert this plan instead of the paths
    int shard = 0;   // this machine's shard, counted from 0
    int shards = 1;
    bool sharded = false;
    bool resume = false;
    bool json = false;

    // A planned run: its folders are fixed and marked, and it may be cut and resumed.
    bool planned() const { return !planIn.isEmpty() || sharded || resume; }
    // Whether the run is a plan's rather than the plain batch's.
    bool any() const { return planned() || json || !planOut.isEmpty(); }
};

namespace PlanOptions {

QList<QCommandLineOption> all();

// Takes the plan's options from a parsed command line; gives what is wrong, or nothing.
// absolute makes a path given relative to the working folder absolute.
QString read(const QCommandLineParser &parser,
             const std::function<QString(const QString &)> &absolute, PlanChoices &choices);

} // namespace PlanOptions
