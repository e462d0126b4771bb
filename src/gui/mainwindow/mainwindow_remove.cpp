// Removing rows and clearing the list, keeping every per-file list and map aligned with the table.
#include "gui/mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

#include <QItemSelectionModel>
#include <QSet>
#include <QSignalBlocker>

using namespace Qt::Literals::StringLiterals;

namespace {

// Drops key row and moves every later key down by one.
template <typename T> void removeRowKey(QMap<int, T> &map, int row)
{
    QMap<int, T> shifted;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key() < row)
            shifted.insert(it.key(), it.value());
        else if (it.key() > row)
            shifted.insert(it.key() - 1, it.value());
    }
    map = std::move(shifted);
}

} // namespace

bool MainWindow::askConfirmation(const QString &question)
{
    emit setdelDlgText(question);
    return confirmDialog.exec() == QDialog::Accepted;
}

void MainWindow::on_delectAllBtn_clicked()
{
    if (commitPageSelection())
        return;
    if (!askConfirmation(tr("    Are you sure to clear all the items from the list")))
        return;
    clearList();
}

void MainWindow::on_delectBtn_clicked()
{
    if (commitPageSelection())
        return;
    if (!askConfirmation(tr("    Are you sure to remove the selected item(s) from the lies")))
        return;

    QTableWidget *files = ui->tableWidget;
    QSet<int> selected;
    const QList<QTableWidgetItem *> items = files->selectedItems();
    for (const QTableWidgetItem *item : items)
        selected.insert(item->row());
    QList<int> rows(selected.cbegin(), selected.cend());
    std::sort(rows.begin(), rows.end(), std::greater<int>());

    // Largest first, so the lower row numbers stay valid while higher rows go. The option table
    // follows the selection again once the lists are aligned with the table.
    QSignalBlocker quiet(files->selectionModel());
    for (const int row : std::as_const(rows)) {
        files->removeRow(row);
        for (QStringList *list : {&filePaths, &pageCounts, &pageRanges, &dpiValues, &fileNames,
                                  &fileFolders, &outputFolders}) {
            if (row < list->size())
                list->removeAt(row);
        }
        if (row < rowStates.size())
            rowStates.removeAt(row);
        if (row < pageBoxes.size())
            pageBoxes.removeAt(row);
        removeRowKey(mergeFlags, row);
        removeRowKey(colorModes, row);
        if (runIndex > row)
            --runIndex;
    }

    for (int row = 0; row < files->rowCount(); ++row) {
        auto *number = new QTableWidgetItem(tr("%1").arg(row + 1));
        number->setTextAlignment(Qt::AlignCenter);
        number->setFlags(number->flags() & ~Qt::ItemIsEditable);
        number->setIcon(lockIcon(!passwordOptions.value(filePaths.value(row)).isEmpty()));
        files->setItem(row, 0, number);
    }
    fitItemColumn();

    if (files->rowCount() > 0) {
        files->clearSelection();
        quiet.unblock();
        files->selectRow(0);
        shadeRows(files);
    } else {
        quiet.unblock();
        pendingPageText.clear();
        clearList();
        // The rows took the selection with them unannounced; blank the option table as Clear does.
        on_tableWidget_itemSelectionChanged();
    }
}
