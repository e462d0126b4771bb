#pragma once

#include <QDialog>

namespace Ui {
class StartDlg;
}
class QTranslator;

// The splash: title, version and an "Initializing:" line, flashed before the main window.
class StartDlg final : public QDialog
{
    Q_OBJECT

public:
    explicit StartDlg(QWidget *parent = nullptr);
    ~StartDlg() override;
    Q_DISABLE_COPY_MOVE(StartDlg)

signals:
    void setStartLab(const QString &text);

private:
    Ui::StartDlg *ui;
    QTranslator *translator;
};
