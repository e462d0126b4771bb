#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class Dialog;
}

// Asks what the close button should do: exit or minimise to the tray, and whether to remember the
// answer. The answer is mirrored in config.ini ("OkChecked", "checkBox", "radioNum") every time
// the dialog closes.
class Dialog final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit Dialog(QWidget *parent = nullptr);
    ~Dialog() override;
    Q_DISABLE_COPY_MOVE(Dialog)

    enum Choice { NotChosen = 0, Exit = 1, MinimizeToTray = 2 };

    // Escape answers like "Cancel"; otherwise the last "Yes" would still count.
    void reject() override;

signals:
    void checkBoxchange();
    void DcheckBoxchange();

private slots:
    void on_mainCls_clicked();
    void on_radioButton_2_clicked(bool checked);
    void on_checkBox_clicked(bool checked);
    void on_radioButton_clicked(bool checked);
    void on_NoButton_clicked();
    void on_YesButton_clicked();
    void setCheckBox();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void retranslate() override;
    void cancel();

    Ui::Dialog *ui;
    bool confirmed = false;
    bool remember = false;
    int choice = NotChosen;
};
