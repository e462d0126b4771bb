#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class information;
}

// The result toast: how many files of a run succeeded and failed. It slides up from the
// bottom-right corner of the screen and slides away again when closed where it came to rest.
class information final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit information(QWidget *parent = nullptr);
    ~information() override;
    Q_DISABLE_COPY_MOVE(information)

    // Slides in from below the bottom-right corner of the available screen area.
    void slideIn();
    // Milliseconds waited before each step of a slide; tests make it 0.
    static void setStepDelay(int milliseconds);
    // "Successfully" only when no file failed.
    static QString titleFor(int total, int failed);

public slots:
    void setLabelText(int total, int failed);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void retranslate() override;
    static void pause();

    Ui::information *ui;
    int lastTotal = 0;
    int lastFailed = 0;
};
