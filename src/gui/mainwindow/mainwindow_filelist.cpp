// The file list: one row per PDF, with the per-file lists and option maps kept beside it.
#include "gui/mainwindow/mainwindow.h"

#include "core/options/formats.h"
#include "ui_mainwindow.h"

#include <QColor>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

enum Column { ItemColumn, NameColumn, SizeColumn, FormatColumn, StatusColumn };

constexpr int rowHeight = 25;
// The Item column is never narrower than this; longer numbers widen it.
constexpr int itemColumnWidth = 40;

QTableWidgetItem *readOnlyItem(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

} // namespace

const QIcon &MainWindow::lockIcon(bool locked) const
{
    return locked ? lockedIcon : unlockedIcon;
}

void MainWindow::insertFileRow(const QStringList &paths, const QString &pageCount,
                               const QString &sizeText, bool locked,
                               const QList<PdfInfo::PageBox> &boxes)
{
    QTableWidget *files = ui->tableWidget;
    const QString path = paths.value(0);
    const int row = files->rowCount();
    files->insertRow(row);
    files->setRowHeight(row, rowHeight);

    // A file directly in "/" has "/" for its folder.
    const QFileInfo parts(path);
    fileFolders.append(parts.path());
    fileNames.append(parts.fileName());
    files->setItem(row, NameColumn,
                   readOnlyItem(fileNames.last(), Qt::AlignLeft | Qt::AlignVCenter));

    QTableWidgetItem *number = readOnlyItem(tr("%1").arg(row + 1), Qt::AlignCenter);
    number->setIcon(lockIcon(locked));
    files->setItem(row, ItemColumn, number);
    fitItemColumn();
    files->setItem(row, StatusColumn, readOnlyItem(tr("Ready"), Qt::AlignCenter));

    // The page count shows in the option table whichever row is selected.
    if (QTableWidgetItem *allPages = ui->OptionsTableWidget->item(0, 1)) {
        allPages->setText(pageCount);
        allPages->setFlags(allPages->flags() & ~Qt::ItemIsEditable);
    }

    files->setItem(row, SizeColumn, readOnlyItem(sizeText, Qt::AlignCenter));

    // The first file gets BMP, every later file the format of the row above it.
    const QString format = row == 0 ? u"BMP"_s : files->item(row - 1, FormatColumn)->text();
    files->setItem(row, FormatColumn, readOnlyItem(format, Qt::AlignCenter));
    if (Formats::hasMergeRow(format))
        mergeFlags.insert(row, true);

    pageRanges.append(u"All"_s);
    if (idle) {
        ui->delectAllBtn->setEnabled(true);
        ui->stratBtn->setEnabled(true);
        ui->delectBtn->setEnabled(true);
    }
    // With "Apply to all DPI" ticked, the file joins the others' resolution.
    const QString common = dpiValues.value(qMax(currentFileRow(), 0));
    dpiValues.append(ui->applytoalldpi->isChecked() && !common.isEmpty()
                         ? common
                         : QString::fromUtf16(Formats::defaultResolution));
    rowStates.append(RowState::Waiting);
    pageBoxes.append(boxes);

    files->selectRow(row);
    files->setCurrentCell(row, SizeColumn);
    // A file added while a run goes on joins it.
    if (!idle)
        enqueueRow(row);
}

void MainWindow::fitItemColumn()
{
    // A single digit fits beside the lock icon. A longer number is elided unless the column is as
    // wide as the item asks, plus the grid line the cell shares the column with; the last row's
    // number is the longest.
    QTableWidget *files = ui->tableWidget;
    const QTableWidgetItem *last = files->item(files->rowCount() - 1, ItemColumn);
    int width = itemColumnWidth;
    if (last && last->text().size() > 1) {
        const int needed = files->sizeHintForIndex(files->indexFromItem(last)).width() +
                           (files->showGrid() ? 1 : 0);
        width = qMax(width, needed);
    }
    if (files->columnWidth(ItemColumn) != width)
        files->setColumnWidth(ItemColumn, width);
}

void MainWindow::shadeRows(QTableWidget *table, int firstRow, int lastRow)
{
    static const QColor odd(244, 244, 245);
    static const QColor even(255, 255, 255);
    const int end = lastRow < 0 ? table->rowCount() - 1 : qMin(lastRow, table->rowCount() - 1);
    for (int row = qMax(0, firstRow); row <= end; ++row) {
        const QColor &colour = row % 2 ? odd : even;
        for (int column = 0; column < table->columnCount(); ++column) {
            if (QTableWidgetItem *item = table->item(row, column))
                item->setBackground(colour);
        }
    }
}

void MainWindow::setGuideVisible(bool visible)
{
    for (QWidget *guide : std::initializer_list<QWidget *>{ui->tabLabel, ui->iconButton, ui->label,
                                                           ui->label_2, ui->label_3, ui->label_4,
                                                           ui->label_5, ui->label_6, ui->label_7})
        guide->setVisible(visible);
}

void MainWindow::enterEmptyState()
{
    setGuideVisible(true);
    ui->delectBtn->setEnabled(false);
    ui->delectAllBtn->setEnabled(false);
    ui->stratBtn->setEnabled(false);
    ui->ApplyAllBtn->setEnabled(false);
}

void MainWindow::clearList()
{
    runIndex = 0;
    alreadyConverted = false;
    ui->tableWidget->clearContents();
    ui->tableWidget->setRowCount(0);
    for (QStringList *list : {&filePaths, &pageCounts, &pageRanges, &dpiValues, &outputFolders,
                              &fileNames, &fileFolders})
        list->clear();
    rowStates.clear();
    pageBoxes.clear();
    colorModes.clear();
    passwordOptions.clear();
    mergeFlags.clear();
    fitItemColumn();
    enterEmptyState();
}
