#include "core/options/pagescale.h"

#include <cmath>
#include <limits>

namespace {

// pdftoppm's arithmetic, in its order, so the sides round as its do.
int side(double pixels)
{
    const double whole = std::ceil(pixels);
    if (!(whole >= 1))
        return 0;
    return whole >= std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : int(whole);
}

} // namespace

PageScale::Raster PageScale::of(const QSizeF &points, int rotation) const
{
    const double w = points.width();
    const double h = points.height();
    Raster raster;
    if (!(w > 0 && h > 0))
        return raster;
    double xResolution = dpi;
    double yResolution = dpi;
    double pixelsWide = 0;
    double pixelsHigh = 0;
    if (longest > 0) {
        xResolution = yResolution = 72.0 * longest / (w > h ? w : h);
        pixelsWide = w > h ? longest : w * (xResolution / 72.0);
        pixelsHigh = w > h ? h * (yResolution / 72.0) : longest;
    } else {
        if (width > 0)
            xResolution = yResolution = 72.0 * width / w;
        if (height > 0) {
            yResolution = 72.0 * height / h;
            if (width <= 0)
                xResolution = yResolution;
        }
        // Here pdftoppm multiplies before it divides: 792 points at 300 DPI are 3300 pixels, not
        // one more.
        pixelsWide = width > 0 ? width : w * xResolution / 72.0;
        pixelsHigh = height > 0 ? height : h * yResolution / 72.0;
    }
    const QSize upright(side(pixelsWide), side(pixelsHigh));
    if (upright.isEmpty())
        return raster;
    // The renderer rounds a side to the nearest pixel; asked for the exact count over the page,
    // it draws that many.
    raster.xDpi = 72.0 * upright.width() / w;
    raster.yDpi = 72.0 * upright.height() / h;
    raster.dpi = xResolution;
    const bool turned = rotation % 180 != 0;
    raster.pixels = turned ? upright.transposed() : upright;
    if (turned)
        std::swap(raster.xDpi, raster.yDpi);
    return raster;
}
