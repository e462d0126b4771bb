#pragma once

#include "core/platform/tools.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

// One run of an external tool: its own process group, ended with the program, a watchdog that
// kills it when it is quiet too long, the tail of its error output for the user, and a stop
// that takes whatever it started itself along. The renderer, the preview, the TIFF join and the
// probes all run their tools through it, watched from the event loop or waited for.
class ToolRun final : public QObject
{
    Q_OBJECT

public:
    // Enough of the error output to hold its last few lines.
    static constexpr qsizetype errorTailBytes = 2000;

    explicit ToolRun(QObject *parent = nullptr);
    ~ToolRun() override;
    Q_DISABLE_COPY_MOVE(ToolRun)

    // Keeps all of its output instead of the error tail; more than limit bytes of standard
    // output and standard error together kill the tool.
    void collect(qint64 limit);
    void start(const QString &program, const QStringList &arguments,
               const Tools::Setup &setup = Tools::Setup(),
               QIODevice::OpenMode mode = QIODevice::ReadOnly);
    // (Re)arms the watchdog: without another call within ms, the tool is killed as timed out.
    void watch(int ms);
    void unwatch();
    // Kills the tool at once; ended() follows from the event loop, or from waitForEnd().
    void kill();
    bool waitForStarted();
    bool waitForEnd(int ms);

    bool running() const { return process.state() != QProcess::NotRunning; }
    bool timedOut() const { return timed; }
    bool tooMuchOutput() const { return overflowed; }
    QProcess &tool() { return process; }
    // Standard output not read yet; with collect(), all of it.
    QByteArray readOutput();
    QByteArray errorOutput() const { return errors; }
    // The last line the tool wrote to its error output: why it failed, in its own words.
    QString lastErrorLine() const;
    static QString lastLineOf(const QByteArray &errorOutput);

signals:
    void output();
    // Error output as it comes, besides the tail kept for lastErrorLine().
    void errorArrived(const QByteArray &chunk);
    void ended(int exitCode, QProcess::ExitStatus exitStatus);
    void failedToStart(const QString &why);
    // The watchdog killed the tool; ended() follows.
    void stalled();

private:
    void take();

    QProcess process;
    QTimer watchdog;
    QByteArray collected;
    QByteArray errors;
    qint64 collectLimit = -1; // below 0: only the error tail is kept
    bool timed = false;
    bool overflowed = false;
};
