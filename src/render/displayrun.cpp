#include "render/displayrun.h"

#include <ghostscript/gdevdsp.h>

namespace {

QByteArray displayFormat(DisplayRun::Colour colour)
{
    const unsigned int colours =
        colour == DisplayRun::Colour::Grey ? DISPLAY_COLORS_GRAY : DISPLAY_COLORS_RGB;
    return "-dDisplayFormat=" + QByteArray::number(colours | DISPLAY_ALPHA_NONE | DISPLAY_DEPTH_8 |
                                                   DISPLAY_BIGENDIAN | DISPLAY_TOPFIRST);
}

} // namespace

DisplayRun DisplayRun::of(const QByteArrayList &arguments, const QByteArray &marker)
{
    DisplayRun run;
    if (arguments.contains("-sDEVICE=png16m"))
        run.colour = Colour::Rgb;
    else if (arguments.contains("-sDEVICE=pnggray"))
        run.colour = Colour::Grey;
    if (run.colour == Colour::None) {
        run.arguments = arguments;
        return run;
    }
    const QByteArray outputFile = "-sOutputFile=";
    const QByteArray outputKey = "/OutputFile (";
    for (qsizetype at = 0; at < arguments.size(); ++at) {
        const QByteArray &argument = arguments.at(at);
        if (argument.startsWith("-sDEVICE=")) {
            run.arguments << "-sDEVICE=display" << displayFormat(run.colour);
        } else if (argument.startsWith(outputFile)) {
            // Only the first: Ghostscript itself takes no other from the command line.
            if (run.outputs.isEmpty())
                run.outputs << argument.mid(outputFile.size());
        } else if (at > 0 && arguments.at(at - 1) == "-c" && argument.contains(outputKey)) {
            // The display device keeps no output file: the pages after this point go to the
            // one named here, which the marker announces.
            const qsizetype start = argument.indexOf(outputKey) + outputKey.size();
            const qsizetype end = argument.indexOf(')', start);
            run.outputs << (end < 0 ? QByteArray() : argument.mid(start, end - start));
            run.arguments << '(' + marker + ") print flush " + argument;
        } else {
            run.arguments << argument;
        }
    }
    return run;
}

QByteArray DisplayRun::fileName(const QByteArray &pattern, int number)
{
    QByteArray name;
    for (qsizetype at = 0; at < pattern.size(); ++at) {
        if (pattern.at(at) != '%') {
            name += pattern.at(at);
        } else if (pattern.mid(at, 2) == "%%") {
            name += '%';
            ++at;
        } else if (pattern.mid(at, 2) == "%d") {
            name += QByteArray::number(number);
            ++at;
        } else {
            return {};
        }
    }
    return name;
}
