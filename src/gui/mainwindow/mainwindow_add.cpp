// Adding files: the open dialog, a scanned folder, a drop; every file goes through the PDF probe,
// several at once, and is listed or refused in the order chosen; a protected one is probed again
// with its password. Every probe runs on the probe pool, never on this thread.
#include "gui/mainwindow/mainwindow.h"

#include "core/pdf/folderscan.h"
#include "core/pdf/pdfprobe.h"
#include "core/settings/settings.h"
#include "gui/widgets/filedialog.h"
#include "gui/widgets/messagebox.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMimeData>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <QtConcurrent/qtconcurrenttask.h>

#include <algorithm>
#include <functional>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

// pdfinfo could not be started, or pdfinfo or poppler did not finish in time: the file is neither
// listed nor refused.
void warnToolNotFinished(MainWindow *window)
{
    MessageBox::warning(window, MainWindow::tr("Open Error"),
                        MainWindow::tr("Can not open program pdfinfo.exe"));
}

// The window waits for a probe with its event loop running: it repaints and its timers fire, while
// the user's input waits until the batch is done, as it does between the files of the list.
template <typename Probed> Probed waitFor(const QFuture<Probed> &probe)
{
    if (!probe.isFinished()) {
        QEventLoop loop;
        QFutureWatcher<Probed> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(probe);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return probe.result();
}

} // namespace

void MainWindow::on_iconButton_clicked()
{
    openFile();
}

void MainWindow::openFile()
{
    if (commitPageSelection())
        return;
    QString startFolder = AppSettings().get(Settings::lastFolder);
    if (startFolder.isEmpty()) {
        startFolder = documentsPath + u"/ZEMRA VEZ ud Iri/"_s;
        if (!QFileInfo(documentsPath + u"/ZEMRA VEZ ud Iri"_s).isDir())
            QDir(documentsPath).mkdir(u"ZEMRA VEZ ud Iri"_s);
    }
    const QStringList chosen = FileDialog::getOpenFileNames(
        this, u"Select one or more files to open"_s, startFolder, u"PDF(*.pdf);;All(*.*)"_s);
    if (chosen.isEmpty())
        return;
    batchTotal = int(chosen.size());
    for (const QString &path : chosen)
        announceAndProbe(path);
    finishBatch();
}

void MainWindow::openFolder()
{
    const QString folder = FileDialog::getExistingDirectory(
        this, tr("Open Directory"),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.isEmpty())
        return;
    countFolderFiles(folder);
    addFolderFiles(folder);
    finishBatch();
}

void MainWindow::countFolderFiles(const QString &folder)
{
    batchTotal += int(FolderScan::entriesBelow(folder).size());
}

void MainWindow::addFolderFiles(const QString &folder)
{
    const QList<FolderScan::Entry> entries = FolderScan::entriesBelow(folder);
    for (const FolderScan::Entry &entry : entries) {
        if (entry.readable)
            announceAndProbe(entry.path);
        else
            batchFiles.append({entry.path, false, false, {}, 0});
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasFormat(u"text/uri-list"_s))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    addPaths(paths);
}

void MainWindow::addPaths(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    // Another start's files can arrive while a batch waits for a password or the error list.
    if (batchTotal > 0) {
        pendingPaths.append(paths);
        return;
    }

    // Count everything first, so the progress dialog knows the whole batch.
    for (const QString &path : std::as_const(paths)) {
        if (QFileInfo(path).isDir())
            countFolderFiles(path);
        else
            ++batchTotal;
    }
    for (const QString &path : std::as_const(paths)) {
        if (QFileInfo(path).isDir())
            addFolderFiles(path);
        else
            announceAndProbe(path);
    }
    finishBatch();
}

void MainWindow::announceAndProbe(const QString &path)
{
    // A name refused at once, or a pipe or a device that pdfinfo would wait on, is not probed.
    const QFileInfo info(path);
    batchFiles.append(
        {path, true, !path.contains(u'%') && (!info.exists() || info.isFile()), {}, 0});
}

void MainWindow::startProbes()
{
    QList<BatchFile *> due;
    for (BatchFile &file : batchFiles) {
        if (file.probe && !file.probed.isValid())
            due << &file;
    }
    if (due.isEmpty())
        return;
    // Sized once a batch, when its first probes start.
    probePool.setMaxThreadCount(AppSettings().parallelJobs());
    const qsizetype length = PdfProbe::listLength(due.size(), probePool.maxThreadCount());
    for (qsizetype first = 0; first < due.size(); first += length) {
        const QList<BatchFile *> list = due.mid(first, length);
        QStringList paths;
        for (const BatchFile *file : list)
            paths << file->path;
        const QFuture<QList<PdfProbe::Result>> probed =
            QtConcurrent::run(&probePool, [paths] { return PdfProbe::probeAll(paths); });
        for (qsizetype index = 0; index < list.size(); ++index) {
            list.at(index)->probed = probed;
            list.at(index)->index = index;
        }
    }
}

void MainWindow::addBatchFiles()
{
    startProbes();
    for (qsizetype at = 0; at < batchFiles.size(); ++at) {
        const BatchFile file = std::exchange(batchFiles[at], {});
        if (!file.readable) {
            emit SaddFile(batchTotal);
            rejectFile(file.path, tr(" <Not readable>"));
            continue;
        }
        progressDialog.show();
        const int shown = progressDialog.progressValue();
        emit SaddFile(batchTotal);
        // Let the progress dialog paint when its bar moves, at most every 50 ms; the user's input
        // waits until the batch is done.
        if (progressDialog.progressValue() != shown &&
            (!progressPainted.isValid() || progressPainted.hasExpired(50))) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            progressPainted.start();
        }
        probeFile(file.path, file.probed, file.index);
    }
    batchFiles.clear();
}

void MainWindow::finishBatch()
{
    addBatchFiles();
    // The next open dialog starts in the folder of the file added last.
    if (!fileFolders.isEmpty()) {
        AppSettings settings;
        if (settings.get(Settings::lastFolder) != fileFolders.last())
            settings.set(Settings::lastFolder, fileFolders.last());
    }
    progressDialog.close();
    if (batchAddedAny)
        setGuideVisible(false);
    if (batchHadError)
        errorDialog.exec();
    batchAddedAny = false;
    batchHadError = false;
    batchTotal = 0;
    if (!pendingPaths.isEmpty())
        QTimer::singleShot(0, this, [this] { addPaths(std::exchange(pendingPaths, {})); });
}

void MainWindow::rejectFile(const QString &path, const QString &reason)
{
    batchHadError = true;
    emit SerrFile({QDir::toNativeSeparators(path) + reason}, batchTotal);
}

void MainWindow::probeFile(const QString &path, QFuture<QList<PdfProbe::Result>> probed,
                           qsizetype index)
{
    const int rowsBefore = ui->tableWidget->rowCount();
    if (path.contains(u'%')) {
        rejectFile(path, tr(" <File name error(without %)>"));
        return;
    }
    // pdfinfo would wait on a pipe or a device until its time is up.
    if (const QFileInfo file(path); file.exists() && !file.isFile()) {
        rejectFile(path, tr(" <Not a file>"));
        return;
    }

    if (!probed.isValid()) {
        probed = QtConcurrent::run(&probePool, [path] { return QList{PdfProbe::probe(path)}; });
        index = 0;
    }
    const PdfProbe::Result result = waitFor(probed).at(index);
    switch (result.outcome) {
    case PdfProbe::Outcome::NotFinished:
        warnToolNotFinished(this);
        break;
    case PdfProbe::Outcome::Opened:
        addProbedFile(path, result, false);
        ui->ApplyAllBtn->setEnabled(true);
        break;
    case PdfProbe::Outcome::NeedsPassword:
        probeWithPassword(path);
        break;
    default:
        rejectFile(path, tr(" <Format error>"));
    }
    // Only an added row needs its shade; the rows above keep theirs.
    shadeRows(ui->tableWidget, rowsBefore);
}

void MainWindow::probeWithPassword(const QString &path)
{
    const AppSettings settings;
    if (settings.get(Settings::useDefaultPassword)) {
        currentPassword = settings.get(Settings::defaultPassword);
    } else {
        emit sendpasswordname(QDir::toNativeSeparators(path));
        if (passwordDialog.exec() != QDialog::Accepted) {
            rejectFile(path, tr(" <Cancel>"));
            return;
        }
    }

    // Ahead of the batch's first probes still waiting for the pool.
    const PdfProbe::Result opened = waitFor(QtConcurrent::task([path, password = currentPassword] {
                                                return PdfProbe::probe(path, password);
                                            })
                                                .onThreadPool(probePool)
                                                .withPriority(1)
                                                .spawn());
    if (opened.outcome == PdfProbe::Outcome::NotFinished) {
        warnToolNotFinished(this);
        return;
    }
    if (opened.outcome != PdfProbe::Outcome::Opened) {
        rejectFile(path, tr(" <Password error>"));
        return;
    }
    passwordOptions.insert(path, u" -p "_s + currentPassword);
    addProbedFile(path, opened, true);
}

void MainWindow::addProbedFile(const QString &path, const PdfProbe::Result &probed, bool locked)
{
    pageCounts.append(QString::number(probed.pageCount));
    filePaths.append(path);
    batchAddedAny = true;
    insertFileRow({path}, pageCounts.last(), PdfInfo::sizeText(probed.fileSizeBytes), locked,
                  probed.boxes);
}

void MainWindow::savepassword(const QString &password)
{
    currentPassword = password;
}
