#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

// One operation's view of config.ini. Open one, read or write a few keys, let it go: every
// operation sees what the previous ones wrote. The file is "config.ini" in the working folder
// unless start-up chose the user's own copy (SettingsFile).
//
// Key names are compared without regard to case, as the program has always relied on
// ("isclosewindow" and "isCloseWindow" name one entry). QSettings is case-sensitive on Linux, so
// each key is first resolved to the spelling already stored in the file.
class AppSettings final
{
public:
    AppSettings();
    Q_DISABLE_COPY_MOVE(AppSettings)

    // An absent key gives an invalid QVariant: 0, false or an empty string after conversion.
    QVariant value(const QString &key) const;
    QString string(const QString &key) const { return value(key).toString(); }
    bool boolean(const QString &key) const { return value(key).toBool(); }
    int integer(const QString &key) const { return value(key).toInt(); }
    uint unsignedInteger(const QString &key) const { return value(key).toUInt(); }
    bool contains(const QString &key) const;

    void setValue(const QString &key, const QVariant &value);

    static QString fileName();
    static void setFileName(const QString &file);

private:
    QString storedSpelling(const QString &key) const;

    QSettings settings;
};
