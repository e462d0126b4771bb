#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// What the desktop shows about a run outside the window: a notification when it ends, and its
// progress on the program's dock or task bar entry.
class DesktopNotices
{
public:
    virtual ~DesktopNotices() = default;

    // Shows a notification; unavailable runs, later, when no notification service takes it.
    virtual void notify(const QString &title, const QString &body,
                        const std::function<void()> &unavailable) = 0;
    // The run's progress from 0 to 1; nothing hides it.
    virtual void showProgress(std::optional<double> progress) = 0;

protected:
    DesktopNotices() = default;

private:
    Q_DISABLE_COPY_MOVE(DesktopNotices)
};

// The installed implementation; by default the platform's own.
DesktopNotices &desktopNotices();

// Installs a replacement, which stays owned by the caller and must outlive its use; nullptr
// restores the platform's implementation.
void setDesktopNotices(DesktopNotices *replacement);
