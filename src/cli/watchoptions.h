#pragma once

#include "cli/convertoptions.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The watch's own choices; the conversion's are those of --convert (ConvertOptions).
struct WatchSettings
{
    int settleSeconds = 5;     // unchanged this long before a PDF is taken
    int rescanSeconds = 3600;  // a full look at the trees this often; 0: never
    int summarySeconds = 3600; // a summary in the log this often; 0: only on SIGUSR1
    qint64 largestBytes = qint64(2048) * 1024 * 1024;
};

// One option of --watch, declared once for the parser and --help, as ConvertOption is.
struct WatchOption
{
    QString name;
    QString valueName;
    QString description;
    // Takes the value; what is wrong, or nothing.
    std::function<QString(WatchSettings &, const QString &)> take;
};

namespace WatchOptionTable {

const QList<WatchOption> &all();

} // namespace WatchOptionTable

struct ParsedWatch
{
    enum Kind { Run, Help, UsageError };
    Kind kind = UsageError;
    ConvertOptions options; // its paths are the watched folders
    WatchSettings settings;
    QString text; // the help or what is wrong
};

// The command line of `vezudiri --watch IN... -o OUT [options]`.
namespace WatchArguments {

ParsedWatch parse(const QStringList &arguments, const QString &workingFolder,
                  QIODevice *standardInput);

} // namespace WatchArguments
