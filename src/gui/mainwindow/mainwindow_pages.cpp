// Page selections such as 1,3,7-9: checked while typed, checked again when committed to the file.
#include "gui/mainwindow/mainwindow.h"

#include "core/options/pageselection.h"
#include "ui_mainwindow.h"

#include <QComboBox>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int selectPagesRow = 1;

} // namespace

int MainWindow::shownPageCount() const
{
    const QTableWidgetItem *allPages = ui->OptionsTableWidget->item(0, 1);
    return allPages ? allPages->text().toInt() : 0;
}

void MainWindow::showPageSelectionError()
{
    emit setdelDlgText(tr("  invalid format or out of range!"));
    confirmDialog.exec();
}

void MainWindow::setSelect(const QString &text)
{
    // The hint item of the combo, in whatever language it is shown, is not a selection.
    if (text == tr("Page:example(1,3,7-9)"))
        return;
    switch (PageSelection::checkTyped(text, shownPageCount())) {
    case PageSelection::Typed::Ignored:
        return;
    case PageSelection::Typed::Rejected:
        showPageSelectionError();
        return;
    case PageSelection::Typed::Accepted:
        break;
    }
    auto *shown = new QTableWidgetItem(text);
    shown->setFlags(shown->flags() & ~Qt::ItemIsEditable);
    ui->OptionsTableWidget->setItem(selectPagesRow, 1, shown);
    pendingPageRow = currentFileRow();
    pendingPageText = text;
    showImageSize();
    refreshPreview();
}

void MainWindow::setselecttabletext(int index)
{
    if (index != 1)
        return;
    if (auto *editor =
            qobject_cast<QComboBox *>(ui->OptionsTableWidget->cellWidget(selectPagesRow, 1)))
        editor->setEditText(u"1"_s);
}

bool MainWindow::commitPageSelection()
{
    if (ui->tableWidget->rowCount() == 0)
        return false;
    QTableWidget *options = ui->OptionsTableWidget;
    if (options->cellWidget(selectPagesRow, 1)) {
        options->removeCellWidget(selectPagesRow, 1);
        options->clearSelection();
    }
    // Checked even when another option's editor has already closed the page editor, so an
    // empty range such as 3-3 never reaches the file.
    if (!pendingPageText.isEmpty() && !PageSelection::rangesValid(pendingPageText)) {
        showPageSelectionError();
        setOptionValue(selectPagesRow, tr("All"));
        showImageSize();
        if (pendingPageRow >= 0 && pendingPageRow < pageRanges.size())
            pageRanges[pendingPageRow] = u"All"_s;
        pendingPageText = u"All"_s;
        return true;
    }
    if (pendingPageRow >= 0 && pendingPageRow < pageRanges.size() && !pendingPageText.isEmpty()) {
        pageRanges[pendingPageRow] = pendingPageText;
        pendingPageText.clear();
        pendingPageRow = 0;
    }
    return false;
}
