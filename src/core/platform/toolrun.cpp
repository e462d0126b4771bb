#include "core/platform/toolrun.h"

ToolRun::ToolRun(QObject *parent)
    : QObject(parent)
{
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [this] {
        timed = true;
        Tools::kill(process);
        emit stalled();
    });
    connect(&process, &QProcess::readyReadStandardOutput, this, [this] {
        if (collectLimit >= 0)
            take();
        else
            emit output();
    });
    connect(&process, &QProcess::readyReadStandardError, this, &ToolRun::take);
    connect(&process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus exitStatus) {
                watchdog.stop();
                emit ended(exitCode, exitStatus);
            });
    connect(&process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            watchdog.stop();
            emit failedToStart(process.errorString());
        }
    });
}

ToolRun::~ToolRun()
{
    process.disconnect(this);
    kill();
    process.waitForFinished(5000);
}

void ToolRun::collect(qint64 limit)
{
    collectLimit = qMax<qint64>(0, limit);
}

void ToolRun::start(const QString &program, const QStringList &arguments, const Tools::Setup &setup,
                    QIODevice::OpenMode mode)
{
    timed = false;
    overflowed = false;
    collected.clear();
    errors.clear();
    // A tool that is given no input reads none, rather than waiting for it.
    process.setStandardInputFile((mode & QIODevice::WriteOnly) ? QString()
                                                               : QProcess::nullDevice());
    Tools::endWithParent(process, setup);
    process.start(program, arguments, mode);
}

void ToolRun::watch(int ms)
{
    watchdog.start(ms);
}

void ToolRun::unwatch()
{
    watchdog.stop();
}

void ToolRun::kill()
{
    watchdog.stop();
    Tools::kill(process);
}

bool ToolRun::waitForStarted()
{
    return process.waitForStarted();
}

bool ToolRun::waitForEnd(int ms)
{
    if (!running())
        return true;
    const bool ended = process.waitForFinished(ms);
    take();
    return ended;
}

QByteArray ToolRun::readOutput()
{
    if (collectLimit >= 0)
        return collected;
    return process.readAllStandardOutput();
}

QString ToolRun::lastErrorLine() const
{
    return lastLineOf(errors);
}

QString ToolRun::lastLineOf(const QByteArray &errorOutput)
{
    const QStringList lines = QString::fromLocal8Bit(errorOutput).split(u'\n', Qt::SkipEmptyParts);
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (const QString line = it->trimmed(); !line.isEmpty())
            return line;
    }
    return {};
}

// Taken as it comes, so that a tool that writes without end is stopped at its limit instead of
// filling this process's memory.
void ToolRun::take()
{
    const QByteArray err = process.readAllStandardError();
    if (collectLimit < 0) {
        errors = QByteArray(errors + err).right(errorTailBytes);
        if (!err.isEmpty())
            emit errorArrived(err);
        return;
    }
    const QByteArray out = process.readAllStandardOutput();
    if (overflowed)
        return;
    collected += out;
    errors += err;
    if (collected.size() + errors.size() > collectLimit) {
        overflowed = true;
        collected.clear();
        errors.clear();
        kill();
    }
}
