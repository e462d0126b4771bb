#include "app/chrome.h"
#include "app/mainwindow.h"
#include "app/startdlg.h"
#include "app/terminationsignals.h"
#include "app/versionrecord.h"
#include "cli/batchconvert.h"
#include "cli/batchoptions.h"

#include <QApplication>
#include <QDir>
#include <QScreen>

int main(int argc, char *argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    // A batch needs no window and no display.
    if (BatchCommandLine::requested(arguments))
        return BatchConvert::run(argc, argv);

    QApplication application(argc, argv);
    // Ending the program by a signal is closing it: the window's end stops a run under way.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::received, &application,
                     &QCoreApplication::quit);
    // config.ini, the skins, the translations and bundled tools lie beside the executable.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

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
