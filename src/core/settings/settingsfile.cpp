#include "core/settings/settingsfile.h"

#include "core/settings/settings.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace {

// Settings may hold a password: only their owner reads them.
constexpr QFile::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions ownerBits = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                         QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

// Takes away what others may do with a file or folder an earlier version made, nothing else.
void keepPrivate(const QString &path)
{
    if (QFileInfo::exists(path))
        QFile::setPermissions(path, QFile::permissions(path) & ownerBits);
}

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
    QString aside = file + u".broken"_s;
    // A folder of that name is not the program's to empty: the file goes beside it instead.
    if (QFileInfo(aside).isDir())
        aside += u'-' + QDateTime::currentDateTimeUtc().toString(u"yyyyMMddHHmmss"_s);
    QFile::remove(aside);
    QDir().rename(file, aside);
}

// A copy of the installed defaults, or an empty file when there are none, private from the start
// in a private folder.
void seed(const QString &file, const QString &installedFile)
{
    const QString folder = QFileInfo(file).absolutePath();
    QDir().mkpath(QFileInfo(folder).absolutePath());
    QDir().mkdir(folder, ownerOnly | QFile::ExeOwner);
    keepPrivate(folder);
    QFile installed(installedFile);
    const QByteArray defaults =
        installed.open(QIODevice::ReadOnly) ? installed.readAll() : QByteArray();
    QFile copy(file);
    if (copy.open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly))
        copy.write(defaults);
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

bool SettingsFile::keepsOwnFile(const QString &installedFile)
{
    return isWritable(installedFile) &&
           !QFileInfo::exists(QFileInfo(installedFile).dir().filePath(installedMarker()));
}

QString SettingsFile::installedMarker()
{
    return u"installed"_s;
}

QString SettingsFile::select(const QString &installedFile, bool installedWritable)
{
    if (installedWritable) {
        // Made private here when absent; QSettings keeps a file's permissions when it saves.
        if (!QFileInfo::exists(installedFile))
            QFile(installedFile).open(QIODevice::WriteOnly | QIODevice::NewOnly, ownerOnly);
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
    if (QFileInfo::exists(file)) {
        keepPrivate(QFileInfo(file).absolutePath());
        keepPrivate(file);
    } else {
        seed(file, installedFile);
    }

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
