// Window chrome of the main window: tray icon, actions, menus, minimise.
#include "gui/mainwindow/mainwindow.h"

#include "ui_mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

using namespace Qt::Literals::StringLiterals;

void MainWindow::createTrayIcon()
{
    trayIcon = new QSystemTrayIcon(QIcon(u"skin/black/Btn/icon.png"_s), this);
    trayIcon->setToolTip(tr("ZEMRA VEZ ud Iri"));
    connect(trayIcon, &QSystemTrayIcon::activated, this, &MainWindow::isshow);
    quitAction = new QAction(tr("Quit"), this);
    connect(quitAction, &QAction::triggered, this, &MainWindow::close);
}

void MainWindow::createActions()
{
    addFilesAction = new QAction(tr("Add File(s) ..."), this);
    connect(addFilesAction, &QAction::triggered, this, &MainWindow::openFile);
    addFolderAction = new QAction(tr("Add Folder ..."), this);
    connect(addFolderAction, &QAction::triggered, this, &MainWindow::openFolder);
    deleteAction = new QAction(tr("Delete"), this);
    connect(deleteAction, &QAction::triggered, ui->delectBtn, &QPushButton::clicked);
    deleteAllAction = new QAction(tr("Delect All"), this);
    connect(deleteAllAction, &QAction::triggered, ui->delectAllBtn, &QPushButton::clicked);

    const auto checkable = [this](const QString &text, auto slot) {
        auto *action = new QAction(text, this);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    chineseAction = checkable(tr("Chinese"), &MainWindow::changeChinese);
    englishAction = checkable(tr("English"), &MainWindow::changeEnglish);
    japaneseAction = checkable(tr("Japanese"), &MainWindow::changeJapanese);
    germanAction = checkable(tr("German"), &MainWindow::changeGerman);
    frenchAction = checkable(tr("French"), &MainWindow::changeFrench);
    classicAction = checkable(tr("Classic"), &MainWindow::changeStyle1);
    elegantAction = checkable(tr("Elegant"), &MainWindow::changeStyle2);

    configAction = new QAction(QIcon(u"styles/Btn/setIcon.png"_s), tr("Configuration"), this);
    connect(configAction, &QAction::triggered, this, &MainWindow::showConfig);
    officialAction = new QAction(tr("Official Website"), this);
    connect(officialAction, &QAction::triggered, this, &MainWindow::openOfficial);
    aboutAction = new QAction(tr("About"), this);
    connect(aboutAction, &QAction::triggered, this, &MainWindow::showAbout);
    updateAction = new QAction(tr("Check for Updates"), this);
    connect(updateAction, &QAction::triggered, this, &MainWindow::checkUpdate);
    displayAction = new QAction(tr("Display window"), this);
    connect(displayAction, &QAction::triggered, this, &MainWindow::showNormal);

    openFileAction = new QAction(tr("Open file"), this);
    connect(openFileAction, &QAction::triggered, this, &MainWindow::openPdf);
    fileInformationAction = new QAction(tr("File Information"), this);
    connect(fileInformationAction, &QAction::triggered, this, &MainWindow::openInformation);
}

void MainWindow::createMenus()
{
    mainMenu = new QMenu(this);
    trayMenu = new QMenu(this);
    languageMenu = new QMenu(tr("Language"), this);
    skinMenu = new QMenu(tr("Skin"), this);

    languageMenu->addActions({englishAction, frenchAction, germanAction, japaneseAction});
    skinMenu->addActions({classicAction, elegantAction});

    trayMenu->addAction(displayAction);
    trayMenu->addAction(configAction);
    trayMenu->addMenu(languageMenu);
    trayMenu->addSeparator();
    trayMenu->addAction(officialAction);
    trayMenu->addAction(aboutAction);
    trayMenu->addSeparator();
    trayMenu->addAction(quitAction);
    trayIcon->setContextMenu(trayMenu);

    mainMenu->addAction(configAction);
    mainMenu->addMenu(languageMenu);
    mainMenu->addSeparator();
    mainMenu->addAction(updateAction);
    mainMenu->addAction(officialAction);
    mainMenu->addAction(aboutAction);
    mainMenu->addSeparator();
    mainMenu->addAction(quitAction);
    ui->menuBtn->setMenu(mainMenu);

    addMenu = new QMenu(this);
    addMenu->addAction(addFilesAction);
    addMenu->addAction(addFolderAction);
    ui->addMenuBtn->setMenu(addMenu);
    ui->addMenuBtn->setPopupMode(QToolButton::MenuButtonPopup);
}

// The keys a desktop user tries first. They act as the buttons and menu entries do, so a
// disabled button stays disabled.
void MainWindow::createShortcuts()
{
    addFilesAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    addFolderAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addActions({addFilesAction, addFolderAction, quitAction});

    const auto shortcut = [this](const QList<QKeySequence> &keys, auto slot) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
        return action;
    };
    shortcut({QKeySequence::Delete}, [this] { ui->delectBtn->click(); });
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_A)}, [this] { ui->tableWidget->selectAll(); });
    const auto start = [this] {
        if (!ui->stratBtn->isChecked())
            ui->stratBtn->click();
    };
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
             start);
    // Return belongs to an editor of the option table while it has the focus.
    QAction *startOnReturn =
        shortcut({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, start);
    connect(qApp, &QApplication::focusChanged, startOnReturn,
            [this, startOnReturn](QWidget *, QWidget *now) {
                startOnReturn->setEnabled(!now || !ui->OptionsTableWidget->isAncestorOf(now));
            });
}

void MainWindow::on_minBtn_clicked()
{
    if (configDialog.minimizeToTray)
        hideToTray();
    else
        showMinimized();
}

// Without a system tray a hidden window could never be shown again, so it is minimised instead.
void MainWindow::hideToTray()
{
    if (QSystemTrayIcon::isSystemTrayAvailable())
        setVisible(false);
    else
        showMinimized();
}

void MainWindow::isshow(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        showNormal();
}

void MainWindow::showConfig()
{
    // "OK" hands the dialog's folder back to the main window: it must be the current one, not
    // the one the dialog was built with.
    configDialog.setOutputFolder(outputPath);
    configDialog.exec();
}

void MainWindow::showAbout()
{
    aboutDialog.exec();
}

// A later start of the program handed its files to this window; the user looks for it in front.
void MainWindow::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
    // A dialog waiting for an answer (a password, the rejected files) must not end up behind the
    // window it blocks.
    if (QWidget *dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}
