#include "core/platform/tools.h"

#include "core/platform/toolrun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QString platformToolFor(const QString &toolName)
{
    static const QHash<QString, QString> platformTools{
        {u"P2I.exe"_s, u"vezudiri-render"_s},      {u"pdfinfo"_s, u"pdfinfo"_s},
        {u"pdfinfo.exe"_s, u"pdfinfo"_s},          {u"tiffcp.exe"_s, u"tiffcp"_s},
        {u"Updates.exe"_s, u"vezudiri-updater"_s},
    };
    return platformTools.value(toolName, toolName);
}

} // namespace

QString Tools::locate(const QString &toolName)
{
    const QString name = toolName.trimmed();
    const QString platformName = platformToolFor(name);
    for (const QString &bundledName : {name, platformName}) {
        const QFileInfo bundled(QDir::current().filePath(bundledName));
        if (bundled.isFile() && bundled.isExecutable())
            return bundled.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(platformName);
}

void Tools::endWithParent(QProcess &process)
{
    endWithParent(process, Setup());
}

void Tools::endWithParent(QProcess &process, const Setup &setup)
{
    const pid_t parent = getpid();
    // Runs in the child between fork and exec: only async-signal-safe calls.
    process.setChildProcessModifier([parent, setup] {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        if (setup.workingFolder >= 0 && fchdir(setup.workingFolder) != 0)
            _exit(127);
        if (setup.inherited >= 0 && fcntl(setup.inherited, F_SETFD, 0) != 0)
            _exit(127);
        for (const int folder : setup.writableFolders) {
            if (fcntl(folder, F_SETFD, 0) != 0)
                _exit(127);
        }
        if (setup.privateFiles)
            umask(077);
        if (setup.memoryLimit > 0) {
            const rlimit data{rlim_t(setup.memoryLimit), rlim_t(setup.memoryLimit)};
            if (setrlimit(RLIMIT_DATA, &data) != 0)
                _exit(127);
        }
    });
}

void Tools::kill(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
    process.kill();
}

Tools::Result Tools::run(const Command &command, const Limits &limits, const QByteArray &input)
{
    Result result;
    const QString program = locate(command.tool);
    if (program.isEmpty())
        return result;

    // Waited for without an event loop: the deadline, not the watchdog, ends a tool that hangs.
    const QDeadlineTimer deadline(limits.timeoutMs);
    ToolRun tool;
    tool.collect(limits.outputBytes);
    Setup setup;
    setup.memoryLimit = limits.memoryBytes;
    tool.start(program, command.arguments, setup, QIODevice::ReadWrite);
    result.started = tool.waitForStarted();
    if (!result.started)
        return result;
    tool.tool().write(input);
    tool.tool().closeWriteChannel();
    result.finished = tool.waitForEnd(int(qMax<qint64>(0, deadline.remainingTime())));
    result.tooMuchOutput = tool.tooMuchOutput();
    if (!result.finished) {
        // What a tool that hangs wrote before it did still counts; a tool past its output limit
        // has none.
        result.standardOutput = tool.readOutput();
        tool.kill();
        tool.waitForEnd(1000);
        return result;
    }
    result.finished = !result.tooMuchOutput;
    result.exitStatus = tool.tool().exitStatus();
    result.exitCode = tool.tool().exitCode();
    result.standardOutput = tool.readOutput();
    result.standardError = tool.errorOutput();
    return result;
}
