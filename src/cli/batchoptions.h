#pragma once

#include "cli/planoptions.h"

#include <QString>
#include <QStringList>

class QIODevice;

// What `vezudiri --convert` was asked to do, checked as the window checks the same choices.
struct BatchOptions
{
    QStringList paths; // absolute
    QString pages = QStringLiteral("All");
    int dpi = 120;
    QString format = QStringLiteral("BMP");
    QString colour; // empty: the format's default colour
    bool merge = false;
    QString outputFolder; // empty: next to each PDF
    QString naming;       // "source", "number", "template" or "page"; empty: the stored choice
    QString templateText;
    QStringList passwords;  // tried in this order
    int jobs = 0;           // 0: the stored choice, else the number of cores
    int timeoutSeconds = 0; // 0: the stored choice, else 300
    bool dryRun = false;
    bool force = false;
    enum class Verbosity { Quiet, Normal, Verbose };
    Verbosity verbosity = Verbosity::Normal;
    PlanChoices plan;
};

struct BatchCommand
{
    enum Kind { Run, Help, Version, UsageError };
    Kind kind = UsageError;
    BatchOptions options;
    QString text; // the help, the version or what is wrong
};

namespace BatchCommandLine {

// Whether the program was started for a batch conversion.
bool requested(const QStringList &arguments);

// arguments[0] is the program. Relative paths are taken from workingFolder; "-" as password file
// is read from standardInput.
BatchCommand parse(const QStringList &arguments, const QString &workingFolder,
                   QIODevice *standardInput);

} // namespace BatchCommandLine
