#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class ProDlg;
}

// Counts the files of an add batch while they are probed. It cannot be dragged.
class ProDlg final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ProDlg(QWidget *parent = nullptr);
    ~ProDlg() override;
    Q_DISABLE_COPY_MOVE(ProDlg)

    // The main window retranslates this form itself; the dialog keeps no translator of its own.
    void retranslate() override;
    int progressValue() const;

public slots:
    // One more file of a batch of total files.
    void setProValue(int total);

private slots:
    void on_closeBtn_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Ui::ProDlg *ui;
    int progressCount = 0;
};
