#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class passWordPDF;
}

// Asks for the password of a protected PDF. The field keeps the last typed password for the next
// file of the batch.
class passWordPDF final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit passWordPDF(QWidget *parent = nullptr);
    ~passWordPDF() override;
    Q_DISABLE_COPY_MOVE(passWordPDF)

signals:
    void setFileNameText(const QString &path);
    void passwordText(const QString &password);

private slots:
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_mainCls_clicked();

private:
    void retranslate() override;

    Ui::passWordPDF *ui;
};
