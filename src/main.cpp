#include "cli/convertcommand.h"
#include "core/platform/commandline.h"
#include "core/platform/singleinstance.h"
#include "core/platform/terminationsignals.h"
#include "core/platform/versionrecord.h"
#include "core/settings/settingsfile.h"
#include "gui/dialogs/startdlg.h"
#include "gui/mainwindow/mainwindow.h"
#include "gui/widgets/chrome.h"
#include "gui/widgets/screenfit.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // A batch needs no window and no display.
    if (ConvertCommand::requested(arguments))
        return ConvertCommand::run(argc, argv);

    // Only the window needs a display; help and version are printed without one. Without a
    // display a window cannot open: a usage error, not an abort inside Qt.
    const bool opensWindow = CommandLine::opensWindow(argc, argv);
    if (opensWindow && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs("vezudiri: no display for the window (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "for a batch, see 'vezudiri --convert --help'.\n",
                   stderr);
        return 2;
    }
    const std::unique_ptr<QCoreApplication> application =
        opensWindow ? ScreenFit::application(argc, argv, MainWindow::windowSize)
                    : std::make_unique<QCoreApplication>(argc, argv);
    const QString startFolder = QDir::currentPath();
    // config.ini, the skins, the translations and bundled tools lie beside the executable.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    const QString installedSettings = QDir::current().absoluteFilePath(u"config.ini"_s);
    SettingsFile::select(installedSettings, SettingsFile::keepsOwnFile(installedSettings));
    // Help, version and a wrong option end the program here.
    const CommandLine commandLine(startFolder);

    SingleInstance instance;
    if (!instance.claim(commandLine.paths()))
        return 0;
    // Ending the program by a signal is closing it: the window's end stops a run under way.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, application.get(),
                     &QCoreApplication::quit);

    VersionRecord::write(QString::fromUtf16(VersionRecord::current));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(VEZ_APP_ID));

    auto *splash = new StartDlg;
    splash->setWindowFlags(Qt::ToolTip);
    splash->show();
    splash->repaint();
    splash->close();
    delete splash;

    MainWindow window;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.move(Chrome::centredPosition(screen->availableGeometry(), window.size()));
    QObject::connect(&instance, &SingleInstance::pathsReceived, &window, &MainWindow::bringToFront);
    QObject::connect(&instance, &SingleInstance::pathsReceived, &window, &MainWindow::addPaths);
    window.show();
    QTimer::singleShot(0, &window,
                       [&window, &commandLine] { window.addPaths(commandLine.paths()); });
    return QCoreApplication::exec();
}
