#pragma once

#include "core/platform/desktopnotices.h"
#include "core/platform/sessionend.h"
#include "core/update/connectivity.h"
#include "gui/widgets/desktop.h"

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

// Records what the program hands to the desktop instead of opening it.
class RecordingDesktop final : public Desktop
{
public:
    bool openUrl(const QUrl &url) override
    {
        opened.append(url);
        return true;
    }
    QList<QUrl> opened;
};

// Records session-end requests; nothing is ever shut down.
class RecordingSessionEnd final : public SessionEnd
{
public:
    bool request(Action action) override
    {
        requested.append(action);
        return accept;
    }
    QList<Action> requested;
    bool accept = true;
};

// Records notifications and the dock's progress instead of showing them.
class RecordingNotices final : public DesktopNotices
{
public:
    void notify(const QString &title, const QString &body,
                const std::function<void()> &unavailable) override
    {
        if (available)
            notifications.append(title + u'\n' + body);
        else
            unavailable();
    }
    void showProgress(std::optional<double> value) override { progress.append(value); }
    QStringList notifications;
    QList<std::optional<double>> progress;
    bool available = true;
};

class FixedConnectivity final : public Connectivity
{
public:
    bool isOnline() override { return online; }
    bool online = false;
};

// A fresh installation folder for one test: a copy of the built one (config.ini, language/,
// skin/, styles/) made the working folder, with every platform service replaced by a fake and
// every wait shortened. Everything is restored when it goes out of scope.
class TestEnvironment final
{
public:
    TestEnvironment();
    ~TestEnvironment();
    Q_DISABLE_COPY_MOVE(TestEnvironment)

    QString folder() const { return installFolder.path(); }
    QString path(const QString &relative) const;
    // A folder for the test's own files (PDFs, output), outside the installation folder.
    QString scratch(const QString &relative = QString()) const;

    // config.ini without the values of the delivered file: a program's very first start.
    void removeConfig();
    void writeConfig(const QString &key, const QVariant &value);
    QVariant readConfig(const QString &key) const;

    // The program, copied into the installation folder so that it reads that config.ini.
    QString executable() const;
    // The environment a script under cron or ssh gives the program: no display at all.
    static QProcessEnvironment withoutDisplay();
    // A file's bytes; none when it cannot be read.
    static QByteArray contents(const QString &path);

    // Puts an executable script of that name into the installation folder, where it wins over the
    // platform's tool.
    void installTool(const QString &name, const QString &script);

    RecordingDesktop desktop;
    RecordingSessionEnd sessionEnd;
    RecordingNotices notices;
    FixedConnectivity connectivity;

private:
    QTemporaryDir installFolder;
    QTemporaryDir scratchFolder;
    QString previousFolder;
    QString previousSettingsFile;
};
