// Interface languages and skins of the main window and the dialogs it owns.
#include "gui/mainwindow/mainwindow.h"

#include "core/options/formats.h"
#include "core/settings/appearance.h"
#include "core/settings/settings.h"
#include "gui/dialogs/listcls.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QMenu>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

namespace {

// Option-table rows relabelled after a language change.
enum OptionRow { AllPagesRow = 0, SelectPagesRow = 1, WidthRow = 3, HeightRow = 4 };

} // namespace

void MainWindow::installStartupLanguage()
{
    translator = new QTranslator(this);
    const uint language = Appearance::storedLanguage();
    Appearance::loadAndInstall(translator, Appearance::translationFile(language));
    ui->retranslateUi(this);
    for (QAction *action :
         {chineseAction, englishAction, japaneseAction, germanAction, frenchAction})
        action->setChecked(false);
    switch (language) {
    case Appearance::Chinese:
        chineseAction->setChecked(true);
        break;
    case Appearance::Japanese:
        japaneseAction->setChecked(true);
        break;
    case Appearance::German:
        germanAction->setChecked(true);
        break;
    case Appearance::French:
        frenchAction->setChecked(true);
        break;
    default:
        englishAction->setChecked(true);
        break;
    }
}

void MainWindow::installStartupSkin()
{
    const uint style = Appearance::storedStyle();
    setStyleSheet(Appearance::readStyleSheet(Appearance::styleSheetFile(style)));
    classicAction->setChecked(style == 1);
    elegantAction->setChecked(style != 1);
    propagateLanguage();
}

void MainWindow::changeChinese()
{
    switchLanguage(Appearance::Chinese);
}

void MainWindow::changeEnglish()
{
    switchLanguage(Appearance::English);
}

void MainWindow::changeJapanese()
{
    switchLanguage(Appearance::Japanese);
}

void MainWindow::changeGerman()
{
    switchLanguage(Appearance::German);
}

void MainWindow::changeFrench()
{
    switchLanguage(Appearance::French);
}

void MainWindow::switchLanguage(uint language)
{
    AppSettings().set(Settings::language, language);
    chineseAction->setChecked(language == Appearance::Chinese);
    englishAction->setChecked(language == Appearance::English);
    japaneseAction->setChecked(language == Appearance::Japanese);
    germanAction->setChecked(language == Appearance::German);
    frenchAction->setChecked(language == Appearance::French);
    Appearance::loadAndInstall(translator, Appearance::translationFile(language));
    ui->retranslateUi(this);
    propagateLanguage();
    retranslateMainTexts();
}

void MainWindow::propagateLanguage()
{
    for (FramelessDialog *dialog : std::initializer_list<FramelessDialog *>{
             &closeChoice, &summaryToast, &configDialog, &errorDialog, &fileInfoDialog, listClose,
             &countdownDialog, &passwordDialog, &aboutDialog, &confirmDialog})
        dialog->LngChange();
    progressDialog.retranslate();
}

void MainWindow::retranslateMainTexts()
{
    quitAction->setText(tr("Quit"));
    addFilesAction->setText(tr("Add File(s) ..."));
    addFolderAction->setText(tr("Add Folder ..."));
    deleteAction->setText(tr("Delete"));
    deleteAllAction->setText(tr("Delect All"));
    classicAction->setText(tr("Classic"));
    elegantAction->setText(tr("Elegant"));
    configAction->setText(tr("Configuration"));
    officialAction->setText(tr("Official Website"));
    aboutAction->setText(tr("About"));
    displayAction->setText(tr("Display window"));
    languageMenu->setTitle(tr("Language"));
    skinMenu->setTitle(tr("Skin"));
    chineseAction->setText(tr("Chinese"));
    englishAction->setText(tr("English"));
    frenchAction->setText(tr("French"));
    japaneseAction->setText(tr("Japanese"));
    germanAction->setText(tr("German"));
    updateAction->setText(tr("Check for Updates"));
    openFileAction->setText(tr("Open file"));
    fileInformationAction->setText(tr("File Information"));
    trayIcon->setToolTip(tr("ZEMRA VEZ ud Iri"));
    ui->stratBtn->setText(ui->stratBtn->isChecked() ? tr("Stop") : tr("Start"));

    aboutDialog.setversion(version);
    ui->titleTextLabel->setText(u"<b>"_s + tr("VEZ ud IRI") + u"</b>"_s);

    // Rows still waiting show "Ready" in the new language; finished and failed rows keep their
    // status and a row being converted keeps its progress bar above the item.
    for (int row = 0; row < ui->tableWidget->rowCount(); ++row) {
        if (rowStates.value(row) != RowState::Waiting && rowStates.value(row) != RowState::Queued)
            continue;
        auto *ready = new QTableWidgetItem(tr("Ready"));
        ready->setTextAlignment(Qt::AlignCenter);
        ready->setFlags(ready->flags() & ~Qt::ItemIsEditable);
        ui->tableWidget->setItem(row, 4, ready);
        shadeRows(ui->tableWidget, row, row);
    }

    setWindowTitle(tr("ZEMRA VEZ ud Iri"));

    QTableWidget *options = ui->OptionsTableWidget;
    const auto relabel = [options](int row, const QString &label) {
        if (QTableWidgetItem *item = options->item(row, 0))
            item->setText(label);
    };
    relabel(AllPagesRow, tr("All Pages"));
    relabel(SelectPagesRow, tr("Select Pages"));
    relabel(WidthRow, tr("Width"));
    relabel(HeightRow, tr("Height"));
    if (options->rowCount() > Formats::ColourRow)
        relabel(Formats::ColourRow, tr("Colors"));
    if (options->rowCount() > Formats::MergeRow)
        relabel(Formats::MergeRow, tr("Merge into One"));
}

void MainWindow::changeStyle1()
{
    switchSkin(1);
}

void MainWindow::changeStyle2()
{
    switchSkin(2);
}

void MainWindow::switchSkin(uint style)
{
    AppSettings().set(Settings::style, style);
    classicAction->setChecked(style == 1);
    elegantAction->setChecked(style != 1);
    setStyleSheet(Appearance::readStyleSheet(Appearance::styleSheetFile(style)));
    for (FramelessDialog *dialog : std::initializer_list<FramelessDialog *>{
             &progressDialog, &aboutDialog, &closeChoice, &summaryToast, &configDialog,
             &errorDialog, &fileInfoDialog, listClose, &countdownDialog, &passwordDialog,
             &confirmDialog})
        dialog->changeStyle();
}
