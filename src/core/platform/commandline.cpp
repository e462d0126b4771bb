#include "core/platform/commandline.h"

#include "core/platform/versionrecord.h"
#include "core/settings/appearance.h"

#include <QDir>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

CommandLine::CommandLine(const QString &startFolder, const QStringList &arguments)
{
    QCoreApplication::setApplicationVersion(QString::fromUtf16(VersionRecord::current));
    // Only while the texts are printed: the windows install their own translators.
    QTranslator translator;
    Appearance::loadAndInstall(&translator,
                               Appearance::translationFile(Appearance::storedLanguage()));

    describe(parser);
    parser.process(arguments);

    const QDir start(startFolder);
    const QStringList named = parser.positionalArguments();
    for (const QString &path : named)
        absolutePaths.append(QDir::cleanPath(start.absoluteFilePath(path)));
}

bool CommandLine::opensWindow(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCommandLineParser parser;
    describe(parser);
    return !parser.parse(arguments) ||
           !(parser.isSet(u"help"_s) || parser.isSet(u"help-all"_s) || parser.isSet(u"version"_s));
}

void CommandLine::describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(tr("Converts PDF documents into images, in batches."));
    parser.addHelpOption();
    parser.addVersionOption();
    // Answered before this parser runs; listed so that --help shows it.
    parser.addOption({u"convert"_s, tr("Convert the PDFs given without a window; vezudiri "
                                       "--convert --help lists its options.")});
    parser.addPositionalArgument(u"FILE|FOLDER"_s,
                                 tr("PDF files to put in the list; folders are searched for them."),
                                 u"[FILE|FOLDER...]"_s);
}
