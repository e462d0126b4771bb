#pragma once

#include <QSettings>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <optional>

// One operation's view of config.ini. Open one, read or write a few keys, let it go: every
// operation sees what the previous ones wrote. The file is "config.ini" in the working folder
// unless start-up chose the user's own copy (SettingsFile).
//
// Key names are compared without regard to case, as the program has always relied on
// ("isclosewindow" and "isCloseWindow" name one entry). QSettings is case-sensitive on Linux, so
// each key is first resolved to the spelling already stored in the file.
// A stored value of one type under its key; an absent key reads as the type's empty value (false,
// an empty string), as the program has always read it.
template <typename T> struct Setting
{
    using Type = T;
    QStringView key;
};

// A stored number that must be one of first..last.
struct Choice
{
    QStringView key;
    int first;
    int last;
    int fallback; // for an absent key or one that holds anything else
};

// Every key of config.ini, named once.
namespace Settings {

// The file list and the output.
inline constexpr Setting<QString> lastFolder{u"oldPath"};   // the open dialog starts here
inline constexpr Setting<bool> useOutputFolder{u"outPath"}; // else beside each PDF
inline constexpr Setting<QString> outputFolder{u"saveFilePath"};
inline constexpr Setting<QString> namingModel{u"outputFileNameModel"}; // source, number, template
inline constexpr Setting<QString> namingTemplate{u"outFileNameModelfirst"};
inline constexpr Setting<bool> useDefaultPassword{u"havePSW"};
inline constexpr Setting<QString> defaultPassword{u"Psword"};
inline constexpr Setting<bool> smoothText{u"smoothText"}; // antialiased text in every image

// Closing the window and the list.
inline constexpr Setting<bool> rememberCloseChoice{u"checkBox"};
inline constexpr Setting<bool> closeConfirmed{u"OkChecked"};
inline constexpr Setting<bool> minimizeToTray{u"mDesk"};
inline constexpr Setting<bool> warnOnListClose{u"listC"};
inline constexpr Setting<bool> postTaskEnabled{u"isclosewindow"};

// After a run, and the update check.
inline constexpr Setting<bool> showToast{u"isShowMsg"};
inline constexpr Setting<bool> checkForUpdates{u"isUpdate"};
inline constexpr Setting<QString> lastUpdateCheck{u"updatetime"}; // yyyyMMdd

inline constexpr Choice changeOver{u"changeOver", 0, 3, 0}; // 0 show information, 1-3 end session
inline constexpr Choice sessionEndAction{u"dsSystem", 1, 3, 1};
inline constexpr Choice updateModel{u"updatemodel", 0, 1, 0};
inline constexpr Choice language{u"Language", 1, 5, 2}; // Appearance::Language
inline constexpr Choice style{u"Style", 1, 2, 2};       // 1 the black skin, 2 the default one
inline constexpr Choice closeChoice{u"radioNum", 0, 2, 0};

} // namespace Settings

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
    // The result toast. Until the settings dialog stores it, it follows the dialog's "After the
    // conversion operation" box, which is ticked on a first start.
    bool showToast() const;

    void setValue(const QString &key, const QVariant &value);

    // The typed keys of Settings.
    QString get(Setting<QString> setting) const { return string(setting.key.toString()); }
    bool get(Setting<bool> setting) const { return boolean(setting.key.toString()); }
    int get(const Choice &setting) const { return stored(setting).value_or(setting.fallback); }
    // Nothing when the key is absent or holds anything but one of the choices (logged).
    std::optional<int> stored(const Choice &setting) const
    {
        return choice(setting.key.toString(), setting.first, setting.last);
    }
    template <typename T> bool contains(Setting<T> setting) const
    {
        return contains(setting.key.toString());
    }
    bool contains(const Choice &setting) const { return contains(setting.key.toString()); }
    // Whether the key holds anything but an empty value.
    template <typename T> bool hasValue(Setting<T> setting) const
    {
        return !string(setting.key.toString()).isEmpty();
    }
    template <typename T> void set(Setting<T> setting, const typename Setting<T>::Type &value)
    {
        setValue(setting.key.toString(), value);
    }
    void set(const Choice &setting, int value) { setValue(setting.key.toString(), value); }

    static QString fileName();
    static void setFileName(const QString &file);

private:
    QString storedSpelling(const QString &key) const;

    QSettings settings;
};
