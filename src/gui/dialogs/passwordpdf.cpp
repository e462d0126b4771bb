#include "gui/dialogs/passwordpdf.h"

#include "ui_passwordpdf.h"

using namespace Qt::Literals::StringLiterals;

passWordPDF::passWordPDF(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::passWordPDF)
{
    ui->setupUi(this);
    ui->password->setEchoMode(QLineEdit::Password);
    ui->fileNameLabel->setTextFormat(Qt::PlainText);
    setDragStrip(ui->label);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
    connect(this, &passWordPDF::setFileNameText, ui->fileNameLabel, &QLabel::setText);
}

passWordPDF::~passWordPDF()
{
    delete ui;
}

void passWordPDF::on_pushButton_clicked()
{
    emit passwordText(ui->password->text());
    accept();
}

void passWordPDF::on_pushButton_2_clicked()
{
    reject();
}

void passWordPDF::on_mainCls_clicked()
{
    reject();
}

void passWordPDF::retranslate()
{
    ui->retranslateUi(this);
}
