#pragma once

#include <QString>
#include <QStringList>

// The output formats the converter offers, in their fixed order (the index is the format number),
// and for each the choices the option table offers.
namespace Formats {

enum Index { PNG, PNGGRAY, JPEG, TIFF, BMP, PSD, PCX, FAX, GIF, JPG };

// Rows of the option table that depend on the format.
enum OptionRow { ColourRow = 5, MergeRow = 6 };

QStringList names();
// The name of a format number; any number outside the catalogue gives "PNG".
QString nameAt(int index);
// -1 for a name that is not in the catalogue (exact, case-sensitive).
int indexOf(const QString &name);

bool hasColourRow(const QString &name);
bool hasMergeRow(const QString &name);
// The colour keywords offered for a format, the first being its default.
QStringList colourChoices(const QString &name);
QString defaultColour(const QString &name);

QStringList resolutionChoices();
inline constexpr char16_t defaultResolution[] = u"120";

} // namespace Formats
