#include "gui/dialogs/errordialog.h"

#include "ui_errordialog.h"

using namespace Qt::Literals::StringLiterals;

ErrorDialog::ErrorDialog(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::ErrorDialog)
{
    ui->setupUi(this);
    ui->pdfLabelT->setText(u"VEZ ud IRI"_s);
    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/config.png"_s, true);
    LngChange();
    changeStyle();
    // Every batch starts with an empty list, however the dialog was closed: Escape ends it
    // through done(), which never sees a close event.
    connect(this, &QDialog::finished, this, [this] {
        errorLines.clear();
        ui->errEdit->clear();
    });
}

ErrorDialog::~ErrorDialog()
{
    delete ui;
}

void ErrorDialog::setDlg(const QStringList &lines, int batchTotal)
{
    errorLines.append(lines);
    total = batchTotal;
    showCounts();
    // File names are shown as they are, never read as markup.
    for (const QString &line : lines) {
        ui->errEdit->moveCursor(QTextCursor::End);
        ui->errEdit->insertPlainText(line + u'\n');
    }
}

void ErrorDialog::showCounts()
{
    ui->inLabel->setText(
        tr("Total %1 file(s) be added in filelist.").arg(qMax(0, total - int(errorLines.size()))));
    ui->errorLabel->setText(
        tr("Thefollowing %1 file(s) cann’t be added in filelist.").arg(errorLines.size()));
}

void ErrorDialog::on_OKButton_clicked()
{
    close();
}

void ErrorDialog::on_CancelButton_clicked()
{
    close();
}

void ErrorDialog::on_mainCls_clicked()
{
    close();
}

void ErrorDialog::retranslate()
{
    ui->retranslateUi(this);
    if (!errorLines.isEmpty())
        showCounts();
}
