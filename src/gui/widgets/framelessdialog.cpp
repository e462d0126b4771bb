#include "gui/widgets/framelessdialog.h"

#include "core/settings/appearance.h"

#include <QMouseEvent>
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
