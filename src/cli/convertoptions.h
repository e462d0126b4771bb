#pragma once

#include "core/options/pagescale.h"

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The choices a whole batch is converted with: which pages, how and where. A plan holds them.
struct BatchChoices
{
    QString pages = QStringLiteral("All");
    QString format = QStringLiteral("BMP");
    QString colour; // empty: the format's default colour
    int dpi = 120;
    int scaleTo = 0; // pixels of each page's longer side instead of dpi; 0: not given
    int width = 0;   // pixels across, as pdftoppm's -scale-to-x; 0: not given
    int height = 0;
    bool merge = false;
    QString outputFolder;                    // absolute; empty: next to each PDF
    QString naming = QStringLiteral("page"); // "source", "number", "template" or "page"
    QString templateText;
    bool smooth = false;
    int jpegQuality = 100;
    bool flat = false;         // every PDF's folder right in outputFolder, not mirrored
    bool skipExisting = false; // a PDF whose folder holds this conversion already is skipped

    PageScale scale() const { return {dpi, scaleTo, width, height}; }
};

// What `vezudiri --convert` was asked to do, checked as the window checks the same choices.
struct ConvertOptions
{
    QStringList paths; // absolute
    BatchChoices choices;
    QStringList passwords;        // tried in this order
    QString passwordFile;         // read once every option is taken; "-": standard input
    int jobs = 0;                 // 0: the stored choice, else the number of cores
    int timeoutSeconds = 0;       // 0: the stored choice, else 300
    bool defaultPassword = false; // also try the default password set in the window
    bool dryRun = false;
    bool force = false;
    enum class Verbosity { Quiet, Normal, Verbose };
    Verbosity verbosity = Verbosity::Normal;
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
    bool usesPlan() const { return planned() || json || !planOut.isEmpty(); }
};

// What a batch takes when its options leave it open; never the window's conversion settings.
struct BatchDefaults
{
    QString password; // the window's default password, only with --default-password
    int jobs = 1;
    int timeoutSeconds = 300;
};

// One option of --convert, declared once: the parser, --help, the plan's JSON and the dry run's
// account of the choices all take it from here.
struct ConvertOption
{
    // The groups of --help, in their order.
    enum class Group { What, How, Where, Passwords, RunControl, Output };
    // File: a path, or "-" for a standard stream.
    enum class Kind { Switch, Number, Text, Path, File };

    QStringList names; // the first long one names it in a plan
    Kind kind = Kind::Switch;
    QString valueName;
    QString description;
    Group group = Group::Output;
    bool inPlan = false; // one of the batch's choices, which a plan holds
    // Takes a value: true for a switch, a whole number (or the text given where one belongs), a
    // text or an absolute path. Gives what is wrong, in words that follow a field's name, or
    // nothing. Empty for --help and --version, which take nothing.
    std::function<QString(ConvertOptions &, const QJsonValue &)> take;
    // What a plan holds of an option inPlan, as take takes it.
    std::function<QJsonValue(const BatchChoices &)> valueOf;

    QString key() const;
};

namespace ConvertOptionTable {

// Every option, in the order they are taken: a format before its colour.
const QList<ConvertOption> &all();

// The arguments that give these choices, those left at their default included.
QStringList arguments(const BatchChoices &choices);

} // namespace ConvertOptionTable
