#pragma once

#include <QSize>
#include <QSizeF>

// How the command line sizes a page's image, as pdftoppm does: a resolution, or pixels
// (-scale-to for the longer side, -scale-to-x/-scale-to-y with -1 for a side of the page). A
// side left open follows the page's proportions; pixel sides are those of the page before it is
// turned, and a part of a pixel makes a whole one.
struct PageScale
{
    int dpi = 120;
    int longest = 0; // pixels of the longer side; 0: not given
    int width = 0;
    int height = 0;

    bool inPixels() const { return longest > 0 || width > 0 || height > 0; }

    struct Raster
    {
        QSize pixels;      // as written, a page turned by 90 or 270 degrees turned
        double xDpi = 0.0; // the renderer's resolution across the image, which gives exactly them
        double yDpi = 0.0;
        double dpi = 0.0; // the resolution the image is tagged with
    };
    // The image of a page of points (its media box) turned by rotation degrees; empty pixels when
    // the page has no area.
    Raster of(const QSizeF &points, int rotation) const;
};
