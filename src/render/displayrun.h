#pragma once

#include <QByteArray>
#include <QByteArrayList>

// A renderer command line as Ghostscript's own program takes it, turned into the one this
// process gives Ghostscript's library. PNG and grey PNG are drawn by the display device into
// memory and written by this process; every other device gets the command as it is.
struct DisplayRun
{
    enum class Colour { None, Rgb, Grey };

    Colour colour = Colour::None; // None: Ghostscript writes the images itself
    QByteArrayList arguments;     // for Ghostscript, as bytes as they came
    // Where the pages go, in order: the first from -sOutputFile, each next one from a
    // setpagedevice between documents, which first prints the marker.
    QByteArrayList outputs;

    static DisplayRun of(const QByteArrayList &arguments, const QByteArray &marker);
    // The output pattern's file for a page: "%d" the page's number, "%%" a "%". Empty when the
    // pattern holds any other "%".
    static QByteArray fileName(const QByteArray &pattern, int number);
};
