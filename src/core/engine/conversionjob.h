#pragma once

#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>

// What the user chose for one file, in the words the window's rows and the command line's options
// share.
struct FileChoices
{
    QString sourcePath;
    int pageCount = 0;
    QString pages;        // the page selection as typed; empty or the all-pages word: every page
    QString outputFolder; // the chosen output folder; empty: the PDF's own folder
    QString naming;       // "source", "number" or "template"; anything else names after the source
    QString namingTemplate;
    QString format;
    QString colour;
    int dpi = 0;
    QString password;
    bool merge = false;       // taken only for a format that joins its pages
    bool namesByPage = false; // images carry their page number instead of a running number
    bool smooth = false;      // antialiased text
};

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
    bool merge = false;         // join the pages into one TIFF (TIFF and FAX)
    int firstNumber = 1;        // the number of the first image; the queue assigns it
    bool namesByPage = false;   // images are named after the PDF and their page number
    int pageCount = 0;          // the document's, whose width pads the page numbers in names
    bool smooth = false;        // antialiased text (RenderJob::smooth)
    bool exactDpi = false;      // RenderJob::exactDpi
    int jpegQuality = 100;      // RenderJob::jpegQuality
    QMap<int, QPointF> pageDpi; // RenderJob::pageDpi
    // Named by page: the copies of the first page made before this job, when it goes on from the
    // middle of a page selected twice (the rest of a planned slice).
    int firstCopy = 0;
    // A planned run's folder: its name in parentFolder, fixed by the plan and taken only when it
    // carries the plan's mark (see PlanFolder); the queue keeps its numbers. Empty: a fresh
    // folder.
    QString plannedFolder;
    QString planId;
    // Not empty: once complete, the folder gets a CompletionRecord under this key of the options
    // that shaped its images, unless the PDF changed while it was converted. A plain job's only.
    QString completionKey;

    // The one way both front ends turn a file's choices into a job.
    static ConversionJob from(int row, const FileChoices &choices);

    // The joined TIFF of a merged job.
    QString mergedName() const;
    // The image of pages[index], whatever renders it or plans it.
    QString imageName(int index) const;
    // Which copy of its page the image of pages[index] is: 0 for the first.
    int copyNumber(int index) const;
    // The names the job leaves in its folder: the joined TIFF, or one image per selected page.
    QStringList imageNames() const;
    // Where the renderer writes inside the folder. Parts of one planned folder, run by several
    // machines at once, each have their own, named after their first number.
    QString renderFolderName() const;
};
