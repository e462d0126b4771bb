// skinrender <drawing.svg> <width> <height> <out.png> [<out.png>...]
//
// Renders one SVG drawing at the given pixel size into every output file, and at twice and three
// times that size beside it (out@2x.png, out@3x.png), creating missing folders. Qt picks the
// rendition for the screen's scale, so the skin stays sharp at 150 %, 200 % and 300 %. The
// drawing is stretched to fill the whole image; transparent areas stay transparent, because the
// program takes its window masks from the alpha channel.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "skinrender: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The drawings hold shapes only, no text, so no display or font set-up is needed.
    QCoreApplication app(argc, argv);

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5)
        return fail(u"usage: skinrender <drawing.svg> <width> <height> <out.png>..."_s);

    bool widthOk = false;
    bool heightOk = false;
    const int width = args.at(2).toInt(&widthOk);
    const int height = args.at(3).toInt(&heightOk);
    if (!widthOk || !heightOk || width <= 0 || height <= 0)
        return fail(u"invalid size %1x%2"_s.arg(args.at(2), args.at(3)));

    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid())
        return fail(u"cannot read drawing %1"_s.arg(args.at(1)));

    for (const int scale : {1, 2, 3}) {
        QImage image(width * scale, height * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
        painter.end();

        for (qsizetype i = 4; i < args.size(); ++i) {
            QString target = args.at(i);
            if (scale > 1)
                target.insert(target.lastIndexOf(u'.'), u"@%1x"_s.arg(scale));
            if (!QDir().mkpath(QFileInfo(target).absolutePath()))
                return fail(u"cannot create the folder of %1"_s.arg(target));
            if (!image.save(target, "PNG"))
                return fail(u"cannot write %1"_s.arg(target));
        }
    }
    return 0;
}
