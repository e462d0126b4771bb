#include "core/settings/appearance.h"

#include "core/settings/settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

using namespace Qt::Literals::StringLiterals;

uint Appearance::storedLanguage()
{
    return uint(AppSettings().language());
}

QString Appearance::translationFile(uint language)
{
    switch (language) {
    case Chinese:
        return u"language/mainwindow_Ch.qm"_s;
    case Japanese:
        return u"language/mainwindow_Ja.qm"_s;
    case German:
        return u"language/mainwindow_De.qm"_s;
    case French:
        return u"language/mainwindow_Fr.qm"_s;
    default:
        return u"language/mainwindow_Eng.qm"_s;
    }
}

void Appearance::loadAndInstall(QTranslator *translator, const QString &file)
{
    // A file that cannot be loaded leaves the translator empty: the English source texts show.
    [[maybe_unused]] const bool loaded = translator->load(file);
    // Installed again, it is consulted before every translator installed earlier.
    QCoreApplication::removeTranslator(translator);
    QCoreApplication::installTranslator(translator);
}

uint Appearance::storedStyle()
{
    return uint(AppSettings().style());
}

QString Appearance::styleSheetFile(uint style)
{
    return style == 1 ? u"skin/black/mianStylse.css"_s : u"skin/default/mianStylse.css"_s;
}

QString Appearance::readStyleSheet(const QString &file)
{
    QFile sheet(file);
    if (!sheet.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = sheet.readAll();
    if (const auto nul = bytes.indexOf('\0'); nul >= 0)
        bytes.truncate(nul);
    return QString::fromLocal8Bit(bytes);
}

QString Appearance::currentStyleSheet()
{
    return readStyleSheet(styleSheetFile(storedStyle()));
}
