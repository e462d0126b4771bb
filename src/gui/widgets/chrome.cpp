#include "gui/widgets/chrome.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

void Chrome::applyBackground(QWidget *window, const QString &imagePath, bool scaleToWindow)
{
    QPixmap image(imagePath);
    if (image.isNull())
        return;
    if (scaleToWindow)
        image = image.scaled(window->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);

    QPalette palette = window->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(image));
    window->setPalette(palette);
    window->resize(image.size());
    window->setMask(image.mask());
}

QPoint Chrome::centredPosition(const QSize &available, const QSize &window)
{
    return {(available.width() - window.width() - 1) / 2,
            (available.height() - window.height() - 1) / 2};
}

void Chrome::makeToolWindow(QWidget *dialog)
{
    dialog->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
}

void WindowDrag::press(QWidget *window, const QWidget *strip, QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    offset = event->globalPosition().toPoint() - window->frameGeometry().topLeft();
    if (strip && QRect(QPoint(0, 0), strip->frameSize()).contains(event->position().toPoint()))
        dragging = true;
    event->accept();
}

void WindowDrag::move(QWidget *window, QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !dragging)
        return;
    window->move(event->globalPosition().toPoint() - offset);
    event->accept();
}
