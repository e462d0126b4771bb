#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>

// Ghostscript, the renderer: one run renders the selected pages of one PDF, one image file a
// page. Its command line and the reading of its output live here.
struct ConversionJob;

class RenderJob final
{
public:
    // A file's choices of how its pages look: format, colour, resolutions, quality, smoothing.
    static RenderJob of(const ConversionJob &job);

    QString format; // a name of the format catalogue; any other name renders as "JPG"
    QString colour; // colour keyword; empty gives the format's default colour
    int dpi = 0;
    QList<int> pages{1};  // ascending, each page once
    QString outputFolder; // "/" separators; relative to the renderer's working folder
    QString shownFolder;  // where outputFolder is, for the text; empty: outputFolder itself
    // The image file in outputFolder, taken as it is. With countPages, the renderer writes one
    // file a page and puts the number of pages written so far (1, 2, 3 ...) in front of it.
    QString imageName;
    bool countPages = false;
    QString countPrefix;  // with countPages: in front of the number, to tell runs apart
    QString password;     // empty when the document needs none
    QString passwordFile; // where the renderer reads passwordArgument(), never its command line
    QString sourcePath;
    // Antialiased text. Devices that draw only black and white ignore it: their images stay as
    // they always were.
    bool smooth = false;
    // Renders at dpi itself, as pdftoppm does, never one dot more (the command line's way).
    bool exactDpi = false;
    int jpegQuality = 100; // 1 to 100
    // After each page the renderer waits for a line on its standard input, and runs on once that
    // input ends: the program lets it write no more raw pages than its encoders can take.
    bool paced = false;
    // A page's own resolution across and down (PageScale), for exact pixels on pages of any size.
    // The renderer is given each run of pages that share one in turn; without any, resolution().
    QMap<int, QPointF> pageDpi;

    QString device() const;
    // GIF: the renderer writes raw pixels, which the program encodes. PNG and PNGGRAY the
    // renderer (vezudiri-render) encodes itself, from the page in its memory.
    bool encodedByProgram() const;
    // The extension of what the renderer writes: the format's own, or that of the raw pixels.
    QString renderedExtension() const;
    int resolution() const;
    // Whether the command asks for smooth text: chosen, and a device with shades to draw it in.
    bool smoothText() const;

    // The command as the user reads it; it names the same arguments the renderer gets.
    QString text() const;
    QStringList arguments() const;
    // What every file of a shared renderer run has in common: all but the pages, the output
    // file and the source.
    QStringList sharedOptions() const;
    // The resolution of a job whose pages share one, as a device setting: a renderer that goes
    // on from another document is given it with the next document's output.
    QString resolutionSetting() const;
    bool oneResolution() const { return pageRuns().size() == 1; }
    // The output file the renderer is given: outputFolder, the count and imageName.
    QString outputPath() const;
    // The password as the one line of the renderer's argument file.
    QByteArray passwordArgument() const;
    // Whether that line can carry the password: not a line break, two backslashes in a row, nor
    // a backslash at the end of a password with white space or quotes.
    bool passwordFits() const;

    // The name the renderer goes by (Tools::locate).
    static QString toolName();
    // What a line the renderer prints says.
    enum class OutputLine {
        Other,
        PageBegins,       // "Page N": the page before it is complete
        PageDrawingError, // the page being drawn is missing or cut short (a full disk, say)
    };
    static OutputLine classify(const QString &line);

    static QString extension(const QString &format);
    static QString imageFileName(const QString &prefix, int number, const QString &format);
    // "1,3,7-9" for the pages 1, 3, 7, 8, 9.
    static QString pageList(const QList<int> &pages);

private:
    // Pages in order that share one resolution, rendered as one document after another.
    struct PageRun
    {
        QPointF dpi;
        QList<int> pages;
    };
    QList<PageRun> pageRuns() const;
    QStringList deviceOptions() const;
    static QStringList pageOptions(const QList<int> &pages, bool listed);
    // The arguments before each run's document: its resolution and pages.
    QStringList runOptions(const PageRun &run) const;
    QString outputFile(const QString &folder) const;
};
