#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QMouseEvent;
class QWidget;

// The program draws its own window frame: each window takes its shape from a background image and
// is moved by dragging its title strip.
namespace Chrome {

// Sets the image as the window's background brush, resizes the window to it and clips the window
// to the image's opaque pixels. Dialogs pass scaleToWindow, so the image is first stretched to
// the size their form gives them. A missing image leaves the window as it is.
void applyBackground(QWidget *window, const QString &imagePath, bool scaleToWindow);

// Where the main window opens: centred by the size of the available screen area alone, whatever
// that area's origin.
QPoint centredPosition(const QSize &available, const QSize &window);

// Frameless top-level flags for the program's dialogs.
void makeToolWindow(QWidget *dialog);

} // namespace Chrome

// Moves a window while the left button, pressed on its title strip, is held down.
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
