#pragma once

#include "gui/widgets/framelessdialog.h"

#include <QStringList>

namespace Ui {
class ErrorDialog;
}

// Lists the files an add batch could not take, each with its reason.
class ErrorDialog final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ErrorDialog(QWidget *parent = nullptr);
    ~ErrorDialog() override;
    Q_DISABLE_COPY_MOVE(ErrorDialog)

public slots:
    void setDlg(const QStringList &lines, int batchTotal);

private slots:
    void on_OKButton_clicked();
    void on_CancelButton_clicked();
    void on_mainCls_clicked();

private:
    void retranslate() override;
    void showCounts();

    Ui::ErrorDialog *ui;
    QStringList errorLines;
    int total = 0;
};
