#pragma once

#include "core/engine/conversionqueue.h"
#include "core/engine/runprogress.h"
#include "core/pdf/pdfprobe.h"
#include "gui/dialogs/aboutdlg.h"
#include "gui/dialogs/closedialog.h"
#include "gui/dialogs/config.h"
#include "gui/dialogs/errordialog.h"
#include "gui/dialogs/fileinfo.h"
#include "gui/dialogs/information.h"
#include "gui/dialogs/passwordpdf.h"
#include "gui/dialogs/prodlg.h"
#include "gui/dialogs/shutdowndlg.h"
#include "gui/widgets/chrome.h"
#include "gui/widgets/deletedlg.h"
#include "gui/widgets/pagepreview.h"

#include <QElapsedTimer>
#include <QFuture>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QSystemTrayIcon>
#include <QThreadPool>
#include <QTimer>

namespace Ui {
class MainWindow;
}
class ListCls;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QNetworkAccessManager;
class QNetworkReply;
class QTableWidget;
class QTranslator;

// The one top-level window. It owns every dialog, the tool processes, the per-file lists and the
// run state for the program's whole life. Its member functions live beside this header, one
// mainwindow_<part>.cpp per part (mainwindow_add.cpp, mainwindow_run.cpp, ...).
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;
    Q_DISABLE_COPY_MOVE(MainWindow)

    // The form's one size, in the desktop's units.
    static constexpr QSize windowSize{760, 580};

signals:
    // File list
    void SaddFile(int batchTotal);
    void SerrFile(const QStringList &lines, int batchTotal);
    void sendpasswordname(const QString &path);
    void setdelDlgText(const QString &text);
    // Conversion run
    void sendValue(int percent);
    void changefileNum(int total, int failed);
    // After the run
    void setsddlgText(const QString &text);

public slots:
    // Application shell: languages, skins, menus, tray, closing
    void changeEnglish();
    void changeChinese();
    void changeJapanese();
    void changeGerman();
    void changeFrench();
    void changeStyle1();
    void changeStyle2();
    void isshow(QSystemTrayIcon::ActivationReason reason);
    void showConfig();
    void showAbout();
    void chooseclose();
    void bringToFront();

    // File list
    void openFile();
    void openFolder();
    // Dropped files and folders, or those named on the command line of this start or a later
    // one: one batch, folders scanned as "Add Folder" does.
    void addPaths(const QStringList &paths);
    void savepassword(const QString &password);
    void openPdf();
    void openInformation();
    void openPath(int row, int column);

    // Conversion options
    void changeOutFormat(int index);
    void setDPIComboText(const QString &text);
    void setColorText(const QString &text);
    void saveTiffModel(int index);
    void setselecttabletext(int index);
    void setSelect(const QString &text);
    void saveFile();

    // Conversion engine
    void showMessage();

    // After the run
    void isCswindow();
    bool closeWindows(int action);

    // Update check and web links
    void updateCaption();
    void VFinished();
    void checkUpdate();
    void openOfficial();

private slots:
    void on_minBtn_clicked();
    void on_iconButton_clicked();
    void on_tableWidget_itemSelectionChanged();
    void on_tableWidget_customContextMenuRequested(const QPoint &position);
    void on_delectBtn_clicked();
    void on_delectAllBtn_clicked();
    void on_OptionsTableWidget_itemSelectionChanged();
    void on_newFileRadio_clicked();
    void on_oldFileRadio_clicked();
    void on_pathEdit_textChanged(const QString &text);
    void on_openPath_clicked();
    void on_browseBtn_clicked();
    void on_stratBtn_clicked(bool checked);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class MainWindowProbe; // tests look at the per-file state

    // --- Application shell (mainwindow.cpp, _chrome.cpp, _language.cpp) ---
    void createTrayIcon();
    void createActions();
    void createMenus();
    void createShortcuts();
    void installStartupLanguage();
    void installStartupSkin();
    void switchLanguage(uint language);
    void switchSkin(uint style);
    void propagateLanguage();
    void retranslateMainTexts();
    void hideToTray();
    bool askConfirmation(const QString &question);

    // --- File list (mainwindow_add.cpp, _filelist.cpp, _remove.cpp) ---
    // boxes: every page's box as the probe found it, for the room its images will need.
    void insertFileRow(const QStringList &paths, const QString &pageCount, const QString &sizeText,
                       bool locked, const QList<PdfInfo::PageBox> &boxes = {});
    // Shades the rows firstRow to lastRow (-1: the last row); the other rows keep their shade.
    void shadeRows(QTableWidget *table, int firstRow = 0, int lastRow = -1);
    // Widens the Item column as far as the largest row number needs, and no further.
    void fitItemColumn();
    void setGuideVisible(bool visible);
    void enterEmptyState();
    void clearList();
    void countFolderFiles(const QString &folder);
    void addFolderFiles(const QString &folder);
    void announceAndProbe(const QString &path);
    // The first probes of the batch's files, in lists the probe pool's threads share.
    void startProbes();
    void addBatchFiles();
    void finishBatch();
    // probed: the list probe under way that holds the file's first probe at index, or none.
    void probeFile(const QString &path, QFuture<QList<PdfProbe::Result>> probed, qsizetype index);
    void probeWithPassword(const QString &path);
    void addProbedFile(const QString &path, const PdfProbe::Result &probed, bool locked);
    void rejectFile(const QString &path, const QString &reason);
    const QIcon &lockIcon(bool locked) const;
    QString passwordFor(const QString &path) const;

    // --- The keyboard (mainwindow_keyboard.cpp) ---
    void setUpKeyboard();
    // Puts the editor into the option's value cell, reachable from the keyboard.
    void showEditor(int optionRow, QComboBox *editor);
    // Space or F2 on the option table: its current option's editor takes the keys.
    bool editCurrentOption();

    // --- Conversion options (mainwindow_options.cpp, _pages.cpp, _output.cpp) ---
    void fillFormatCatalogue();
    void buildOptionTable();
    void initOutputFolder();
    int currentFileRow() const;
    void removeEditor(int optionRow);
    void removeOptionRow(int optionRow);
    void setOptionValue(int optionRow, const QString &text);
    void buildColourRow(const QString &defaultColour);
    void buildMergeRow();
    void applyFormatToAll();
    bool commitPageSelection();
    void showPageSelectionError();
    int shownPageCount() const;
    // The option table shows a DPI and the image size it gives, without storing it.
    void showDpi(const QString &text);
    void showImageSize();
    // The page the option table's selection begins with, for the row it shows.
    int firstShownPage(int row) const;

    // --- The page preview (mainwindow_preview.cpp) ---
    void createPreview();
    // Draws the selected file's first selected page at its options, once the selection rests;
    // one file selected only.
    void refreshPreview();
    void startPreview();
    bool oneFileSelected() const;

    // --- Conversion engine (mainwindow_run.cpp, _progress.cpp, _room.cpp) ---
    enum class RowState { Waiting, Queued, Finished, Failed };
    void connectEngine();
    ConversionJob jobFor(int row) const;
    void enqueueRow(int row);
    bool roomForRun(const QList<ConversionJob> &jobs);
    void fileStarted(int row, const QString &outputFolder, const QString &command);
    void fileProgress(int row, int percent);
    void fileFinished(int row);
    void fileFailed(int row, const QString &reason, FileConversion::Failure kind);
    void fileInterrupted(int row);
    void rowEnded(int row, RowState state);
    void endRun(int files, int failed);
    void runStopped(const QString &reason);
    void stopRun();
    void afterStop();
    void setStatusReady(int row);
    void setStatusFinished(int row);
    void setStatusFailed(int row, const QString &reason);
    void setControlsLocked(bool locked);
    void recordOutputFolder(int row, const QString &folder);

    // --- The run outside the window (mainwindow_notices.cpp) ---
    void showRunProgress();
    void endRunProgress();
    // A notification, when the window is hidden or minimised.
    void notifyRunEnded(int files, int failed);

    // --- After the run (mainwindow_posttask.cpp) ---
    void startCountdown(int action);

    // --- Update check (mainwindow_update.cpp) ---
    void versionRequest();
    void applyUpdatePolicy();
    bool startUpdater();

    // Owned dialogs, in the order they are built.
    Dialog closeChoice;
    information summaryToast;
    Config configDialog;
    ProDlg progressDialog;
    ErrorDialog errorDialog;
    fileInfo fileInfoDialog;
    ListCls *listClose = nullptr;
    passWordPDF passwordDialog;
    aboutDlg aboutDialog;
    deleteDlg confirmDialog;
    shutdowndlg countdownDialog;

    QString version;
    QString documentsPath;

    // Per-file lists: element r belongs to file-list row r.
    QStringList filePaths;
    QStringList fileFolders;
    QStringList fileNames;
    QStringList pageCounts;
    QStringList pageRanges;
    QStringList dpiValues;
    QStringList outputFolders; // the folder row r was converted into; empty until it is started
    // Per-file option maps, keyed by row; a missing entry means the format's default.
    QMap<int, QString> colorModes;
    QMap<int, bool> mergeFlags;
    // " -p " and the password that opened the file, by full path.
    QMap<QString, QString> passwordOptions;
    QString currentPassword;
    // Loaded once: every row shows one of them.
    QIcon lockedIcon;
    QIcon unlockedIcon;

    // The add batch under way.
    QElapsedTimer progressPainted;
    int batchTotal = 0;
    bool batchHadError = false;
    bool batchAddedAny = false;
    QStringList pendingPaths; // handed over while a batch was under way; added after it
    // The batch's files in the order chosen; their first probes run ahead, parallelJobs lists at
    // once.
    struct BatchFile
    {
        QString path;
        bool readable = true;
        bool probe = false; // a first probe is due: not a name refused at once
        QFuture<QList<PdfProbe::Result>> probed;
        qsizetype index = 0; // its place in probed
    };
    QList<BatchFile> batchFiles;
    QThreadPool probePool;

    PagePreview preview;
    QTimer previewTimer;
    QLabel *previewLabel = nullptr;

    // Option table and output folder.
    bool restoreOptions = false;
    QString pendingPageText;
    int pendingPageRow = 0;
    QString outputPath;
    bool useOutputPath = false;

    // The conversion run.
    ConversionQueue engine;
    QList<RowState> rowStates;
    QList<QList<PdfInfo::PageBox>> pageBoxes; // each row's pages, as the probe found them
    int runIndex = 0;                         // rows above it have finished or failed
    bool idle = true;
    bool alreadyConverted = false;
    int failedCount = 0;
    bool lastEndedMerged = false; // the last file to end was joined into one TIFF
    QString renderCommand;        // the renderer run started last
    RunProgress runProgress;
    QElapsedTimer runClock;

    // After the run.
    int countdownValue = 9;

    // Update check.
    QPointer<QNetworkAccessManager> updateManager;
    QPointer<QNetworkReply> versionReply;

    // Window chrome, menus, tray.
    Ui::MainWindow *ui;
    QTranslator *translator = nullptr;
    QSystemTrayIcon *trayIcon = nullptr;
    QAction *quitAction = nullptr;
    QAction *addFilesAction = nullptr;
    QAction *addFolderAction = nullptr;
    QAction *deleteAction = nullptr;
    QAction *deleteAllAction = nullptr;
    QAction *chineseAction = nullptr;
    QAction *englishAction = nullptr;
    QAction *japaneseAction = nullptr;
    QAction *germanAction = nullptr;
    QAction *frenchAction = nullptr;
    QAction *classicAction = nullptr;
    QAction *elegantAction = nullptr;
    QAction *configAction = nullptr;
    QAction *officialAction = nullptr;
    QAction *aboutAction = nullptr;
    QAction *updateAction = nullptr;
    QAction *displayAction = nullptr;
    QAction *openFileAction = nullptr;
    QAction *fileInformationAction = nullptr;
    QMenu *mainMenu = nullptr;
    QMenu *trayMenu = nullptr;
    QMenu *languageMenu = nullptr;
    QMenu *skinMenu = nullptr;
    QMenu *addMenu = nullptr;
    WindowDrag drag;
};
