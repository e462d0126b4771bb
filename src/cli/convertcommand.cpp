#include "cli/convertcommand.h"

#include "cli/convertarguments.h"
#include "cli/dryrun.h"
#include "cli/plainrun.h"
#include "cli/plannedrun.h"
#include "cli/planner.h"
#include "cli/printable.h"
#include "cli/roomcheck.h"
#include "cli/watchoptions.h"
#include "cli/watchrun.h"
#include "core/platform/versionrecord.h"
#include "core/settings/settings.h"
#include "core/settings/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstring>

#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// The status of a run whose output was closed, as if SIGPIPE had ended it.
constexpr int outputClosedStatus = 128 + SIGPIPE;

// The batch's own defaults, as --help gives them: the window's settings change none of them.
BatchDefaults defaultsFor(const ConvertOptions &options)
{
    BatchDefaults defaults;
    if (options.defaultPassword) {
        const AppSettings settings;
        if (settings.get(Settings::useDefaultPassword))
            defaults.password = settings.get(Settings::defaultPassword);
    }
    defaults.jobs = qMax(1, QThread::idealThreadCount());
    return defaults;
}

// Why nothing can be written in the output folder, or in the folder it would be made in, in the
// system's words (read-only file system, permission denied); empty when it can be.
QString unwritable(const QString &folder)
{
    QString existing = folder;
    while (!QFileInfo::exists(existing) && QFileInfo(existing).path() != existing)
        existing = QFileInfo(existing).path();
    if (!QFileInfo(existing).isDir())
        errno = ENOTDIR;
    else if (::access(QFile::encodeName(existing).constData(), W_OK | X_OK) == 0)
        return {};
    return QString::fromLocal8Bit(std::strerror(errno)).toLower();
}

int execute(const ConvertOptions &options, QTextStream &out, QTextStream &err)
{
    const QString &output = options.choices.outputFolder;
    if (!output.isEmpty() && options.planOut.isEmpty()) {
        if (const QString cause = unwritable(output); !cause.isEmpty()) {
            err << "vezudiri: the output folder " << printable(QDir::toNativeSeparators(output))
                << " cannot be written: " << cause << '.' << Qt::endl;
            return 1;
        }
    }
    const BatchDefaults defaults = defaultsFor(options);
    if (options.usesPlan())
        return PlannedRun::exec(options, defaults, out, err);
    Plan plan = Planner::plan(options, defaults);
    const RoomCheck room = RoomCheck::applied(plan.entries, options.force);
    if (!options.dryRun)
        return PlainRun::exec(plan, room, options, defaults, out, err);
    const int status = DryRun::print(plan, room, options.verbosity, out);
    return out.status() == QTextStream::Ok ? status : outputClosedStatus;
}

void selectSettings()
{
    // config.ini and bundled tools lie beside the executable, as for the window.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString installedSettings = QDir::current().absoluteFilePath(u"config.ini"_s);
    SettingsFile::select(installedSettings, SettingsFile::keepsOwnFile(installedSettings));
}

int watch(const QString &workingFolder, QIODevice *standardInput, QTextStream &out,
          QTextStream &err)
{
    const ParsedWatch command =
        WatchArguments::parse(QCoreApplication::arguments(), workingFolder, standardInput);
    switch (command.kind) {
    case ParsedWatch::Help:
        out << command.text << Qt::endl;
        return 0;
    case ParsedWatch::UsageError:
        err << "vezudiri: " << printable(command.text) << "\nTry 'vezudiri --watch --help'."
            << Qt::endl;
        return 2;
    case ParsedWatch::Run:
        break;
    }
    selectSettings();
    return WatchRun::exec(command.options, command.settings, defaultsFor(command.options), out,
                          err);
}

} // namespace

bool ConvertCommand::requested(const QStringList &arguments)
{
    return arguments.mid(1).contains(u"--convert"_s) || watchRequested(arguments);
}

bool ConvertCommand::watchRequested(const QStringList &arguments)
{
    return arguments.mid(1).contains(u"--watch"_s);
}

int ConvertCommand::run(int argc, char *argv[])
{
    // A closed output shows as a failed write, which ends the run in order, not as a signal.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"vezudiri"_s);
    QCoreApplication::setApplicationVersion(QString::fromUtf16(VersionRecord::current));
    const QString workingFolder = QDir::currentPath();
    QTextStream out(stdout);
    QTextStream err(stderr);
    QFile standardInput;
    standardInput.open(stdin, QIODevice::ReadOnly);

    if (watchRequested(QCoreApplication::arguments()))
        return watch(workingFolder, &standardInput, out, err);
    const ParsedCommand command =
        ConvertArguments::parse(QCoreApplication::arguments(), workingFolder, &standardInput);
    switch (command.kind) {
    case ParsedCommand::Help:
    case ParsedCommand::Version:
        out << command.text << Qt::endl;
        return 0;
    case ParsedCommand::UsageError:
        err << "vezudiri: " << printable(command.text) << "\nTry 'vezudiri --convert --help'."
            << Qt::endl;
        return 2;
    case ParsedCommand::Run:
        break;
    }
    selectSettings();
    return execute(command.options, out, err);
}
