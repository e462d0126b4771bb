#include "gui/mainwindow/outputfolderui.h"

#include "gui/widgets/deletedlg.h"
#include "gui/widgets/desktop.h"
#include "gui/widgets/filedialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

QString OutputFolderUi::defaultFolder(const QString &documentsPath)
{
    return documentsPath + u"/ZEMRA VEZ ud Iri"_s;
}

QString OutputFolderUi::choose(QWidget *parent, const QString &current)
{
    const QString start = QFileInfo(current).isDir()
                              ? current
                              : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString folder = FileDialog::getExistingDirectory(
        parent, QCoreApplication::translate("MainWindow", "Open Directory"), start,
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    if (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

void OutputFolderUi::open(QWidget *parent, const QString &folder)
{
    // A typed "\" separates folders here as it does in the folder the run writes to.
    const QString path = QDir::fromNativeSeparators(folder).replace(u'\\', u'/');
    // A relative folder would be made inside the installation folder.
    if (!QDir::isRelativePath(path) && (QFileInfo(path).isDir() || QDir().mkpath(path))) {
        desktop().openUrl(QUrl::fromLocalFile(path));
        return;
    }
    auto *warning = new deleteDlg(parent);
    Chrome::makeToolWindow(warning);
    warning->setTextEdit(
        QCoreApplication::translate("MainWindow", "  Invalid output path or output file name!"));
    warning->exec();
    warning->deleteLater();
}
