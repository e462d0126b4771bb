#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <limits>

// The output formats the converter offers, in their fixed order (the index is the format number):
// one entry each, holding all there is to know about a format. Adding a format is adding an entry
// here, and its room estimate in DiskSpace when it uses a new device.
namespace Formats {

enum Index { PNG, PNGGRAY, JPEG, TIFF, BMP, PSD, PCX, FAX, GIF, JPG };

// Rows of the option table that depend on the format.
enum OptionRow { ColourRow = 5, MergeRow = 6 };

struct Format
{
    QString name;      // as the option table and --format show it
    QString device;    // the renderer's device, or its stem when the colour completes it
    QString extension; // of the image files
    // The colour keywords the option table offers, the default first; none: no colour row.
    QStringList colours;
    bool merge = false; // its pages can be joined into one TIFF
    bool gif = false;   // encoded as GIF by the program
    // From this resolution on, the renderer is asked for one dot per inch more, as the images have
    // always been made.
    int oneDotMoreFrom = never;

    static constexpr int never = std::numeric_limits<int>::max();
};

// The catalogue, in format-number order.
const QList<Format> &all();
// The entry of a name; JPG's for a name that is not in the catalogue.
const Format &named(const QString &name);

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
