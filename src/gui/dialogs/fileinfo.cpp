#include "gui/dialogs/fileinfo.h"

#include "ui_fileinfo.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

fileInfo::fileInfo(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::fileInfo)
{
    ui->setupUi(this);
    ui->pdfLabelT->setText(u"VEZ ud IRI"_s);
    for (QLabel *value :
         {ui->fileNameL, ui->creatDateL, ui->fileSizeL, ui->pageSizeL, ui->pagesL, ui->PDFL})
        value->setTextFormat(Qt::PlainText);
    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/config.png"_s, true);
    LngChange();
    changeStyle();
    connect(this, &fileInfo::SetFileInfo, this, &fileInfo::setFileText);
}

fileInfo::~fileInfo()
{
    delete ui;
}

void fileInfo::setFileText(const QStringList &values)
{
    const auto at = [&values](int index) {
        return values.value(index);
    };
    ui->fileNameL->setText(at(0));
    ui->filePathL->setText(QDir::toNativeSeparators(at(1)));
    ui->filePathL->setCursorPosition(0);
    ui->creatDateL->setText(at(2));
    ui->fileSizeL->setText(at(3));
    ui->pageSizeL->setText(at(4));
    ui->pagesL->setText(at(5));
    ui->PDFL->setText(at(6));
}

void fileInfo::on_mainCls_clicked()
{
    close();
}

void fileInfo::retranslate()
{
    ui->retranslateUi(this);
}
