#include "probe/printedbox.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

double printed(double coordinate)
{
    char text[64] = {};
    std::snprintf(text, sizeof text, "%.2f", coordinate);
    return std::strtod(text, nullptr);
}

} // namespace

QSizeF PrintedBox::size(double left, double bottom, double right, double top)
{
    return {std::fabs(printed(right) - printed(left)), std::fabs(printed(top) - printed(bottom))};
}
