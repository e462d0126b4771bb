#pragma once

#include "gui/widgets/chrome.h"

#include <QDialog>

class QTranslator;

// Base of the program's dialogs: a frameless, image-shaped window dragged by its title strip,
// with its own translator and the two slots through which the main window passes on a change
// of language or skin.
class FramelessDialog : public QDialog
{
    Q_OBJECT

public:
    Q_DISABLE_COPY_MOVE(FramelessDialog)

public slots:
    // Loads the Chinese or English file into the dialog's own translator (other languages come
    // from the main window's translator), then retranslates the dialog.
    void LngChange();
    void changeStyle();

protected:
    explicit FramelessDialog(QWidget *parent);

    // The generated retranslation plus whatever texts the dialog sets in code.
    virtual void retranslate() = 0;
    void setDragStrip(const QWidget *strip) { dragStrip = strip; }
    // A dialog that chooses its own place (the toast in the screen's corner).
    void setPlacedOverParent(bool placed) { placedOverParent = placed; }

    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QTranslator *translator;
    const QWidget *dragStrip = nullptr;
    bool placedOverParent = true;
    WindowDrag drag;
};
