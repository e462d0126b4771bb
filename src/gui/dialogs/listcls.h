#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class ListCls;
}

// Warns that closing the program drops the conversion list. "OK" closes the main window too.
class ListCls final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ListCls(QWidget *parent);
    ~ListCls() override;
    Q_DISABLE_COPY_MOVE(ListCls)

private slots:
    void on_Cancel_clicked();
    void on_mainCls_clicked();
    void on_OK_clicked();

private:
    void retranslate() override;

    Ui::ListCls *ui;
};
