#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The external tools keep the names the program has always shown ("P2I.exe", "pdfinfo.exe",
// "tiffcp.exe", "Updates.exe"). A file of that name in the installation folder (the working
// folder) wins, so a bundled tool or a test's fake is used; then the program's own renderer
// there, vezudiri-render (Ghostscript's library); otherwise the platform's own tool is taken from
// PATH: poppler's pdfinfo, libtiff's tiffcp.
namespace Tools {

QString locate(const QString &toolName);

// One tool invocation: the text the program shows and the argument list it really starts, built
// from the same pieces so the two always agree.
struct Command
{
    QString tool;
    QStringList arguments;
};

struct Result
{
    bool started = false;
    bool finished = false;      // false: failed to start, or killed by one of its limits
    bool tooMuchOutput = false; // killed for writing more than its limit
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray standardError;

    bool succeeded() const
    {
        return finished && exitStatus == QProcess::NormalExit && exitCode == 0;
    }
};

// The process gets a process group of its own, and the system kills it when the program ends in
// any way, a crash or SIGKILL included: no tool outlives the program that reads its output.
void endWithParent(QProcess &process);

// What a tool that works in one of the run's folders gets besides.
struct Setup
{
    int workingFolder = -1; // a folder handle: the tool's relative names land exactly there
    int inherited = -1; // a descriptor the tool reads (as /dev/fd/N): a secret off its command line
    bool privateFiles = false; // what it creates is its owner's alone
    qint64 memoryLimit = 0;    // the bytes of data it may allocate (RLIMIT_DATA); 0: no limit
    // Folder handles the tool writes in as /dev/fd/N/, which no one can swap for another folder.
    QList<int> writableFolders = {};
};
void endWithParent(QProcess &process, const Setup &setup);
// Kills the tool and whatever it started itself (a wrapper script's Ghostscript, say).
void kill(QProcess &process);

// What a tool that is run and waited for may take: a tool still running after timeoutMs, or
// writing more than outputBytes to standard output and standard error together, is killed.
struct Limits
{
    int timeoutMs = 0;
    qint64 outputBytes = 0;
    qint64 memoryBytes = 0; // as Setup::memoryLimit
};

// Runs the tool with input on its standard input (a pipe, never its command line or its
// environment) and waits for it. A tool killed at its deadline keeps the standard output it wrote.
Result run(const Command &command, const Limits &limits, const QByteArray &input = QByteArray());

} // namespace Tools
