#include "gui/widgets/framelessdialog.h"

#include "core/settings/appearance.h"

#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTranslator>

FramelessDialog::FramelessDialog(QWidget *parent)
    : QDialog(parent)
    , translator(new QTranslator(this))
{}

void FramelessDialog::LngChange()
{
    const uint language = Appearance::storedLanguage();
    if (language == Appearance::Chinese || language == Appearance::English)
        Appearance::loadAndInstall(translator, Appearance::translationFile(language));
    retranslate();
}

void FramelessDialog::changeStyle()
{
    setStyleSheet(Appearance::currentStyleSheet());
}

void FramelessDialog::showEvent(QShowEvent *event)
{
    // Each time over the window it belongs to, wherever that window has gone since; Wayland
    // places it by itself, next to its parent.
    const QWidget *parent = parentWidget() ? parentWidget()->window() : nullptr;
    if (placedOverParent && parent && parent->isVisible() && !event->spontaneous()) {
        const QScreen *screen = parent->screen();
        move(Chrome::overParent(parent->frameGeometry(), frameGeometry().size(),
                                screen ? screen->availableGeometry() : parent->frameGeometry()));
    }
    QDialog::showEvent(event);
}

void FramelessDialog::mousePressEvent(QMouseEvent *event)
{
    drag.press(this, dragStrip, event);
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    drag.move(this, event);
}

void FramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    drag.release();
    QDialog::mouseReleaseEvent(event);
}
