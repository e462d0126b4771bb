#include "render/markedoutput.h"

#include <utility>

MarkedOutput::MarkedOutput(QByteArray marker)
    : marker(std::move(marker))
{}

QByteArray MarkedOutput::take(const QByteArray &text, int *markers)
{
    *markers = 0;
    held += text;
    QByteArray passed;
    for (qsizetype found; (found = held.indexOf(marker)) >= 0; ++*markers) {
        passed += held.left(found);
        held.remove(0, found + marker.size());
    }
    // The longest end that may yet become a marker waits for the next write.
    qsizetype keep = qMin(held.size(), marker.size() - 1);
    while (keep > 0 && !marker.startsWith(held.right(keep)))
        --keep;
    passed += held.left(held.size() - keep);
    held.remove(0, held.size() - keep);
    return passed;
}

QByteArray MarkedOutput::rest()
{
    return std::exchange(held, {});
}
