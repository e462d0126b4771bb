#pragma once

#include <QList>
#include <QString>

// The pages of a PDF as --pages selects them, with pdftoppm's and mutool's habits: All, odd,
// even, or a list of N, A-B and A- (to the last page), spaces allowed; what lies past the last
// page is left out rather than refused.
namespace PageRange {

bool isValid(const QString &selection);

struct Selected
{
    QList<int> pages;     // ascending, a page selected twice comes twice
    bool clipped = false; // some of the pages asked for lie past the last page
};

// The pages of a document of pageCount pages; nothing for a selection that is not valid.
Selected of(const QString &selection, int pageCount);

} // namespace PageRange
