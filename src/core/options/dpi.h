#pragma once

#include <QSize>
#include <QString>

// The resolution of a file's images and the page size in pixels it gives.
namespace Dpi {

constexpr int minimum = 70;
constexpr int maximum = 1000;

// The resolution typed by the user, within minimum..maximum; text that is no number counts as 0.
int clamp(const QString &text);

// Width and height of a page at the given resolution, as the option table shows them; a
// resolution above maximum counts as maximum.
QSize pixelSize(int dpi);

} // namespace Dpi
