#pragma once

#include <QList>
#include <QString>

// Everything the engine needs to convert one PDF, taken from its row when the run reaches it.
struct ConversionJob
{
    int row = -1; // the caller's name for the file; every report carries it
    QString sourcePath;
    QString parentFolder;      // the file's fresh output folder is made in here
    bool createParent = false; // a chosen output folder is made again should it have gone
    QString baseName;          // names that folder and, when merged, the joined TIFF
    QString prefix;            // images are named prefix + number + extension
    QString format;
    QString colour;
    int dpi = 0;
    QList<int> pages; // in rendering order: ascending, a page selected twice comes twice
    QString password;
    bool merge = false;  // join the pages into one TIFF (TIFF and FAX)
    int firstNumber = 1; // the number of the first image; the queue assigns it
};
