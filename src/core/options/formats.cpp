#include "core/options/formats.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

const QList<Formats::Format> &Formats::all()
{
    static const QList<Format> catalogue = {
        {u"PNG"_s, u"png16m"_s, u"png"_s, {}, false, false, 0},
        {u"PNGGRAY"_s, u"pnggray"_s, u"png"_s, {}, false, false, 0},
        {u"JPEG"_s, u"jpeg"_s, u"jpeg"_s, {}, false, false, Format::never},
        {u"TIFF"_s,
         u"tiff"_s,
         u"tiff"_s,
         {u"24nc"_s, u"32nc"_s, u"12nc"_s, u"sep"_s, u"crle"_s, u"gray"_s, u"g3"_s, u"g32d"_s,
          u"g4"_s, u"lzw"_s, u"pack"_s},
         true,
         false,
         Format::never},
        {u"BMP"_s,
         u"bmp"_s,
         u"bmp"_s,
         {u"16m"_s, u"256 Color"_s, u"16 Color"_s, u"mono"_s, u"gray"_s, u"sep1"_s, u"sep8"_s,
          u"32bit"_s},
         false,
         false,
         100},
        {u"PSD"_s, u"psd"_s, u"psd"_s, {u"rgb"_s, u"cmyk"_s}, false, false, Format::never},
        {u"PCX"_s,
         u"pcx"_s,
         u"pcx"_s,
         {u"24bit"_s, u"256 Color"_s, u"16 Color"_s, u"mono"_s, u"gray"_s, u"cmyk"_s},
         false,
         false,
         Format::never},
        {u"FAX"_s, u"tiff"_s, u"tiff"_s, {u"g3"_s, u"g32d"_s, u"g4"_s}, true, false, Format::never},
        {u"GIF"_s, u"png16m"_s, u"gif"_s, {}, false, true, 0},
        {u"JPG"_s, u"jpeg"_s, u"jpg"_s, {}, false, false, Format::never},
    };
    return catalogue;
}

int Formats::indexOf(const QString &name)
{
    const QList<Format> &catalogue = all();
    const auto found = std::find_if(catalogue.cbegin(), catalogue.cend(),
                                    [&name](const Format &format) { return format.name == name; });
    return found == catalogue.cend() ? -1 : int(found - catalogue.cbegin());
}

const Formats::Format &Formats::named(const QString &name)
{
    const int index = indexOf(name);
    return all().at(index >= 0 ? index : JPG);
}

QStringList Formats::names()
{
    QStringList list;
    for (const Format &format : all())
        list << format.name;
    return list;
}

QString Formats::nameAt(int index)
{
    return all().at(index >= 0 && index < all().size() ? index : PNG).name;
}

QStringList Formats::colourChoices(const QString &name)
{
    const int index = indexOf(name);
    return index >= 0 ? all().at(index).colours : QStringList();
}

bool Formats::hasColourRow(const QString &name)
{
    return !colourChoices(name).isEmpty();
}

bool Formats::hasMergeRow(const QString &name)
{
    const int index = indexOf(name);
    return index >= 0 && all().at(index).merge;
}

QString Formats::defaultColour(const QString &name)
{
    return colourChoices(name).value(0);
}

QStringList Formats::resolutionChoices()
{
    return {u"72"_s, u"96"_s, u"100"_s, u"120"_s, u"150"_s, u"200"_s, u"300"_s, u"500"_s};
}
