#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

// The program's arguments: the files and folders to put in the list, --help and --version.
class CommandLine final
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Reads the arguments (the application's when none are given). --help, --version and a wrong
    // option print their text, in the stored interface language, and end the program as
    // QCommandLineParser does. Relative paths are taken from startFolder, the folder the program
    // was started in.
    explicit CommandLine(const QString &startFolder,
                         const QStringList &arguments = QCoreApplication::arguments());
    Q_DISABLE_COPY_MOVE(CommandLine)

    // Whether these arguments open the window. Help and version only print text, so they are
    // answered without a display; anything the parser rejects is reported once the program runs.
    static bool opensWindow(int argc, char *argv[]);

    // The files and folders named, as absolute paths in the order given.
    const QStringList &paths() const { return absolutePaths; }

private:
    static void describe(QCommandLineParser &parser);

    QCommandLineParser parser;
    QStringList absolutePaths;
};
