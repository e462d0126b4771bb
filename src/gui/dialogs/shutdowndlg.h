#pragma once

#include "gui/widgets/framelessdialog.h"

namespace Ui {
class shutdowndlg;
}

// The countdown before the session is ended after a run. "Yes" acts at once; "No" and the close
// button cancel.
class shutdowndlg final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit shutdowndlg(QWidget *parent = nullptr);
    ~shutdowndlg() override;
    Q_DISABLE_COPY_MOVE(shutdowndlg)

    // Set when a countdown begins: "Yes" then requests the stored post-task action.
    bool planMode = false;

    QString text() const;

signals:
    void stoptimer();
    void nowshutdown(int action);

public slots:
    void setTextEdit(const QString &text);

private slots:
    void on_mainCls_clicked();
    void on_No_clicked();
    void on_Yes_clicked();

private:
    void retranslate() override;

    Ui::shutdowndlg *ui;
};
