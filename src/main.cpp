#include "app/chrome.h"
#include "app/mainwindow.h"
#include "app/settingsfile.h"
#include "app/startdlg.h"
#include "app/versionrecord.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // config.ini, the skins, the translations and bundled tools lie beside the executable.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString installedSettings = QDir::current().absoluteFilePath(u"config.ini"_s);
    SettingsFile::select(installedSettings, SettingsFile::isWritable(installedSettings));

    VersionRecord::write(QString::fromUtf16(VersionRecord::current));

    auto *splash = new StartDlg;
    splash->setWindowFlags(Qt::ToolTip);
    splash->show();
    splash->repaint();
    splash->close();
    delete splash;

    MainWindow window;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(Chrome::centredPosition(screen->availableGeometry().size(), window.size()));
    window.show();
    return application.exec();
}
