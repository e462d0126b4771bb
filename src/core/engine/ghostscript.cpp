#include "core/engine/ghostscript.h"

#include "core/engine/conversionjob.h"
#include "core/options/formats.h"

#include <QDir>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The colour names the option table shows for BMP and PCX, as device suffixes.
QString deviceColour(const QString &colour)
{
    if (colour == u"256 Color")
        return u"256"_s;
    if (colour == u"16 Color")
        return u"16"_s;
    if (colour == u"32bit")
        return u"32b"_s;
    if (colour == u"24bit")
        return u"24b"_s;
    return colour;
}

} // namespace

QString RenderJob::device() const
{
    const Formats::Format &entry = Formats::named(format);
    // GIF is drawn as raw pixels, which the program quantises and encodes (EncodeStage).
    if (entry.gif)
        return u"ppmraw"_s;
    if (entry.colours.isEmpty())
        return entry.device;
    // The renderer has no device without a colour, so an unset colour is the format's default.
    return entry.device + deviceColour(colour.isEmpty() ? entry.colours.constFirst() : colour);
}

bool RenderJob::encodedByProgram() const
{
    return device() == u"ppmraw";
}

QString RenderJob::renderedExtension() const
{
    return encodedByProgram() ? u"ppm"_s : extension(format);
}

bool RenderJob::smoothText() const
{
    // One bit a pixel (or a separation) has no shade between ink and paper: the renderer would
    // only move glyph edges, so these images stay byte for byte as they were.
    static const QStringList bilevel = {u"bmpmono"_s,  u"bmpsep1"_s,  u"pcxmono"_s,
                                        u"tiffg3"_s,   u"tiffg32d"_s, u"tiffg4"_s,
                                        u"tiffcrle"_s, u"tifflzw"_s,  u"tiffpack"_s};
    return smooth && !bilevel.contains(device());
}

RenderJob RenderJob::of(const ConversionJob &job)
{
    RenderJob render;
    render.format = job.format;
    render.colour = job.colour;
    render.dpi = job.dpi;
    render.exactDpi = job.exactDpi;
    render.pageDpi = job.pageDpi;
    render.jpegQuality = job.jpegQuality;
    render.smooth = job.smooth;
    return render;
}

int RenderJob::resolution() const
{
    return !exactDpi && dpi >= Formats::named(format).oneDotMoreFrom ? dpi + 1 : dpi;
}

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 17);
}

QString hwResolution(const QPointF &dpi)
{
    return u"/HWResolution ["_s + number(dpi.x()) + u' ' + number(dpi.y()) + u']';
}

QString resolutionOption(const QPointF &dpi)
{
    return u"-r"_s + number(dpi.x()) + (dpi.x() == dpi.y() ? QString() : u'x' + number(dpi.y()));
}

} // namespace

QList<RenderJob::PageRun> RenderJob::pageRuns() const
{
    QList<PageRun> runs;
    const QPointF plain(resolution(), resolution());
    for (const int page : pages) {
        const QPointF dpi = pageDpi.value(page, plain);
        if (runs.isEmpty() || runs.last().dpi != dpi)
            runs.append({dpi, {}});
        runs.last().pages << page;
    }
    if (runs.isEmpty())
        runs.append({plain, pages});
    return runs;
}

QStringList RenderJob::pageOptions(const QList<int> &pages, bool listed)
{
    // A contiguous range needs no page list: the renderer's own first and last page do.
    const int first = pages.value(0, 1);
    const int last = pages.isEmpty() ? first : pages.last();
    if (!listed && (pages.isEmpty() || last - first + 1 == pages.size()))
        return {u"-dFirstPage="_s + QString::number(first),
                u"-dLastPage="_s + QString::number(last)};
    return {u"-sPageList="_s + pageList(pages)};
}

QStringList RenderJob::runOptions(const PageRun &run) const
{
    // A resolution on the command line would hold for every document after it; set in the
    // device, it holds until the next one. Each run names its pages, none inherits a range.
    return QStringList{u"-c"_s, u"<< "_s + hwResolution(run.dpi) + u" >> setpagedevice"_s}
           << pageOptions(run.pages, true) << u"-f"_s;
}

QString RenderJob::resolutionSetting() const
{
    return hwResolution(pageRuns().constFirst().dpi);
}

QStringList RenderJob::sharedOptions() const
{
    QStringList options = {u"-sDEVICE="_s + device(), u"-dSAFER"_s, u"-dBATCH"_s, u"-dNOPROMPT"_s};
    if (!paced)
        options << u"-dNOPAUSE"_s;
    if (device() == u"jpeg")
        options << u"-dJPEGQ="_s + QString::number(qBound(1, jpegQuality, 100));
    const QList<PageRun> runs = pageRuns();
    if (runs.size() == 1)
        options << resolutionOption(runs.constFirst().dpi);
    // Text only: -dGraphicsAlphaBits also smooths lines, but it draws seams between shapes that
    // meet (a chart's or a map's fills) and is a poor fit for the PDF transparency model in this
    // renderer; supersampling (-dDownScaleFactor) is ignored by the BMP and PCX devices, which then
    // write the larger image, and rounds the page to a pixel less. Text gets 16 and more shades,
    // everything else stays as without it.
    if (smoothText())
        options << u"-dTextAlphaBits=4"_s;
    return options;
}

QStringList RenderJob::deviceOptions() const
{
    QStringList options = sharedOptions();
    if (pageRuns().size() == 1)
        options << pageOptions(pages, false);
    return options;
}

QString RenderJob::outputFile(const QString &folder) const
{
    // The renderer reads "%" as the start of a number pattern and a leading "|" as a command to
    // pipe into; "%%" is a plain "%" to it, and "./" keeps a relative path a path.
    const auto escaped = [](QString text) {
        return text.replace(u'%', u"%%"_s);
    };
    QString path = escaped(QDir::toNativeSeparators(folder + u'/')) +
                   (countPages ? escaped(countPrefix) + u"%d"_s : QString()) + escaped(imageName);
    if (QDir::isRelativePath(path) && !path.startsWith(u"./"_s))
        path.prepend(u"./"_s);
    return path;
}

QString RenderJob::outputPath() const
{
    return outputFile(outputFolder);
}

QString RenderJob::text() const
{
    QString command = toolName() + u' ' + deviceOptions().join(u' ') + u" -sOutputFile=\""_s +
                      outputFile(shownFolder.isEmpty() ? outputFolder : shownFolder) + u'"';
    if (!password.isEmpty())
        command += u" -sPDFPassword="_s + password;
    const QString source = u'"' + QDir::toNativeSeparators(sourcePath) + u'"';
    const QList<PageRun> runs = pageRuns();
    if (runs.size() == 1)
        return command + u' ' + source;
    for (const PageRun &run : runs) {
        QStringList options = runOptions(run);
        options[1] = u'"' + options.at(1) + u'"';
        command += u' ' + options.join(u' ') + u' ' + source;
    }
    return command;
}

QStringList RenderJob::arguments() const
{
    QStringList list = deviceOptions();
    list << u"-sOutputFile="_s + outputPath();
    if (!password.isEmpty())
        list << u'@' + passwordFile;
    const QList<PageRun> runs = pageRuns();
    if (runs.size() == 1)
        return list << QDir::toNativeSeparators(sourcePath);
    for (const PageRun &run : runs)
        list << runOptions(run) << QDir::toNativeSeparators(sourcePath);
    return list;
}

QByteArray RenderJob::passwordArgument() const
{
    // The renderer's argument files end a word at white space unless it is quoted, read \" as a
    // quote inside quotes and a doubled backslash at the end of a bare word as one.
    const bool bare = !password.contains(u'"') && std::none_of(password.cbegin(), password.cend(),
                                                               [](QChar c) { return c.isSpace(); });
    if (bare) {
        QString text = u"-sPDFPassword="_s + password;
        if (text.endsWith(u'\\'))
            text += u'\\';
        return text.toUtf8() + '\n';
    }
    QString quoted = password;
    quoted.replace(u'"', u"\\\""_s);
    return "\"-sPDFPassword=" + quoted.toUtf8() + "\"\n";
}

bool RenderJob::passwordFits() const
{
    // A line ends every word; the renderer misreads two backslashes in a row, and a backslash
    // before a closing quote escapes it.
    return !password.contains(u'\n') && !password.contains(u'\r') &&
           !password.contains(u"\\\\"_s) &&
           (!password.endsWith(u'\\') || !passwordArgument().startsWith('"'));
}

QString RenderJob::toolName()
{
    return u"P2I.exe"_s;
}

RenderJob::OutputLine RenderJob::classify(const QString &line)
{
    if (line.contains(u"Page drawing error occurred"))
        return OutputLine::PageDrawingError;
    return line.startsWith(u"Page ") ? OutputLine::PageBegins : OutputLine::Other;
}

QString RenderJob::extension(const QString &format)
{
    return Formats::named(format).extension;
}

QString RenderJob::imageFileName(const QString &prefix, int number, const QString &format)
{
    return prefix + QString::number(number) + u'.' + extension(format);
}

QString RenderJob::pageList(const QList<int> &pages)
{
    QStringList ranges;
    for (qsizetype at = 0; at < pages.size();) {
        qsizetype end = at;
        while (end + 1 < pages.size() && pages.at(end + 1) == pages.at(end) + 1)
            ++end;
        ranges << (end == at
                       ? QString::number(pages.at(at))
                       : QString::number(pages.at(at)) + u'-' + QString::number(pages.at(end)));
        at = end + 1;
    }
    return ranges.join(u',');
}
