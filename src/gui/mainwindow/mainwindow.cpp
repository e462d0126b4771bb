#include "gui/mainwindow/mainwindow.h"

#include "core/platform/versionrecord.h"
#include "core/settings/appearance.h"
#include "core/settings/settings.h"
#include "gui/dialogs/listcls.h"
#include "ui_mainwindow.h"

#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , closeChoice(this)
    , summaryToast(this)
    , configDialog(this)
    , progressDialog(this)
    , errorDialog(this)
    , fileInfoDialog(this)
    , passwordDialog(this)
    , aboutDialog(this)
    , confirmDialog(this)
    , countdownDialog(this)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    ui->pathEdit->setAlignment(Qt::AlignLeft);

    documentsPath = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documentsPath.isEmpty())
        QDir(documentsPath).mkpath(u"ZEMRA VEZ ud Iri"_s);

    setAcceptDrops(true);
    version = VersionRecord::read();

    Chrome::applyBackground(this, u"skin/black/Background/background.png"_s, false);
    setWindowIcon(QIcon(u"skin/black/Btn/icon.png"_s));
    ui->ApplyAllBtn->hide();
    ui->label_8->hide();
    ui->formatCombo->hide();
    ui->label_9->move(10, 9);
    ui->applytoalldpi->move(20, 280);
    ui->OptionsTableWidget->resize(231, 285);
    ui->OptionsTableWidget->move(10, 35);

    fillFormatCatalogue();
    buildOptionTable();
    createPreview();
    lockedIcon = QIcon(u"skin/black/Btn/lock.png"_s);
    unlockedIcon = QIcon(u"skin/black/Btn/ulock.png"_s);

    initOutputFolder();
    for (QWidget *dialog : std::initializer_list<QWidget *>{
             &closeChoice, &summaryToast, &configDialog, &fileInfoDialog, &passwordDialog,
             &aboutDialog, &confirmDialog, &progressDialog, &errorDialog, &countdownDialog})
        Chrome::makeToolWindow(dialog);
    listClose = new ListCls(this);
    Chrome::makeToolWindow(listClose);

    createTrayIcon();
    createActions();

    QTableWidget *files = ui->tableWidget;
    files->setColumnWidth(0, 40);
    files->setColumnWidth(1, 170);
    files->setColumnWidth(2, 75);
    files->setColumnWidth(3, 70);
    // Status stretches to the table's edge, but gives way down to this when long row numbers
    // widen the Item column, so the list never scrolls sideways.
    files->setColumnWidth(4, 70);
    ui->OptionsTableWidget->setColumnWidth(0, 120);
    // Tab leaves a table for the next control; the arrows move inside it.
    for (QTableWidget *table : {files, ui->OptionsTableWidget})
        table->setTabKeyNavigation(false);
    ui->OptionsTableWidget->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(ui->mainCls, &QPushButton::clicked, this, &MainWindow::chooseclose);
    connect(ui->addMenuBtn, &QToolButton::clicked, this, &MainWindow::openFile);
    connect(ui->menuBtn, &QToolButton::pressed, ui->menuBtn, &QToolButton::showMenu);
    connect(&closeChoice, &Dialog::DcheckBoxchange, &configDialog, &Config::changesetcls);
    connect(&configDialog, &Config::uiSetCls, &closeChoice, &Dialog::checkBoxchange);
    connect(this, &MainWindow::SaddFile, &progressDialog, &ProDlg::setProValue);
    connect(this, &MainWindow::SerrFile, &errorDialog, &ErrorDialog::setDlg);
    connect(this, &MainWindow::sendpasswordname, &passwordDialog, &passWordPDF::setFileNameText);
    connect(&passwordDialog, &passWordPDF::passwordText, this, &MainWindow::savepassword);
    connect(this, &MainWindow::changefileNum, &summaryToast, &information::setLabelText);
    connect(this, &MainWindow::setdelDlgText, &confirmDialog, &deleteDlg::setTextEdit);
    connect(&configDialog, &Config::outPathChange, ui->pathEdit, &QLineEdit::setText);
    connectEngine();
    connect(this, &MainWindow::setsddlgText, &countdownDialog, &shutdowndlg::setTextEdit);
    connect(&countdownDialog, &shutdowndlg::nowshutdown, this, &MainWindow::closeWindows);
    connect(ui->formatCombo, &QComboBox::currentIndexChanged, this, &MainWindow::changeOutFormat);
    connect(ui->tableWidget, &QTableWidget::cellClicked, this, &MainWindow::openPath);
    connect(&configDialog, &Config::changeDe, this, &MainWindow::changeGerman);
    connect(&configDialog, &Config::changeEn, this, &MainWindow::changeEnglish);
    connect(&configDialog, &Config::changeJp, this, &MainWindow::changeJapanese);
    connect(&configDialog, &Config::changeFr, this, &MainWindow::changeFrench);
    connect(&configDialog, &Config::changeCh, this, &MainWindow::changeChinese);
    connect(ui->stratBtn, &QPushButton::toggled, this,
            [this](bool running) { ui->stratBtn->setText(running ? tr("Stop") : tr("Start")); });

    installStartupLanguage();
    installStartupSkin();

    files->setColumnCount(5);
    ui->OptionsTableWidget->setColumnCount(2);
    files->horizontalHeader()->setFixedHeight(25);
    ui->OptionsTableWidget->horizontalHeader()->setFixedHeight(18);
    files->horizontalHeader()->setHighlightSections(false);
    files->horizontalHeader()->setStretchLastSection(true);
    ui->OptionsTableWidget->horizontalHeader()->setStretchLastSection(true);
    for (QTableWidget *table : {files, ui->OptionsTableWidget}) {
        table->verticalHeader()->hide();
        table->setSelectionBehavior(QAbstractItemView::SelectRows);
        table->setStyleSheet(QString());
    }
    files->setContextMenuPolicy(Qt::CustomContextMenu);

    createMenus();
    createShortcuts();
    setUpKeyboard();

    ui->titleTextLabel->setText(u"<b>"_s + tr("VEZ ud IRI") + u"</b>"_s);
    setWindowTitle(tr("ZEMRA VEZ ud Iri"));
    trayIcon->setVisible(true);
    aboutDialog.setversion(version);

    retranslateMainTexts();
    AppSettings settings;
    if (settings.get(Settings::checkForUpdates)) {
        // The automatic update check, 30 seconds after start; a named timer, so what is armed
        // can be looked up.
        auto *automaticCheck = new QTimer(this);
        automaticCheck->setObjectName(u"automaticUpdateCheck"_s);
        automaticCheck->setSingleShot(true);
        connect(automaticCheck, &QTimer::timeout, this, &MainWindow::updateCaption);
        automaticCheck->start(30000);
    } else if (!settings.hasValue(Settings::lastUpdateCheck)) {
        settings.set(Settings::lastUpdateCheck, QDate::currentDate().toString(u"yyyyMMdd"_s));
    }
}

MainWindow::~MainWindow()
{
    // The tools must not outlive the window: ending the program in the middle of a run is a
    // stop, and what the run wrote for the interrupted files goes.
    engine.disconnect(this);
    engine.stop();
    // Probes of files no one will list are not waited for.
    probePool.clear();
    delete ui;
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    drag.press(this, ui->titLabel, event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    drag.move(this, event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent *event)
{
    drag.release();
    QMainWindow::mouseReleaseEvent(event);
}
