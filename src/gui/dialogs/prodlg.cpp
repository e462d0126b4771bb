#include "gui/dialogs/prodlg.h"

#include "ui_prodlg.h"

#include <QCloseEvent>

using namespace Qt::Literals::StringLiterals;

ProDlg::ProDlg(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::ProDlg)
{
    ui->setupUi(this);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    changeStyle();
}

ProDlg::~ProDlg()
{
    delete ui;
}

void ProDlg::retranslate()
{
    ui->retranslateUi(this);
}

int ProDlg::progressValue() const
{
    return ui->openPorcBar->value();
}

void ProDlg::setProValue(int total)
{
    ++progressCount;
    // Multiply first, so the bar moves for batches of more than a hundred files too.
    ui->openPorcBar->setValue(total > 0 ? int(qint64(progressCount) * 100 / total) : 0);
    if (progressCount >= total)
        close();
}

void ProDlg::on_closeBtn_clicked()
{
    close();
}

void ProDlg::closeEvent(QCloseEvent *event)
{
    progressCount = 0;
    ui->openPorcBar->setValue(0);
    event->accept();
}
