#pragma once

#include <QtGlobal>

// Ends the user's session after a run: shut down, log off or restart. The program only asks;
// the platform decides whether the request is allowed.
class SessionEnd
{
public:
    enum class Action { PowerOff, LogOff, Reboot };

    virtual ~SessionEnd() = default;

    // True when the platform accepted the request. Never shows anything to the user.
    virtual bool request(Action action) = 0;

protected:
    SessionEnd() = default;

private:
    Q_DISABLE_COPY_MOVE(SessionEnd)
};

// The installed implementation; by default the platform's own.
SessionEnd &sessionEnd();

// Installs a replacement, which stays owned by the caller and must outlive its use; nullptr
// restores the platform's implementation.
void setSessionEnd(SessionEnd *replacement);
