// The option table: the selected file's pages, resolution, colours and merge choice, edited through
// combo boxes opened over the value cells.
#include "gui/mainwindow/mainwindow.h"

#include "core/engine/diskspace.h"
#include "core/engine/ghostscript.h"
#include "core/options/dpi.h"
#include "core/options/formats.h"
#include "core/options/pageselection.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QListView>

using namespace Qt::Literals::StringLiterals;

namespace {

enum OptionRow { AllPagesRow, SelectPagesRow, DpiRow, WidthRow, HeightRow };
constexpr int optionRowHeight = 20;

QTableWidgetItem *readOnly(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

void MainWindow::fillFormatCatalogue()
{
    const QStringList names = Formats::names();
    for (const QString &name : names)
        ui->formatCombo->addItem(QIcon(), name);
    ui->formatCombo->setCurrentIndex(Formats::PNG);
}

void MainWindow::buildOptionTable()
{
    QTableWidget *options = ui->OptionsTableWidget;
    options->setRowCount(0);
    const QSize size = Dpi::pixelSize(Dpi::clamp(QString::fromUtf16(Formats::defaultResolution)));
    const std::pair<QString, QString> rows[] = {
        {tr("All Pages"), QString()},
        {tr("Select Pages"), tr("All")},
        {u"DPI"_s, QString::fromUtf16(Formats::defaultResolution)},
        {tr("Width"), QString::number(size.width())},
        {tr("Height"), QString::number(size.height())},
    };
    for (const auto &[label, value] : rows) {
        const int row = options->rowCount();
        options->insertRow(row);
        options->setRowHeight(row, optionRowHeight);
        options->setItem(row, 0, readOnly(label));
        options->setItem(row, 1, row == DpiRow ? new QTableWidgetItem(value) : readOnly(value));
    }
    pendingPageText = u"All"_s;
    pendingPageRow = 0;
}

int MainWindow::currentFileRow() const
{
    const int row = ui->tableWidget->currentRow();
    return row >= 0 && row < ui->tableWidget->rowCount() ? row : -1;
}

void MainWindow::removeEditor(int optionRow)
{
    QTableWidget *options = ui->OptionsTableWidget;
    if (optionRow < options->rowCount() && options->cellWidget(optionRow, 1))
        options->removeCellWidget(optionRow, 1);
}

void MainWindow::removeOptionRow(int optionRow)
{
    QTableWidget *options = ui->OptionsTableWidget;
    if (optionRow >= options->rowCount())
        return;
    removeEditor(optionRow);
    options->removeRow(optionRow);
}

void MainWindow::setOptionValue(int optionRow, const QString &text)
{
    if (QTableWidgetItem *item = ui->OptionsTableWidget->item(optionRow, 1))
        item->setText(text);
}

void MainWindow::on_OptionsTableWidget_itemSelectionChanged()
{
    QTableWidget *options = ui->OptionsTableWidget;
    const QList<QTableWidgetItem *> selected = options->selectedItems();
    if (!idle || selected.isEmpty())
        return;
    const int row = selected.first()->row();
    const int fileRow = currentFileRow();

    switch (row) {
    case DpiRow: {
        auto *editor = new QComboBox(this);
        editor->addItems(Formats::resolutionChoices());
        editor->setEditable(true);
        editor->setEditText(options->item(DpiRow, 1)->text());
        showEditor(DpiRow, editor);
        options->selectRow(DpiRow);
        connect(editor, &QComboBox::editTextChanged, this, &MainWindow::setDPIComboText);
        for (const int other :
             {int(SelectPagesRow), int(Formats::ColourRow), int(Formats::MergeRow)})
            removeEditor(other);
        break;
    }
    case SelectPagesRow: {
        auto *editor = new QComboBox(this);
        editor->addItems({tr("All"), tr("Page:example(1,3,7-9)")});
        editor->setEditable(true);
        editor->setEditText(options->item(SelectPagesRow, 1)->text());
        editor->view()->setMinimumWidth(140);
        showEditor(SelectPagesRow, editor);
        options->selectRow(SelectPagesRow);
        connect(editor, &QComboBox::activated, this, &MainWindow::setselecttabletext);
        connect(editor, &QComboBox::editTextChanged, this, &MainWindow::setSelect);
        for (const int other : {int(DpiRow), int(Formats::ColourRow), int(Formats::MergeRow)})
            removeEditor(other);
        break;
    }
    case Formats::ColourRow: {
        removeEditor(Formats::ColourRow);
        const QString format = ui->formatCombo->currentText();
        if (Formats::hasColourRow(format)) {
            auto *editor = new QComboBox(this);
            editor->addItems(Formats::colourChoices(format));
            editor->setCurrentIndex(editor->findText(colorModes.value(fileRow)));
            showEditor(Formats::ColourRow, editor);
            connect(editor, &QComboBox::currentTextChanged, this, &MainWindow::setColorText);
        }
        for (const int other : {int(SelectPagesRow), int(DpiRow), int(Formats::MergeRow)})
            removeEditor(other);
        break;
    }
    case Formats::MergeRow: {
        auto *editor = new QComboBox(this);
        editor->addItems({tr("Yes"), tr("No")});
        editor->setCurrentIndex(mergeFlags.value(fileRow) ? 0 : 1);
        showEditor(Formats::MergeRow, editor);
        connect(editor, &QComboBox::currentIndexChanged, this, &MainWindow::saveTiffModel);
        for (const int other : {int(SelectPagesRow), int(Formats::ColourRow), int(DpiRow)})
            removeEditor(other);
        break;
    }
    default:
        for (const int other :
             {int(SelectPagesRow), int(DpiRow), int(Formats::ColourRow), int(Formats::MergeRow)})
            removeEditor(other);
        break;
    }
}

void MainWindow::on_tableWidget_itemSelectionChanged()
{
    const int editedRow = pendingPageRow;
    if (commitPageSelection()) {
        // The table still shows the file whose selection was refused: the list goes back to
        // it, so what the user edits next reaches the file they see.
        if (idle && editedRow >= 0 && editedRow < ui->tableWidget->rowCount())
            ui->tableWidget->selectRow(editedRow);
        return;
    }
    if (!idle)
        return;
    QTableWidget *files = ui->tableWidget;
    QTableWidget *options = ui->OptionsTableWidget;
    const QList<QTableWidgetItem *> selected = files->selectedItems();

    if (selected.isEmpty()) {
        ui->formatCombo->setEnabled(false);
        ui->delectBtn->setEnabled(false);
        options->setEnabled(true);
        options->clearSelection();
        for (int row = 0; row < options->rowCount(); ++row) {
            removeEditor(row);
            setOptionValue(row, QString());
        }
        refreshPreview();
        return;
    }
    if (selected.size() > files->columnCount()) {
        // Several files: their options are not shown, so none can be edited by mistake.
        options->clearSelection();
        options->setEnabled(false);
        refreshPreview();
        return;
    }

    restoreOptions = true;
    options->setEnabled(true);
    const int row = selected.first()->row();
    const QString format = files->item(row, 3)->text();
    ui->formatCombo->setCurrentIndex(Formats::indexOf(format));
    removeEditor(Formats::ColourRow);
    removeEditor(Formats::MergeRow);
    if (options->rowCount() > Formats::ColourRow) {
        if (!Formats::hasColourRow(format)) {
            removeOptionRow(Formats::MergeRow);
            removeOptionRow(Formats::ColourRow);
        } else {
            if (!colorModes.contains(row))
                colorModes.insert(row, Formats::defaultColour(format));
            setOptionValue(Formats::ColourRow, colorModes.value(row));
        }
    }
    if (Formats::hasMergeRow(format)) {
        if (!mergeFlags.contains(row))
            mergeFlags.insert(row, false);
        setOptionValue(Formats::MergeRow, mergeFlags.value(row) ? tr("Yes") : tr("No"));
    }
    removeEditor(SelectPagesRow);
    removeEditor(DpiRow);
    options->clearSelection();

    setOptionValue(AllPagesRow, pageCounts.value(row));
    ui->delectBtn->setEnabled(true);
    ui->formatCombo->setEnabled(true);
    setOptionValue(SelectPagesRow, pageRanges.value(row));
    showDpi(dpiValues.value(row));
    restoreOptions = false;
    refreshPreview();
}

void MainWindow::changeOutFormat(int index)
{
    if (ui->ApplyAllBtn->isChecked())
        colorModes.clear();
    const QString format = Formats::nameAt(index);
    const int fileRow = currentFileRow();
    QTableWidget *files = ui->tableWidget;

    if (Formats::hasColourRow(format) && fileRow >= 0 && files->item(fileRow, 3)->text() != format)
        colorModes.remove(fileRow);

    if (!Formats::hasColourRow(format)) {
        removeOptionRow(Formats::MergeRow);
        mergeFlags.remove(fileRow);
        removeOptionRow(Formats::ColourRow);
        colorModes.remove(fileRow);
    } else if (!Formats::hasMergeRow(format)) {
        removeOptionRow(Formats::MergeRow);
        mergeFlags.remove(fileRow);
        buildColourRow(Formats::defaultColour(format));
    } else {
        buildColourRow(Formats::defaultColour(format));
        buildMergeRow();
    }
    restoreOptions = false;

    QList<int> rows;
    const QList<QTableWidgetItem *> selected = files->selectedItems();
    for (const QTableWidgetItem *item : selected) {
        if (!rows.contains(item->row()))
            rows.append(item->row());
    }
    if (rows.size() >= 2) {
        const QString colour = colorModes.value(fileRow);
        for (const int row : std::as_const(rows)) {
            files->item(row, 3)->setText(format);
            colorModes.insert(row, colour);
        }
    } else if (rows.size() == 1) {
        files->item(rows.first(), 3)->setText(format);
    }

    if (ui->ApplyAllBtn->isChecked())
        applyFormatToAll();
    showImageSize();
}

void MainWindow::buildColourRow(const QString &defaultColour)
{
    QTableWidget *options = ui->OptionsTableWidget;
    if (options->rowCount() <= Formats::ColourRow) {
        options->insertRow(Formats::ColourRow);
        options->setRowHeight(Formats::ColourRow, optionRowHeight);
        options->setItem(Formats::ColourRow, 0, readOnly(tr("Colors")));
    }
    const int fileRow = currentFileRow();
    QString colour = defaultColour;
    if (restoreOptions && colorModes.contains(fileRow)) {
        colour = colorModes.value(fileRow);
    } else if (fileRow >= 0) {
        colorModes.insert(fileRow, defaultColour);
    }
    options->setItem(Formats::ColourRow, 1, readOnly(colour));
}

void MainWindow::buildMergeRow()
{
    QTableWidget *options = ui->OptionsTableWidget;
    if (options->rowCount() <= Formats::MergeRow) {
        options->insertRow(Formats::MergeRow);
        options->setRowHeight(Formats::MergeRow, optionRowHeight);
        options->setItem(Formats::MergeRow, 0, readOnly(tr("Merge into One")));
    }
    const int fileRow = currentFileRow();
    bool merge = false;
    if (restoreOptions && mergeFlags.contains(fileRow)) {
        merge = mergeFlags.value(fileRow);
    } else if (fileRow >= 0) {
        mergeFlags.insert(fileRow, false);
    }
    options->setItem(Formats::MergeRow, 1, readOnly(merge ? tr("Yes") : tr("No")));
}

void MainWindow::applyFormatToAll()
{
    const QString format = ui->formatCombo->currentText();
    const QString colour = colorModes.value(currentFileRow());
    for (int row = 0; row < ui->tableWidget->rowCount(); ++row) {
        ui->tableWidget->item(row, 3)->setText(format);
        colorModes.insert(row, colour);
    }
}

// The DPI the user picked in the editor; only this one goes to every file.
void MainWindow::setDPIComboText(const QString &text)
{
    const QString value = QString::number(Dpi::clamp(text));
    showDpi(value);
    if (ui->applytoalldpi->isChecked()) {
        for (QString &stored : dpiValues)
            stored = value;
    } else if (const int fileRow = currentFileRow(); fileRow >= 0 && fileRow < dpiValues.size()) {
        dpiValues[fileRow] = value;
    }
}

void MainWindow::showDpi(const QString &text)
{
    setOptionValue(DpiRow, QString::number(Dpi::clamp(text)));
    showImageSize();
}

int MainWindow::firstShownPage(int row) const
{
    const QTableWidgetItem *pages = ui->OptionsTableWidget->item(SelectPagesRow, 1);
    return PageSelection::pages(pages ? pages->text() : QString(), pageCounts.value(row).toInt())
        .value(0, 1);
}

// The pixels of the file's first selected page as the renderer will draw it: its box, turned by
// its rotation, at the resolution the format renders the DPI at. A page whose box the probe did
// not find shows no figure rather than a guess.
void MainWindow::showImageSize()
{
    QTableWidget *options = ui->OptionsTableWidget;
    const QTableWidgetItem *dpiItem = options->item(DpiRow, 1);
    const QTableWidgetItem *pagesItem = options->item(SelectPagesRow, 1);
    const int row = currentFileRow();
    if (!dpiItem || !pagesItem || row < 0 || row >= pageBoxes.size())
        return;
    RenderJob render;
    render.format = ui->tableWidget->item(row, 3)->text();
    render.dpi = Dpi::clamp(dpiItem->text());
    const int page = firstShownPage(row);
    const QList<PdfInfo::PageBox> &boxes = pageBoxes.at(row);
    QString width;
    QString height;
    if (page <= boxes.size()) {
        const PdfInfo::PageBox &box = boxes.at(page - 1);
        const QSize size = DiskSpace::pixelSize(box.points, box.rotation, render.resolution());
        width = QString::number(size.width());
        height = QString::number(size.height());
    }
    setOptionValue(WidthRow, width);
    setOptionValue(HeightRow, height);
}

void MainWindow::setColorText(const QString &text)
{
    setOptionValue(Formats::ColourRow, text);
    if (const int fileRow = currentFileRow(); fileRow >= 0)
        colorModes.insert(fileRow, text);
    refreshPreview();
}

void MainWindow::saveTiffModel(int index)
{
    const int fileRow = currentFileRow();
    mergeFlags.remove(fileRow);
    if (fileRow >= 0)
        mergeFlags.insert(fileRow, index == 0);
    setOptionValue(Formats::MergeRow, index == 0 ? tr("Yes") : tr("No"));
}
