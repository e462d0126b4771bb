#include "core/engine/rendertasks.h"

#include <QtGlobal>

#include <algorithm>

void RenderTasks::split(int pages, int runs)
{
    ranges.clear();
    const int count = qBound(1, qMin(runs, pages / leastPages), qMax(1, pages));
    for (int at = 0; at < count; ++at) {
        Range range;
        range.first = int(qint64(pages) * at / count);
        range.count = int(qint64(pages) * (at + 1) / count) - range.first;
        ranges << range;
    }
}

int RenderTasks::takeLaterHalf()
{
    const int left = pagesNotBegun();
    if (left < 2 * leastPages)
        return -1;
    const auto giving = std::find_if(ranges.begin(), ranges.end(), [left](const Range &range) {
        return range.taking() && range.count - range.begun == left;
    });
    const int end = giving->first + giving->count;
    giving->count = giving->begun + left / 2;
    giving->cut = true;
    Range taken;
    taken.first = giving->first + giving->count;
    taken.count = end - taken.first;
    ranges << taken;
    return size() - 1;
}

int RenderTasks::rangeOf(int index) const
{
    for (int range = 0; range < size(); ++range) {
        const Range &each = ranges.at(range);
        if (index >= each.first && index < each.first + each.count)
            return range;
    }
    return size() - 1;
}

int RenderTasks::pagesNotBegun() const
{
    int most = 0;
    for (const Range &range : ranges) {
        if (range.taking())
            most = qMax(most, range.count - range.begun);
    }
    return most;
}

int RenderTasks::imagesBegun(const QList<int> &images) const
{
    int sum = 0;
    for (const Range &range : ranges) {
        // A cut renderer goes on with the pages it gave away until it is stopped.
        for (int local = 0; local < qMin(range.begun, range.count); ++local)
            sum += images.value(range.first + local);
    }
    return sum;
}

int RenderTasks::going() const
{
    return int(std::count_if(ranges.cbegin(), ranges.cend(),
                             [](const Range &range) { return !range.ended; }));
}

int RenderTasks::mostLeft(const QList<int> &pagesNotBegun)
{
    if (pagesNotBegun.isEmpty())
        return -1;
    return int(std::max_element(pagesNotBegun.cbegin(), pagesNotBegun.cend()) -
               pagesNotBegun.cbegin());
}
