#pragma once

#include "render/displayrun.h"

#include <ghostscript/gdevdsp.h>

#include <QPointF>
#include <QString>

// Writes each page the display device draws as PNG, under the name its run's output pattern gives
// the page's number, and says on the error output why a page could not be written, as
// Ghostscript does for its own devices; the page then fails as a page drawing error.
class PageWriter
{
public:
    PageWriter(void *instance, DisplayRun run);

    // For the display device, with this writer as their handle.
    static display_callback *callbacks();
    // The marker came: the pages from now on go to the next output.
    void nextOutput() { ++output; }

private:
    struct Callbacks;

    int presize(int width, int height);
    int size(int width, int height, int raster, unsigned char *image);
    int page();
    // The display device's setting, as Ghostscript prints it.
    QString setting(const char *name) const;
    QPointF resolution() const;
    int fail(const QString &why) const;

    void *const instance;
    const DisplayRun run;
    int output = 0;
    int width = 0;
    int height = 0;
    int raster = 0;
    const unsigned char *pixels = nullptr;
    QString refused; // why the device's last size was refused, for the page drawn at it
};
