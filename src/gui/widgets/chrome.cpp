#include "gui/widgets/chrome.h"

#include <QBitmap>
#include <QIcon>
#include <QImageReader>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QWidget>
#include <QWindow>

void Chrome::applyBackground(QWidget *window, const QString &imagePath, bool scaleToWindow)
{
    const QSize size = scaleToWindow ? window->size() : QImageReader(imagePath).size();
    const QPixmap image = skinImage(imagePath, size, window->devicePixelRatioF());
    if (image.isNull())
        return;

    QPalette palette = window->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(image));
    window->setPalette(palette);
    window->resize(size);
    // The mask is counted in the window's units, whatever the screen's pixels.
    window->setMask(skinImage(imagePath, size, 1).mask());
}

QPixmap Chrome::skinImage(const QString &imagePath, const QSize &size, qreal ratio)
{
    qreal drawnAt = 1;
    QImage image(qt_findAtNxFile(imagePath, ratio, &drawnAt));
    if (image.isNull() || size.isEmpty())
        return {};
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    if (image.size() != pixels)
        image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QPixmap Chrome::skinImage(const QString &imagePath, qreal ratio)
{
    return skinImage(imagePath, QImageReader(imagePath).size(), ratio);
}

QPoint Chrome::centredPosition(const QRect &available, const QSize &window)
{
    const QPoint centred(qMax(0, (available.width() - window.width() - 1) / 2),
                         qMax(0, (available.height() - window.height() - 1) / 2));
    return available.topLeft() + centred;
}

QPoint Chrome::overParent(const QRect &parent, const QSize &dialog, const QRect &available)
{
    const QPoint centred = parent.center() - QPoint(dialog.width() / 2, dialog.height() / 2);
    // The far edges first, so a dialog larger than the area keeps its title strip in view.
    const int x = qMax(available.left(), qMin(centred.x(), available.right() + 1 - dialog.width()));
    const int y =
        qMax(available.top(), qMin(centred.y(), available.bottom() + 1 - dialog.height()));
    return {x, y};
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
    if (strip && QRect(QPoint(0, 0), strip->frameSize()).contains(event->position().toPoint())) {
        QWindow *handle = window->windowHandle();
        dragging = !handle || !handle->startSystemMove();
    }
    event->accept();
}

void WindowDrag::move(QWidget *window, QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !dragging)
        return;
    window->move(event->globalPosition().toPoint() - offset);
    event->accept();
}
