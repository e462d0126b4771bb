#include "gui/dialogs/listcls.h"

#include "ui_listcls.h"

using namespace Qt::Literals::StringLiterals;

ListCls::ListCls(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::ListCls)
{
    ui->setupUi(this);
    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
}

ListCls::~ListCls()
{
    delete ui;
}

void ListCls::on_OK_clicked()
{
    close();
    parentWidget()->close();
}

void ListCls::on_Cancel_clicked()
{
    close();
}

void ListCls::on_mainCls_clicked()
{
    close();
}

void ListCls::retranslate()
{
    ui->retranslateUi(this);
}
