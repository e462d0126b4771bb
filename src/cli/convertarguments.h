#pragma once

#include "cli/convertoptions.h"

#include <QString>
#include <QStringList>

class QIODevice;

struct ParsedCommand
{
    enum Kind { Run, Help, Version, UsageError };
    Kind kind = UsageError;
    ConvertOptions options;
    QString text; // the help, the version or what is wrong
};

// The command line of `vezudiri --convert`, its options as ConvertOptionTable declares them.
namespace ConvertArguments {

// arguments[0] is the program. Relative paths are taken from workingFolder; "-" as password file
// is read from standardInput.
ParsedCommand parse(const QStringList &arguments, const QString &workingFolder,
                    QIODevice *standardInput);

} // namespace ConvertArguments
