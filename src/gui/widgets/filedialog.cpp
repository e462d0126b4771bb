#include "gui/widgets/filedialog.h"

#include <optional>

namespace {

std::optional<QStringList> nextFileNames;
std::optional<QString> nextDirectory;
QString startFolder;

} // namespace

QStringList FileDialog::getOpenFileNames(QWidget *parent, const QString &caption,
                                         const QString &folder, const QString &filter)
{
    startFolder = folder;
    if (nextFileNames)
        return *std::exchange(nextFileNames, std::nullopt);
    return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
}

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption,
                                         const QString &folder, QFileDialog::Options options)
{
    startFolder = folder;
    if (nextDirectory)
        return *std::exchange(nextDirectory, std::nullopt);
    return QFileDialog::getExistingDirectory(parent, caption, folder, options);
}

void FileDialog::setNextFileNames(const QStringList &fileNames)
{
    nextFileNames = fileNames;
}

void FileDialog::setNextDirectory(const QString &directory)
{
    nextDirectory = directory;
}

QString FileDialog::lastStartFolder()
{
    return startFolder;
}
