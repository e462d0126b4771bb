#include "config/config.h"

#include "app/messagebox.h"
#include "app/settings.h"
#include "engine/naming.h"
#include "options/outputfolderui.h"
#include "ui_config.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

Config::Config(QWidget *parent)
    : FramelessDialog(parent)
    , ui(new Ui::Config)
{
    ui->setupUi(this);
    ui->pswordLineEdit->setEchoMode(QLineEdit::Password);
    connect(ui->mainCls, &QPushButton::clicked, this, &Config::close);

    fillChoices();
    ui->groupBox_3->hide();
    for (QComboBox *box : {ui->comboBox, ui->systemComboBox, ui->ConversionCombo})
        connect(box, &QComboBox::activated, this, [this, box] { unshownChoices.remove(box); });

    setDragStrip(ui->titLabel);
    Chrome::applyBackground(this, u"skin/black/Background/configDlg.png"_s, true);
    changesetcls();
    LngChange();
    changeStyle();
    showPage(ui->general);
}

Config::~Config()
{
    delete ui;
}

void Config::fillChoices()
{
    const auto refill = [](QComboBox *box, const QStringList &items) {
        const int current = box->currentIndex();
        box->clear();
        box->addItems(items);
        box->setCurrentIndex(current);
    };
    refill(ui->comboBox, {tr("Every Day"), tr("Every Week")});
    refill(ui->languageComBo, {tr("English"), tr("Japanese"), tr("German"), tr("French")});
    refill(ui->systemComboBox, {tr("Shutdown"), tr("Logout"), tr("Restart")});
    refill(ui->ConversionCombo,
           {tr("Show Information"), tr("Shutdown"), tr("Logout"), tr("Restart")});
}

void Config::selectStored(QComboBox *box, int index)
{
    const bool shown = index >= 0 && index < box->count();
    box->setCurrentIndex(shown ? index : 0);
    if (shown)
        unshownChoices.remove(box);
    else
        unshownChoices.insert(box);
}

void Config::changesetcls()
{
    AppSettings settings;

    if (const QString remember = settings.string(u"checkBox"_s); !remember.isEmpty())
        ui->setCls->setChecked(settings.boolean(u"checkBox"_s));
    else
        settings.setValue(u"checkBox"_s, false);

    minimizeToTray = settings.boolean(u"mDesk"_s);
    ui->minDesk->setChecked(minimizeToTray);

    warnOnListClose = settings.boolean(u"listC"_s);
    ui->listCls->setChecked(warnOnListClose);

    if (!settings.string(u"isclosewindow"_s).isEmpty()) {
        postTaskEnabled = settings.boolean(u"isCloseWindow"_s);
    } else {
        settings.setValue(u"isclosewindow"_s, true);
        postTaskEnabled = true;
    }
    ui->showMsg->setChecked(postTaskEnabled);

    if (settings.contains(u"changeOver"_s)) {
        selectStored(ui->ConversionCombo, settings.choice(u"changeOver"_s, 0, 3).value_or(-1));
    } else {
        settings.setValue(u"changeOver"_s, 0);
        ui->ConversionCombo->setCurrentIndex(0);
    }

    if (settings.contains(u"dsSystem"_s)) {
        selectStored(ui->systemComboBox, settings.choice(u"dsSystem"_s, 1, 3).value_or(0) - 1);
    } else {
        settings.setValue(u"dsSystem"_s, 1);
        ui->systemComboBox->setCurrentIndex(0);
    }

    if (settings.contains(u"isUpdate"_s)) {
        ui->checkBox->setChecked(settings.boolean(u"isUpdate"_s));
    } else {
        settings.setValue(u"isUpdate"_s, true);
        ui->checkBox->setChecked(true);
    }

    if (!settings.contains(u"updatemodel"_s))
        settings.setValue(u"updatemodel"_s, 0);
    selectStored(ui->comboBox, settings.choice(u"updatemodel"_s, 0, 1).value_or(-1));

    if (!settings.contains(u"Language"_s))
        settings.setValue(u"Language"_s, 2);
    ui->languageComBo->setCurrentIndex(settings.language() - 2);

    ui->outPathEdit->setText(QDir::toNativeSeparators(settings.string(u"saveFilePath"_s)));
    ui->outPathEdit->setCursorPosition(0);

    if (settings.boolean(u"havePSW"_s)) {
        ui->psCheckBox->setChecked(true);
        ui->pswordLineEdit->setText(settings.string(u"Psword"_s));
    } else {
        ui->psCheckBox->setChecked(false);
        ui->pswordLineEdit->clear();
    }

    const QString naming = settings.string(u"outputFileNameModel"_s);
    if (naming == u"source") {
        ui->sourceRadio->setChecked(true);
    } else if (naming == u"number") {
        ui->numberRadio->setChecked(true);
    } else if (naming == u"template") {
        ui->templateRadio->setChecked(true);
        ui->ouputNameEdit->setEnabled(true);
    } else {
        ui->numberRadio->setChecked(true);
        settings.setValue(u"outputFileNameModel"_s, u"number"_s);
    }

    if (!settings.contains(u"outFileNameModelfirst"_s)) {
        settings.setValue(u"outFileNameModelfirst"_s, u"Temp"_s);
        ui->ouputNameEdit->setText(u"Temp"_s);
    } else {
        ui->ouputNameEdit->setText(settings.string(u"outFileNameModelfirst"_s));
    }
}

void Config::on_conflgOK_clicked()
{
    // Images are named after the template inside each file's own folder: a template that could
    // name a file elsewhere is refused before anything is stored.
    if (ui->templateRadio->isChecked() && !Naming::isSafeTemplate(ui->ouputNameEdit->text())) {
        MessageBox::warning(
            this, tr("Invalid template"),
            tr("The name template cannot hold a folder separator, \"..\", a control character "
               "or any of \\ : * ? \" < > |, and must be shorter than 200 bytes."));
        ui->ouputNameEdit->setFocus();
        return;
    }
    {
        AppSettings settings;
        warnOnListClose = ui->listCls->isChecked();
        settings.setValue(u"listC"_s, warnOnListClose);
        minimizeToTray = ui->minDesk->isChecked();
        settings.setValue(u"mDesk"_s, minimizeToTray);
        settings.setValue(u"checkBox"_s, ui->setCls->isChecked());
        emit uiSetCls(ui->setCls->isChecked());
        settings.setValue(u"isUpdate"_s, ui->checkBox->isChecked());
        postTaskEnabled = ui->showMsg->isChecked();
        settings.setValue(u"isclosewindow"_s, postTaskEnabled);
        if (storesChoice(ui->ConversionCombo))
            settings.setValue(u"changeOver"_s, ui->ConversionCombo->currentIndex());
        if (storesChoice(ui->systemComboBox))
            settings.setValue(u"dsSystem"_s, ui->systemComboBox->currentIndex() + 1);
        settings.setValue(u"isShowMsg"_s, ui->showMsg->isChecked());
        if (storesChoice(ui->comboBox))
            settings.setValue(u"updatemodel"_s, ui->comboBox->currentIndex());
    }

    emit outPathChange(ui->outPathEdit->text());

    {
        AppSettings settings;
        const bool havePassword = ui->psCheckBox->isChecked();
        settings.setValue(u"havePSW"_s, havePassword);
        settings.setValue(u"Psword"_s, havePassword ? ui->pswordLineEdit->text() : QString());
    }

    switch (ui->languageComBo->currentIndex()) {
    case 1:
        emit changeJp();
        break;
    case 2:
        emit changeDe();
        break;
    case 3:
        emit changeFr();
        break;
    default:
        emit changeEn();
        break;
    }

    {
        AppSettings settings;
        if (ui->sourceRadio->isChecked()) {
            settings.setValue(u"outputFileNameModel"_s, u"source"_s);
        } else if (ui->templateRadio->isChecked()) {
            settings.setValue(u"outputFileNameModel"_s, u"template"_s);
            settings.setValue(u"outFileNameModelfirst"_s, ui->ouputNameEdit->text());
        } else if (ui->numberRadio->isChecked()) {
            settings.setValue(u"outputFileNameModel"_s, u"number"_s);
        } else {
            settings.setValue(u"outputFileNameModel"_s, u"source"_s);
        }
    }
    close();
}

void Config::on_configCancel_clicked()
{
    close();
}

void Config::on_RestoreBtn_clicked()
{
    ui->listCls->setChecked(true);
    ui->checkBox->setChecked(true);
    ui->showMsg->setChecked(true);
    ui->minDesk->setChecked(false);
    ui->setCls->setChecked(false);
    ui->outPathEdit->setText(QDir::toNativeSeparators(OutputFolderUi::defaultFolder(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))));
    ui->outPathEdit->setCursorPosition(0);
    ui->psCheckBox->setChecked(false);
    ui->pswordLineEdit->clear();
    ui->sourceRadio->setChecked(true);
    ui->ouputNameEdit->clear();
}

void Config::setOutputFolder(const QString &folder)
{
    ui->outPathEdit->setText(QDir::toNativeSeparators(folder));
    ui->outPathEdit->setCursorPosition(0);
}

void Config::on_setOutPath_clicked()
{
    const QString folder =
        OutputFolderUi::choose(this, QDir::fromNativeSeparators(ui->outPathEdit->text()));
    if (folder.isEmpty())
        return;
    setOutputFolder(folder);
}

void Config::on_openBtn_clicked()
{
    OutputFolderUi::open(this, ui->outPathEdit->text());
}

void Config::on_sourceRadio_clicked(bool checked)
{
    ui->ouputNameEdit->setEnabled(!checked);
}

void Config::on_numberRadio_clicked(bool checked)
{
    ui->ouputNameEdit->setEnabled(!checked);
}

void Config::on_templateRadio_clicked(bool checked)
{
    ui->ouputNameEdit->setEnabled(checked);
}

void Config::showPage(QWidget *page)
{
    const std::pair<QWidget *, QPushButton *> pages[] = {
        {ui->general, ui->generalBtn}, {ui->convert, ui->convertBtn}, {ui->others, ui->othersBtn}};
    for (const auto &[widget, button] : pages) {
        widget->setVisible(widget == page);
        button->setChecked(widget == page);
    }
}

void Config::on_generalBtn_clicked(bool)
{
    showPage(ui->general);
}

void Config::on_convertBtn_clicked(bool)
{
    showPage(ui->convert);
}

void Config::on_othersBtn_clicked(bool)
{
    showPage(ui->others);
}

void Config::retranslate()
{
    ui->retranslateUi(this);
    fillChoices();
    // Follow a language chosen from the main menu, so "OK" does not switch it back.
    ui->languageComBo->setCurrentIndex(AppSettings().language() - 2);
}
