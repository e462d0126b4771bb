#include "gui/dialogs/config.h"

#include "core/engine/naming.h"
#include "core/settings/appearance.h"
#include "core/settings/settings.h"
#include "gui/mainwindow/outputfolderui.h"
#include "gui/widgets/messagebox.h"
#include "ui_config.h"

#include <QDir>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// The language box lists the languages in the order the settings number them from English on;
// Chinese, which they number first, comes last, so every stored language has its entry.
constexpr int chineseEntry = 4;

int languageEntry(int language)
{
    return language == Appearance::Chinese ? chineseEntry : language - Appearance::English;
}

} // namespace

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
    refill(ui->languageComBo,
           {tr("English"), tr("Japanese"), tr("German"), tr("French"), tr("Chinese")});
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

    if (settings.hasValue(Settings::rememberCloseChoice))
        ui->setCls->setChecked(settings.get(Settings::rememberCloseChoice));
    else
        settings.set(Settings::rememberCloseChoice, false);

    minimizeToTray = settings.get(Settings::minimizeToTray);
    ui->minDesk->setChecked(minimizeToTray);

    warnOnListClose = settings.get(Settings::warnOnListClose);
    ui->listCls->setChecked(warnOnListClose);

    if (settings.hasValue(Settings::postTaskEnabled)) {
        postTaskEnabled = settings.get(Settings::postTaskEnabled);
    } else {
        settings.set(Settings::postTaskEnabled, true);
        postTaskEnabled = true;
    }
    ui->showMsg->setChecked(postTaskEnabled);

    if (settings.contains(Settings::changeOver)) {
        selectStored(ui->ConversionCombo, settings.stored(Settings::changeOver).value_or(-1));
    } else {
        settings.set(Settings::changeOver, 0);
        ui->ConversionCombo->setCurrentIndex(0);
    }

    if (settings.contains(Settings::sessionEndAction)) {
        selectStored(ui->systemComboBox,
                     settings.stored(Settings::sessionEndAction).value_or(0) - 1);
    } else {
        settings.set(Settings::sessionEndAction, 1);
        ui->systemComboBox->setCurrentIndex(0);
    }

    if (settings.contains(Settings::checkForUpdates)) {
        ui->checkBox->setChecked(settings.get(Settings::checkForUpdates));
    } else {
        settings.set(Settings::checkForUpdates, true);
        ui->checkBox->setChecked(true);
    }

    if (!settings.contains(Settings::updateModel))
        settings.set(Settings::updateModel, 0);
    selectStored(ui->comboBox, settings.stored(Settings::updateModel).value_or(-1));

    if (!settings.contains(Settings::language))
        settings.set(Settings::language, 2);
    ui->languageComBo->setCurrentIndex(languageEntry(settings.language()));

    ui->outPathEdit->setText(QDir::toNativeSeparators(settings.get(Settings::outputFolder)));
    ui->outPathEdit->setCursorPosition(0);

    if (settings.get(Settings::useDefaultPassword)) {
        ui->psCheckBox->setChecked(true);
        ui->pswordLineEdit->setText(settings.get(Settings::defaultPassword));
    } else {
        ui->psCheckBox->setChecked(false);
        ui->pswordLineEdit->clear();
    }

    const QString naming = settings.get(Settings::namingModel);
    if (naming == u"source") {
        ui->sourceRadio->setChecked(true);
    } else if (naming == u"number") {
        ui->numberRadio->setChecked(true);
    } else if (naming == u"template") {
        ui->templateRadio->setChecked(true);
        ui->ouputNameEdit->setEnabled(true);
    } else {
        ui->numberRadio->setChecked(true);
        settings.set(Settings::namingModel, u"number"_s);
    }

    ui->smoothBox->setChecked(settings.get(Settings::smoothText));

    if (!settings.contains(Settings::namingTemplate)) {
        settings.set(Settings::namingTemplate, u"Temp"_s);
        ui->ouputNameEdit->setText(u"Temp"_s);
    } else {
        ui->ouputNameEdit->setText(settings.get(Settings::namingTemplate));
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
        settings.set(Settings::warnOnListClose, warnOnListClose);
        minimizeToTray = ui->minDesk->isChecked();
        settings.set(Settings::minimizeToTray, minimizeToTray);
        settings.set(Settings::rememberCloseChoice, ui->setCls->isChecked());
        emit uiSetCls(ui->setCls->isChecked());
        settings.set(Settings::checkForUpdates, ui->checkBox->isChecked());
        postTaskEnabled = ui->showMsg->isChecked();
        settings.set(Settings::postTaskEnabled, postTaskEnabled);
        if (storesChoice(ui->ConversionCombo))
            settings.set(Settings::changeOver, ui->ConversionCombo->currentIndex());
        if (storesChoice(ui->systemComboBox))
            settings.set(Settings::sessionEndAction, ui->systemComboBox->currentIndex() + 1);
        settings.set(Settings::showToast, ui->showMsg->isChecked());
        if (storesChoice(ui->comboBox))
            settings.set(Settings::updateModel, ui->comboBox->currentIndex());
    }

    emit outPathChange(ui->outPathEdit->text());

    {
        AppSettings settings;
        const bool havePassword = ui->psCheckBox->isChecked();
        settings.set(Settings::useDefaultPassword, havePassword);
        settings.set(Settings::defaultPassword,
                     havePassword ? ui->pswordLineEdit->text() : QString());
        settings.set(Settings::smoothText, ui->smoothBox->isChecked());
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
    case chineseEntry:
        emit changeCh();
        break;
    default:
        emit changeEn();
        break;
    }

    {
        AppSettings settings;
        if (ui->sourceRadio->isChecked()) {
            settings.set(Settings::namingModel, u"source"_s);
        } else if (ui->templateRadio->isChecked()) {
            settings.set(Settings::namingModel, u"template"_s);
            settings.set(Settings::namingTemplate, ui->ouputNameEdit->text());
        } else if (ui->numberRadio->isChecked()) {
            settings.set(Settings::namingModel, u"number"_s);
        } else {
            settings.set(Settings::namingModel, u"source"_s);
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
    ui->smoothBox->setChecked(false);
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
    ui->languageComBo->setCurrentIndex(languageEntry(AppSettings().language()));
}
