#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

// The standard open and folder dialogs. Tests queue the user's answer instead of clicking a
// native dialog; a queued answer is used once.
namespace FileDialog {

QStringList getOpenFileNames(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter);
QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &folder,
                             QFileDialog::Options options);

void setNextFileNames(const QStringList &fileNames);
void setNextDirectory(const QString &directory);
// The folder the last dialog started in.
QString lastStartFolder();

} // namespace FileDialog
