// Random page selections must never crash the checks, and a selection that passes both checks
// must only name pages the document has.
#include "core/options/pageselection.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // One byte of page count keeps whole-document selections small enough to run many inputs.
    const int pageCount = data[0];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    PageSelection::isHintText(text);
    PageSelection::elementValid(text, pageCount);
    const bool accepted =
        PageSelection::checkTyped(text, pageCount) == PageSelection::Typed::Accepted;
    const bool committed = PageSelection::rangesValid(text);
    const QList<int> pages = PageSelection::pages(text, pageCount);
    if (!accepted || !committed)
        return 0;
    for (const int page : pages) {
        if (page < 1 || page > pageCount)
            std::abort();
    }
    return 0;
}
