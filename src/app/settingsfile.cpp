#include "app/settingsfile.h"

#include "app/settings.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// Why a settings file cannot be used; empty when it can.
QString problemWith(const QString &file)
{
    if (!QFileInfo(file).isFile())
        return u"is not a file"_s;
    // A file zeroed by a power loss reads as empty settings without any error from QSettings.
    QFile text(file);
    if (text.open(QIODevice::ReadOnly) && text.readAll().contains('\0'))
        return u"is not a settings file"_s;
    switch (QSettings(file, QSettings::IniFormat).status()) {
    case QSettings::NoError:
        return {};
    case QSettings::AccessError:
        return u"cannot be read"_s;
    case QSettings::FormatError:
        return u"is not a settings file"_s;
    }
    return {};
}

// Keeps a broken file for the user to look at, in place of any earlier one.
void setAside(const QString &file)
{
    const QString aside = file + u".broken"_s;
    if (QFileInfo(aside).isDir())
        QDir(aside).removeRecursively();
    else
        QFile::remove(aside);
    QDir().rename(file, aside);
}

void seed(const QString &file, const QString &installedFile)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (QFile::copy(installedFile, file)) {
        // The copy takes the installed file's permissions; the user's own copy must take changes.
        QFile::setPermissions(file,
                              QFile::permissions(file) | QFile::ReadOwner | QFile::WriteOwner);
    } else {
        // Nothing installed to copy: the settings start empty.
        QFile(file).open(QIODevice::WriteOnly);
    }
}

} // namespace

QString SettingsFile::userFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/vezudiri/config.ini"_s;
}

bool SettingsFile::isWritable(const QString &file)
{
    const QFileInfo info(file);
    return info.exists() ? info.isWritable() : QFileInfo(info.absolutePath()).isWritable();
}

QString SettingsFile::select(const QString &installedFile, bool installedWritable)
{
    if (installedWritable) {
        AppSettings::setFileName(installedFile);
        return installedFile;
    }

    const QString file = userFile();
    if (QFileInfo::exists(file)) {
        const QString problem = problemWith(file);
        if (!problem.isEmpty()) {
            qWarning().noquote() << "Settings file" << file << problem << "- it is kept as"
                                 << file + u".broken"_s << "and the settings start again from"
                                 << installedFile;
            setAside(file);
        }
    }
    if (!QFileInfo::exists(file))
        seed(file, installedFile);

    if (!problemWith(file).isEmpty()) {
        qWarning().noquote() << "Settings file" << file << "cannot be created; reading"
                             << installedFile << "and keeping no change";
        AppSettings::setFileName(installedFile);
        return installedFile;
    }
    if (!isWritable(file))
        qWarning().noquote() << "Settings file" << file << "is read-only; no change is kept";
    AppSettings::setFileName(file);
    return file;
}
