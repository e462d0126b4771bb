#include "core/options/pageselection.h"

#include <QStringView>

#include <algorithm>
#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace PageSelection {

namespace {

// Larger than any page count: numbers too long for int stay out of range instead of
// wrapping around or reading as 0.
constexpr qint64 tooLarge = qint64(INT_MAX) + 1;

// A run of digits as a number; anything else (also empty text) counts as 0.
qint64 number(QStringView text)
{
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return 0;
        value = std::min(value * 10 + (c.unicode() - u'0'), tooLarge);
    }
    return value;
}

bool startsWithZero(QStringView text)
{
    return text.startsWith(u'0');
}

QList<QStringView> elements(QStringView text)
{
    return text.split(u',');
}

bool elementPasses(QStringView element, int pageCount)
{
    if (startsWithZero(element))
        return false;
    const qsizetype dash = element.lastIndexOf(u'-');
    if (dash < 0)
        return number(element) <= pageCount;
    const QStringView after = element.mid(dash + 1);
    const qint64 first = number(element.left(dash));
    const qint64 last = number(after);
    return last <= pageCount && first <= pageCount && first != 0 && !startsWithZero(after);
}

} // namespace

bool isAllPagesWord(const QString &text)
{
    return text == u"All"_s || text == u"alle"_s || text == u"Tout"_s || text == u"全部"_s;
}

bool isHintText(const QString &text)
{
    return text == u"Page:example(1,3,7-9)"_s || text == u"ページ範囲"_s ||
           text == u"Seite:z.B.(1,3,5-7)"_s || text == u"Gamme de page, par exemple (1,3,5-7)"_s;
}

Typed checkTyped(const QString &text, int pageCount)
{
    if (isHintText(text))
        return Typed::Ignored;
    for (const auto pair : {u",,", u",-", u"--", u"-,"}) {
        if (text.contains(QStringView(pair)))
            return Typed::Rejected;
    }
    if (text.startsWith(u',') || text.startsWith(u'-'))
        return Typed::Rejected;
    if (isAllPagesWord(text))
        return Typed::Accepted;
    const bool onlyAllowed = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'-' || c == u',';
    });
    if (!onlyAllowed)
        return Typed::Rejected;
    for (const QStringView element : elements(text)) {
        if (!elementPasses(element, pageCount))
            return Typed::Rejected;
    }
    return Typed::Accepted;
}

bool elementValid(const QString &element, int pageCount)
{
    return elementPasses(element, pageCount);
}

bool rangesValid(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QStringView element : elements(text)) {
        const qsizetype dash = element.indexOf(u'-');
        if (dash >= 0 && number(element.left(dash)) >= number(element.mid(dash + 1)))
            return false;
    }
    return true;
}

QList<int> pages(const QString &selection, int pageCount)
{
    QList<int> queue;
    if (isAllPagesWord(selection)) {
        for (int page = 1; page <= pageCount; ++page)
            queue.append(page);
        return queue;
    }
    const auto add = [&queue, pageCount](qint64 page) {
        if (page >= 1 && page <= pageCount)
            queue.append(int(page));
    };
    for (const QStringView element : elements(selection)) {
        if (element.isEmpty())
            continue;
        const qsizetype dash = element.indexOf(u'-');
        if (dash < 0) {
            add(number(element));
            continue;
        }
        const qint64 first = number(element.left(dash));
        const qint64 last = number(element.mid(dash + 1));
        add(first);
        add(last);
        // Only the pages that exist can be added, so a huge range costs no more than the document.
        const qint64 end = std::min<qint64>(last - 1, pageCount);
        for (qint64 page = std::max<qint64>(first + 1, 1); page <= end; ++page)
            add(page);
    }
    std::sort(queue.begin(), queue.end());
    return queue;
}

} // namespace PageSelection
