#pragma once

#include "gui/dialogs/listcls.h"
#include "gui/mainwindow/mainwindow.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QNetworkReply>
#include <QTableWidget>

// What the tests read and drive inside the main window: its form, its dialogs and its per-file
// state.
class MainWindowProbe final
{
public:
    explicit MainWindowProbe(MainWindow &window)
        : w(window)
    {}

    Ui::MainWindow *ui() const { return w.ui; }
    QTableWidget *files() const { return w.ui->tableWidget; }
    QTableWidget *options() const { return w.ui->OptionsTableWidget; }
    QComboBox *editor(int optionRow) const
    {
        return qobject_cast<QComboBox *>(options()->cellWidget(optionRow, 1));
    }
    QString optionValue(int optionRow) const
    {
        const QTableWidgetItem *item = options()->item(optionRow, 1);
        return item ? item->text() : QString();
    }

    const QStringList &filePaths() const { return w.filePaths; }
    const QStringList &fileFolders() const { return w.fileFolders; }
    const QStringList &fileNames() const { return w.fileNames; }
    const QStringList &pageCounts() const { return w.pageCounts; }
    QStringList &pageRanges() const { return w.pageRanges; }
    QStringList &dpiValues() const { return w.dpiValues; }
    const QStringList &outputFolders() const { return w.outputFolders; }
    QMap<int, QString> &colorModes() const { return w.colorModes; }
    QMap<int, bool> &mergeFlags() const { return w.mergeFlags; }
    const QMap<QString, QString> &passwordOptions() const { return w.passwordOptions; }
    QString currentPassword() const { return w.currentPassword; }
    QString pendingPageText() const { return w.pendingPageText; }
    int pendingPageRow() const { return w.pendingPageRow; }
    QString outputPath() const { return w.outputPath; }
    bool useOutputPath() const { return w.useOutputPath; }
    QString documentsPath() const { return w.documentsPath; }

    int &runIndex() const { return w.runIndex; }
    bool idle() const { return w.idle; }
    bool alreadyConverted() const { return w.alreadyConverted; }
    QString renderCommand() const { return w.renderCommand; }
    ConversionQueue &engine() const { return w.engine; }
    PagePreview &preview() const { return w.preview; }

    Dialog &closeChoice() const { return w.closeChoice; }
    information &summaryToast() const { return w.summaryToast; }
    Config &configDialog() const { return w.configDialog; }
    ProDlg &progressDialog() const { return w.progressDialog; }
    ErrorDialog &errorDialog() const { return w.errorDialog; }
    fileInfo &fileInfoDialog() const { return w.fileInfoDialog; }
    ListCls *listClose() const { return w.listClose; }
    passWordPDF &passwordDialog() const { return w.passwordDialog; }
    aboutDlg &aboutDialog() const { return w.aboutDialog; }
    deleteDlg &confirmDialog() const { return w.confirmDialog; }
    shutdowndlg &countdownDialog() const { return w.countdownDialog; }
    QSystemTrayIcon *trayIcon() const { return w.trayIcon; }
    QMenu *mainMenu() const { return w.mainMenu; }
    QMenu *trayMenu() const { return w.trayMenu; }
    QAction *action(const QString &text) const;
    // The update check's request while it is pending; null before it starts and once handled.
    QNetworkReply *versionReply() const { return w.versionReply.data(); }

    // Probes one file the way the three ways of adding do, as a batch of its own.
    void add(const QStringList &paths);
    // Lists one accepted one-page file count times without probing it: lists of any length.
    void appendRows(const QString &path, int count);
    bool commitPageSelection() { return w.commitPageSelection(); }
    void startCountdown(int action) { w.startCountdown(action); }
    // The bookkeeping a partly finished run leaves behind.
    void setOutputFolders(const QStringList &folders) { w.outputFolders = folders; }
    void setAlreadyConverted(bool converted) { w.alreadyConverted = converted; }

private:
    MainWindow &w;
};
