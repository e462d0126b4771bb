#pragma once

#include "core/engine/conversionjob.h"
#include "core/platform/toolrun.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QString>

class FileConversion;

// One renderer process for several small files whose commands differ only in their pages, source
// and output, so that the renderer's start-up is paid once for all of them. Each file stays the
// owner of its part (FileConversion): the run hands it what the renderer printed between its
// boundaries and tells it how its part ended. A broken file fails alone while the process goes
// on; a process that ends before its last file fails the file it was rendering (unless nothing
// of it had begun and others shared the process), and the files after it are rendered again,
// each by a process of its own.
class SharedRender final : public QObject
{
    Q_OBJECT

public:
    // Measured on 130 one-page files (bench_small, two workers): 8 files a run took 1.9 times
    // parallel mutool, 16 1.4, 32 1.0, 64 1.2; a crash renders the rest of a run one by one.
    static constexpr int mostFiles = 32;
    // A file with more pages than this pays the start-up on enough pages to render alone, and
    // its pages are shared out among the workers. Measured on 12 files of 10 pages to PNG
    // (bench_png): 4 pages took 1.18 times parallel mutool, 16 pages 0.97.
    static constexpr int mostPages = 16;

    // Whether the job may share a renderer run with others of the same key.
    static bool sharable(const ConversionJob &job);
    static QString key(const ConversionJob &job);

    explicit SharedRender(int timeoutSeconds, QObject *parent = nullptr);
    ~SharedRender() override;
    Q_DISABLE_COPY_MOVE(SharedRender)

    // Renders the files, made ready by FileConversion::startShared(), in this order.
    void start(const QList<FileConversion *> &files);
    // Whether a file still waits for its part or is being rendered: the run holds a worker.
    bool busy() const;

signals:
    // Every file's part has ended.
    void ended();

private:
    struct Part
    {
        QPointer<FileConversion> file;
        bool done = false;
        bool printed = false;     // its boundary came on standard output
        bool errorsEnded = false; // and on the error output
        QByteArray errors;
    };

    void startNext();
    QStringList arguments() const;
    void readOutput(bool atEnd);
    void readErrors(const QByteArray &chunk);
    bool reachedBoundary(int part, int pagesWritten);
    void endPrinted();
    void begin(int part, int pagesBefore);
    void processEnded(int exitCode, QProcess::ExitStatus exitStatus);
    void notStarted(const QString &why);
    void abandoned(FileConversion *file);
    bool alive(int part) const;
    void checkEnded();

    const int timeoutMs;
    QList<Part> parts;
    ToolRun process;
    QString marker; // a boundary's line, unguessable to a document
    int first = 0;  // the process renders parts first to last
    int last = -1;
    int current = -1;   // the part the process renders now
    int errorPart = -1; // the part its error output is about now
    QString outputTail;
    QByteArray pendingErrors; // error output not yet given to a part
    bool nextWaits = false;   // a boundary came on standard output, not yet on the error output
    int pagesAtBoundary = 0;
    bool alone = false;    // a process ended early: one file a process from then on
    bool stopping = false; // the process is ended on a file's behalf
    bool over = false;
};
