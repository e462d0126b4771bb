#include "gui/widgets/screenfit.h"

#include <QApplication>
#include <QScreen>

#include <cmath>
#include <vector>

namespace {

constexpr char scaleVariable[] = "QT_SCALE_FACTOR";
constexpr qreal step = 0.125;
constexpr qreal smallest = 0.5;

} // namespace

qreal ScreenFit::fittingRatio(const QSize &available, const QSize &window, qreal wanted)
{
    if (window.isEmpty() || available.isEmpty())
        return wanted;
    const qreal fits = qMin(qreal(available.width()) / window.width(),
                            qreal(available.height()) / window.height());
    if (wanted <= fits)
        return wanted;
    // Steps the desktops themselves offer (125 %, 112.5 % ...) draw the skin's lines evenly.
    return qMax(smallest, std::floor(fits / step) * step);
}

std::optional<qreal> ScreenFit::scaleFactorFor(const QScreen &screen, const QSize &window)
{
    const qreal ratio = screen.devicePixelRatio();
    const QSize available = (QSizeF(screen.availableGeometry().size()) * ratio).toSize();
    const qreal fitting = fittingRatio(available, window, ratio);
    if (fitting >= ratio)
        return std::nullopt;
    bool given = false;
    qreal factor = qEnvironmentVariable(scaleVariable).toDouble(&given);
    if (!given || factor <= 0)
        factor = 1;
    return factor * fitting / ratio;
}

std::unique_ptr<QApplication> ScreenFit::application(int &argc, char **argv, const QSize &window)
{
    // Qt takes its own options (-platform, ...) out of argv and keeps referring to both: the
    // second application gets the list as it came, in storage that outlives it.
    static int count = argc;
    static std::vector<char *> arguments(argv, argv + argc + 1);

    auto made = std::make_unique<QApplication>(argc, argv);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const std::optional<qreal> factor = screen ? scaleFactorFor(*screen, window) : std::nullopt;
    if (!factor)
        return made;

    made.reset();
    const bool wasSet = qEnvironmentVariableIsSet(scaleVariable);
    const QByteArray desktops = qgetenv(scaleVariable);
    qputenv(scaleVariable, QByteArray::number(*factor, 'g', 8));
    made = std::make_unique<QApplication>(count, arguments.data());
    // Qt has read the scale once and for all; a file manager or the renderer started from the
    // window must not inherit it.
    if (wasSet)
        qputenv(scaleVariable, desktops);
    else
        qunsetenv(scaleVariable);
    return made;
}
