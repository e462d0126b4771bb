#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class aboutDlg;
}

// Program title, version, home page of the current language and the ownership notice.
class aboutDlg final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit aboutDlg(QWidget *parent = nullptr);
    ~aboutDlg() override;
    Q_DISABLE_COPY_MOVE(aboutDlg)

    QString version() const;
    QString homePageLink() const;

public slots:
    void setversion(const QString &version);

private slots:
    void openUrl(const QString &url);
    void on_mainCls_clicked();

private:
    void retranslate() override;
    void refreshHomePage();

    Ui::aboutDlg *ui;
};
