#include "gui/widgets/deletedlg.h"

#include "ui_deletedlg.h"

using namespace Qt::Literals::StringLiterals;

deleteDlg::deleteDlg(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::deleteDlg)
{
    ui->setupUi(this);
    setDragStrip(ui->label);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
}

deleteDlg::~deleteDlg()
{
    delete ui;
}

void deleteDlg::setTextEdit(const QString &text)
{
    ui->textEdit->setPlainText(text);
}

void deleteDlg::on_mainCls_clicked()
{
    closedByCloseButton = true;
    reject();
}

void deleteDlg::on_No_clicked()
{
    closedByCloseButton = false;
    reject();
}

void deleteDlg::on_Yes_clicked()
{
    closedByCloseButton = false;
    accept();
}

void deleteDlg::retranslate()
{
    ui->retranslateUi(this);
}
