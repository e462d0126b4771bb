#pragma once

#include <QSize>

#include <memory>
#include <optional>

class QApplication;
class QScreen;

// The window has one size, in the desktop's units. At a scale where that size does not fit the
// screen (1366x768 at 150 %), the whole program is drawn at the largest scale that fits instead,
// so the window and its dialogs stay whole and usable.
namespace ScreenFit {

// The device pixel ratio to draw a window of `window` units at, on a screen area of `available`
// device pixels, when the desktop asks for `wanted`: `wanted` itself where the window fits at
// it, otherwise the largest step of 1/8 at which it does, never below 1/2.
qreal fittingRatio(const QSize &available, const QSize &window, qreal wanted);

// The QT_SCALE_FACTOR under which a window of that size fits the screen's available area, or
// nothing when it fits as the desktop scales it.
std::optional<qreal> scaleFactorFor(const QScreen &screen, const QSize &window);

// The program's application object, made again at the scale that fits when the window would not
// fit the primary screen. The programs the window starts later keep the desktop's own scale.
std::unique_ptr<QApplication> application(int &argc, char **argv, const QSize &window);

} // namespace ScreenFit
