#include "rendercommand.h"

#include "options/formats.h"

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

QString RenderJob::knownFormat() const
{
    return Formats::indexOf(format) >= 0 ? format : u"JPG"_s;
}

QString RenderJob::device() const
{
    const QString name = knownFormat();
    if (name == u"PNG" || name == u"GIF")
        return u"png16m"_s;
    if (name == u"PNGGRAY")
        return u"pnggray"_s;
    if (name == u"JPEG" || name == u"JPG")
        return u"jpeg"_s;
    // The renderer has no device without a colour, so an unset colour is the format's default.
    const QString chosen = colour.isEmpty() ? Formats::defaultColour(name) : colour;
    if (name == u"BMP")
        return u"bmp"_s + deviceColour(chosen);
    if (name == u"PCX")
        return u"pcx"_s + deviceColour(chosen);
    if (name == u"PSD")
        return u"psd"_s + chosen;
    return u"tiff"_s + chosen;
}

int RenderJob::resolution() const
{
    const QString name = knownFormat();
    if (name == u"PNG" || name == u"PNGGRAY" || name == u"GIF")
        return dpi + 1;
    if (name == u"BMP" && dpi > 99)
        return dpi + 1;
    return dpi;
}

QStringList RenderJob::deviceOptions() const
{
    QStringList options = {u"-sDEVICE="_s + device(), u"-dSAFER"_s, u"-dBATCH"_s, u"-dNOPROMPT"_s,
                           u"-dNOPAUSE"_s};
    if (device() == u"jpeg")
        options << u"-dJPEGQ=100"_s;
    options << u"-r"_s + QString::number(resolution());
    // A contiguous range needs no page list: the renderer's own first and last page do.
    const int first = pages.value(0, 1);
    const int last = pages.isEmpty() ? first : pages.last();
    if (pages.isEmpty() || last - first + 1 == pages.size()) {
        options << u"-dFirstPage="_s + QString::number(first)
                << u"-dLastPage="_s + QString::number(last);
    } else {
        options << u"-sPageList="_s + pageList(pages);
    }
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
                   (countPages ? u"%d"_s : QString()) + escaped(imageName);
    if (QDir::isRelativePath(path) && !path.startsWith(u"./"_s))
        path.prepend(u"./"_s);
    return path;
}

QString RenderJob::text() const
{
    QString command = u"P2I.exe "_s + deviceOptions().join(u' ') + u" -sOutputFile=\""_s +
                      outputFile(shownFolder.isEmpty() ? outputFolder : shownFolder) + u'"';
    if (!password.isEmpty())
        command += u" -sPDFPassword="_s + password;
    return command + u" \""_s + QDir::toNativeSeparators(sourcePath) + u'"';
}

QStringList RenderJob::arguments() const
{
    QStringList list = deviceOptions();
    list << u"-sOutputFile="_s + outputFile(outputFolder);
    if (!password.isEmpty())
        list << u'@' + passwordFile;
    list << QDir::toNativeSeparators(sourcePath);
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

QString RenderJob::extension(const QString &format)
{
    // in the order of the format catalogue
    static const QStringList extensions = {u"png"_s, u"png"_s, u"jpeg"_s, u"tiff"_s, u"bmp"_s,
                                           u"psd"_s, u"pcx"_s, u"tiff"_s, u"gif"_s,  u"jpg"_s};
    const int index = Formats::indexOf(format);
    return index >= 0 ? extensions.at(index) : u"jpg"_s;
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
