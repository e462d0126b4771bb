#pragma once

#include <QMap>
#include <QtGlobal>

#include <optional>

// How far a run has come, from what each file reports: files and pages done of all of them, and
// the time left at the pace so far.
class RunProgress final
{
public:
    void clear() { m_files.clear(); }
    void addFile(int row, int pages);
    void setPercent(int row, int percent);
    // Finished or failed: the run is past all of its pages.
    void endFile(int row);

    int files() const { return int(m_files.size()); }
    int filesDone() const;
    int pages() const;
    int pagesDone() const;
    // 0 to 1.
    double fraction() const;
    // Nothing until some of the work is done.
    std::optional<qint64> secondsLeft(qint64 elapsedMs) const;

private:
    struct File
    {
        int pages = 0;
        int percent = 0;
        bool ended = false;
    };
    double exactPagesDone() const;

    QMap<int, File> m_files;
};
