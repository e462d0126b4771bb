#include "gui/dialogs/closedialog.h"

#include "core/settings/settings.h"
#include "ui_closedialog.h"

#include <QCloseEvent>

using namespace Qt::Literals::StringLiterals;

Dialog::Dialog(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::Dialog)
{
    ui->setupUi(this);
    {
        const AppSettings settings;
        confirmed = settings.get(Settings::closeConfirmed);
        remember = settings.get(Settings::rememberCloseChoice);
        choice = settings.closeChoice();
    }
    ui->checkBox->setChecked(remember);
    if (choice == Exit)
        ui->radioButton->setChecked(true);
    else
        ui->radioButton_2->setChecked(true);

    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/closeWnd.png"_s, true);
    LngChange();
    changeStyle();
    connect(this, &Dialog::checkBoxchange, this, &Dialog::setCheckBox);
}

Dialog::~Dialog()
{
    delete ui;
}

void Dialog::on_radioButton_clicked(bool checked)
{
    if (checked)
        choice = Exit;
}

void Dialog::on_radioButton_2_clicked(bool checked)
{
    if (checked)
        choice = MinimizeToTray;
}

void Dialog::on_checkBox_clicked(bool checked)
{
    remember = checked;
}

void Dialog::on_YesButton_clicked()
{
    confirmed = true;
    close();
}

void Dialog::on_NoButton_clicked()
{
    cancel();
}

void Dialog::on_mainCls_clicked()
{
    cancel();
}

void Dialog::reject()
{
    cancel();
}

void Dialog::cancel()
{
    // Cancelling also forgets "No longer to remind": the user is asked again next time.
    remember = false;
    ui->checkBox->setChecked(false);
    confirmed = false;
    close();
}

void Dialog::setCheckBox()
{
    remember = AppSettings().get(Settings::rememberCloseChoice);
    ui->checkBox->setChecked(remember);
}

void Dialog::closeEvent(QCloseEvent *event)
{
    {
        AppSettings settings;
        settings.set(Settings::closeConfirmed, confirmed);
        settings.set(Settings::rememberCloseChoice, remember);
    }
    emit DcheckBoxchange();
    AppSettings().set(Settings::closeChoice, choice);
    event->accept();
}

void Dialog::retranslate()
{
    ui->retranslateUi(this);
}
