#include "core/engine/runprogress.h"

#include <algorithm>
#include <cmath>

void RunProgress::addFile(int row, int pages)
{
    m_files.insert(row, File{qMax(pages, 0), 0, false});
}

void RunProgress::setPercent(int row, int percent)
{
    if (const auto file = m_files.find(row); file != m_files.end())
        file->percent = qBound(0, percent, 100);
}

void RunProgress::endFile(int row)
{
    if (const auto file = m_files.find(row); file != m_files.end()) {
        file->percent = 100;
        file->ended = true;
    }
}

int RunProgress::filesDone() const
{
    return int(std::count_if(m_files.cbegin(), m_files.cend(),
                             [](const File &file) { return file.ended; }));
}

int RunProgress::pages() const
{
    int total = 0;
    for (const File &file : m_files)
        total += file.pages;
    return total;
}

double RunProgress::exactPagesDone() const
{
    double done = 0;
    for (const File &file : m_files)
        done += file.pages * file.percent / 100.0;
    return done;
}

int RunProgress::pagesDone() const
{
    return int(std::floor(exactPagesDone() + 1e-9));
}

double RunProgress::fraction() const
{
    const int total = pages();
    return total > 0 ? exactPagesDone() / total : 0.0;
}

std::optional<qint64> RunProgress::secondsLeft(qint64 elapsedMs) const
{
    const double done = fraction();
    if (done <= 0)
        return std::nullopt;
    return qint64(std::ceil(elapsedMs * (1 - done) / done / 1000.0));
}
