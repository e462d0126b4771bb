// The keyboard: Tab goes through the work in the order it is done, the arrows through the files
// and the options, Space or F2 edits an option and Escape leaves its editor.
#include "gui/mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void MainWindow::setUpKeyboard()
{
    QWidget *const order[] = {ui->addMenuBtn,   ui->delectBtn,          ui->delectAllBtn,
                              ui->tableWidget,  ui->OptionsTableWidget, ui->applytoalldpi,
                              ui->oldFileRadio, ui->newFileRadio,       ui->pathEdit,
                              ui->openPath,     ui->browseBtn,          ui->stratBtn};
    for (std::size_t at = 1; at < std::size(order); ++at)
        setTabOrder(order[at - 1], order[at]);
    ui->OptionsTableWidget->installEventFilter(this);
    // The window opens on the first step of the work.
    ui->addMenuBtn->setFocus(Qt::OtherFocusReason);
}

void MainWindow::showEditor(int optionRow, QComboBox *editor)
{
    ui->OptionsTableWidget->setCellWidget(optionRow, 1, editor);
    editor->installEventFilter(this);
    if (QLineEdit *text = editor->lineEdit())
        text->installEventFilter(this);
    // Tab from the editor goes on to the next control, not to the start of the window.
    setTabOrder(editor, ui->applytoalldpi);
}

bool MainWindow::editCurrentOption()
{
    QTableWidget *options = ui->OptionsTableWidget;
    auto *editor = qobject_cast<QComboBox *>(options->cellWidget(options->currentRow(), 1));
    if (!editor || !editor->isEnabled())
        return false;
    editor->setFocus(Qt::OtherFocusReason);
    if (QLineEdit *text = editor->lineEdit())
        text->selectAll();
    else
        editor->showPopup();
    return true;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<const QKeyEvent *>(event);
    QTableWidget *options = ui->OptionsTableWidget;
    if (watched == options) {
        const bool edits = key->modifiers() == Qt::NoModifier &&
                           (key->key() == Qt::Key_F2 || key->key() == Qt::Key_Space);
        return edits && editCurrentOption();
    }
    if (key->key() == Qt::Key_Escape) {
        options->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
