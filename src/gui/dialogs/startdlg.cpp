#include "gui/dialogs/startdlg.h"

#include "core/platform/versionrecord.h"
#include "core/settings/appearance.h"
#include "ui_startdlg.h"

#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

StartDlg::StartDlg(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::StartDlg)
    , translator(new QTranslator(this))
{
    ui->setupUi(this);
    ui->label->setText(u"VEZ ud IRI"_s);
    ui->label_2->setText(u"VEZ ud IRI"_s);

    // The second skin's splash has always been read from the folder spelled "defalut".
    setStyleSheet(Appearance::storedStyle() == 1
                      ? u"QDialog{border-image:url(skin/black/Background/start.png)}"_s
                      : u"QDialog{border-image:url(skin/defalut/Background/start.png)}"_s);

    Appearance::loadAndInstall(translator,
                               Appearance::translationFile(Appearance::storedLanguage()));
    ui->retranslateUi(this);
    ui->versionLabel->setText(VersionRecord::read());
    connect(this, &StartDlg::setStartLab, ui->startLab, &QLabel::setText);
}

StartDlg::~StartDlg()
{
    delete ui;
}
