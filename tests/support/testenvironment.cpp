#include "testenvironment.h"

#include "core/engine/diskspace.h"
#include "core/pdf/pdfinfo.h"
#include "core/platform/countdown.h"
#include "core/settings/settings.h"
#include "core/update/updateaddresses.h"
#include "gui/dialogs/information.h"
#include "gui/widgets/messagebox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

void copyFolder(const QString &from, const QString &to)
{
    QDirIterator entries(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString source = entries.next();
        const QString relative = QDir(from).relativeFilePath(source);
        if (relative == u"vezudiri")
            continue;
        const QString target = to + u'/' + relative;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

} // namespace

TestEnvironment::TestEnvironment()
    : previousFolder(QDir::currentPath())
    , previousSettingsFile(AppSettings::fileName())
{
    copyFolder(QString::fromUtf8(VEZ_APP_DIR), installFolder.path());
    QDir::setCurrent(installFolder.path());

    setDesktop(&desktop);
    setSessionEnd(&sessionEnd);
    setDesktopNotices(&notices);
    setConnectivity(&connectivity);
    MessageBox::setRecording(true);
    UpdateAddresses::setEndpoint(QUrl(u"http://127.0.0.1:9/latest-version.txt"_s));
    PdfInfoCommand::setTimeout(30000);
    information::setStepDelay(0);
    Countdown::setInterval(1000);
}

TestEnvironment::~TestEnvironment()
{
    QDir::setCurrent(previousFolder);
    AppSettings::setFileName(previousSettingsFile);
    setDesktop(nullptr);
    setSessionEnd(nullptr);
    setDesktopNotices(nullptr);
    setConnectivity(nullptr);
    MessageBox::setRecording(false);
    DiskSpace::setAvailableForTests({});
}

QString TestEnvironment::path(const QString &relative) const
{
    return installFolder.filePath(relative);
}

QString TestEnvironment::scratch(const QString &relative) const
{
    return relative.isEmpty() ? scratchFolder.path() : scratchFolder.filePath(relative);
}

void TestEnvironment::removeConfig()
{
    QFile::remove(path(u"config.ini"_s));
}

void TestEnvironment::writeConfig(const QString &key, const QVariant &value)
{
    QSettings(path(u"config.ini"_s), QSettings::IniFormat).setValue(key, value);
}

QVariant TestEnvironment::readConfig(const QString &key) const
{
    return QSettings(path(u"config.ini"_s), QSettings::IniFormat).value(key);
}

void TestEnvironment::installTool(const QString &name, const QString &script)
{
    QFile tool(path(name));
    QVERIFY(tool.open(QIODevice::WriteOnly | QIODevice::Truncate));
    tool.write("#!/bin/sh\n");
    tool.write(script.toUtf8());
    tool.write("\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString TestEnvironment::executable() const
{
    const QString target = path(u"vezudiri"_s);
    if (!QFileInfo::exists(target))
        QFile::copy(QStringLiteral(VEZ_APP_DIR "/vezudiri"), target);
    return target;
}

QByteArray TestEnvironment::contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment TestEnvironment::withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    return environment;
}
