#pragma once

#include <QSizeF>

// A page box as pdfinfo prints it with "%8.2f" and the program reads it back: the size between
// the rounded corners. The C library rounds, as pdfinfo's does (Qt's rounds some halves the other
// way), in the C locale this process keeps.
namespace PrintedBox {

QSizeF size(double left, double bottom, double right, double top);

} // namespace PrintedBox
