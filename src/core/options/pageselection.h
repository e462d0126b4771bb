#pragma once

#include <QList>
#include <QString>

// The page selection of one file: "All" (or its translations) or a list such as 1,3,7-9.
namespace PageSelection {

// The words that mean every page, in each interface language.
bool isAllPagesWord(const QString &text);

// The hint item of the page combo, in each interface language; typing it changes nothing.
bool isHintText(const QString &text);

enum class Typed { Ignored, Accepted, Rejected };

// The check made while the user types a selection for a document of pageCount pages.
Typed checkTyped(const QString &text, int pageCount);

// One element of a selection (a page N or a range A-B) as checked while typing.
bool elementValid(const QString &element, int pageCount);

// The check made when the edit is committed: every range must run upwards.
bool rangesValid(const QString &text);

// The pages to render, ascending, duplicates kept. Pages outside 1..pageCount are dropped.
QList<int> pages(const QString &selection, int pageCount);

} // namespace PageSelection
