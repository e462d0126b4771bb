#include "core/options/dpi.h"

#include <algorithm>

namespace Dpi {

namespace {

// Text that toLongLong refuses: a whole number too long for it still has a sign and is far
// above or far below the range; anything else counts as 0.
int unparsed(const QString &text)
{
    const QString trimmed = text.trimmed();
    QStringView digits(trimmed);
    const bool negative = digits.startsWith(u'-');
    if (negative || digits.startsWith(u'+'))
        digits = digits.mid(1);
    const bool isNumber =
        !digits.isEmpty() &&
        std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!isNumber)
        return minimum;
    return negative ? minimum : maximum;
}

} // namespace

int clamp(const QString &text)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok)
        return unparsed(text);
    return int(std::clamp<qlonglong>(value, minimum, maximum));
}

QSize pixelSize(int dpi)
{
    if (dpi <= 70)
        return {587, 830};
    if (dpi <= 72)
        return {8 * dpi + 27, 12 * dpi - 10};
    // Above 72 the size grows in steps of four dots per inch.
    static constexpr int widths[] = {587, 596, 604, 612};
    static constexpr int heights[] = {830, 841, 853, 865};
    const int steps = std::min(dpi, maximum) - 72;
    const int k = steps / 4;
    const int r = steps % 4;
    return {33 * k + widths[r], 47 * k + heights[r]};
}

} // namespace Dpi
