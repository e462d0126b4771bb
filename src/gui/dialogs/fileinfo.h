#pragma once

#include "gui/widgets/framelessdialog.h"

#include <QStringList>

namespace Ui {
class fileInfo;
}

// Shows a PDF's properties: name, folder, creation date, size, page size, pages, PDF version.
class fileInfo final : public FramelessDialog
{
    Q_OBJECT

public:
    explicit fileInfo(QWidget *parent = nullptr);
    ~fileInfo() override;
    Q_DISABLE_COPY_MOVE(fileInfo)

signals:
    void SetFileInfo(const QStringList &values);

public slots:
    // Seven values in the order of the dialog's rows.
    void setFileText(const QStringList &values);

private slots:
    void on_mainCls_clicked();

private:
    void retranslate() override;

    Ui::fileInfo *ui;
};
