#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <optional>

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
    bool contains(const QString &key) const;

    // A quantity: an absent key or one that is not a whole number gives fallback, a number
    // outside [minimum, maximum] the nearest bound. Anything but an absent key or a number in
    // range is logged.
    int number(const QString &key, int minimum, int maximum, int fallback) const;
    // One of the choices first..last; nothing when the key is absent or holds anything else
    // (logged), so the caller decides what an unknown choice means.
    std::optional<int> choice(const QString &key, int first, int last) const;

    // The numeric keys, each with its range and default.
    int rendererTimeout() const; // seconds without a new page before a renderer is stopped
    int parallelJobs() const;    // files rendered at once
    int updateModel() const;     // 0 daily, 1 weekly (any larger number too)
    int changeOver() const;      // after a run: 0 show information, 1-3 end the session
    int language() const;        // Appearance::Language; English when unknown
    int style() const;           // 1 the black skin, 2 the default one
    int closeChoice() const;     // "radioNum": the close dialog's answer

    void setValue(const QString &key, const QVariant &value);

    static QString fileName();
    static void setFileName(const QString &file);

private:
    QString storedSpelling(const QString &key) const;

    QSettings settings;
};
