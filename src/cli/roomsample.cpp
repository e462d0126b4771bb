#include "cli/roomsample.h"

#include "cli/pagerange.h"
#include "core/engine/encodedsample.h"

#include <algorithm>

double RoomSample::bytesPerPixel(const Plan &plan)
{
    const BatchChoices &choices = plan.choices;
    if (!EncodedSample::measured(choices.format))
        return 0;
    // A protected PDF would need its password handed to one more renderer: not worth it.
    QList<const PlanEntry *> candidates;
    for (const PlanEntry &entry : plan.entries) {
        if (entry.failure.isEmpty() && !entry.isProtected && entry.size > 0 &&
            entry.pageCount > 0 && entry.boxes.size() == entry.pageCount)
            candidates << &entry;
    }
    const auto heavier = [](const PlanEntry *a, const PlanEntry *b) {
        return double(a->size) / a->pageCount > double(b->size) / b->pageCount;
    };
    const qsizetype taken = qMin<qsizetype>(files, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + taken, candidates.end(), heavier);
    double most = 0;
    for (qsizetype index = 0; index < taken; ++index) {
        const PlanEntry &entry = *candidates.at(index);
        const QList<int> selected = PageRange::of(choices.pages, entry.pageCount).pages;
        EncodedSample::Request request{
            entry.source,  {}, {}, choices.format, choices.colour, choices.jpegQuality,
            choices.smooth};
        // Pages spread over the selection, each once and in order.
        for (int pick = 0; pick < pagesPerFile && !selected.isEmpty(); ++pick) {
            const int page =
                selected.at(qsizetype(pick) * (selected.size() - 1) / (pagesPerFile - 1));
            if (request.pages.isEmpty() || request.pages.constLast() < page) {
                request.pages << page;
                request.boxes << entry.boxes.at(page - 1);
            }
        }
        most = qMax(most, EncodedSample::bytesPerPixel(request));
    }
    return most;
}
