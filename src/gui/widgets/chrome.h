#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QMouseEvent;
class QPixmap;
class QWidget;

// The program draws its own window frame: each window takes its shape from a background image and
// is moved by dragging its title strip.
namespace Chrome {

// Sets the image as the window's background brush, resizes the window to it and clips the window
// to the image's opaque pixels. Dialogs pass scaleToWindow, so the image is first stretched to
// the size their form gives them. A missing image leaves the window as it is.
void applyBackground(QWidget *window, const QString &imagePath, bool scaleToWindow);

// A skin image drawn at `size` units for a screen of that pixel ratio: the build's largest
// rendition for it (x@3x.png, x@2x.png, x.png) smoothly scaled to exactly the pixels needed.
// Null when the image is missing.
QPixmap skinImage(const QString &imagePath, const QSize &size, qreal ratio);
// The same at the image's own size.
QPixmap skinImage(const QString &imagePath, qreal ratio);

// Where the main window opens: centred in the available screen area, and never with its title
// strip above that area or to its left (a panel at the top, a window larger than the area).
QPoint centredPosition(const QRect &available, const QSize &window);

// Where a dialog opens: centred over its parent window, moved inside the available area where
// the parent lies near an edge.
QPoint overParent(const QRect &parent, const QSize &dialog, const QRect &available);

// Frameless top-level flags for the program's dialogs.
void makeToolWindow(QWidget *dialog);

} // namespace Chrome

// Moves a window while the left button, pressed on its title strip, is held down. Where the
// platform moves windows itself (Wayland, which ignores a window placing itself, and window
// managers that offer it), the press hands the move to it.
class WindowDrag final
{
public:
    void press(QWidget *window, const QWidget *strip, QMouseEvent *event);
    void move(QWidget *window, QMouseEvent *event);
    void release() { dragging = false; }

private:
    bool dragging = false;
    QPoint offset;
};
