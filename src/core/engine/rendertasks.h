#pragma once

#include <QList>

// A file's distinct pages cut into contiguous ranges, one for each renderer run. A worker that
// comes free takes the later half of the pages not begun of the range with the most of them;
// the range it took them from ends after its own last page.
class RenderTasks final
{
public:
    struct Range
    {
        int first = 0;     // the index of its first distinct page
        int count = 0;     // the distinct pages it renders
        int begun = 0;     // pages its renderer has begun, beyond count when it was cut
        int completed = 0; // pages given their final names
        bool cut = false;  // another range took its later pages
        bool ended = false;
        bool timedOut = false;

        // Its own pages are all complete after a cut: the renderer is stopped.
        bool ownPagesDone() const { return cut && completed == count; }
        bool taking() const { return !ended && !timedOut; }
    };

    // Fewer pages than this are not worth another renderer's start.
    static constexpr int leastPages = 4;

    // Ranges of nearly equal length for up to runs renderers, none shorter than leastPages.
    void split(int pages, int runs);
    // The later half of the not begun pages of the range with the most becomes a range of its
    // own, last in the list; -1 when too few are left to be worth it.
    int takeLaterHalf();

    int size() const { return int(ranges.size()); }
    Range &operator[](int range) { return ranges[range]; }
    const Range &operator[](int range) const { return ranges.at(range); }
    // The range that renders the distinct page at index.
    int rangeOf(int index) const;
    // The most pages one range still taking work has not begun.
    int pagesNotBegun() const;
    // The images of the pages begun over every range, each counted once; images gives the
    // number of images of each distinct page.
    int imagesBegun(const QList<int> &images) const;
    int going() const;

    // Of several files' pages not begun, the one with the most; -1 for none.
    static int mostLeft(const QList<int> &pagesNotBegun);

private:
    QList<Range> ranges;
};
