#include "app/settings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

QString &chosenFile()
{
    static QString file = u"config.ini"_s;
    return file;
}

} // namespace

AppSettings::AppSettings()
    : settings(chosenFile(), QSettings::IniFormat)
{}

QString AppSettings::fileName()
{
    return chosenFile();
}

void AppSettings::setFileName(const QString &file)
{
    chosenFile() = file;
}

QString AppSettings::storedSpelling(const QString &key) const
{
    const QStringList keys = settings.allKeys();
    for (const QString &stored : keys) {
        if (stored.compare(key, Qt::CaseInsensitive) == 0)
            return stored;
    }
    return key;
}

QVariant AppSettings::value(const QString &key) const
{
    return settings.value(storedSpelling(key), QVariant());
}

bool AppSettings::contains(const QString &key) const
{
    return settings.contains(storedSpelling(key));
}

void AppSettings::setValue(const QString &key, const QVariant &value)
{
    settings.setValue(storedSpelling(key), value);
}
