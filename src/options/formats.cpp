#include "options/formats.h"

using namespace Qt::Literals::StringLiterals;

QStringList Formats::names()
{
    return {u"PNG"_s, u"PNGGRAY"_s, u"JPEG"_s, u"TIFF"_s, u"BMP"_s,
            u"PSD"_s, u"PCX"_s,     u"FAX"_s,  u"GIF"_s,  u"JPG"_s};
}

QString Formats::nameAt(int index)
{
    const QStringList all = names();
    return index >= 0 && index < all.size() ? all.at(index) : all.at(PNG);
}

int Formats::indexOf(const QString &name)
{
    return int(names().indexOf(name));
}

QStringList Formats::colourChoices(const QString &name)
{
    if (name == u"TIFF")
        return {u"24nc"_s, u"32nc"_s, u"12nc"_s, u"sep"_s, u"crle"_s, u"gray"_s,
                u"g3"_s,   u"g32d"_s, u"g4"_s,   u"lzw"_s, u"pack"_s};
    if (name == u"BMP")
        return {u"16m"_s,  u"256 Color"_s, u"16 Color"_s, u"mono"_s,
                u"gray"_s, u"sep1"_s,      u"sep8"_s,     u"32bit"_s};
    if (name == u"PSD")
        return {u"rgb"_s, u"cmyk"_s};
    if (name == u"PCX")
        return {u"24bit"_s, u"256 Color"_s, u"16 Color"_s, u"mono"_s, u"gray"_s, u"cmyk"_s};
    if (name == u"FAX")
        return {u"g3"_s, u"g32d"_s, u"g4"_s};
    return {};
}

bool Formats::hasColourRow(const QString &name)
{
    return !colourChoices(name).isEmpty();
}

bool Formats::hasMergeRow(const QString &name)
{
    return name == u"TIFF" || name == u"FAX";
}

QString Formats::defaultColour(const QString &name)
{
    return colourChoices(name).value(0);
}

QStringList Formats::resolutionChoices()
{
    return {u"72"_s, u"96"_s, u"100"_s, u"120"_s, u"150"_s, u"200"_s, u"300"_s, u"500"_s};
}
