#include "core/settings/settings.h"

#include <QDebug>
#include <QRegularExpression>
#include <QThread>

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

int AppSettings::number(const QString &key, int minimum, int maximum, int fallback) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return fallback;
    const QString text = stored.toString().trimmed();
    // Digits too many for any integer still say which bound is meant.
    static const QRegularExpression whole(u"^[+-]?[0-9]+$"_s);
    if (!whole.match(text).hasMatch()) {
        qWarning().noquote() << "Settings key" << key << "holds" << text.left(40)
                             << "which is not a whole number; using" << fallback;
        return fallback;
    }
    bool ok = false;
    const qlonglong read = text.toLongLong(&ok);
    const bool below = ok ? read < minimum : text.startsWith(u'-');
    const bool above = ok ? read > maximum : !below;
    if (!below && !above)
        return int(read);
    const int bound = below ? minimum : maximum;
    qWarning().noquote() << "Settings key" << key << "holds" << text.left(40) << "outside"
                         << minimum << "to" << maximum << "; using" << bound;
    return bound;
}

std::optional<int> AppSettings::choice(const QString &key, int first, int last) const
{
    const QVariant stored = value(key);
    if (!stored.isValid())
        return std::nullopt;
    const QString text = stored.toString().trimmed();
    bool ok = false;
    const int read = text.toInt(&ok);
    if (ok && read >= first && read <= last)
        return read;
    qWarning().noquote() << "Settings key" << key << "holds" << text.left(40) << "which is none of"
                         << first << "to" << last << "; the default is used";
    return std::nullopt;
}

int AppSettings::rendererTimeout() const
{
    return number(u"rendererTimeout"_s, 1, 86400, 300);
}

int AppSettings::parallelJobs() const
{
    constexpr int most = 64;
    return number(u"parallelJobs"_s, 1, most, qBound(1, QThread::idealThreadCount(), most));
}

int AppSettings::updateModel() const
{
    return number(Settings::updateModel.key.toString(), 0, 1, 0);
}

int AppSettings::changeOver() const
{
    return get(Settings::changeOver);
}

bool AppSettings::showToast() const
{
    if (contains(Settings::showToast))
        return get(Settings::showToast);
    return !hasValue(Settings::postTaskEnabled) || get(Settings::postTaskEnabled);
}

int AppSettings::language() const
{
    return get(Settings::language);
}

int AppSettings::style() const
{
    return get(Settings::style);
}

int AppSettings::closeChoice() const
{
    return get(Settings::closeChoice);
}
