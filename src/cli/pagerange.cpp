#include "cli/pagerange.h"

#include "core/options/pageselection.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Span
{
    int first = 1;
    int last = INT_MAX; // INT_MAX: to the last page
};

std::optional<int> pageNumber(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1 || text.startsWith(u'+'))
        return std::nullopt;
    return number;
}

// Every page, or those of one parity, or the spans of a list; nothing when not valid.
std::optional<QList<Span>> parsed(const QString &selection, int *parity)
{
    QString text = selection;
    text.remove(u' ');
    *parity = 0;
    if (PageSelection::isAllPagesWord(text) || text.compare(u"all"_s, Qt::CaseInsensitive) == 0)
        return QList<Span>{Span()};
    if (text.compare(u"odd"_s, Qt::CaseInsensitive) == 0 ||
        text.compare(u"even"_s, Qt::CaseInsensitive) == 0) {
        *parity = text.compare(u"odd"_s, Qt::CaseInsensitive) == 0 ? 1 : 2;
        return QList<Span>{Span()};
    }
    QList<Span> spans;
    for (const QString &element : text.split(u',')) {
        const qsizetype dash = element.indexOf(u'-');
        const std::optional<int> first = pageNumber(dash < 0 ? element : element.left(dash));
        const QString end = dash < 0 ? QString() : element.mid(dash + 1);
        const std::optional<int> last = dash < 0        ? first
                                        : end.isEmpty() ? INT_MAX
                                                        : pageNumber(end);
        if (!first || !last || *last < *first)
            return std::nullopt;
        spans << Span{*first, *last};
    }
    return spans;
}

} // namespace

bool PageRange::isValid(const QString &selection)
{
    int parity = 0;
    return parsed(selection, &parity).has_value();
}

PageRange::Selected PageRange::of(const QString &selection, int pageCount)
{
    int parity = 0;
    const std::optional<QList<Span>> spans = parsed(selection, &parity);
    Selected selected;
    if (!spans)
        return selected;
    for (const Span &span : *spans) {
        // A span to the last page asks for nothing past it, unless it starts there.
        selected.clipped = selected.clipped || span.first > pageCount ||
                           (span.last != INT_MAX && span.last > pageCount);
        for (int page = span.first; page <= qMin(span.last, pageCount); ++page) {
            if (parity == 0 || page % 2 == parity % 2)
                selected.pages << page;
        }
    }
    std::sort(selected.pages.begin(), selected.pages.end());
    return selected;
}
