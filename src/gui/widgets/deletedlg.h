#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class deleteDlg;
}

// The program's yes/no question and warning box. exec() accepts only on "Yes"; a caller that must
// tell "No" from the close button reads closedByCloseButton.
class deleteDlg final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit deleteDlg(QWidget *parent = nullptr);
    ~deleteDlg() override;
    Q_DISABLE_COPY_MOVE(deleteDlg)

    bool closedByCloseButton = false;

public slots:
    void setTextEdit(const QString &text);

private slots:
    void on_mainCls_clicked();
    void on_No_clicked();
    void on_Yes_clicked();

private:
    void retranslate() override;

    Ui::deleteDlg *ui;
};
